#include "encoding/win32/AacForm.h"

#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

namespace {
constexpr IntPoint kEncoderGroup{8, 8}, kBitRateGroup{160, 8}, kParameterGroup{8, 56};
}  // namespace

AacForm::AacForm() : EncoderForm(EncodeFace::Aac) {
    CreateDialogForm(OneFaceDialogSpec("TEncodeForm3", "Media Encoder - AAC", 295, 221));

    using K = ControlKind;
    SetLayout({
        // kind           id              in               place                 text
        {K::GroupBox,     0,              kOnPanel,        At(8, 8, 145, 41),    "Select Encoder"},
        {K::Chooser,      kIdAacChooser,  kEncoderGroup,   At(8, 15, 129, 21)},
        {K::GroupBox,     0,              kOnPanel,        At(160, 8, 121, 41),  "Select encode bit rate"},
        {K::ComboBox,     kIdAacBitRate,  kBitRateGroup,   At(8, 15, 105, 21),   "128", &BitRateItems()},
        {K::GroupBox,     0,              kOnPanel,        At(8, 56, 273, 41),   "Parametrs"},
        {K::Switch,       kIdAacMidSide,  kParameterGroup, At(72, 16, 145, 17),  "Use mid/side stereo coding", nullptr,
         true},
        {K::Label,        0,              kOnPanel,        At(8, 109),           "Input file:"},
        {K::Edit,         kIdAacInput,    kOnPanel,        At(80, 104, 177, 21), ""},
        {K::BrowseButton, 0,              kOnPanel,        At(258, 104, 23, 21), nullptr, nullptr, false, 0, 0, 0,
         [this] { Browse(); }},
        {K::ActionButton, 0,              kOnPanel,        At(8, 136, 273, 54),  "Encode to AAC!", nullptr, false, 0, 0,
         0, [this] { Encode(); }},
    });
}

void AacForm::Browse() { BrowseInto(hwnd_, Control(kIdAacInput)); }

void AacForm::Encode() {
    std::string input;
    if (!TakeInput(Control(kIdAacInput), input)) return;
    LaunchEncoderTool(kAacTool, AacOptionText(input, TextOf(kIdAacBitRate), SwitchOf(kIdAacMidSide).StateOn()));
}

}  // namespace orvik
