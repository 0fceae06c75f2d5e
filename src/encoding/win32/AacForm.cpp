#include "encoding/win32/AacForm.h"

#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

namespace {
constexpr IntPoint kParameterGroup{8, 56};
}  // namespace

AacForm::AacForm() : EncoderForm(EncodeFace::Aac) {
    CreateDialogForm(OneFaceDialogSpec("TEncodeForm3", "Media Encoder - AAC", 295, 221));
    AddLayout(ChooserAndBitRateRows(kIdAacChooser, kIdAacBitRate));
    AddLayout({
        row::Group(At(8, 56, 273, 41), "Parametrs"),
        row::Toggle(kIdAacMidSide, At(kParameterGroup, 72, 16, 145, 17), "Use mid/side stereo coding", true),
    });
    AddLayout(InputFileRows(kIdAacInput, [this] { Browse(); }));
    AddLayout({row::Action(At(8, 136, 273, 54), "Encode to AAC!", [this] { Encode(); })});
}

void AacForm::Browse() { BrowseInto(hwnd_, Control(kIdAacInput)); }

void AacForm::Encode() {
    std::string input;
    if (!TakeInput(Control(kIdAacInput), input)) return;
    LaunchEncoderTool(kAacTool, AacOptionText(input, TextOf(kIdAacBitRate), SwitchOf(kIdAacMidSide).StateOn()));
}

}  // namespace orvik
