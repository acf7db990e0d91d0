#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/cli_commands.h"
#include "cli/srt_output.h"
#include "app/ocr_commands.h"

CliCommand addOcrCommand(CLI::App& cli, CliContext& ctx) {
  auto* cmd = cli.add_subcommand("ocr", "Read FILE, run \"OCR all\" and write the SRT text");
  auto file = std::make_shared<std::string>();
  auto out = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, "Subtitle stream (.sup)")->required();
  cmd->add_option("-o", *out, "Output SRT file; - or none: standard output");
  return {cmd, [&ctx, file, out] {
            if (const int status = ctx.load(*file)) return status;
            App& app = ctx.app;
            // The window offers "OCR all" only for lists it can recognise (not for DVD).
            if (!app.ui.bOCRall.enabled) {
              std::fprintf(stderr, "OCR all is not available for this list.\n");
              return int(kExitFailed);
            }
            bOCRallClick(app);
            ctx.host.finishProgress();
            // The window's log says why Tesseract did not read; here stderr does.
            if (!app.tesseractProblem.empty())
              std::fprintf(stderr, "%s The rules read alone.\n", app.tesseractProblem.c_str());
            if (ctx.failIfError() != kExitOk) return int(kExitFailed);
            return emitSrt(ctx, *out);
          }};
}
