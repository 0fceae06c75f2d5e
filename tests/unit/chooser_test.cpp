// The encoder chooser: its lists, the steps of every pick in every chooser,
// and what the window set shows after a series of picks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoding/EncoderChooser.h"

using namespace orvik;

namespace {

constexpr EncodeFace kFaces[] = {EncodeFace::Lame, EncodeFace::OggEnc, EncodeFace::OggDec,
                                 EncodeFace::GoGo, EncodeFace::Aac,    EncodeFace::Wma};
const char* const kFaceNames[] = {"Lame", "OggEnc", "OggDec", "GoGo", "Aac", "Wma"};
const char* const kDialogNames[] = {"Encode", "GoGo", "Aac", "Wma"};

std::string Describe(const std::vector<SwitchStep>& steps) {
    std::string out;
    for (const SwitchStep& s : steps) {
        if (!out.empty()) out += ", ";
        const std::string face = kFaceNames[static_cast<int>(s.face)];
        const std::string dialog = kDialogNames[static_cast<int>(s.dialog)];
        switch (s.kind) {
        case SwitchStep::HideDialog: out += "hide " + dialog; break;
        case SwitchStep::ShowDialog: out += "show " + dialog; break;
        case SwitchStep::HidePanel: out += "-" + face; break;
        case SwitchStep::ShowPanel: out += "+" + face; break;
        case SwitchStep::SetChooserText: out += face + "=" + s.text; break;
        }
    }
    return out;
}

TEST(EncoderChooser, ListsAndOwnEntries) {
    ASSERT_EQ(EncoderChoiceItems().size(), 6u);
    EXPECT_EQ(EncoderChoiceItems()[5], "WMA\\WMV Encoder");
    const char* const sixth[] = {"WMA\\WMV Encoder", "WMA\\WMV Encoder", "WMA\\WMV Encoder",
                                 "WMA Encoder",      "WMA\\WMV Encoder", "WMA Encoder"};
    const char* const own[] = {"Lame MP3 Encoder", "Vorbis OGG Encoder", "Vorbis OGG Decoder",
                               "GoGo MP3 Encoder", "AAC Encoder",        "WMA Encoder"};
    for (int i = 0; i < 6; ++i) {
        const EncodeFace face = kFaces[i];
        ASSERT_EQ(ChooserItems(face).size(), 6u);
        EXPECT_EQ(ChooserItems(face)[5], sixth[i]) << kFaceNames[i];
        EXPECT_EQ(ChooserOwnEntry(face), own[i]) << kFaceNames[i];
        EXPECT_EQ(ChooserHasKeyFilter(face), i < 2) << kFaceNames[i];
    }
}

TEST(EncoderChooser, EveryPickInEveryChooser) {
    const char* const intoEncodeForm[] = {
        "-OggEnc, -OggDec, Lame=Lame MP3 Encoder",
        "+OggEnc, -OggDec, OggEnc=Vorbis OGG Encoder",
        "+OggDec, -OggEnc, OggDec=Vorbis OGG Decoder",  // the decoder panel shows before the encoder one hides
    };
    const std::vector<std::vector<std::string>> expected = {
        // The Lame face's chooser sets no text in the dialog it shows.
        {intoEncodeForm[0], intoEncodeForm[1], intoEncodeForm[2], "hide Encode, show GoGo", "hide Encode, show Aac",
         "hide Encode, show Wma"},
        {intoEncodeForm[0], intoEncodeForm[1], intoEncodeForm[2], "hide Encode, show GoGo, GoGo=GoGo MP3 Encoder",
         "hide Encode, show Aac, Aac=AAC Encoder", "hide Encode, show Wma, Wma=WMA Encoder"},
        {intoEncodeForm[0], intoEncodeForm[1], intoEncodeForm[2], "hide Encode, show GoGo, GoGo=GoGo MP3 Encoder",
         "hide Encode, show Aac, Aac=AAC Encoder", "hide Encode, show Wma, Wma=WMA Encoder"},
        // The other dialogs leave the Lame/Vorbis dialog's panels alone.
        {"hide GoGo, show Encode, Lame=Lame MP3 Encoder", "hide GoGo, show Encode, OggEnc=Vorbis OGG Encoder",
         "hide GoGo, show Encode, OggDec=Vorbis OGG Decoder", "hide GoGo, show GoGo, GoGo=GoGo MP3 Encoder",
         "hide GoGo, show Aac, Aac=AAC Encoder", "hide GoGo, show Wma, Wma=WMA Encoder"},
        {"hide Aac, show Encode, Lame=Lame MP3 Encoder", "hide Aac, show Encode, OggEnc=Vorbis OGG Encoder",
         "hide Aac, show Encode, OggDec=Vorbis OGG Decoder", "hide Aac, show GoGo, GoGo=GoGo MP3 Encoder",
         "hide Aac, show Aac, Aac=AAC Encoder", "hide Aac, show Wma, Wma=WMA Encoder"},
        {"hide Wma, show Encode, Lame=Lame MP3 Encoder", "hide Wma, show Encode, OggEnc=Vorbis OGG Encoder",
         "hide Wma, show Encode, OggDec=Vorbis OGG Decoder", "hide Wma, show GoGo, GoGo=GoGo MP3 Encoder",
         "hide Wma, show Aac, Aac=AAC Encoder", "hide Wma, show Wma, Wma=WMA Encoder"},
    };
    for (int c = 0; c < 6; ++c) {
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(Describe(ChooserSwitchSteps(kFaces[c], i)), expected[c][i]) << kFaceNames[c] << " picks " << i;
        EXPECT_TRUE(ChooserSwitchSteps(kFaces[c], -1).empty());
        EXPECT_TRUE(ChooserSwitchSteps(kFaces[c], 6).empty());
    }
}

// The four dialogs, the two panels and the six chooser texts, run as a
// window would run the steps.
struct WindowSet {
    bool shown[4] = {true, false, false, false};
    bool oggEnc = false, oggDec = false;
    std::string text[6];
    WindowSet() {
        for (int i = 0; i < 6; ++i) text[i] = ChooserOwnEntry(kFaces[i]);
    }
    // The user picks an entry: the chooser shows it, then its handler runs.
    void Pick(EncodeFace chooser, int index) {
        text[static_cast<int>(chooser)] = ChooserItems(chooser)[index];
        for (const SwitchStep& s : ChooserSwitchSteps(chooser, index)) {
            bool& panel = s.face == EncodeFace::OggEnc ? oggEnc : oggDec;
            switch (s.kind) {
            case SwitchStep::HideDialog: shown[static_cast<int>(s.dialog)] = false; break;
            case SwitchStep::ShowDialog: shown[static_cast<int>(s.dialog)] = true; break;
            case SwitchStep::HidePanel: panel = false; break;
            case SwitchStep::ShowPanel: panel = true; break;
            case SwitchStep::SetChooserText: text[static_cast<int>(s.face)] = s.text; break;
            }
        }
    }
    // The visible faces, each with its chooser's text.
    std::string Seen() const {
        std::string out;
        for (int d = 0; d < 4; ++d) {
            if (!shown[d]) continue;
            const int face = d == 0 ? (oggDec ? 2 : oggEnc ? 1 : 0) : d + 2;
            out += (out.empty() ? "" : "; ") + std::string(kFaceNames[face]) + ": " + text[face];
        }
        return out;
    }
};

constexpr EncodeFace Lame = EncodeFace::Lame, OggEnc = EncodeFace::OggEnc, OggDec = EncodeFace::OggDec,
                     GoGo = EncodeFace::GoGo, Aac = EncodeFace::Aac, Wma = EncodeFace::Wma;

TEST(EncoderChooser, ChoosersKeepTheirTextUntilARouteSetsIt) {
    struct Pick {
        EncodeFace chooser;
        int index;
        const char* seen;
    };
    const std::vector<std::vector<Pick>> walks = {
        // Left by "AAC Encoder", the GoGo dialog comes back from the Lame face
        // still reading it; from a panel it is reset.
        {{Lame, 3, "GoGo: GoGo MP3 Encoder"},
         {GoGo, 4, "Aac: AAC Encoder"},
         {Aac, 0, "Lame: Lame MP3 Encoder"},
         {Lame, 3, "GoGo: AAC Encoder"},
         {GoGo, 2, "Lame: GoGo MP3 Encoder"},  // panels untouched: the Lame face, as picked there
         {Lame, 2, "OggDec: Vorbis OGG Decoder"},
         {OggDec, 3, "GoGo: GoGo MP3 Encoder"}},
        // Picking the Vorbis encoder elsewhere while the dialog was left on
        // the Lame face: it comes back on the Lame face, reading what was
        // picked there.
        {{Lame, 4, "Aac: AAC Encoder"}, {Aac, 1, "Lame: AAC Encoder"}},
        // Left from the encoder panel, the dialog comes back on it, its
        // chooser still reading what was picked there.
        {{Lame, 1, "OggEnc: Vorbis OGG Encoder"},
         {OggEnc, 3, "GoGo: GoGo MP3 Encoder"},
         {GoGo, 0, "OggEnc: GoGo MP3 Encoder"},
         {OggEnc, 0, "Lame: Lame MP3 Encoder"},
         {Lame, 1, "OggEnc: Vorbis OGG Encoder"}},
        // A dialog's own entry shows it again, text reset; the sixth entry's
        // text differs between lists.
        {{Lame, 5, "Wma: WMA Encoder"},
         {Wma, 5, "Wma: WMA Encoder"},
         {Wma, 1, "Lame: WMA\\WMV Encoder"},
         {Lame, 5, "Wma: Vorbis OGG Encoder"}},
    };
    for (std::size_t w = 0; w < walks.size(); ++w) {
        WindowSet windows;
        for (const Pick& p : walks[w]) {
            windows.Pick(p.chooser, p.index);
            EXPECT_EQ(windows.Seen(), p.seen)
                << "walk " << w << ": " << kFaceNames[static_cast<int>(p.chooser)] << " picks " << p.index;
        }
    }
}

TEST(EncodeFormChooser, KeyFilterPassesOnlyCarriageReturn) {
    EXPECT_TRUE(ChooserKeyAccepted('\r'));
    for (char c : {'a', 'L', ' ', '\b', '\n', '\x16', '\x1b'}) EXPECT_FALSE(ChooserKeyAccepted(c)) << int(c);
}

}  // namespace
