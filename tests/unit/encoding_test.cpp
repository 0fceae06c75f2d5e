// Option texts of the six tools, the program folder, and the tool launch's
// path and messages.
#include <gtest/gtest.h>

#include "app/AppText.h"
#include "encoding/EncoderOptions.h"
#include "encoding/ToolLaunch.h"

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
    EXPECT_EQ(LameOptionText(true, false, "128", R"(C:\My Music\a.wav)", "EncodedFile"),
              R"(-h -b 128 "C:\My Music\a.wav" EncodedFile.mp3)");
    // The output name is quoted together with its extension.
    EXPECT_EQ(LameOptionText(true, false, "128", "a.wav", "My Song"), R"(-h -b 128 a.wav "My Song.mp3")");
    EXPECT_EQ(LameOptionText(true, false, "128", "a.wav", "tab\there"), "-h -b 128 a.wav \"tab\there.mp3\"");
    // A trailing backslash is doubled before the closing quote.
    EXPECT_EQ(LameOptionText(true, false, "128", R"(C:\My Music\)", "o"), R"(-h -b 128 "C:\My Music\\" o.mp3)");
    // Blanks only: an empty argument keeps its place.
    EXPECT_EQ(LameOptionText(false, false, "128", "  ", "o"), R"(-b 128 "" o.mp3)");
}

// Every typed path and output name, however hostile, reaches each tool as
// exactly one argument equal to its trimmed text (without the user's own
// enclosing quotes), and every other argument stays where it belongs.
TEST(OptionTexts, PathsAndNamesArriveAsOneArgumentEach) {
    const struct {
        const char* typed;
        const char* received;
    } texts[] = {
        {R"(C:\Music\a.wav)", R"(C:\Music\a.wav)"},
        {R"(C:\My Music\)", R"(C:\My Music\)"},
        {R"( C:\My Music\a b )", R"(C:\My Music\a b)"},
        {R"(C:\a b.wav" -o "x)", R"(C:\a b.wav" -o "x)"},
        {R"(say "hi\")", R"(say "hi\")"},
        {R"("C:\My Music\")", R"(C:\My Music\)"},
        {"a\tb\t", "a\tb"},
        {"\t", ""},
        {R"(\\")", R"(\\")"},
    };
    using Args = std::vector<std::string>;
    for (const auto& t : texts) {
        const std::string in = t.received;
        const struct {
            std::string text;
            Args args;
        } lines[] = {
            {LameOptionText(true, true, "128", t.typed, t.typed), {"-h", "-m", "m", "-b", "128", in, in + ".mp3"}},
            {OggEncOptionText(t.typed, true, "128", "8"), {in, "--managed", "-b", "128", "-q", "8"}},
            {OggDecOptionText(t.typed), {in}},
            {GoGoOptionText("128", "6", t.typed, t.typed), {"-b", "128", "-q", "6", in, in + ".mp3"}},
            {AacOptionText(t.typed, "128", true), {in, "-b128", "-ms"}},
            {WmaOptionText(t.typed, t.typed, true, "128", "75"),
             {"-input", in, "-output", in + ".wma", "-allstats", "-v_bitrate", "128000", "-v_quality", "75"}},
        };
        for (const auto& line : lines)
            for (auto rule : {QuotePairRule::KeepsQuoting, QuotePairRule::EndsQuoting})
                EXPECT_EQ(SplitCommandLine(ParameterText(line.text), rule), line.args) << t.typed << "\n" << line.text;
    }
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

TEST(OptionTexts, GoGoAacAndWmaPiecesAsTheDialogsGiveThem) {
    const std::string in = R"(C:\Music\a.wav)";
    const struct {
        std::string built, expected;
    } cases[] = {
        {GoGoOptionText("128", "6", in, "EncodedFile"), R"(-b 128 -q 6 C:\Music\a.wav EncodedFile.mp3)"},
        {GoGoOptionText(" 56", "9", in, ""), R"(-b  56 -q 9 C:\Music\a.wav .mp3)"},
        {GoGoOptionText("", "", "a.wav", R"(D:\Out\song)"), R"(-b  -q  a.wav D:\Out\song.mp3)"},
        {AacOptionText(in, "128", true), R"(C:\Music\a.wav -b128 -ms)"},
        {AacOptionText(in, "128", false), R"(C:\Music\a.wav -b128 -nm)"},
        {AacOptionText(in, " 56", true), R"(C:\Music\a.wav -b 56 -ms)"},
        {AacOptionText(in, "", false), R"(C:\Music\a.wav -b -nm)"},
        {WmaOptionText(in, "EncodedFile", true, "128", "75"),
         R"(-input C:\Music\a.wav -output EncodedFile.wma -allstats -v_bitrate 128000 -v_quality 75)"},
        {WmaOptionText(in, "EncodedFile", false, "128", "75"),
         R"(-input C:\Music\a.wav -output EncodedFile.wma -v_bitrate 128000 -v_quality 75)"},
        {WmaOptionText(in, "", false, " 56", "1"), R"(-input C:\Music\a.wav -output .wma -v_bitrate  56000 -v_quality 1)"},
        {WmaOptionText(in, "o", false, "128k", ""), R"(-input C:\Music\a.wav -output o.wma -v_bitrate 128k000 -v_quality )"},
        {WmaOptionText(in, "o", true, "", "100"), R"(-input C:\Music\a.wav -output o.wma -allstats -v_bitrate 000 -v_quality 100)"},
        // Paths quoted as for every tool; a typed quote in a bit rate stays a character.
        {GoGoOptionText(R"(1"28)", "6", R"(C:\My Music\a.wav)", "My Song"),
         R"(-b 1\"28 -q 6 "C:\My Music\a.wav" "My Song.mp3")"},
        {AacOptionText(R"(C:\My Music\)", "128", true), R"("C:\My Music\\" -b128 -ms)"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.built, c.expected);
}

TEST(WmaQuality, IsTheWholeNumberAloneWithinItsRangeOrNothing) {
    const struct {
        const char* shown;
        std::optional<int> quality;
    } cases[] = {
        {"75", 75},   {"1", 1},       {"100", 100}, {" 42 ", 42}, {"\t42", 42}, {"+7", 7},      {"007", 7},
        {"250", 100}, {"2147483647", 100},          {"0", 1},     {"-5", 1},     {"", {}},       {" ", {}},
        {"-", {}},    {"abc", {}},    {"7 5", {}},  {"2.5", {}},  {"99999999999999999999", {}}, {"1e2", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(WmaQuality(c.shown), c.quality) << '"' << c.shown << '"';
}

TEST(GoGoQualityWord, OnlyFourValuesHaveAWord) {
    const struct {
        const char* picked;
        const char* before;
        const char* after;
    } cases[] = {
        {"0", "Normal", "High"}, {"5", "High", "Default"}, {"6", "Low", "Normal"}, {"8", "Normal", "Low"},
        {"7", "High", "High"},   {"2", "Normal", "Normal"}, {"9", "Low", "Low"},   {" 6", "High", "High"},
    };
    for (const auto& c : cases) EXPECT_EQ(GoGoQualityWord(c.picked, c.before), c.after) << c.picked;
    EXPECT_EQ(GoGoQualityItems(), (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8"}));
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

TEST(ToolLaunch, StartsTheToolFromTheProgramFolderAndSaysWhereAMissingOneComesFrom) {
    EXPECT_EQ(ToolPath("C:\\Apps\\Orvik", kLameTool), "C:\\Apps\\Orvik\\lame.exe");
    EXPECT_EQ(ToolPath("C:\\", kWmaTool), "C:\\WM8EUTIL.exe");
    const struct {
        const char* tool;
        const char* source;
    } tools[] = {
        {kLameTool, "comes with Orvik Encoder"},     {kOggEncTool, "Xiph.Org's vorbis-tools"},
        {kOggDecTool, "Xiph.Org's vorbis-tools"},    {kGoGoTool, "from its makers"},
        {kAacTool, "from its makers"},               {kWmaTool, "from Microsoft"},
    };
    for (const auto& t : tools) {
        const std::string text = MissingToolText(t.tool, "C:\\Apps\\Orvik");
        EXPECT_EQ(text.rfind(std::string(t.tool) + " is not in the program folder", 0), 0u) << text;
        EXPECT_NE(text.find("\nC:\\Apps\\Orvik\n"), std::string::npos) << text;
        EXPECT_NE(text.find(t.source), std::string::npos) << text;
    }
    // The system's reason as it words it, without its line break and with
    // the tool for its placeholder, then how to get the tool back.
    EXPECT_EQ(ToolStartFailedText(kLameTool, "C:\\A\\lame.exe", "Bad EXE format for %1.\r\n"),
              "C:\\A\\lame.exe could not be started:\nBad EXE format for lame.exe.\n\nlame.exe comes with Orvik "
              "Encoder: install the program again, or unpack its zip again, to put it back.");
    EXPECT_EQ(ToolFailedText(kLameTool, 1, "-b 128 a.wav EncodedFile.mp3"),
              "lame.exe ended with error code 1: the file was not encoded. Its parameters were:\n"
              "-b 128 a.wav EncodedFile.mp3");
}

// What Windows refuses as a file's name is found before a tool starts; the
// texts are UTF-8, so a character's bytes never pass for a separator.
TEST(ToolLaunch, FileNamesWindowsRefusesAreFoundBeforeAStart) {
    EXPECT_EQ(ToolFilePath("C:\\Apps", "a.mp3"), "C:\\Apps\\a.mp3");
    EXPECT_EQ(ToolFilePath("C:\\Apps", "sub/a.mp3"), "C:\\Apps\\sub/a.mp3");
    EXPECT_EQ(ToolFilePath("C:\\Apps", "\\a.mp3"), "C:\\a.mp3");
    EXPECT_EQ(ToolFilePath("C:\\Apps", "D:\\Music\\a.mp3"), "D:\\Music\\a.mp3");
    EXPECT_EQ(ToolFilePath("C:\\Apps", "\\\\server\\share\\a.mp3"), "\\\\server\\share\\a.mp3");
    const std::string greek = "C:\\\xCE\xB5\xCE\xBB\\\xF0\x9F\x8E\xB5 song.wav";  // "ελ", an emoji
    EXPECT_EQ(Utf16Length(greek), 17u);
    const std::string longest = "C:\\" + std::string(256, 'a');  // 259 characters
    const struct {
        std::string path;
        const char* fault;  // a part of the reason, or nullptr for none
    } cases[] = {
        {greek, nullptr},
        {"C:\\Music\\", nullptr},
        {"\\\\?\\C:\\Music\\a.wav", nullptr},
        {"C:\\Music\\con.txt\\a.wav", nullptr},
        {"C:\\Music\\COM10.mp3", nullptr},
        {longest, nullptr},
        {longest + "b", "260 characters long"},
        {"C:\\" + std::string(120, '\x01'), "with code 1"},
        {"C:\\Music\\a?.wav", "'?'"},
        {"C:\\Music\\*.wav", "'*'"},
        {"C:\\Music\\say \"hi\".mp3", "'\"'"},
        {"C:\\Music\\a<b>.mp3", "'<'"},
        {"C:\\Mu|sic\\a.mp3", "'|'"},
        {"C:\\Music\\a:b.mp3", "':'"},
        {"C:\\Music\\CON", "CON is the name of a device"},
        {"C:\\Music\\nul.mp3", "nul is the name of a device"},
        {"C:\\Music\\Lpt3 .wav", "Lpt3 is the name of a device"},
        {"\\\\.\\CON", "CON is the name of a device"},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> fault = FileNameFault(c.path);
        if (!c.fault) {
            EXPECT_FALSE(fault) << c.path << ": " << *fault;
        } else {
            ASSERT_TRUE(fault) << c.path;
            EXPECT_NE(fault->find(c.fault), std::string::npos) << *fault;
        }
    }
}

TEST(Lists, BitRatesAndLevelsInTheirOrder) {
    const std::vector<std::string> rates = {"32",  "40",  "48",  " 56", "64",  "80",  "96",
                                            "112", "128", "160", "192", "224", "256", "320"};
    EXPECT_EQ(BitRateItems(), rates);
    ASSERT_EQ(QualityLevelItems().size(), 10u);
    EXPECT_EQ(QualityLevelItems().front(), "10");
    EXPECT_EQ(QualityLevelItems().back(), "1");
}
