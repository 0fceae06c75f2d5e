// Fuzzes the option texts of the six tools with arbitrary control texts and
// splits each parameter text by the Windows rules (both readings of a doubled
// quote): every input path and output name must arrive as exactly one
// argument equal to its trimmed text (a pair of quotes the user put around it
// removed), every free-text value as its typed words, every literal piece in
// its place. Texts without blank, tab or double quote must pass unchanged.
//
// Input: the first byte holds the switch states; the rest are the control
// texts, separated by NUL bytes (a control's text never holds one): bit rate,
// quality, input path, output name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "encoding/CommandLine.h"
#include "encoding/EncoderOptions.h"

using namespace orvik;
using Args = std::vector<std::string>;

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

// What a typed path or name stands for, written out on its own.
std::string Intended(const std::string& typed) {
    size_t a = 0, b = typed.size();
    while (a < b && Blank(typed[a])) ++a;
    while (b > a && Blank(typed[b - 1])) --b;
    if (b - a >= 2 && typed[a] == '"' && typed[b - 1] == '"') ++a, --b;
    return typed.substr(a, b - a);
}

// A free-text value as the tool gets it: its words between blanks and tabs,
// every character literal.
Args Words(const std::string& text) {
    Args words;
    std::string word;
    bool in = false;
    for (char c : text) {
        if (Blank(c)) {
            if (in) words.push_back(word);
            word.clear();
            in = false;
        } else {
            word += c;
            in = true;
        }
    }
    if (in) words.push_back(word);
    return words;
}

Args operator+(Args a, const Args& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void Check(const std::string& optionText, const Args& expected) {
    for (auto rule : {QuotePairRule::KeepsQuoting, QuotePairRule::EndsQuoting})
        if (SplitCommandLine(ParameterText(optionText), rule) != expected) abort();
}

bool Plain(const std::string& s) { return !s.empty() && s.find_first_of(" \t\"") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t switches = data[0];
    std::vector<std::string> fields(4);
    size_t field = 0;
    for (size_t i = 1; i < size; ++i) {
        if (data[i] == 0) {
            if (++field == fields.size()) break;
        } else {
            fields[field] += static_cast<char>(data[i]);
        }
    }
    const std::string &bitRate = fields[0], &quality = fields[1], &input = fields[2], &output = fields[3];
    const bool a = switches & 1, b = switches & 2;
    const std::string in = Intended(input), out = Intended(output);

    Check(LameOptionText(a, b, bitRate, input, output), (a ? Args{"-h"} : Args{}) + (b ? Args{"-m", "m"} : Args{}) +
                                                           Args{"-b"} + Words(bitRate) + Args{in, out + ".mp3"});
    Check(OggEncOptionText(input, a, bitRate, quality),
          Args{in} + (a ? Args{"--managed"} : Args{}) + Args{"-b"} + Words(bitRate) + Args{"-q"} + Words(quality));
    Check(OggDecOptionText(input), Args{in});
    Check(GoGoOptionText(bitRate, quality, input, output),
          Args{"-b"} + Words(bitRate) + Args{"-q"} + Words(quality) + Args{in, out + ".mp3"});
    Check(AacOptionText(input, bitRate, a), Args{in} + Words("-b" + bitRate) + Args{a ? "-ms" : "-nm"});
    Check(WmaOptionText(input, output, a, bitRate, quality),
          Args{"-input", in, "-output", out + ".wma"} + (a ? Args{"-allstats"} : Args{}) + Args{"-v_bitrate"} +
              Words(bitRate + "000") + Args{"-v_quality"} + Words(quality));

    // Ordinary texts are not touched: the plain concatenation.
    if (Plain(input) && Plain(output) && bitRate.find('"') == std::string::npos &&
        quality.find('"') == std::string::npos) {
        if (GoGoOptionText(bitRate, quality, input, output) !=
            "-b " + bitRate + " -q " + quality + " " + input + " " + output + ".mp3")
            abort();
        if (WmaOptionText(input, output, a, bitRate, quality) != "-input " + input + " -output " + output + ".wma" +
                                                                      (a ? " -allstats" : "") + " -v_bitrate " +
                                                                      bitRate + "000 -v_quality " + quality)
            abort();
    }
    return 0;
}
