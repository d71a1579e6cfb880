// The controls the program paints itself, as assistive technology meets them: the object
// each hands out through the system's AccessibleObjectFromWindow, and the events that
// announce their changes.
#include "tests/win32/widgets/FlatButtonFixture.h"
#include "tests/win32/widgets/WindowCallsRestored.h"
#include "widgets/win32/AccessibleAlert.h"

#include <oleacc.h>

#include <memory>

namespace {

struct Released {
    void operator()(IAccessible* object) const { object->Release(); }
};
using Accessible = std::unique_ptr<IAccessible, Released>;

// (The interface id from the header: x86_64 mingw-w64's liboleacc.a does not give the
// right IID_IAccessible.)
Accessible ClientObject(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return Accessible(object);
}

VARIANT Self()
{
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

// A text property in Windows-1252, "<none>" when there is none.
template <typename Getter>
std::string TextOf(IAccessible& object, Getter getter)
{
    BSTR text = nullptr;
    if ((object.*getter)(Self(), &text) != S_OK || !text)
        return "<none>";
    char narrow[256] = {};
    WideCharToMultiByte(1252, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    SysFreeString(text);
    return narrow;
}

long NumberOf(IAccessible& object, HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, VARIANT*))
{
    VARIANT value;
    value.vt = VT_EMPTY;
    return (object.*getter)(Self(), &value) == S_OK && value.vt == VT_I4 ? value.lVal : -1;
}

// The events announced for the client objects of this process's windows.
std::vector<std::pair<DWORD, HWND>> events;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        events.emplace_back(event, window);
}

// The alerts of this process's windows (a hook on all processes: one filtered to a process
// hears nothing under Wine).
void CALLBACK RecordAlert(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == GetCurrentProcessId() && object == AccessibleAlert::ObjectId)
        events.emplace_back(event, window);
}

} // namespace

using AccessibleControls = FlatButtonTest;

TEST_F(AccessibleControls, ButtonsArePushButtonsNamedByTheirCaptionsThatTheDefaultActionClicks)
{
    Build();
    const struct {
        TFlatButton* button;
        const char* name;
        const char* shortcut;
    } buttons[] = {{&Button6(), "Desinfectar", "Alt+D"}, {&Button7(), "Informaci\xF3n", "Alt+I"}};
    for (const auto& expected : buttons) {
        SCOPED_TRACE(expected.name);
        HWND window = expected.button->Handle();
        Accessible object = ClientObject(window);
        ASSERT_TRUE(object);
        EXPECT_EQ(NumberOf(*object, &IAccessible::get_accRole), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(TextOf(*object, &IAccessible::get_accName), expected.name);
        EXPECT_EQ(TextOf(*object, &IAccessible::get_accKeyboardShortcut), expected.shortcut);
        EXPECT_EQ(TextOf(*object, &IAccessible::get_accDefaultAction), "Presionar");
        EXPECT_EQ(NumberOf(*object, &IAccessible::get_accState), STATE_SYSTEM_FOCUSABLE);

        SetFocus(window);
        EXPECT_EQ(NumberOf(*object, &IAccessible::get_accState), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
        Press(window, 50, 12);
        EXPECT_EQ(NumberOf(*object, &IAccessible::get_accState),
                  STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_PRESSED);
        Release(window, 300, 300);

        // The default action clicks once the caller's call has returned.
        received.clear();
        EXPECT_EQ(object->accDoDefaultAction(Self()), S_OK);
        EXPECT_TRUE(received.empty());
        Pump(0);
        EXPECT_EQ(received, (std::vector<std::string>{"click " + expected.button->Name()}));

        EnableWindow(window, FALSE);
        EXPECT_EQ(NumberOf(*object, &IAccessible::get_accState), STATE_SYSTEM_UNAVAILABLE);
        EnableWindow(window, TRUE);
    }
}

TEST_F(AccessibleControls, StripsAreStaticTextAndTheLogoAGraphicNamedPelkarin)
{
    Build();
    FormDescription others;
    for (const ComponentDescription& row : Form1Description().components)
        if (row.As<ImageSettings>() || row.As<FlatTitlebarSettings>())
            others.components.push_back(row);
    const std::unique_ptr<FormComponents> more = BuildMore(others);
    const struct {
        const char* control;
        long role;
        const char* name;
    } expected[] = {{"Image5", ROLE_SYSTEM_GRAPHIC, "Pelkarin"},
                    {"FlatTitlebar1", ROLE_SYSTEM_STATICTEXT, "Programado por el equipo de Pelkarin"},
                    {"FlatTitlebar2", ROLE_SYSTEM_STATICTEXT, "pelkarin.example"}};
    for (const auto& control : expected) {
        SCOPED_TRACE(control.control);
        Accessible object = ClientObject(more->Get<Control>(control.control).Handle());
        ASSERT_TRUE(object);
        EXPECT_EQ(NumberOf(*object, &IAccessible::get_accRole), control.role);
        EXPECT_EQ(TextOf(*object, &IAccessible::get_accName), control.name);
        EXPECT_EQ(TextOf(*object, &IAccessible::get_accDefaultAction), "<none>");
        EXPECT_EQ(object->accDoDefaultAction(Self()), DISP_E_MEMBERNOTFOUND);
    }
}

// The focus event comes from the system; the button adds the change of its state.
TEST_F(AccessibleControls, FocusStateAndNameChangesAreAnnounced)
{
    Build();
    events.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, RecordEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    HWND window = Button6().Handle();
    SetFocus(window);
    Press(window, 50, 12);
    Release(window, 300, 300);
    SetWindowTextA(window, "&Otra");
    Pump(100);
    UnhookWinEvent(hook);
    const std::vector<std::pair<DWORD, HWND>> expected = {
        {EVENT_OBJECT_FOCUS, window}, {EVENT_OBJECT_STATECHANGE, window},          // focused
        {EVENT_OBJECT_STATECHANGE, window}, {EVENT_OBJECT_STATECHANGE, window},    // pressed, released
        {EVENT_OBJECT_NAMECHANGE, window}};
    EXPECT_EQ(events, expected);
}

namespace {

// The text of each UI Automation notification raised, through the call table.
std::vector<std::string> notified;

HRESULT WINAPI RecordNotification(IRawElementProviderSimple* provider, UiaNotificationKind, UiaNotificationProcessing,
                                  BSTR text, BSTR)
{
    char narrow[256] = {};
    WideCharToMultiByte(1252, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    notified.push_back(provider ? narrow : "<no provider>");
    return S_OK;
}

} // namespace

// An alert is announced for the window, and where the system has them a UI Automation
// notification carries the same text. (Its object, of the alert role and named with the
// text, is asked for from another process in the end-to-end tests.)
TEST_F(AccessibleControls, AlertIsAnnouncedAndAlsoNotifiedWhereTheSystemCan)
{
    Build();
    const WindowCallsRestored restored;
    const char* const verdict = "Su sistema no hab\xED" "a sido infectado :)";
    AccessibleAlert alert;
    events.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, RecordAlert, 0, 0,
                                         WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    notified.clear();
    TheWindowCalls().UiaRaiseNotificationEvent = &RecordNotification;
    alert.Raise(form_, verdict);
    TheWindowCalls().UiaRaiseNotificationEvent = nullptr;   // a Windows before 10 1709
    alert.Raise(form_, "Otra");
    Pump(100);
    UnhookWinEvent(hook);
    EXPECT_EQ(events, (std::vector<std::pair<DWORD, HWND>>{{EVENT_SYSTEM_ALERT, form_}, {EVENT_SYSTEM_ALERT, form_}}));
    EXPECT_EQ(notified, std::vector<std::string>{verdict});
    EXPECT_EQ(alert.OnGetObject(form_, 0, OBJID_CLIENT), 0);   // its object is asked for by its own id
}

TEST_F(AccessibleControls, ObjectOutlivingItsControlAnswersDisconnected)
{
    Build();
    Accessible object = ClientObject(Button6().Handle());
    ASSERT_TRUE(object);
    components_.reset();
    VARIANT role;
    EXPECT_EQ(object->get_accRole(Self(), &role), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->accDoDefaultAction(Self()), RPC_E_DISCONNECTED);
}
