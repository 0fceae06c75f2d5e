#include "encoding/win32/WmaForm.h"

#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

namespace {
constexpr IntPoint kEncoderGroup{8, 8}, kBitRateGroup{160, 8}, kQualityGroup{8, 56}, kStatisticGroup{152, 56};
}  // namespace

WmaForm::WmaForm() : EncoderForm(EncodeFace::Wma) {
    CreateDialogForm(OneFaceDialogSpec("TEncodeForm4", "Media Encode - WMA", 292, 218));

    using K = ControlKind;
    SetLayout({
        // kind           id               in               place                 text
        {K::GroupBox,     0,               kOnPanel,        At(8, 8, 145, 41),    "Select Encoder"},
        {K::Chooser,      kIdWmaChooser,   kEncoderGroup,   At(8, 15, 129, 21)},
        {K::GroupBox,     0,               kOnPanel,        At(160, 8, 121, 41),  "Select encode bit rate"},
        {K::ComboBox,     kIdWmaBitRate,   kBitRateGroup,   At(8, 15, 105, 21),   "128", &BitRateItems()},
        {K::GroupBox,     0,               kOnPanel,        At(8, 56, 137, 41),   "Quality"},
        //                                                                        min max value
        {K::SpinEdit,     kIdWmaQuality,   kQualityGroup,   At(8, 15, 121, 21),   nullptr, nullptr, false,
         kWmaQualityMin, kWmaQualityMax, 75},
        {K::GroupBox,     0,               kOnPanel,        At(152, 56, 129, 41), "Statistic"},
        {K::Switch,       kIdWmaAllStats,  kStatisticGroup, At(24, 16, 81, 17),   "Display all", nullptr, true},
        {K::Label,        0,               kOnPanel,        At(8, 109),           "Input file:"},
        {K::Edit,         kIdWmaInput,     kOnPanel,        At(80, 104, 177, 21), ""},
        {K::BrowseButton, 0,               kOnPanel,        At(258, 104, 23, 21), nullptr, nullptr, false, 0, 0, 0,
         [this] { Browse(); }},
        {K::Label,        0,               kOnPanel,        At(8, 133),           "Output file:"},
        {K::Edit,         kIdWmaOutput,    kOnPanel,        At(80, 128, 177, 21), "EncodedFile"},
        {K::ActionButton, 0,               kOnPanel,        At(8, 160, 265, 25),  "Encode to WMA!", nullptr, false, 0, 0,
         0, [this] { Encode(); }},
    });
}

void WmaForm::Browse() { BrowseInto(hwnd_, Control(kIdWmaInput)); }

void WmaForm::Encode() {
    std::string input;
    if (!TakeInput(Control(kIdWmaInput), input)) return;
    // A click on this button does not take the focus, so the spin edit may
    // not have been left: its text is taken as leaving it would leave it (a
    // number out of range shows the nearer bound). A text that is no number
    // stops the press with a beep, like an empty input, and the focus goes
    // to the field to be put right.
    SpinEdit& qualityEdit = Spin(kIdWmaQuality);
    const std::optional<int> quality = WmaQuality(qualityEdit.Text());
    if (!quality) {
        MessageBeep(0);
        SetFocus(qualityEdit.Handle());
        return;
    }
    if (*quality != qualityEdit.Value()) qualityEdit.SetValue(*quality);
    LaunchEncoderTool(kWmaTool, WmaOptionText(input, TextOf(kIdWmaOutput), SwitchOf(kIdWmaAllStats).StateOn(),
                                              TextOf(kIdWmaBitRate), std::to_string(*quality)));
}

}  // namespace orvik
