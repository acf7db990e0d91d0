#include <CLI/CLI.hpp>

#include "cli/cli_commands.h"
#include "cli/srt_output.h"

CliCommand addSrtCommand(CLI::App& cli, CliContext& ctx) {
  auto* cmd = cli.add_subcommand("srt", "Read FILE and write the SRT text of the list as loaded");
  auto file = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "Subtitle stream (.sup) or SubRip file (.srt)")->required();
  cmd->add_option("-o", *out, "Output SRT file; - or none: standard output");
  return {cmd, [&ctx, file, out] { return ctx.load(*file) ? emitSrt(ctx, *out) : kExitFailed; }};
}
