#include "ui/Program.h"

#include "ui/Application.h"
#include "ui/PaneText.h"
#include "ui/Unit1.h"
#include "widgets/win32/ExceptionReport.h"

namespace {
const char* const ApplicationTitle = "Pelkarin";
}

int RunProgram(HINSTANCE instance, const FormDescription& mainForm)
{
    try {
        Application application(instance);
        application.SetTitle(ApplicationTitle);
        TForm1 form1(application, mainForm);
        application.SetMainWindow(form1.Handle());
        form1.Show();
        return application.Run([&form1](const MSG& message) { return form1.PreTranslateMessage(message); });
    } catch (...) {
        // Start-up failed: there is no window to carry on with.
        MessageBoxA(nullptr, ErrorBoxText(CurrentExceptionMessage()).c_str(), ApplicationTitle, MB_OK | MB_ICONSTOP);
        return 1;
    }
}
