#include "app/win32/Accessible.h"

#include <commctrl.h>
#include <oleacc.h>

#include <vector>

#include "app/win32/LateBound.h"
#include "app/win32/Window.h"

namespace orvik {

namespace {

// The system's accessibility functions, bound at the first request. COM is
// started on the window thread then: the objects are handed to other
// processes through it.
struct System {
    decltype(LresultFromObject)* lresultFromObject = nullptr;
    decltype(CreateStdAccessibleObject)* createStandard = nullptr;
    decltype(AccessibleObjectFromWindow)* objectFromWindow = nullptr;
    decltype(SysAllocStringLen)* allocString = nullptr;
    bool Ready() const { return lresultFromObject && createStandard && objectFromWindow && allocString; }
};

const System& Bound() {
    static const System system = [] {
        if (auto start = LateBound<decltype(CoInitializeEx)>("ole32.dll", "CoInitializeEx"))
            start(nullptr, COINIT_APARTMENTTHREADED);
        System s;
        s.lresultFromObject = LateBound<decltype(LresultFromObject)>("oleacc.dll", "LresultFromObject");
        s.createStandard = LateBound<decltype(CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
        s.objectFromWindow =
            LateBound<decltype(AccessibleObjectFromWindow)>("oleacc.dll", "AccessibleObjectFromWindow");
        s.allocString = LateBound<decltype(SysAllocStringLen)>("oleaut32.dll", "SysAllocStringLen");
        return s;
    }();
    return system;
}

HRESULT MakeText(const std::string& text, BSTR* out) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    *out = Bound().allocString(nullptr, static_cast<UINT>(length));
    if (!*out) return E_OUTOFMEMORY;
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), *out, length);
    return S_OK;
}

// VariantInit without oleaut32 in the imports.
void Empty(VARIANT* v) { v->vt = VT_EMPTY; }

void SetLong(VARIANT* v, long value) {
    v->vt = VT_I4;
    v->lVal = value;
}

// The window object of a child window, as a child of its parent's object.
HRESULT WindowObject(HWND window, VARIANT* out) {
    IDispatch* object = nullptr;
    const HRESULT hr = Bound().objectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                                reinterpret_cast<void**>(&object));
    if (FAILED(hr) || !object) return FAILED(hr) ? hr : E_FAIL;
    out->vt = VT_DISPATCH;
    out->pdispVal = object;
    return S_OK;
}

// What every window's state says, whatever the system's proxy answers.
long WindowState(HWND window, bool focused) {
    long state = 0;
    if (!IsWindowVisible(window)) state |= STATE_SYSTEM_INVISIBLE;
    if (!IsWindowEnabled(window)) state |= STATE_SYSTEM_UNAVAILABLE;
    if (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) state |= STATE_SYSTEM_FOCUSABLE;
    if (focused) state |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE;
    return state;
}

}  // namespace

// The object a client holds. Its source answers while the window lives;
// what the source leaves open goes to the system's own object for the window.
class AccessibleObject final : public IAccessible {
public:
    AccessibleObject(AccessibleSource& source, HWND window, IAccessible* standard)
        : source_(&source), window_(window), standard_(standard) {}

    void Disconnect() {
        source_ = nullptr;
        if (standard_) standard_->Release();
        standard_ = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDispatch)) ||
            IsEqualIID(iid, __uuidof(IAccessible))) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) {
            Disconnect();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: not offered (scripting clients are not served).
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible. Each answer is the source's, for the window itself or one
    // of its items, or else the system's (kSystem).
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
        return Connected() ? standard_->get_accParent(out) : Gone(out);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* out) override {
        if (!out) return E_POINTER;
        *out = 0;
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        const long items = source_->ItemCount();
        if (items == 0) return standard_->get_accChildCount(out);
        *out = items + static_cast<long>(ChildWindows().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        const long items = source_->ItemCount();
        if (items == 0) return standard_->get_accChild(child, out);
        if (child.vt != VT_I4 || child.lVal < 1) return E_INVALIDARG;
        if (child.lVal <= items) return S_FALSE;  // a simple element, not an object of its own
        const std::vector<HWND> windows = ChildWindows();
        const auto index = static_cast<size_t>(child.lVal - items - 1);
        if (index >= windows.size()) return E_INVALIDARG;
        VARIANT v;
        const HRESULT hr = WindowObject(windows[index], &v);
        if (SUCCEEDED(hr)) *out = v.pdispVal;
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        return Text(child, out, &IAccessible::get_accName, TextKind::Name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return Text(child, out, &IAccessible::get_accValue, TextKind::Value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return Text(child, out, &IAccessible::get_accDescription, TextKind::None);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return Text(child, out, &IAccessible::get_accHelp, TextKind::None);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return Text(child, out, &IAccessible::get_accKeyboardShortcut, TextKind::None);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return Text(child, out, &IAccessible::get_accDefaultAction, TextKind::DefaultAction);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return Connected() ? standard_->get_accHelpTopic(file, child, topic) : Gone(file);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        return Number(child, out, &IAccessible::get_accRole, NumberKind::Role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        return Number(child, out, &IAccessible::get_accState, NumberKind::State);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (!out) return E_POINTER;
        Empty(out);
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        if (source_->ItemCount() == 0) return standard_->get_accFocus(out);
        HWND focus = GetFocus();
        if (focus == window_) {
            SetLong(out, source_->FocusedItem());
            return S_OK;
        }
        if (!focus || !IsChild(window_, focus)) return S_FALSE;
        while (GetParent(focus) != window_) focus = GetParent(focus);
        return WindowObject(focus, out);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (Connected()) return standard_->get_accSelection(out);
        if (out) Empty(out);
        return CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        AccessibleItem item;
        const HRESULT hr = Find(child, item);
        return hr == kSystem ? standard_->accSelect(flags, child) : FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        AccessibleItem item;
        const HRESULT hr = Find(child, item);
        if (hr == kSystem) return standard_->accLocation(left, top, width, height, child);
        if (FAILED(hr)) return hr;
        RECT r = item.bounds;
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
        if (!out) return E_POINTER;
        Empty(out);
        AccessibleItem item;
        const HRESULT hr = Find(start, item);
        return hr == kSystem ? standard_->accNavigate(direction, start, out) : FAILED(hr) ? hr : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (!out) return E_POINTER;
        Empty(out);
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        if (source_->ItemCount() == 0) return standard_->accHitTest(x, y, out);
        POINT p{x, y};
        ScreenToClient(window_, &p);
        RECT client;
        GetClientRect(window_, &client);
        if (!PtInRect(&client, p)) return S_FALSE;
        // Child windows lie above what the window paints.
        HWND under = ChildWindowFromPointEx(window_, p, CWP_SKIPINVISIBLE);
        if (under && under != window_) return WindowObject(under, out);
        SetLong(out, source_->ItemAt(p));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        AccessibleItem item;
        const HRESULT hr = Find(child, item);
        if (hr == kSelf && source_->DefaultAction()) {
            source_->DoDefaultAction();
            return S_OK;
        }
        if (hr == kSelf || hr == kSystem) return standard_->accDoDefaultAction(child);
        if (FAILED(hr)) return hr;
        return source_->DoItemAction(child.lVal) ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // What Find found: an item (S_OK), the window itself, or something only
    // the system knows (a child of a window without items).
    static constexpr HRESULT kSelf = 2, kSystem = 3;
    enum class TextKind { None, Name, Value, DefaultAction };
    enum class NumberKind { Role, State };

    bool Connected() const { return source_ && standard_ && IsWindow(window_); }
    template <typename T>
    static HRESULT Gone(T** out) {
        if (out) *out = nullptr;
        return CO_E_OBJNOTCONNECTED;
    }
    HRESULT Find(const VARIANT& child, AccessibleItem& item) const {
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4) return E_INVALIDARG;
        if (child.lVal == CHILDID_SELF) return kSelf;
        return source_->ItemCount() == 0 ? kSystem : source_->Item(child.lVal, item) ? S_OK : E_INVALIDARG;
    }
    std::vector<HWND> ChildWindows() const {
        std::vector<HWND> windows;
        for (HWND w = GetWindow(window_, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (IsWindowVisible(w)) windows.push_back(w);
        return windows;
    }

    using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    HRESULT Text(VARIANT child, BSTR* out, TextGetter system, TextKind kind) {
        if (!out) return E_POINTER;
        *out = nullptr;
        AccessibleItem item;
        const HRESULT hr = Find(child, item);
        if (FAILED(hr)) return hr;
        if (hr == kSystem) return (standard_->*system)(child, out);
        const char* action = hr == kSelf ? source_->DefaultAction() : item.defaultAction;
        std::string text;
        bool has = false;
        switch (kind) {
        case TextKind::Name:
            text = hr == kSelf ? source_->Name() : item.name;
            has = hr == S_OK || !text.empty();
            break;
        case TextKind::Value:
            has = hr == kSelf && source_->HasValue();
            if (has) text = source_->Value();
            break;
        case TextKind::DefaultAction:
            has = action != nullptr;
            if (has) text = action;
            break;
        case TextKind::None:
            break;
        }
        // What the window itself leaves open is the system's; an item has no more.
        if (!has) return hr == kSelf ? (standard_->*system)(child, out) : S_FALSE;
        return MakeText(text, out);
    }
    using NumberGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, VARIANT*);
    // The role, or the state: the window's own adds to the system's.
    HRESULT Number(VARIANT child, VARIANT* out, NumberGetter system, NumberKind kind) {
        const bool state = kind == NumberKind::State;
        if (!out) return E_POINTER;
        Empty(out);
        AccessibleItem item;
        const HRESULT hr = Find(child, item);
        if (FAILED(hr)) return hr;
        if (hr == kSystem) return (standard_->*system)(child, out);
        if (hr == S_OK) {
            SetLong(out, state ? item.state : item.role);
            return S_OK;
        }
        if (!state) {
            const long role = source_->Role();
            if (role == 0) return (standard_->*system)(child, out);
            SetLong(out, role);
            return S_OK;
        }
        VARIANT theirs;
        Empty(&theirs);
        long bits = 0;
        if (SUCCEEDED((standard_->*system)(child, &theirs)) && theirs.vt == VT_I4) bits = theirs.lVal;
        const bool focused = GetFocus() == window_ && source_->FocusedItem() == 0;
        SetLong(out, (bits & ~STATE_SYSTEM_FOCUSED) | WindowState(window_, focused) | source_->State());
        return S_OK;
    }

    LONG refs_ = 1;  // the source's
    AccessibleSource* source_;
    HWND window_;
    IAccessible* standard_;
};

AccessibleSource::~AccessibleSource() {
    if (!object_) return;
    object_->Disconnect();
    object_->Release();
}

bool AccessibleSource::Answer(HWND window, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return false;
    const System& system = Bound();
    if (!system.Ready()) return false;
    if (!object_) {
        IAccessible* standard = nullptr;
        const HRESULT hr =
            system.createStandard(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard));
        if (FAILED(hr) || !standard) return false;
        object_ = new AccessibleObject(*this, window, standard);
    }
    result = system.lresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
    return true;
}

void AccessibleSource::Notify(HWND window, DWORD event, long child) {
    NotifyWinEvent(event, window, OBJID_CLIENT, child);
}

namespace {
class NamedControl final : public AccessibleSource {
public:
    NamedControl(HWND control, std::string name, long role) : control_(control), name_(std::move(name)), role_(role) {}
    std::string Name() const override { return name_; }
    long Role() const override { return role_; }
    bool HasValue() const override { return true; }
    std::string Value() const override { return WindowText(control_); }

private:
    HWND control_;
    std::string name_;
    long role_;
};

// The named control's window procedure is set with the wide function, so
// the control stays (or becomes) a Unicode window: a comctl32 subclass of a
// control made with CreateWindowExA would turn every wide message into the
// legacy code page on its way in, and text that page cannot hold into '?'.
constexpr wchar_t kNamedControlProperty[] = L"OrvikEncoder.AccessibleName";

struct NamedControlHook {
    NamedControl* named;
    WNDPROC next;
};

LRESULT CALLBACK NamedControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* hook = static_cast<NamedControlHook*>(GetPropW(hwnd, kNamedControlProperty));
    if (!hook) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_GETOBJECT) {
        LRESULT result = 0;
        if (hook->named->Answer(hwnd, wParam, lParam, result)) return result;
    } else if (msg == WM_NCDESTROY) {
        // The last message: the control's own procedure ends it, then the hook goes.
        const LRESULT result = CallWindowProcW(hook->next, hwnd, msg, wParam, lParam);
        RemovePropW(hwnd, kNamedControlProperty);
        delete hook->named;
        delete hook;
        return result;
    }
    return CallWindowProcW(hook->next, hwnd, msg, wParam, lParam);
}
}  // namespace

void SetAccessibleName(HWND control, const std::string& name, long role) {
    if (!control || GetPropW(control, kNamedControlProperty)) return;
    auto* hook = new NamedControlHook{new NamedControl(control, name, role), nullptr};
    if (!SetPropW(control, kNamedControlProperty, hook)) {
        delete hook->named;
        delete hook;
        return;
    }
    hook->next = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NamedControlProc)));
    if (!hook->next) {
        RemovePropW(control, kNamedControlProperty);
        delete hook->named;
        delete hook;
    }
}

}  // namespace orvik
