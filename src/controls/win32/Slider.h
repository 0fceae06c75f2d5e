// The position slider as a window (class "TRxSlider"). The behaviour is the
// slider model's, which the window holds and hosts: it owns the images and
// the stretched ruler, paints into an off-screen buffer and turns window
// messages into the model's input.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "app/win32/Accessible.h"
#include "app/win32/Gdi.h"
#include "app/win32/Window.h"
#include "controls/Slider.h"

namespace orvik {

class Slider : public Window, private SliderHost {
public:
    static constexpr const char* kClassName = "TRxSlider";
    // Screen cursors loaded when the class is registered.
    static constexpr int kHandCursor = 14000, kDragCursor = 14001;
    static HCURSOR ScreenCursor(int id);

    explicit Slider(const ChildPlace& place);
    ~Slider() override;

    // Value, range, steps, options, layout, interaction state and the
    // events; the value and its range also read here.
    SliderModel& Model() { return model_; }
    const SliderModel& Model() const { return model_; }
    int32_t Value() const { return model_.Value(); }
    void SetValue(int32_t value) { model_.SetValue(value); }
    int32_t MinValue() const { return model_.MinValue(); }
    int32_t MaxValue() const { return model_.MaxValue(); }

    // Copies the bitmap into the slot as a user image; nullptr restores the
    // slot's default image.
    void SetImage(SliderImage slot, HBITMAP bitmap);
    HBITMAP Image(SliderImage slot) const { return images_[Slot(slot)].Get(); }
    HBITMAP RulerBitmap() const { return ruler_.Get(); }
    void SetImageHThumb(HBITMAP b) { SetImage(SliderImage::HThumb, b); }
    void SetImageHRuler(HBITMAP b) { SetImage(SliderImage::HRuler, b); }
    void SetImageVThumb(HBITMAP b) { SetImage(SliderImage::VThumb, b); }
    void SetImageVRuler(HBITMAP b) { SetImage(SliderImage::VRuler, b); }

    COLORREF Color() const { return color_; }
    void SetColor(COLORREF color);
    void SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }
    // The model's orientation, with the window's width and height swapped.
    void SetOrientation(SliderOrientation orientation);
    void SetBounds(const IntRect& bounds);

    // Draws tick marks with the given step and lengths onto dc (for use from
    // the owner's painting of the slider).
    void PaintPoints(HDC dc, int32_t step, int normalLength, int extremeLength);
    // Renders the whole control into dc, as WM_PAINT does.
    void PaintTo(HDC dc);

    std::function<void(HDC)> onDrawPoints;  // replaces the built-in tick marks
    // The value as a screen reader says it; the number without one.
    std::string (*valueText)(int64_t value, int64_t maxValue) = nullptr;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void InvalidateArea(const IntRect& area) override;
    void InvalidateAll() override;
    void UpdateNow() override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void StartTimer(unsigned id, unsigned milliseconds) override;
    void StopTimer(unsigned id) override;
    bool CanFocus() const override;
    void TakeFocus() override;
    void RulerChanged() override;
    void ValueChanged() override;

    // For screen readers: a slider named by its window text, its value the
    // value's text.
    class Accessible final : public AccessibleSource {
    public:
        explicit Accessible(const Slider& slider) : slider_(slider) {}
        std::string Name() const override { return WindowText(slider_.hwnd_); }
        long Role() const override;
        bool HasValue() const override { return true; }
        std::string Value() const override { return slider_.ValueText(); }

    private:
        const Slider& slider_;
    };
    std::string ValueText() const;

    void LoadDefaultImage(SliderImage slot);
    static SliderSize SizeOf(HBITMAP bitmap);

    SliderModel model_{*this};
    Bitmap images_[4];
    Bitmap ruler_;
    COLORREF color_;
    Accessible accessible_{*this};
    std::string toldValue_;  // the value text screen readers last heard of
};


}  // namespace orvik
