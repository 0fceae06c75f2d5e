// A top-level window of the window set. Forms live for the whole run and are
// only shown and hidden; a close request hides them (the main form ends the
// program instead). A form hosts windowless graphic controls (pictures, flat
// buttons, labels) and ordinary child windows made from a table of specs,
// passes its children's notifications back to them, and gives the keyboard
// focus back, on activation, to the control that had it when it was left.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/win32/Gdi.h"
#include "app/win32/GraphicControl.h"
#include "app/win32/KeyboardFocus.h"
#include "app/win32/Window.h"

namespace orvik {

enum class FormBorder { None, Dialog, Sizeable };

struct FormSpec {
    const char* className = "TForm";
    const char* caption = "";
    int clientWidth = 0, clientHeight = 0;
    bool outerSize = false;  // the two sizes above are the window's outer size
    int left = 0, top = 0;
    FormBorder border = FormBorder::Sizeable;
    bool stayOnTop = false;
    bool screenCenter = false;  // centred when first shown, else at left/top
    COLORREF color = kMedGray;
    const char* fontFace = "MS Sans Serif";
    int fontHeight = 11;
};

// A standard child control (list box, edit, combo box, button...); without
// a parent in its place, a child of the form.
struct ChildSpec {
    const char* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
    ChildPlace place;
};

class Form : public Window {
public:
    Form();
    ~Form() override;

    void Show();  // makes the form visible and brings it to the front
    void Hide();
    bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
    void BringToFront();

    // The close request of a form: MayClose says whether it may close, then
    // Dismiss closes it (hide; end the modal display; the main form ends the
    // program).
    void Close();
    virtual bool MayClose() { return true; }

    void BeginModal() { modal_ = true; dialogResult_ = 0; }
    void EndModal() { modal_ = false; }
    bool IsModal() const { return modal_; }
    int DialogResult() const { return dialogResult_; }
    void SetDialogResult(int result) { dialogResult_ = result; }

    // Key preview: the loop offers every key message of the form first.
    virtual bool PreTranslateMessage(MSG& msg);

    HFONT FontHandle() const { return font_.Get(); }
    COLORREF Color() const { return color_; }

    // Graphic controls, in creation (= stacking) order.
    void AddGraphic(GraphicControl* control) { graphics_.Add(control); }
    GraphicControl* GraphicAt(POINT client) const { return graphics_.At(client); }

    HWND AddChild(const ChildSpec& spec);

protected:
    void CreateForm(const FormSpec& spec);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // A hidden form is being shown, before it shows.
    virtual void Showing() {}
    // What a close does by default: hide (or end the modal display).
    virtual void Dismiss();
    virtual void PaintBackground(HDC dc, const RECT& area);
    // The form's own drawing: background, then the graphic controls in order.
    void PaintClient(HDC dc, const RECT& area);
    // A context-menu request at a screen point, over a graphic control or
    // none; forms with menus override it.
    virtual void ContextMenu(POINT screen, GraphicControl* target) { (void)screen; (void)target; }
    // A menu or accelerator command (WM_COMMAND without a control).
    virtual void Command(unsigned id) { (void)id; }

private:
    FormSpec spec_{};
    Font font_;
    Brush background_;
    COLORREF color_ = kMedGray;
    bool shownOnce_ = false;
    bool modal_ = false;
    int dialogResult_ = 0;
    GraphicHost graphics_;
    FocusStop lastFocus_;  // given back when the form is activated again
};

}  // namespace orvik
