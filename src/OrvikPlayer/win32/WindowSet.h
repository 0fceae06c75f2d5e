// The window set: the six windows of the program, created in a fixed order
// at start-up, alive for the whole run, each given the windows it opens (the
// encoder dialogs one switcher for their choosers), and destroyed in reverse
// order (the main window last).
#pragma once
#include <memory>

namespace orvik {

class MainForm;
class PlayerForm;
class LameVorbisForm;
class GoGoForm;
class AacForm;
class WmaForm;
class FaceSwitcher;

class WindowSet {
public:
    WindowSet();
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    MainForm& Main() { return *main_; }
    PlayerForm& Player() { return *player_; }
    LameVorbisForm& LameVorbis() { return *lameVorbis_; }
    GoGoForm& GoGo() { return *goGo_; }
    AacForm& Aac() { return *aac_; }
    WmaForm& Wma() { return *wma_; }

private:
    // The encoder choosers' switcher, through which the dialogs reach each
    // other; it outlives them.
    std::unique_ptr<FaceSwitcher> faces_;
    std::unique_ptr<MainForm> main_;
    std::unique_ptr<PlayerForm> player_;
    std::unique_ptr<LameVorbisForm> lameVorbis_;
    std::unique_ptr<GoGoForm> goGo_;
    std::unique_ptr<AacForm> aac_;
    std::unique_ptr<WmaForm> wma_;
};

}  // namespace orvik
