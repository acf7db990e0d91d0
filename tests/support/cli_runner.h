#pragma once
// Runs marrowby-cli as a user would and collects what it printed.
#include <string>

struct CliRun {
  int status = -1;
  std::string out;  // stdout, and stderr too when merged
};

// args are passed through the shell; stderr is merged into out unless separateStderr.
CliRun runCli(const std::string& args, bool separateStderr = false);
