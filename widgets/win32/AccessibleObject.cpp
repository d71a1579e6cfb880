#include "widgets/win32/AccessibleObject.h"

#include "widgets/win32/AccessibilityCalls.h"
#include "widgets/win32/CountedAccessible.h"
#include "widgets/win32/NewerWindowsDeclarations.h"

namespace {

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

void SetLong(VARIANT* variant, long value)
{
    variant->vt = VT_I4;
    variant->lVal = value;
}

} // namespace

HRESULT AccessibleText(const std::string& text, BSTR* result)
{
    *result = nullptr;
    if (text.empty())
        return S_FALSE;
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()),
                                                             &wide[0], static_cast<int>(wide.size()))));
    *result = AccessibilityAtFirstUse::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *result ? S_OK : E_OUTOFMEMORY;
}

// The IAccessible of one control, without children: every question goes to the control
// while it lives.
class ControlAccessible final : public CountedAccessible {
public:
    ControlAccessible(HWND window, AccessibleSource& source) : window_(window), source_(&source) {}

    void Disconnect() { source_ = nullptr; }

    // IDispatch: clients of this object call its methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        if (!source_)
            return RPC_E_DISCONNECTED;
        return AccessibilityAtFirstUse::AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW),
                                                                   __uuidof(IDispatch), reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        *count = 0;
        return source_ ? S_OK : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override
    {
        *child = nullptr;
        return source_ ? E_INVALIDARG : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return Answer(child, [&](const AccessibleFacts& facts) { return AccessibleText(facts.name, name); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        *value = nullptr;
        return Answer(child, [](const AccessibleFacts&) { return DISP_E_MEMBERNOTFOUND; });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        *description = nullptr;
        return Answer(child, [](const AccessibleFacts&) { return S_FALSE; });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return Answer(child, [&](const AccessibleFacts& facts) {
            SetLong(role, facts.role);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return Answer(child, [&](const AccessibleFacts& facts) {
            SetLong(state, facts.state);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        *help = nullptr;
        return Answer(child, [](const AccessibleFacts&) { return S_FALSE; });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        *file = nullptr;
        *topic = 0;
        return Answer(child, [](const AccessibleFacts&) { return S_FALSE; });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return Answer(child, [&](const AccessibleFacts& facts) { return AccessibleText(facts.shortcut, shortcut); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        focus->vt = VT_EMPTY;
        if (!source_)
            return RPC_E_DISCONNECTED;
        if (GetFocus() != window_)
            return S_FALSE;
        SetLong(focus, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        selection->vt = VT_EMPTY;
        return source_ ? S_FALSE : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Answer(child,
                      [&](const AccessibleFacts& facts) { return AccessibleText(facts.defaultAction, action); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return Answer(child, [&](const AccessibleFacts& facts) {
            if (flags != SELFLAG_TAKEFOCUS || !(facts.state & STATE_SYSTEM_FOCUSABLE))
                return E_INVALIDARG;
            SetFocus(window_);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return Answer(child, [&](const AccessibleFacts&) {
            RECT area;
            GetWindowRect(window_, &area);
            *left = area.left;
            *top = area.top;
            *width = area.right - area.left;
            *height = area.bottom - area.top;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT start, VARIANT* end) override
    {
        end->vt = VT_EMPTY;
        return Answer(start, [](const AccessibleFacts&) { return S_FALSE; });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override
    {
        hit->vt = VT_EMPTY;
        if (!source_)
            return RPC_E_DISCONNECTED;
        RECT area;
        GetWindowRect(window_, &area);
        const POINT point{x, y};
        if (!PtInRect(&area, point))
            return S_FALSE;
        SetLong(hit, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return Answer(child, [&](const AccessibleFacts& facts) {
            if (facts.defaultAction.empty())
                return DISP_E_MEMBERNOTFOUND;
            source_->DoDefaultAction();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // The control's facts for a question about the object itself (it has no children).
    template <typename Question>
    HRESULT Answer(const VARIANT& child, Question question) const
    {
        if (!source_)
            return RPC_E_DISCONNECTED;
        if (!IsSelf(child))
            return E_INVALIDARG;
        return question(source_->Facts());
    }

    HWND window_;
    AccessibleSource* source_;   // null once the control has gone
};

AccessibleObject::~AccessibleObject()
{
    if (object_) {
        object_->Disconnect();
        object_->Release();
    }
}

LRESULT AccessibleObject::OnGetObject(HWND window, AccessibleSource& source, WPARAM wParam, LPARAM lParam,
                                      LONG objectId)
{
    if (static_cast<LONG>(lParam) != objectId)
        return 0;
    if (!object_)
        object_ = new ControlAccessible(window, source);
    return AccessibilityAtFirstUse::LresultFromObject(__uuidof(IAccessible), wParam, object_);
}

void AnnounceAccessibleEvent(DWORD event, HWND window)
{
    AccessibilityAtFirstUse::NotifyWinEvent(event, window, OBJID_CLIENT, CHILDID_SELF);
}
