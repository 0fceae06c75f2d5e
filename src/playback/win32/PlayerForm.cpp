#include "playback/win32/PlayerForm.h"

#include "app/Exception.h"
#include "playback/win32/PlayerControlIds.h"

namespace orvik {

namespace {
// The slider lies along the control panel's top edge, its upper 8 pixels
// above the panel and so cut off.
constexpr int kSliderLeft = 0, kSliderTop = -8, kSliderWidth = 369, kSliderHeight = 33;

struct TransportSpec {
    Transport role;
    int left;
    const char* bitmap;
    const char* hint;
    // The stop picture is one row short and stretched to the button. The
    // start and end pictures are a column too wide: drawn from the left edge
    // their last column is cut off, which is also where centring a picture
    // one pixel wider than its place puts it.
    bool stretch;
    void (PlayerModel::*click)();
};

const TransportSpec kTransport[] = {
    {Transport::GoToStart, 48, "PLAYER_BEGIN", "Go to start", false, &PlayerModel::GoToStartClick},
    {Transport::StepBack, 88, "PLAYER_BACK", "Step back", false, &PlayerModel::StepBackClick},
    {Transport::Play, 128, "PLAYER_PLAY", "Play", false, &PlayerModel::PlayClick},
    {Transport::Stop, 168, "PLAYER_STOP", "Stop", true, &PlayerModel::StopClick},
    {Transport::Eject, 208, "PLAYER_EJECT", "Close the CD door", false, &PlayerModel::EjectClick},
    {Transport::StepForward, 248, "PLAYER_FORWARD", "Step forward", false, &PlayerModel::StepForwardClick},
    {Transport::GoToEnd, 288, "PLAYER_END", "Go to end", false, &PlayerModel::GoToEndClick},
};
constexpr int kTransportTop = 29, kTransportSize = 34;
}  // namespace

PlayerForm::PlayerForm(MediaList& media) : mediaList_(media) {
    FormSpec spec;
    spec.className = "TPlayForm";
    spec.caption = "Player";
    spec.left = 173;
    spec.top = 127;
    spec.clientWidth = 375;
    spec.clientHeight = 258;
    spec.border = FormBorder::Sizeable;
    spec.color = kMedGray;
    CreateForm(spec);
    CreateControls();
    // Answered in every build: one comparison for the messages the window
    // does not handle otherwise, and the benchmark measures the program as
    // it ships.
    liveGdiObjectsQuery_ = RegisterWindowMessageA(player_ids::kLiveGdiObjectsMessage);
    if (!SetTimer(hwnd_, kTickTimer, PlayerModel::kTickInterval, nullptr))
        throw Exception("Cannot start the player's timer");
}

PlayerForm::~PlayerForm() {
    // The windows go while every object behind them lives, so the display
    // panel can still take the video back from the device.
    Destroy();
}

void PlayerForm::CreateControls() {
    const int width = 375, height = 258;
    PanelSpec display;
    display.place = {hwnd_, At(0, 0, width, height - kControlPanelHeight), player_ids::kDisplayPanel};
    display.color = RGB(0, 0, 0);
    display.loweredBevel = true;
    display.singleBorder = true;
    displayPanel_.CreateControl(display);
    PanelSpec controls;
    controls.place = {hwnd_, At(0, height - kControlPanelHeight, width, kControlPanelHeight), player_ids::kControlPanel};
    controls.color = kMedGray;
    controlPanel_.CreateControl(controls);

    for (const TransportSpec& t : kTransport) {
        Picture& picture = transportPictures_[static_cast<int>(t.role)];
        picture.SetBounds(At(t.left, kTransportTop, kTransportSize, kTransportSize));
        picture.SetStretch(t.stretch);
        picture.SetBitmap(LoadBitmapResource(t.bitmap));
        controlPanel_.AddGraphic(&picture);
    }
    // The flat buttons lie over the pictures and only add their frames.
    for (const TransportSpec& t : kTransport) {
        FlatButton& button = transportButtons_[static_cast<int>(t.role)];
        button.SetBounds(At(t.left, kTransportTop, kTransportSize, kTransportSize));
        button.onClick = [this, click = t.click] { ((*model_).*click)(); };
        button.SetTabStop(true);
        controlPanel_.AddGraphic(&button);
        button.SetHint(t.hint);
    }

    positionSlider_ = std::make_unique<Slider>(ChildPlace{
        controlPanel_.Handle(), At(kSliderLeft, kSliderTop, kSliderWidth, kSliderHeight), player_ids::kPositionSlider});
    positionSlider_->SetImageHThumb(LoadBitmapResource("PLAY_THUMB").Get());
    positionSlider_->Model().SetIncrement(1);
    // The focus rectangle shows only while keys are in use (Slider.cpp).
    positionSlider_->Model().SetOptions(SliderOption::ShowFocus | SliderOption::ShowPoints | SliderOption::Smooth);
    positionSlider_->SetColor(kMedGray);
    // Its name and value for screen readers: the slider draws no text.
    SetWindowTextA(positionSlider_->Handle(), "Position");
    positionSlider_->valueText = PlaybackTimeText;

    media_ = std::make_unique<MediaDeviceWindow>(ChildPlace{positionSlider_->Handle(), At(48, -21, 253, 30)});
    media_->SetDisplay(displayPanel_.Handle());
    displayPanel_.onDestroy = [this] { media_->DisplayDestroyed(); };

    SwitchSpec switchSpec;
    switchSpec.place = {controlPanel_.Handle(), At(336, 32, 25, 25), player_ids::kAdvanceSwitch};
    switchSpec.caption = "Advance to the next entry";  // its name; never drawn: the switch shows no caption
    switchSpec.stateOn = true;
    switchSpec.color = kMedGray;
    switchSpec.font = FontHandle();
    advanceSwitch_.CreateControl(switchSpec);
    advanceSwitch_.SetGlyphOff(LoadBitmapResource("PLAY_SWITCH_OFF").Get());
    advanceSwitch_.SetGlyphOn(LoadBitmapResource("PLAY_SWITCH_ON").Get());

    PlayerHost& host = *this;
    model_ = std::make_unique<PlayerModel>(host, mediaList_, *media_, SystemMciPort());
    SliderModel& slider = positionSlider_->Model();
    slider.onMouseDown = [this](const MouseEvent&) { model_->SliderPressed(); };
    slider.onMouseUp = [this](const MouseEvent&) {
        model_->SliderReleased();
        ShowPendingSeek();
    };
    slider.onKeyDown = [this](uint16_t& key, unsigned) {
        if (key != 0) return;  // not a key the slider moves by
        model_->SliderKeyed();
        ShowPendingSeek();
    };
    // The seek waiting for the next tick, readable by other programs; the
    // model holds it, this only shows it.
    pendingSeek_ =
        AddChild(ChildSpec{"STATIC", "", WS_CHILD, 0, {controlPanel_.Handle(), IntRect{}, player_ids::kPendingSeek}});
    AlignPanels();
}

// The control panel keeps its height at the bottom; the display panel takes
// what is left above it.
void PlayerForm::AlignPanels() {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int width = client.right, height = client.bottom;
    controlPanel_.SetBounds(At(0, height - kControlPanelHeight, width, kControlPanelHeight));
    displayPanel_.SetBounds(At(0, 0, width, height > kControlPanelHeight ? height - kControlPanelHeight : 0));
}

void PlayerForm::ShowPendingSeek() {
    const std::optional<int32_t> seek = model_->PendingSeek();
    const std::string text = seek ? std::to_string(*seek) : std::string();
    if (text != shownSeek_) {
        shownSeek_ = text;
        SetWindowTextA(pendingSeek_, text.c_str());
    }
}

void PlayerForm::SetSliderWidth(int width) {
    positionSlider_->SetBounds(At(kSliderLeft, kSliderTop, width, kSliderHeight));
}

int PlayerForm::ClientWidth() const {
    RECT client;
    GetClientRect(hwnd_, &client);
    return client.right;
}

// The video is drawn into the display panel's inside: its client area, within
// the border, so that no part of the picture is cut off.
IntRect PlayerForm::DisplayPanelBounds() const { return FromRect(displayPanel_.ClientBounds()); }

void PlayerForm::Showing() {
    if (model_) model_->Show();
}

void PlayerForm::Dismiss() {
    model_->Close();
    Form::Dismiss();
}

bool PlayerForm::PreTranslateMessage(MSG& msg) { return HandleFocusKey(hwnd_, msg, nullptr); }

LRESULT PlayerForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        if (wParam != kTickTimer) break;
        model_->Tick();
        ShowPendingSeek();
        return 0;
    case WM_SIZE:
        if (model_ && wParam != SIZE_MINIMIZED) {
            AlignPanels();
            model_->Resize();
        }
        break;
    default:
        if (msg == liveGdiObjectsQuery_ && msg != 0) return LiveGdiObjects();
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace orvik
