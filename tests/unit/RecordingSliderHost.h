// The slider's platform hooks for the tests of the slider and the player:
// what was invalidated, the ruler builds, the mouse capture and the repeat
// timer, recorded.
#pragma once
#include <vector>

#include "controls/Slider.h"

namespace orvik {

struct RecordingSliderHost : SliderHost {
    std::vector<IntRect> invalidated;
    int rulerBuilds = 0;
    bool captured = false;
    int timerId = 0;
    unsigned timerPeriod = 0;

    void InvalidateArea(const IntRect& area) override { invalidated.push_back(area); }
    void InvalidateAll() override {}
    void UpdateNow() override {}
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }
    void StartTimer(unsigned id, unsigned ms) override {
        timerId = static_cast<int>(id);
        timerPeriod = ms;
    }
    void StopTimer(unsigned id) override {
        if (static_cast<int>(id) == timerId) timerId = 0;
    }
    bool CanFocus() const override { return false; }
    void TakeFocus() override {}
    void RulerChanged() override { ++rulerBuilds; }
};

}  // namespace orvik
