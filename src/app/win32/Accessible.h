// What screen readers see of a window (Active Accessibility): the window
// answers WM_GETOBJECT for its client area with an accessible object that
// asks an AccessibleSource. Whatever a source leaves unset (no name, role 0,
// no windowless children) is the system's own answer for the window, so a
// standard control can be given just its name, and a window that paints its
// own controls lists them as children beside its child windows.
//
// oleacc.dll, ole32.dll and oleaut32.dll are loaded at the first request:
// a start that no screen reader asks about never loads them.
#pragma once
#include <windows.h>

#include <string>

namespace orvik {

class AccessibleObject;

// A windowless child: a button or text the window paints itself.
struct AccessibleItem {
    long role = 0;  // ROLE_SYSTEM_*
    std::string name;
    long state = 0;  // STATE_SYSTEM_*
    const char* defaultAction = nullptr;  // none
    RECT bounds{};   // in the window's client coordinates
};

class AccessibleSource {
public:
    AccessibleSource() = default;
    // A client that still holds the object gets no more answers from it.
    virtual ~AccessibleSource();
    AccessibleSource(const AccessibleSource&) = delete;
    AccessibleSource& operator=(const AccessibleSource&) = delete;

    // WM_GETOBJECT: true with the answer when it asks for the client area.
    bool Answer(HWND window, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The window itself. An empty name, role 0 or no default action leave
    // them to the system; the state adds to what the window's own state says.
    virtual std::string Name() const { return {}; }
    virtual long Role() const { return 0; }
    virtual long State() const { return 0; }
    virtual bool HasValue() const { return false; }
    virtual std::string Value() const { return {}; }
    virtual const char* DefaultAction() const { return nullptr; }
    virtual void DoDefaultAction() {}

    // The windowless children shown now, numbered from 1 (their child ids)
    // and listed before the child windows; Item fills in one of them.
    virtual long ItemCount() const { return 0; }
    virtual bool Item(long id, AccessibleItem& item) const { (void)id; (void)item; return false; }
    // The child id of the item at a client point, of the focused item, or 0.
    virtual long ItemAt(POINT client) const { (void)client; return 0; }
    virtual long FocusedItem() const { return 0; }
    // Runs an item's default action; false when it has none.
    virtual bool DoItemAction(long id) { (void)id; return false; }

    // An event about the window (CHILDID_SELF) or one of its items.
    static void Notify(HWND window, DWORD event, long child);

private:
    AccessibleObject* object_ = nullptr;
};

// Names a standard control (an edit, a combo box, the spin edit) by the label
// the user sees beside it or the group it sits in; its text is its value,
// and a role other than 0 replaces the system's. Holds as long as the control.
void SetAccessibleName(HWND control, const std::string& name, long role = 0);

}  // namespace orvik
