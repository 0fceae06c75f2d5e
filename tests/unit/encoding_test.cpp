// Option texts of the Lame and Vorbis tools, the program folder, and the
// Lame/Vorbis dialog's chooser.
#include <gtest/gtest.h>

#include "encoding/EncoderChooser.h"
#include "encoding/EncoderOptions.h"

using namespace orvik;

TEST(LameOptionText, SwitchesChooseTheModePrefix) {
    const char* in = "C:\\Music\\a.wav";
    EXPECT_EQ(LameOptionText(true, false, "128", in, "EncodedFile"), "-h -b 128 C:\\Music\\a.wav EncodedFile.mp3");
    EXPECT_EQ(LameOptionText(true, true, "128", in, "EncodedFile"), "-h -m m -b 128 C:\\Music\\a.wav EncodedFile.mp3");
    EXPECT_EQ(LameOptionText(false, true, "128", in, "EncodedFile"), "-m m -b 128 C:\\Music\\a.wav EncodedFile.mp3");
    EXPECT_EQ(LameOptionText(false, false, "128", in, "EncodedFile"), "-b 128 C:\\Music\\a.wav EncodedFile.mp3");
}

TEST(LameOptionText, ControlTextsGoInUnchanged) {
    // " 56" keeps its blank, free text and odd inputs pass as typed.
    EXPECT_EQ(LameOptionText(true, false, " 56", "a.wav", "out"), "-h -b  56 a.wav out.mp3");
    EXPECT_EQ(LameOptionText(false, false, "128k", "a.wav", "out"), "-b 128k a.wav out.mp3");
    EXPECT_EQ(LameOptionText(true, false, "", "a.wav", "out"), "-h -b  a.wav out.mp3");
    // An empty output name gives the bare extension; a full path is kept.
    EXPECT_EQ(LameOptionText(true, false, "128", "a.wav", ""), "-h -b 128 a.wav .mp3");
    EXPECT_EQ(LameOptionText(true, false, "128", "a.wav", "D:\\Out\\song"), "-h -b 128 a.wav D:\\Out\\song.mp3");
}

TEST(LameOptionText, PathsWithBlanksAreQuoted) {
    EXPECT_EQ(LameOptionText(true, false, "128", "C:\\My Music\\a.wav", "EncodedFile"),
              "-h -b 128 \"C:\\My Music\\a.wav\" EncodedFile.mp3");
    // The output name is quoted together with its extension.
    EXPECT_EQ(LameOptionText(true, false, "128", "a.wav", "My Song"), "-h -b 128 a.wav \"My Song.mp3\"");
    EXPECT_EQ(LameOptionText(true, false, "128", "a.wav", "tab\there"), "-h -b 128 a.wav \"tab\there.mp3\"");
    // Already quoted by the user: left as typed.
    EXPECT_EQ(LameOptionText(true, false, "128", "\"C:\\My Music\\a.wav\"", "\"My Song\""),
              "-h -b 128 \"C:\\My Music\\a.wav\" \"My Song\".mp3");
    // An input of blanks only is not empty: it is passed, quoted.
    EXPECT_EQ(LameOptionText(false, false, "128", "  ", "o"), "-b 128 \"  \" o.mp3");
}

TEST(QuotePath, OnlyBlanksAndTabsCallForQuotes) {
    EXPECT_EQ(QuotePath("C:\\Music\\a.wav"), "C:\\Music\\a.wav");
    EXPECT_EQ(QuotePath(""), "");
    EXPECT_EQ(QuotePath("C:\\A B\\c"), "\"C:\\A B\\c\"");
    EXPECT_EQ(QuotePath("x\ty"), "\"x\ty\"");
    EXPECT_EQ(QuotePath("\"C:\\A B\\c\""), "\"C:\\A B\\c\"");
    // A lone quote mark or one at one end only does not count as enclosed.
    EXPECT_EQ(QuotePath("\" a"), "\"\" a\"");
    EXPECT_EQ(QuotePath("\"a b"), "\"\"a b\"");
}

TEST(OggEncOptionText, ManagedSwitchAddsItsOption) {
    EXPECT_EQ(OggEncOptionText("C:\\Music\\a.wav", false, "128", "8"), "C:\\Music\\a.wav -b 128 -q 8");
    EXPECT_EQ(OggEncOptionText("C:\\Music\\a.wav", true, "128", "8"), "C:\\Music\\a.wav --managed -b 128 -q 8");
    EXPECT_EQ(OggEncOptionText("a.wav", false, " 56", "10"), "a.wav -b  56 -q 10");
    EXPECT_EQ(OggEncOptionText("a.wav", true, "high", ""), "a.wav --managed -b high -q ");
    EXPECT_EQ(OggEncOptionText("C:\\My Music\\a.raw", true, "128", "8"),
              "\"C:\\My Music\\a.raw\" --managed -b 128 -q 8");
}

TEST(OggDecOptionText, IsTheInputPathAlone) {
    EXPECT_EQ(OggDecOptionText("C:\\Music\\a.ogg"), "C:\\Music\\a.ogg");
    EXPECT_EQ(OggDecOptionText("C:\\My Music\\a.ogg"), "\"C:\\My Music\\a.ogg\"");
    EXPECT_EQ(ParameterText(OggDecOptionText("a.ogg")), " a.ogg");
    EXPECT_EQ(ParameterText(""), " ");
}

TEST(ProgramFolder, DropsTheSeparatorExceptAtARoot) {
    EXPECT_EQ(ProgramFolder("C:\\Program Files\\Orvik\\OrvikPlayer.exe"), "C:\\Program Files\\Orvik");
    EXPECT_EQ(ProgramFolder("C:\\OrvikPlayer.exe"), "C:\\");
    EXPECT_EQ(ProgramFolder("Z:\\work\\b\\OrvikPlayer.exe"), "Z:\\work\\b");
    EXPECT_EQ(ProgramFolder("\\\\server\\share\\OrvikPlayer.exe"), "\\\\server\\share");
    EXPECT_EQ(ProgramFolder("\\OrvikPlayer.exe"), "\\");
    EXPECT_EQ(ProgramFolder("C:OrvikPlayer.exe"), "C:");
    EXPECT_EQ(ProgramFolder("OrvikPlayer.exe"), "");
}

TEST(Lists, BitRatesAndLevelsInTheirOrder) {
    const std::vector<std::string> rates = {"32",  "40",  "48",  " 56", "64",  "80",  "96",
                                            "112", "128", "160", "192", "224", "256", "320"};
    EXPECT_EQ(BitRateItems(), rates);
    ASSERT_EQ(QualityLevelItems().size(), 10u);
    EXPECT_EQ(QualityLevelItems().front(), "10");
    EXPECT_EQ(QualityLevelItems().back(), "1");
    ASSERT_EQ(EncoderChoiceItems().size(), 6u);
    EXPECT_EQ(EncoderChoiceItems()[5], "WMA\\WMV Encoder");
}

TEST(EncodeFormChooser, FirstThreeEntriesSwitchFacesInsideTheDialog) {
    using S = ChooserStep;
    EXPECT_EQ(EncodeFormChooserSteps(0),
              (std::vector<S>{{S::HidePanel, EncodeFace::OggEnc, ""}, {S::HidePanel, EncodeFace::OggDec, ""},
                              {S::SetChooserText, EncodeFace::Lame, "Lame MP3 Encoder"}}));
    EXPECT_EQ(EncodeFormChooserSteps(1),
              (std::vector<S>{{S::ShowPanel, EncodeFace::OggEnc, ""}, {S::HidePanel, EncodeFace::OggDec, ""},
                              {S::SetChooserText, EncodeFace::OggEnc, "Vorbis OGG Encoder"}}));
    // The decoder panel is shown before the encoder panel is hidden.
    EXPECT_EQ(EncodeFormChooserSteps(2),
              (std::vector<S>{{S::ShowPanel, EncodeFace::OggDec, ""}, {S::HidePanel, EncodeFace::OggEnc, ""},
                              {S::SetChooserText, EncodeFace::OggDec, "Vorbis OGG Decoder"}}));
    EXPECT_TRUE(EncodeFormChooserSteps(-1).empty());
    EXPECT_TRUE(EncodeFormChooserSteps(6).empty());
}

TEST(EncodeFormChooser, KeyFilterPassesOnlyCarriageReturn) {
    EXPECT_TRUE(ChooserKeyAccepted('\r'));
    for (char c : {'a', 'L', ' ', '\b', '\n', '\x16', '\x1b'}) EXPECT_FALSE(ChooserKeyAccepted(c)) << int(c);
}
