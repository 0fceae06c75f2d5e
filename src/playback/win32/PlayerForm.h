// The player window (class "TPlayForm"), captioned "Player": a black display
// panel for video above a control panel with the position slider, seven
// transport buttons and the advance switch. The player model holds the
// logic; this window owns the controls, lends them to the model through
// PlayerHost and passes every event on to it, and a 100 ms timer runs from
// creation for the whole run.
#pragma once
#include <memory>
#include <string>

#include "app/win32/Form.h"
#include "app/win32/KeyboardFocus.h"
#include "controls/MediaList.h"
#include "controls/win32/FlatButton.h"
#include "controls/win32/Panel.h"
#include "controls/win32/Picture.h"
#include "controls/win32/Slider.h"
#include "controls/win32/Switch.h"
#include "playback/PlayerModel.h"
#include "playback/win32/MediaDeviceWindow.h"

namespace orvik {

enum class Transport { GoToStart, StepBack, Play, Stop, Eject, StepForward, GoToEnd };

class PlayerForm : public Form, private PlayerHost {
public:
    static constexpr int kControlPanelHeight = 72;
    static constexpr UINT_PTR kTickTimer = 1;

    // The player plays the selected entry of the media list.
    explicit PlayerForm(MediaList& media);
    ~PlayerForm() override;

    // The parts, for the tests of the window.
    Panel& DisplayPanel() { return displayPanel_; }
    Panel& ControlPanel() { return controlPanel_; }
    Slider& PositionSliderControl() { return *positionSlider_; }
    Switch& AdvanceSwitch() { return advanceSwitch_; }
    MediaDeviceWindow& Media() { return *media_; }
    FlatButton& Button(Transport which) { return transportButtons_[static_cast<int>(which)]; }
    Picture& ButtonPicture(Transport which) { return transportPictures_[static_cast<int>(which)]; }
    const PlayerModel& Model() const { return *model_; }

    // Tab and Shift+Tab run through the transport buttons, the slider and
    // the switch.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Showing() override;
    void Dismiss() override;

private:
    void ShowPendingSeek();
    void CreateControls();
    void AlignPanels();

    // PlayerHost.
    SliderModel& PositionSlider() override { return positionSlider_->Model(); }
    void SetSliderWidth(int width) override;
    int ClientWidth() const override;
    IntRect DisplayPanelBounds() const override;
    bool AdvanceSwitchOn() const override { return advanceSwitch_.StateOn(); }
    void Beep() override { MessageBeep(0); }
    uintptr_t WindowHandle() const override { return reinterpret_cast<uintptr_t>(hwnd_); }

    MediaList& mediaList_;
    Panel displayPanel_;
    Panel controlPanel_;
    Picture transportPictures_[7];
    FlatButton transportButtons_[7];
    std::unique_ptr<Slider> positionSlider_;
    std::unique_ptr<MediaDeviceWindow> media_;  // a hidden child of the slider
    Switch advanceSwitch_;
    std::unique_ptr<PlayerModel> model_;
    HWND pendingSeek_ = nullptr;
    std::string shownSeek_;
    UINT liveGdiObjectsQuery_ = 0;
};

}  // namespace orvik
