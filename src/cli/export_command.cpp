#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/cli_commands.h"
#include "export/stream_export.h"

CliCommand addExportCommand(CLI::App& cli, CliContext& ctx) {
  auto* cmd = cli.add_subcommand(
      "export", "Read FILE and write it as a new stream: Blu-ray (--set Format=0) or HD DVD (--set Format=1)");
  auto file = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, kFileHelp)->required();
  cmd->add_option("-o,--output", *out,
                  "Output stream; default: NAME.BD.RATE.sup or NAME.HDDVD.RATE.sup in the current folder");
  return {cmd, [&ctx, file, out] {
            if (const int status = ctx.load(*file)) return status;
            if (ctx.app.subs.empty()) {
              std::fprintf(stderr, "No subtitles to export.\n");
              return int(kExitFailed);
            }
            bExportClick(ctx.app, *out);
            ctx.host.finishProgress();
            return ctx.failIfError();
          }};
}
