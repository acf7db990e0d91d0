#pragma once
// What every subcommand of marrowby-cli shares: the program state and the loaded input.
#include <string>

#include "app/app.h"
#include "cli/cli_host.h"

enum ExitStatus { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

struct CliContext {
  CliHost host;
  App app{host};
  CliContext() { host.attach(&app); }

  // The track --track names (-1: none).
  int track = -1;

  // Reads FILE as the window would: a stream, video file or VobSub pair through "Read SUP",
  // an ".srt" file through the SRT import. Returns the exit status: kExitFailed, with the
  // message on stderr, when it could not be read; kExitUsage, with the file's subtitle tracks
  // on stderr, when the track to read is not clear.
  int load(const std::string& file);
  // Reports the last error on stderr; returns kExitFailed when there was one.
  int failIfError();
};
