#include "shell/MainMenus.h"

namespace orvik {

const std::vector<MenuItemSpec>& MainPopupItems() {
    static const std::vector<MenuItemSpec> items = {
        {"OpenMediaFile1", "Open Media File", CtrlKey('O')},
        {"PlaySelectedFile1", "Play Selected File", CtrlKey('P')},
        {"EncodeSelectedFile1", "Encode Selected File", CtrlKey('E')},
        {"N1", "-", {}},
        {"ProgramOptions1", "Program Options", FunctionKey(5)},
        {"ProgramView1", "Program View", {}},
        {"N2", "-", {}},
        {"Help1", "Help Contents", FunctionKey(1)},
        {"AboutProgram1", "About Program", FunctionKey(2)},
        {"N3", "-", {}},
        {"ProgramsHomePage1", "Program's Home Page", {}},
        {"N4", "-", {}},
        {"HideOrvikEncoder1", "Hide Orvik Encoder", {}},
        {"HideOrvikEncoder2", "Show Orvik Encoder", {}},
        {"N5", "-", {}},
        {"Exit1", "Exit", FunctionKey(12)},
    };
    return items;
}

const std::vector<MenuItemSpec>& HeaderPopupItems() {
    static const std::vector<MenuItemSpec> items = {
        {"Minimizetotray1", "Minimize to tray", {}},
        {"erminate1", "Terminate", {}},
    };
    return items;
}

const char* const kMediaFileFilter =
    "All Media files|*.avi;*.mpeg;*.mpeg2;*.mpg;*.mov;*.wmv;*.mp3;*.mp2;*.mp1;*.wma;*.wav;*.mid;*.midi;*.au|"
    "AVI files (*.avi)|*.avi|"
    "MPEG files (*.mpg; *.mpeg; *.mpeg2)|*.mpg; *.mpeg; *.mpeg2|"
    "MOV file (*.mov)|*.mov|"
    "Windows Media (*.wmv; *.wma)|*.wmv; *.wma|"
    "MP3 files (*.mp3; *.mp2; *.mp1)|*.mp3; *.mp2; *.mp1|"
    "MIDI files (*.midi; *.mid)|*.midi; *.mid|"
    "WAV file (*.wav)|*.wav|"
    "AU file (*.au)|*.au|"
    "All files (*.*)|*.*";

const char* const kHomePageAddress = "http://www.orvik-encoder.example/";

}  // namespace orvik
