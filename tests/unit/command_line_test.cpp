// The Windows argument split that the tools apply to their parameter text,
// and the quoting that must survive it.
#include <gtest/gtest.h>

#include "encoding/CommandLine.h"

using namespace orvik;
using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheWindowsRules) {
    const struct {
        const char* text;
        Args keeps, ends;  // by the two rules for "" inside quotes
    } cases[] = {
        {R"("a b c" d e)", {"a b c", "d", "e"}, {"a b c", "d", "e"}},
        {R"("ab\"c" "\\" d)", {"ab\"c", "\\", "d"}, {"ab\"c", "\\", "d"}},
        {R"(a\\\b d"e f"g h)", {R"(a\\\b)", "de fg", "h"}, {R"(a\\\b)", "de fg", "h"}},
        {R"(a\\\"b c d)", {R"(a\"b)", "c", "d"}, {R"(a\"b)", "c", "d"}},
        {R"(a\\\\"b c" d e)", {R"(a\\b c)", "d", "e"}, {R"(a\\b c)", "d", "e"}},
        {R"(a"b"" c d)", {"ab\" c d"}, {"ab\"", "c", "d"}},
        {" \t x\t\ty  ", {"x", "y"}, {"x", "y"}},
        {R"("" x "")", {"", "x", ""}, {"", "x", ""}},
        {R"("open to the end)", {"open to the end"}, {"open to the end"}},
        {"", {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.text, QuotePairRule::KeepsQuoting), c.keeps) << c.text;
        EXPECT_EQ(SplitCommandLine(c.text, QuotePairRule::EndsQuoting), c.ends) << c.text;
    }
}

TEST(QuotePath, EveryTypedPathComesBackAsOneArgument) {
    const struct {
        const char* typed;
        const char* written;
        const char* received;
    } cases[] = {
        // Ordinary paths stay exactly as typed.
        {R"(C:\Music\a.wav)", R"(C:\Music\a.wav)", R"(C:\Music\a.wav)"},
        {R"(C:\Music\)", R"(C:\Music\)", R"(C:\Music\)"},
        {R"(C:\My Music\a.wav)", R"("C:\My Music\a.wav")", R"(C:\My Music\a.wav)"},
        {"x\ty", "\"x\ty\"", "x\ty"},
        // A trailing backslash must not escape the closing quote.
        {R"(C:\My Music\)", R"("C:\My Music\\")", R"(C:\My Music\)"},
        {R"(\\server\my share\\)", R"("\\server\my share\\\\")", R"(\\server\my share\\)"},
        // Blanks around a path are not part of it.
        {"  C:\\Music\\a.wav \t", R"(C:\Music\a.wav)", R"(C:\Music\a.wav)"},
        {" C:\\My Music\\a.wav", R"("C:\My Music\a.wav")", R"(C:\My Music\a.wav)"},
        {"   ", R"("")", ""},
        {"", R"("")", ""},
        // Typed quotes cannot break out.
        {R"(C:\a b.wav" -o "x)", R"("C:\a b.wav\" -o \"x")", R"(C:\a b.wav" -o "x)"},
        {R"(a\"b)", R"("a\\\"b")", R"(a\"b)"},
        {R"(")", R"("\"")", R"(")"},
        {R"(" a)", R"("\" a")", R"(" a)"},
        // A path the user enclosed in quotes: the user's quoting.
        {R"("C:\My Music\a.wav")", R"("C:\My Music\a.wav")", R"(C:\My Music\a.wav)"},
        {R"( "C:\My Music\" )", R"("C:\My Music\\")", R"(C:\My Music\)"},
        {R"("C:\Music\a.wav")", R"(C:\Music\a.wav)", R"(C:\Music\a.wav)"},
        {R"("")", R"("")", ""},
    };
    for (const auto& c : cases) {
        const std::string written = QuotePath(c.typed);
        EXPECT_EQ(written, c.written) << c.typed;
        // Written between two other arguments, as in a command line.
        const std::string line = "-x " + written + " next";
        for (auto rule : {QuotePairRule::KeepsQuoting, QuotePairRule::EndsQuoting})
            EXPECT_EQ(SplitCommandLine(line, rule), (Args{"-x", c.received, "next"})) << c.typed;
    }
}

TEST(EscapeQuotes, FreeTextKeepsItsBlanksButNotItsQuotes) {
    const struct {
        const char* typed;
        const char* written;
        Args received;
    } cases[] = {
        {"128", "128", {"128"}},
        {" 56", " 56", {"56"}},
        {"12 8", "12 8", {"12", "8"}},
        {R"(1"28)", R"(1\"28)", {"1\"28"}},
        {R"("a b")", R"(\"a b\")", {"\"a", "b\""}},
        {R"(a\"b\)", R"(a\\\"b\)", {R"(a\"b\)"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeQuotes(c.typed), c.written) << c.typed;
        Args expected = c.received;
        expected.push_back("C:\\My Music\\a.wav");
        EXPECT_EQ(SplitCommandLine(EscapeQuotes(c.typed) + " " + QuotePath("C:\\My Music\\a.wav")), expected)
            << c.typed;
    }
}
