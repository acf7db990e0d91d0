#pragma once
// Each subcommand of marrowby-cli registers its options; main runs the one given, after the
// --set options are applied, and exits with the status it returns.
#include <functional>

#include "cli/cli_context.h"

namespace CLI {
class App;
}

inline constexpr const char* kFileHelp =
    "Subtitle stream (.sup), video file or VobSub pair holding subtitle tracks (.mkv, .mks, .m2ts, .ts, .vob, "
    ".idx, .sub), or SubRip file (.srt)";

struct CliCommand {
  CLI::App* sub;
  std::function<int()> run;
};

CliCommand addInfoCommand(CLI::App& cli, CliContext& ctx);
CliCommand addBitmapsCommand(CLI::App& cli, CliContext& ctx);
CliCommand addExportCommand(CLI::App& cli, CliContext& ctx);
CliCommand addRenderCommand(CLI::App& cli, CliContext& ctx);
CliCommand addOcrCommand(CLI::App& cli, CliContext& ctx);
CliCommand addSrtCommand(CLI::App& cli, CliContext& ctx);
