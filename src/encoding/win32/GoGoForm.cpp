#include "encoding/win32/GoGoForm.h"

#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

GoGoForm::GoGoForm()
    : EncoderForm(OneFaceDialogSpec("TEncodeForm2", "Media Encoder - GoGo MP3", 294, 220)) {
    constexpr IntPoint quality{8, 56};
    AddFace(EncodeFace::GoGo, FaceRows({kIdGoGoChooser, kIdGoGoBitRate, kIdGoGoInput}, [this] { Browse(); },
                          {
                              row::Group(At(8, 56, 273, 41), "Quantity"),
                              row::Combo(kIdGoGoQuality, At(quality, 24, 15, 145, 21), "6", GoGoQualityItems()),
                              row::Static(kIdGoGoQualityWord, At(quality, 192, 18), "Normal"),
                          },
                          {
                              row::Label(At(8, 141), "Output file:"),
                              row::Edit(kIdGoGoOutput, At(80, 136, 177, 21), "EncodedFile"),
                              row::Action(At(8, 168, 273, 22), "Encode to MP3!", [this] { Encode(); }),
                          }));
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
    std::string input, bitRate, quality, output;
    if (!TakeInput(Control(kIdGoGoInput), input) || !TakeFieldText(Control(kIdGoGoBitRate), "The bit rate", bitRate) ||
        !TakeFieldText(Control(kIdGoGoQuality), "The quality", quality) ||
        !TakeOutputName(Control(kIdGoGoOutput), ".mp3", output))
        return;
    LaunchEncoderTool(kGoGoTool, GoGoOptionText(bitRate, quality, input, output));
}

}  // namespace orvik
