// Starting an encoder tool: through the shell, by its full path in the
// program folder, in the program folder, and forgotten at once.
#pragma once
#include <string>

namespace orvik {

// Starts `tool` from the program folder with one blank followed by
// `optionText` as its parameters, and waits for nothing. A tool that is not
// in the program folder is not looked for anywhere else: the error box says
// so and where to get it, and nothing starts. A start the system refuses
// gets the error box with the system's reason.
void LaunchEncoderTool(const std::string& tool, const std::string& optionText);

}  // namespace orvik
