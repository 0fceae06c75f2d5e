#include "encoding/win32/WmaForm.h"

#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

WmaForm::WmaForm() : EncoderForm(OneFaceDialogSpec("TEncodeForm4", "Media Encode - WMA", 292, 218)) {
    constexpr IntPoint quality{8, 56}, statistic{152, 56};
    AddFace(EncodeFace::Wma, FaceRows(
        {kIdWmaChooser, kIdWmaBitRate, kIdWmaInput}, [this] { Browse(); },
        {
            row::Group(At(8, 56, 137, 41), "Quality"),
            row::Spin(kIdWmaQuality, At(quality, 8, 15, 121, 21), kWmaQualityMin, kWmaQualityMax, 75),
            row::Group(At(152, 56, 129, 41), "Statistic"),
            row::Toggle(kIdWmaAllStats, At(statistic, 24, 16, 81, 17), "Display all", true),
        },
        {
            row::Label(At(8, 133), "Output file:"),
            row::Edit(kIdWmaOutput, At(80, 128, 177, 21), "EncodedFile"),
            row::Action(At(8, 160, 265, 25), "Encode to WMA!", [this] { Encode(); }),
        }));
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
    std::string output, bitRate;
    if (!TakeOutputName(Control(kIdWmaOutput), ".wma", output) ||
        !TakeFieldText(Control(kIdWmaBitRate), "The bit rate", bitRate))
        return;
    LaunchEncoderTool(kWmaTool,
                      WmaOptionText(input, output, SwitchOf(kIdWmaAllStats).StateOn(), bitRate, std::to_string(*quality)));
}

}  // namespace orvik
