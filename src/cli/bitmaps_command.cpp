#include <CLI/CLI.hpp>

#include "cli/cli_commands.h"
#include "app/bitmap_export.h"

CliCommand addBitmapsCommand(CLI::App& cli, CliContext& ctx) {
  auto* cmd = cli.add_subcommand("bitmaps", "Save every subtitle of FILE as pictures (\"Save bitmaps\")");
  auto file = std::make_shared<std::string>();
  auto folder = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, kFileHelp)->required();
  cmd->add_option("-o,--output", *folder, "Output folder in which the picture folder is made");
  return {cmd, [&ctx, file, folder] {
            if (const int status = ctx.load(*file)) return status;
            if (!folder->empty()) ctx.app.ui.eWorkDir.text = *folder;
            ctx.app.clearLastError();
            bSaveBMPClick(ctx.app);
            ctx.host.finishProgress();
            if (ctx.failIfError() != kExitOk) return int(kExitFailed);
            std::printf("%s\n", pictureFolder(ctx.app).c_str());
            return int(kExitOk);
          }};
}
