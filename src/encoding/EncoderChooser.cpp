#include "encoding/EncoderChooser.h"

namespace orvik {

const std::vector<std::string>& EncoderChoiceItems() {
    static const std::vector<std::string> items = {"Lame MP3 Encoder", "Vorbis OGG Encoder", "Vorbis OGG Decoder",
                                                   "GoGo MP3 Encoder", "AAC Encoder",        "WMA\\WMV Encoder"};
    return items;
}

std::vector<ChooserStep> EncodeFormChooserSteps(int index) {
    using S = ChooserStep;
    const auto& items = EncoderChoiceItems();
    switch (index) {
    case 0:
        return {S{S::HidePanel, EncodeFace::OggEnc, ""}, S{S::HidePanel, EncodeFace::OggDec, ""},
                S{S::SetChooserText, EncodeFace::Lame, items[0]}};
    case 1:
        return {S{S::ShowPanel, EncodeFace::OggEnc, ""}, S{S::HidePanel, EncodeFace::OggDec, ""},
                S{S::SetChooserText, EncodeFace::OggEnc, items[1]}};
    case 2:
        return {S{S::ShowPanel, EncodeFace::OggDec, ""}, S{S::HidePanel, EncodeFace::OggEnc, ""},
                S{S::SetChooserText, EncodeFace::OggDec, items[2]}};
    default:
        return {};
    }
}

bool ChooserKeyAccepted(char key) { return key == '\r'; }

}  // namespace orvik
