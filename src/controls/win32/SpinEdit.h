// The spin edit as windows: a one-line numeric edit (class "TRxSpinEdit",
// an edit underneath) with a spin button at its right end, either the
// diagonal button (class "TRxSpinButton": one square split by its diagonal
// into an up and a down half, repeating while held) or the standard up-down
// control (class "TRxUpDown"). The logic is the portable models'; these
// windows implement their hosts.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "app/win32/Gdi.h"
#include "app/win32/Window.h"
#include "controls/SpinEdit.h"

namespace orvik {

// The diagonal spin button: a child window that paints one of three cached
// pictures (nothing, the top half or the bottom half pressed).
class SpinButton : public Window, private SpinButtonHost {
public:
    static const char* const kClassName;  // "TRxSpinButton"
    static constexpr UINT_PTR kRepeatTimer = 1;

    // Loads the default glyphs (resources RXSPINUP, RXSPINDOWN).
    SpinButton();
    ~SpinButton() override;

    void CreateControl(const ChildPlace& place);
    void SetBounds(const IntRect& bounds);

    // A glyph; none reloads the default.
    void SetUpGlyph(HBITMAP glyph);
    void SetDownGlyph(HBITMAP glyph);
    void SetEnabled(bool enabled);

    const SpinButtonModel& Model() const { return model_; }
    SpinHalf Down() const { return model_.Down(); }

    std::function<void()> onTopClick;
    std::function<void()> onBottomClick;
    // The control to focus when the button is pressed.
    std::function<void()> onFocusControl;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // SpinButtonHost
    void Repaint() override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    bool HasCapture() const override;
    void StartTimer(unsigned milliseconds) override;
    void StopTimer() override;
    void FocusControl() override;
    void TopClick() override;
    void BottomClick() override;

    void Invalidate();  // the pictures must be drawn again
    void BuildPictures(HDC like);
    void DrawPicture(HDC dc, SpinHalf down) const;
    void Paint(HDC dc);

    SpinButtonModel model_{*this};
    Bitmap upGlyph_, downGlyph_;
    Bitmap pictures_[3];  // by SpinHalf: None, Top, Bottom
    bool picturesStale_ = true;
};

struct SpinEditSpec {
    ChildPlace place{nullptr, At(0, 0, 121, 21)};
    long double minValue = 0, maxValue = 0, increment = 1;
    long double value = 0;  // written after the bounds, as a form loads it
    SpinValueKind valueType = SpinValueKind::Integer;
    SpinButtonKind buttonKind = SpinButtonKind::Diagonal;
    COLORREF color = GetSysColor(COLOR_WINDOW);
    HFONT font = nullptr;  // not owned
    bool tabStop = true;
};

class SpinEdit : public SubclassedControl, private SpinEditHost {
public:
    static const char* const kClassName;  // "TRxSpinEdit"
    static const char* const kUpDownClassName;  // "TRxUpDown"

    SpinEdit();
    ~SpinEdit() override;

    void CreateControl(const SpinEditSpec& spec);

    // The value, bounds, increment, type and flags.
    SpinEditModel& Model() { return model_; }
    const SpinEditModel& Model() const { return model_; }
    long double Value() const { return model_.Value(); }
    void SetValue(long double value) { model_.SetValue(value); }
    // The text exactly as shown.
    std::string Text() const override;

    void SetReadOnly(bool readOnly);
    void SetColor(COLORREF color);
    SpinButtonKind ButtonKind() const { return buttonKind_; }
    void SetButtonKind(SpinButtonKind kind);
    // The diagonal button (SpinButtonKind::Diagonal) and the up-down control
    // (SpinButtonKind::Standard).
    SpinButton& Button() { return button_; }
    HWND UpDown() const { return upDown_; }

    std::function<void()> onChange;
    std::function<void()> onTopClick;
    std::function<void()> onBottomClick;
    std::function<void(unsigned key)> onKeyDown;

    bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // SpinEditHost
    void SetText(const std::string& text) override;
    void SelectAll() override;
    void SetModified() override;
    void Beep() override;
    void DialogKey(char key) override;
    void FocusEdit() override;
    void Changed() override;
    void TopClick() override;
    void BottomClick() override;

    void BuildButton();
    // Places the button and keeps the text off it; raises a height below
    // the least one.
    void Layout();
    int ButtonWidth() const;

    SpinEditModel model_{*this};
    SpinButtonKind buttonKind_ = SpinButtonKind::Diagonal;
    SpinButton button_;
    HWND upDown_ = nullptr;
    COLORREF color_ = GetSysColor(COLOR_WINDOW);
    Brush brush_;
    bool settingText_ = false;  // our own write: its change is reported once
    bool mouseEntry_ = false;   // the focus comes with a left press on the edit
    bool inLayout_ = false;
};

}  // namespace orvik
