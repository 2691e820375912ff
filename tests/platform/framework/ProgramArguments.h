// Sets the arguments CWinApp::ParseCommandLine reads, as AfxWinMain would.
#pragma once

#include <string>
#include <vector>

namespace orbel::window {
void SetProgramArguments(std::vector<std::string> arguments);
}

inline void SetTestProgramArguments(std::vector<std::string> arguments) {
    orbel::window::SetProgramArguments(std::move(arguments));
}
