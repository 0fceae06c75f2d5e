#include "encoding/win32/GoGoForm.h"

#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

namespace {
constexpr IntPoint kEncoderGroup{8, 8}, kBitRateGroup{160, 8}, kQualityGroup{8, 56};
}  // namespace

GoGoForm::GoGoForm() : EncoderForm(EncodeFace::GoGo) {
    CreateDialogForm(OneFaceDialogSpec("TEncodeForm2", "Media Encoder - GoGo MP3", 294, 220));

    using K = ControlKind;
    SetLayout({
        // kind           id                  in              place                 text
        {K::GroupBox,     0,                  kOnPanel,       At(8, 8, 145, 41),    "Select Encoder"},
        {K::Chooser,      kIdGoGoChooser,     kEncoderGroup,  At(8, 15, 129, 21)},
        {K::GroupBox,     0,                  kOnPanel,       At(160, 8, 121, 41),  "Select encode bit rate"},
        {K::ComboBox,     kIdGoGoBitRate,     kBitRateGroup,  At(8, 15, 105, 21),   "128", &BitRateItems()},
        {K::GroupBox,     0,                  kOnPanel,       At(8, 56, 273, 41),   "Quantity"},
        {K::ComboBox,     kIdGoGoQuality,     kQualityGroup,  At(24, 15, 145, 21),  "6", &GoGoQualityItems()},
        {K::Static,       kIdGoGoQualityWord, kQualityGroup,  At(192, 18),          "Normal"},
        {K::Label,        0,                  kOnPanel,       At(8, 109),           "Input file:"},
        {K::Edit,         kIdGoGoInput,       kOnPanel,       At(80, 104, 177, 21), ""},
        {K::BrowseButton, 0,                  kOnPanel,       At(258, 104, 23, 21), nullptr, nullptr, false, 0, 0, 0,
         [this] { Browse(); }},
        {K::Label,        0,                  kOnPanel,       At(8, 141),           "Output file:"},
        {K::Edit,         kIdGoGoOutput,      kOnPanel,       At(80, 136, 177, 21), "EncodedFile"},
        {K::ActionButton, 0,                  kOnPanel,       At(8, 168, 273, 22),  "Encode to MP3!", nullptr, false, 0, 0,
         0, [this] { Encode(); }},
    });
}

void GoGoForm::ControlsBuilt() {
    Combo(kIdGoGoQuality).onPick = [this](int index) { QualityPicked(index); };
}

void GoGoForm::QualityPicked(int index) {
    const std::vector<std::string>& items = GoGoQualityItems();
    if (index < 0 || index >= static_cast<int>(items.size())) return;
    const std::string word = GoGoQualityWord(items[static_cast<size_t>(index)], TextOf(kIdGoGoQualityWord));
    SetStaticText(kIdGoGoQualityWord, word.c_str());
}

void GoGoForm::Browse() { BrowseInto(hwnd_, Control(kIdGoGoInput)); }

void GoGoForm::Encode() {
    std::string input;
    if (!TakeInput(Control(kIdGoGoInput), input)) return;
    LaunchEncoderTool(kGoGoTool, GoGoOptionText(TextOf(kIdGoGoBitRate), TextOf(kIdGoGoQuality), input,
                                                TextOf(kIdGoGoOutput)));
}

}  // namespace orvik
