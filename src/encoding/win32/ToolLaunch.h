// Starting an encoder tool: through the shell, by bare file name, in the
// program folder, and forgotten at once.
#pragma once
#include <string>

namespace orvik {

// Starts `tool` with one blank followed by `optionText` as its parameters.
// The shell's result is not examined and nothing is waited for.
void LaunchEncoderTool(const std::string& tool, const std::string& optionText);

}  // namespace orvik
