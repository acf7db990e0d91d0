#include <CLI/CLI.hpp>

#include "model/file_error.h"
#include "cli/cli_commands.h"
#include "app/drawing_of.h"
#include "app/subtitle_display.h"
#include "render/picture_files.h"
#include "text/cp1252.h"

CliCommand addRenderCommand(CLI::App& cli, CliContext& ctx) {
  auto* cmd = cli.add_subcommand("render", "Draw subtitle N of FILE as the picture saver does and write its PNG");
  auto file = std::make_shared<std::string>();
  auto number = std::make_shared<int>(0);
  auto png = std::make_shared<std::string>();
  auto bmp = std::make_shared<std::string>();
  cmd->add_option("FILE", *file, kFileHelp)->required();
  cmd->add_option("N", *number, "Number of the subtitle, from 1")->required();
  cmd->add_option("-o,--output", *png, "The PNG file to write")->required();
  cmd->add_option("--bmp", *bmp, "Also write the picture as a 24-bit BMP file");
  return {cmd, [&ctx, file, number, png, bmp] {
            if (const int status = ctx.load(*file)) return status;
            App& app = ctx.app;
            if (*number < 1 || size_t(*number) > app.subs.size()) {
              std::fprintf(stderr, "%s holds %zu subtitles; there is no subtitle %d.\n", file->c_str(), app.subs.size(),
                           *number);
              return int(kExitFailed);
            }
            app.ui.cbPNG.checked = true;
            app.ui.cbBMP.checked = !bmp->empty();
            app.outPng = *png;
            app.outBmp = *bmp;
            app.savingBitmaps = true;
            try {
              showSubtitle(app, *number);
              writeSubPictures(drawingOf(app));
            } catch (const FileError& e) {
              std::fprintf(stderr, "%s\n", cp1252ToUtf8(e.what()).c_str());
              return int(kExitFailed);
            }
            return int(kExitOk);
          }};
}
