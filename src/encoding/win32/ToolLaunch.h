// Starting an encoder tool: the texts it gets, checked before anything
// starts, then the start through the shell, by its full path in the program
// folder, in the program folder.
#pragma once
#include <windows.h>

#include <string>

namespace orvik {

// The texts an encode takes from its dialog's fields, in UTF-8. Each gives
// false, after the error box has said why, when the text cannot reach the
// tool as it is: characters that the code page the program runs in cannot
// hold (a legacy one, where Windows ignores the program's UTF-8 setting),
// or a file name that Windows would not take.
//   TakeInputPath: an empty field beeps instead; the file is read by the tool.
//   TakeOutputName: the name with its extension is the file the tool writes;
//   its folder must exist.
//   TakeFieldText: a free-text value (bit rate, quality), as typed.
bool TakeInputPath(HWND field, std::string& input);
bool TakeOutputName(HWND field, const char* extension, std::string& name);
bool TakeFieldText(HWND field, const char* what, std::string& text);

// Starts `tool` from the program folder with one blank followed by
// `optionText` (UTF-8) as its parameters. A tool that is not in the program
// folder is not looked for anywhere else: the error box says so and where to
// get it, and nothing starts. A start the system refuses gets the error box
// with the system's reason. lame.exe, which comes with the program, is
// watched while it runs, and an error code it ends with is told.
void LaunchEncoderTool(const std::string& tool, const std::string& optionText);

}  // namespace orvik
