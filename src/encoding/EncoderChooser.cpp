#include "encoding/EncoderChooser.h"

#include <array>

namespace orvik {

namespace {

using Steps = std::vector<SwitchStep>;
using Table = std::array<std::array<Steps, kEncodeFaceCount>, kEncodeFaceCount>;

EncodeFace FaceAt(int index) { return static_cast<EncodeFace>(index); }

bool InLameVorbisDialog(EncodeFace face) { return DialogOf(face) == EncoderDialog::LameVorbis; }

// Within the Lame/Vorbis dialog the picked face's panel is shown and the
// other hidden (both for the Lame face); the decoder panel is shown before
// the encoder panel is hidden.
Steps PanelSteps(EncodeFace face) {
    using S = SwitchStep;
    switch (face) {
    case EncodeFace::OggEnc:
        return {S::ShowPanelOf(EncodeFace::OggEnc), S::HidePanelOf(EncodeFace::OggDec)};
    case EncodeFace::OggDec:
        return {S::ShowPanelOf(EncodeFace::OggDec), S::HidePanelOf(EncodeFace::OggEnc)};
    default:
        return {S::HidePanelOf(EncodeFace::OggEnc), S::HidePanelOf(EncodeFace::OggDec)};
    }
}

Steps StepsFor(EncodeFace chooser, EncodeFace picked) {
    using S = SwitchStep;
    Steps steps;
    if (InLameVorbisDialog(chooser) && InLameVorbisDialog(picked)) {
        steps = PanelSteps(picked);
    } else {
        // Another dialog, or this one again: it is hidden, (re)shown and
        // brought to the front. The Lame/Vorbis dialog's panels stay as they
        // are, so it comes back on the face it was left with.
        steps = {S::Hide(DialogOf(chooser)), S::Show(DialogOf(picked))};
    }
    // The Lame face's chooser sets no text in the dialog it leads to, so that
    // dialog's chooser keeps what was last picked in it.
    const bool setsText = InLameVorbisDialog(picked) || chooser != EncodeFace::Lame;
    if (setsText) steps.push_back(S::SetText(picked));
    return steps;
}

const Table& SwitchTable() {
    static const Table table = [] {
        Table t;
        for (int chooser = 0; chooser < kEncodeFaceCount; ++chooser)
            for (int index = 0; index < kEncodeFaceCount; ++index)
                t[chooser][index] = StepsFor(FaceAt(chooser), FaceAt(index));
        return t;
    }();
    return table;
}

}  // namespace

EncoderDialog DialogOf(EncodeFace face) {
    switch (face) {
    case EncodeFace::GoGo:
        return EncoderDialog::GoGo;
    case EncodeFace::Aac:
        return EncoderDialog::Aac;
    case EncodeFace::Wma:
        return EncoderDialog::Wma;
    default:
        return EncoderDialog::LameVorbis;
    }
}

const std::vector<std::string>& EncoderChoiceItems() {
    static const std::vector<std::string> items = {"Lame MP3 Encoder", "Vorbis OGG Encoder", "Vorbis OGG Decoder",
                                                   "GoGo MP3 Encoder", "AAC Encoder",        "WMA\\WMV Encoder"};
    return items;
}

const std::vector<std::string>& ChooserItems(EncodeFace chooser) {
    static const std::vector<std::string> plainWma = [] {
        std::vector<std::string> items = EncoderChoiceItems();
        items[static_cast<int>(EncodeFace::Wma)] = "WMA Encoder";
        return items;
    }();
    return chooser == EncodeFace::GoGo || chooser == EncodeFace::Wma ? plainWma : EncoderChoiceItems();
}

const std::string& ChooserOwnEntry(EncodeFace chooser) { return ChooserItems(chooser)[static_cast<int>(chooser)]; }

bool ChooserHasKeyFilter(EncodeFace chooser) { return chooser == EncodeFace::Lame || chooser == EncodeFace::OggEnc; }

const std::vector<SwitchStep>& ChooserSwitchSteps(EncodeFace chooser, int index) {
    static const Steps none;
    const int c = static_cast<int>(chooser);
    if (c < 0 || c >= kEncodeFaceCount || index < 0 || index >= kEncodeFaceCount) return none;
    return SwitchTable()[c][index];
}

bool ChooserKeyAccepted(char key) { return key == '\r'; }

}  // namespace orvik
