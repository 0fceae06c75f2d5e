#include "encoding/CommandLine.h"

namespace orvik {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Appends `count` backslashes.
void Backslashes(std::string& out, size_t count) { out.append(count, '\\'); }
}  // namespace

std::string TypedArgument(const std::string& typedText) {
    size_t first = 0, last = typedText.size();
    while (first < last && IsBlank(typedText[first])) ++first;
    while (last > first && IsBlank(typedText[last - 1])) --last;
    if (last - first >= 2 && typedText[first] == '"' && typedText[last - 1] == '"') {
        ++first;
        --last;
    }
    return typedText.substr(first, last - first);
}

std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            // 2n+1 backslashes give n backslashes and a literal quote.
            Backslashes(out, backslashes * 2 + 1);
        } else {
            Backslashes(out, backslashes);
        }
        backslashes = 0;
        out += c;
    }
    // Before the closing quote, 2n backslashes give n.
    Backslashes(out, backslashes * 2);
    return out + "\"";
}

std::string QuotePath(const std::string& typedPath) { return QuoteArgument(TypedArgument(typedPath)); }

std::string EscapeQuotes(const std::string& freeText) {
    if (freeText.find('"') == std::string::npos) return freeText;
    std::string out;
    size_t backslashes = 0;
    for (char c : freeText) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        Backslashes(out, c == '"' ? backslashes * 2 + 1 : backslashes);
        backslashes = 0;
        out += c;
    }
    // Trailing backslashes stand before a blank, "000" or the end: literal.
    Backslashes(out, backslashes);
    return out;
}

std::vector<std::string> SplitCommandLine(const std::string& parameters, QuotePairRule rule) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false, quoted = false;
    const size_t n = parameters.size();
    size_t i = 0;
    while (i < n) {
        const char c = parameters[i];
        if (IsBlank(c) && !quoted) {
            if (inArgument) args.push_back(current);
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            size_t end = i;
            while (end < n && parameters[end] == '\\') ++end;
            const size_t count = end - i;
            if (end < n && parameters[end] == '"') {
                Backslashes(current, count / 2);
                if (count % 2 == 1) {
                    current += '"';
                    ++end;  // the escaped quote is consumed
                }
            } else {
                Backslashes(current, count);
            }
            i = end;
            continue;
        }
        if (c == '"') {
            if (!quoted) {
                quoted = true;
                ++i;
            } else if (i + 1 < n && parameters[i + 1] == '"') {
                current += '"';
                quoted = rule == QuotePairRule::KeepsQuoting;
                i += 2;
            } else {
                quoted = false;
                ++i;
            }
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument) args.push_back(current);
    return args;
}

}  // namespace orvik
