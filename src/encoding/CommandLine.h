// How the tools' arguments are written into one parameter text, and how a
// Windows program splits that text back into its arguments.
//
// A Windows program receives one command line and splits it itself: blanks
// and tabs separate arguments, double quotes group, a backslash escapes a
// double quote, and backslashes are literal unless they stand before a
// double quote. The quoting here writes every path and output name so that
// the tool gets it back as exactly one argument.
#pragma once
#include <string>
#include <vector>

namespace orvik {

// The argument that a typed path or name stands for: the blanks and tabs
// around it are dropped, and a pair of double quotes enclosing what is left
// is the user's own quoting and is dropped too (a Windows file name never
// holds a double quote). Typed with blanks around it or typed in double
// quotes, C:\My Music\a.wav gives C:\My Music\a.wav.
std::string TypedArgument(const std::string& typedText);

// The text that a Windows program reads back as exactly `argument`, one
// argument. Text without blank, tab or double quote is returned unchanged;
// anything else, and the empty text, is enclosed in double quotes, each
// double quote in it escaped and the backslashes before a double quote or
// before the closing quote doubled (C:\My Music\ gives "C:\My Music\\").
std::string QuoteArgument(const std::string& argument);

// A typed path or name as the one argument it stands for.
std::string QuotePath(const std::string& typedPath);

// A free-text value (bit rate, quality) as typed: its blanks still separate
// arguments, but each double quote in it is escaped, so that a typed quote
// reaches the tool as a character and cannot open a quoted part that would
// swallow the arguments after it. Text without double quotes is unchanged.
std::string EscapeQuotes(const std::string& freeText);

// Windows programs agree on every rule but one: inside a quoted part, a
// doubled quote ("") gives one literal quote and then either keeps the part
// quoted (the C runtime since 2008) or ends it (CommandLineToArgvW and the
// older runtime). The texts built here never rely on it; tests split with
// both.
enum class QuotePairRule { KeepsQuoting, EndsQuoting };

// Splits a parameter text (the command line after the program's own name)
// into arguments by the Windows rules.
std::vector<std::string> SplitCommandLine(const std::string& parameters,
                                          QuotePairRule rule = QuotePairRule::KeepsQuoting);

}  // namespace orvik
