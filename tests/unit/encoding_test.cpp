// Option texts of the Lame and Vorbis tools, and the program folder.
#include <gtest/gtest.h>

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
}
