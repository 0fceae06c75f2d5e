#include "encoding/win32/AacForm.h"

#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

AacForm::AacForm() : EncoderForm(OneFaceDialogSpec("TEncodeForm3", "Media Encoder - AAC", 295, 221)) {
    constexpr IntPoint parameters{8, 56};
    AddFace(EncodeFace::Aac, FaceRows(
        {kIdAacChooser, kIdAacBitRate, kIdAacInput}, [this] { Browse(); },
        {
            row::Group(At(8, 56, 273, 41), "Parametrs"),
            row::Toggle(kIdAacMidSide, At(parameters, 72, 16, 145, 17), "Use mid/side stereo coding", true),
        },
        {row::Action(At(8, 136, 273, 54), "Encode to AAC!", [this] { Encode(); })}));
}

void AacForm::Browse() { BrowseInto(hwnd_, Control(kIdAacInput)); }

void AacForm::Encode() {
    std::string input, bitRate;
    if (!TakeInput(Control(kIdAacInput), input) || !TakeFieldText(Control(kIdAacBitRate), "The bit rate", bitRate))
        return;
    LaunchEncoderTool(kAacTool, AacOptionText(input, bitRate, SwitchOf(kIdAacMidSide).StateOn()));
}

}  // namespace orvik
