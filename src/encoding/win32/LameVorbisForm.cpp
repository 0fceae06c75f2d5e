#include "encoding/win32/LameVorbisForm.h"

#include "app/win32/Application.h"
#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

namespace {
const char* const kLameFilter =
    "WAV files (*.wav)|*.wav|All MPEG files|*.mp3;*.mp2;*.mp1;*.mpeg;*.mpg|All files (*.*)|*.*";
const char* const kOggEncFilter =
    "RAW files (*.raw)|*.raw|WAV files (*.wav)|*.wav|AIFF files (*.aiff)|*.aiff|All files (*.*)|*.*";
const char* const kOggDecFilter = "OGG files (*.ogg)|*.ogg";

// The Lame and Vorbis encoder faces' "Select Encoder" group box is narrower
// than the other dialogs'; the decoder face's spans the dialog.
constexpr int kNarrowChooserGroup = 137, kWideChooserGroup = 273;
}  // namespace

LameVorbisForm::LameVorbisForm()
    : EncoderForm(EncoderDialogSpec("TEncodeForm", "Media Encoder - Lame MP3, Vorbis OGG", FormBorder::Dialog, 287,
                                    197, false)) {
    // The top-left corners of the group boxes in the second row.
    constexpr IntPoint leftGroup{8, 56}, rightGroup{160, 56};
    AddFace(EncodeFace::Lame,
            FaceRows({kIdLameChooser, kIdLameBitRate, kIdLameInput}, [this] { Browse(kIdLameInput, kLameFilter); },
                     {
                         row::Group(At(8, 56, 273, 41), "Parametrs"),
                         row::Toggle(kIdLameHighQuality, At(leftGroup, 8, 16, 73, 17), "high quality", true),
                         row::Toggle(kIdLameMono, At(leftGroup, 192, 16, 73, 17), "mono mode", false),
                     },
                     {
                         row::Label(At(8, 140), "Output file:"),
                         row::Edit(kIdLameOutput, At(80, 136, 201, 21), "EncodedFile"),
                         row::Action(At(8, 168, 273, 22), "Encode to MP3 !", [this] { EncodeMp3(); }),
                     },
                     kNarrowChooserGroup));
    AddFace(EncodeFace::OggEnc,
            FaceRows({kIdOggEncChooser, kIdOggEncBitRate, kIdOggEncInput},
                     [this] { Browse(kIdOggEncInput, kOggEncFilter); },
                     {
                         row::Group(At(8, 56, 137, 41), "Quality level"),
                         row::Combo(kIdOggEncQuality, At(leftGroup, 8, 15, 121, 21), "8", QualityLevelItems()),
                         row::Group(At(160, 56, 121, 41), "Parametrs"),
                         row::Toggle(kIdOggEncManaged, At(rightGroup, 24, 16, 73, 17), "managed", false),
                     },
                     {row::Action(At(8, 136, 273, 54), "Encode to OGG !", [this] { EncodeOgg(); })},
                     kNarrowChooserGroup));
    // The decoder face's input label is a way into the WMA dialog.
    AddFace(EncodeFace::OggDec,
            Rows({row::ChooserGroup(kIdOggDecChooser, kWideChooserGroup),
                  row::InputFile(
                      kIdOggDecInput, 64, [this] { Browse(kIdOggDecInput, kOggDecFilter); },
                      [this] {
                          if (wmaDialog_) Application::Instance().ShowModal(*wmaDialog_);
                      }),
                  {row::Action(At(8, 96, 273, 97), "Decode OGG to WAV !", [this] { DecodeOgg(); })}}));
}

void LameVorbisForm::Connect(FaceSwitcher& switcher, Form& wmaDialog) {
    wmaDialog_ = &wmaDialog;
    EncoderForm::Connect(switcher);
}

void LameVorbisForm::Browse(int input, const char* filter) { BrowseInto(hwnd_, Control(input), filter); }

void LameVorbisForm::EncodeMp3() {
    std::string input, bitRate, output;
    if (!TakeInput(Control(kIdLameInput), input) || !TakeFieldText(Control(kIdLameBitRate), "The bit rate", bitRate) ||
        !TakeOutputName(Control(kIdLameOutput), ".mp3", output))
        return;
    LaunchEncoderTool(kLameTool, LameOptionText(SwitchOf(kIdLameHighQuality).StateOn(), SwitchOf(kIdLameMono).StateOn(),
                                                bitRate, input, output));
}

void LameVorbisForm::EncodeOgg() {
    std::string input, bitRate, quality;
    if (!TakeInput(Control(kIdOggEncInput), input) ||
        !TakeFieldText(Control(kIdOggEncBitRate), "The bit rate", bitRate) ||
        !TakeFieldText(Control(kIdOggEncQuality), "The quality level", quality))
        return;
    LaunchEncoderTool(kOggEncTool, OggEncOptionText(input, SwitchOf(kIdOggEncManaged).StateOn(), bitRate, quality));
}

void LameVorbisForm::DecodeOgg() {
    std::string input;
    if (!TakeInput(Control(kIdOggDecInput), input)) return;
    LaunchEncoderTool(kOggDecTool, OggDecOptionText(input));
}

}  // namespace orvik
