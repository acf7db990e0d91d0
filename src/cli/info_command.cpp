#include <CLI/CLI.hpp>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/cli_commands.h"
#include "text/cp1252.h"

namespace {
nlohmann::json listJson(const App& app) {
  nlohmann::json subs = nlohmann::json::array();
  for (const TSUP& s : app.subs) {
    nlohmann::json areas = nlohmann::json::array();
    for (size_t j = 0; j < s.win.size(); ++j) {
      const TSUPWin& w = s.win[j];
      // Record 0 always describes the area; record 1 only when it holds one.
      if (j > 0 && w.x2 <= w.x1) continue;
      areas.push_back({{"x1", w.x1}, {"y1", w.y1}, {"x2", w.x2}, {"y2", w.y2}});
    }
    subs.push_back({{"num", s.num},
                    {"startPts", s.startPts},
                    {"endPts", s.endPts},
                    {"startTime", cp1252ToUtf8(s.startTime)},
                    {"endTime", cp1252ToUtf8(s.endTime)},
                    {"text", cp1252ToUtf8(s.text)},
                    {"palCount", s.palCount},
                    {"areas", areas}});
  }
  return {{"format", app.subFormat}, {"count", app.subs.size()}, {"subtitles", subs}};
}
}  // namespace

CliCommand addInfoCommand(CLI::App& cli, CliContext& ctx) {
  auto* cmd = cli.add_subcommand("info", "Read FILE and print the message log (or the list as JSON)");
  auto file = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  cmd->add_option("FILE", *file, kFileHelp)->required();
  cmd->add_flag("--json", *json, "Print the subtitle list as JSON instead of the log");
  return {cmd, [&ctx, file, json] {
            const int status = ctx.load(*file);
            if (*json) {
              if (status == kExitOk) std::printf("%s\n", listJson(ctx.app).dump(2).c_str());
            } else {
              std::fputs(cp1252ToUtf8(ctx.app.messages.plainText()).c_str(), stdout);
            }
            return status;
          }};
}
