#include <CLI/CLI.hpp>

#include "cli/cli_commands.h"
#include "app/stream_export.h"

CliCommand addExportCommand(CLI::App& cli, CliContext& ctx) {
  auto* cmd = cli.add_subcommand(
      "export", "Read FILE and write it as a new stream: Blu-ray (--set Format=0) or HD DVD (--set Format=1)");
  auto file = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, kFileHelp)->required();
  cmd->add_option("-o,--output", *out,
                  "Output stream; default: NAME.BD.RATE.sup or NAME.HDDVD.RATE.sup in the output folder "
                  "(--set Workdir=FOLDER), else beside FILE");
  return {cmd, [&ctx, file, out] {
            if (const int status = ctx.load(*file)) return status;
            bExportClick(ctx.app, *out);
            ctx.host.finishProgress();
            return ctx.failIfError();
          }};
}
