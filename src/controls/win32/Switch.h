// The switch (class "TRxSwitch"): a focusable two-state control showing one of two glyphs (off,
// on), with its caption beside, above or below the glyph. A left press or
// the toggle key flips it; onOn and onOff report real changes only.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "app/win32/Accessible.h"
#include "app/win32/Gdi.h"
#include "app/win32/Window.h"
#include "controls/Switch.h"

namespace orvik {

struct SwitchSpec {
    ChildPlace place{nullptr, At(0, 0, 50, 60)};
    const char* caption = "";
    CaptionPlace textPosition = CaptionPlace::None;
    bool stateOn = false;
    bool tabStop = true;
    bool borderSingle = false;
    COLORREF color = GetSysColor(COLOR_BTNFACE);
    HFONT font = nullptr;  // not owned; the parent's font
};

class Switch : public Window, private SwitchHost, private AccessibleSource {
public:
    static const char* const kClassName;  // "TRxSwitch"

    // Loads the default glyphs: state off, no caption, toggle key 32.
    Switch();
    ~Switch() override;

    void CreateControl(const SwitchSpec& spec);

    bool StateOn() const { return model_.StateOn(); }
    void SetStateOn(bool on) { model_.SetStateOn(on); }
    void Toggle() { model_.Toggle(); }

    // Glyph slots: 0 off, 1 on. A bitmap is copied and marked as user glyph;
    // none reloads the slot's default image and clears the mark.
    void SetGlyph(int slot, HBITMAP bitmap);
    void SetGlyphOff(HBITMAP bitmap) { SetGlyph(0, bitmap); }
    void SetGlyphOn(HBITMAP bitmap) { SetGlyph(1, bitmap); }
    HBITMAP Glyph(int slot) const { return glyphs_[slot].Get(); }
    bool HasDisabledLook(int slot) const { return static_cast<bool>(disabled_[slot]); }
    // Bit i set: glyph slot i holds a user glyph.
    unsigned char UserGlyphs() const { return userGlyphs_; }

    CaptionPlace TextPosition() const { return textPosition_; }
    void SetTextPosition(CaptionPlace pos);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool show);
    Shortcut ToggleKey() const { return model_.toggleKey; }
    void SetToggleKey(Shortcut shortcut) { model_.toggleKey = shortcut; }
    void SetColor(COLORREF color);
    bool Focused() const { return focused_; }

    std::function<void()> onOn;
    std::function<void()> onOff;
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void(const MouseEvent&)> onMouseDown;
    std::function<void(unsigned key)> onKeyDown;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
    void Repaint() override;
    void StateChanged(bool on) override;
    void MouseDown(const MouseEvent& e);

    // For screen readers: a check button named by its caption, toggled by
    // its default action.
    std::string Name() const override { return WindowText(hwnd_); }
    long Role() const override;
    long State() const override;
    const char* DefaultAction() const override { return "Toggle"; }
    void DoDefaultAction() override;

    SwitchModel model_{*this};
    Bitmap glyphs_[2];
    Bitmap disabled_[2];
    unsigned char userGlyphs_ = 0;
    CaptionPlace textPosition_ = CaptionPlace::None;
    bool showFocus_ = true;
    bool focused_ = false;
    bool pressed_ = false;
    COLORREF color_ = GetSysColor(COLOR_BTNFACE);
    Brush brush_;
    HFONT font_ = nullptr;
};

}  // namespace orvik
