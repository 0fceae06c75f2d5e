#include "shell/MainMenus.h"

namespace orvik {

const std::vector<MenuItem>& MainPopupItems() {
    static const std::vector<MenuItem> items = {
        {kCmdOpenMediaFile, "&Open Media File", CtrlKey('O')},
        {kCmdPlaySelectedFile, "&Play Selected File", CtrlKey('P')},
        {kCmdEncodeSelectedFile, "&Encode Selected File", CtrlKey('E')},
        {0, "-", {}},
        {kCmdProgramOptions, "Program Op&tions", FunctionKey(5)},
        {kCmdProgramView, "Program &View", {}},
        {0, "-", {}},
        {kCmdHelpContents, "&Help Contents", FunctionKey(1)},
        {kCmdAboutProgram, "&About Program", FunctionKey(2)},
        {0, "-", {}},
        {kCmdHomePage, "Program's Ho&me Page", {}},
        {0, "-", {}},
        {kCmdHideAll, "Hi&de Orvik Encoder", CtrlKey('H')},
        {kCmdShowMain, "&Show Orvik Encoder", CtrlKey('M')},
        {0, "-", {}},
        {kCmdExit, "E&xit", FunctionKey(12)},
    };
    return items;
}

bool WorksFromEveryWindow(unsigned command) { return command == kCmdHideAll || command == kCmdShowMain; }

const std::vector<MenuItem>& HeaderPopupItems() {
    static const std::vector<MenuItem> items = {
        {kCmdMinimizeToTray, "&Minimize to tray", {}},
        {kCmdTerminate, "&Terminate", {}},
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
