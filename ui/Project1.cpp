// The program's entry: the application, its title, the main window and the message loop.
#include "Application.h"
#include "FormDescription.h"
#include "PaneText.h"
#include "Unit1.h"

namespace {
const char* const ApplicationTitle = "Pelkarin";
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    try {
        Application application(instance);
        application.SetTitle(ApplicationTitle);
        TForm1 form1(application, Form1Description());
        application.SetMainWindow(form1.Handle());
        form1.Show();
        return application.Run([&form1](const MSG& message) { return form1.PreTranslateMessage(message); });
    } catch (const std::exception& error) {
        // Start-up failed: there is no window to carry on with.
        MessageBoxA(nullptr, ErrorBoxText(error.what()).c_str(), ApplicationTitle, MB_OK | MB_ICONSTOP);
        return 1;
    }
}
