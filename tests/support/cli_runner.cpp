#include "support/cli_runner.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

CliRun runCli(const std::string& args, bool separateStderr) {
  const std::string cmd = std::string(MARROWBY_CLI) + " " + args + (separateStderr ? " 2>/dev/null" : " 2>&1");
  CliRun r;
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  const int st = ::pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}
