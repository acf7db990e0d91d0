// marrowby-cli: the window's commands without the window.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "app/settings_table.h"
#include "cli/cli_commands.h"

namespace {
// Applies one "--set NAME=VALUE"; returns an error text or "".
std::string applySet(App& app, const std::string& assignment) {
  const size_t eq = assignment.find('=');
  if (eq == std::string::npos) return "expected NAME=VALUE: " + assignment;
  const std::string name = assignment.substr(0, eq);
  const SettingInfo* info = findSetting(name);
  if (!info) return "unknown option name: " + name;
  const std::string text = assignment.substr(eq + 1);
  const auto value = parseSetting(*info, text);
  if (!value || !applySetting(app, *info, *value)) return "invalid value for " + name + ": " + text;
  return "";
}
}  // namespace

int main(int argc, char** argv) {
  CliContext ctx;
  CLI::App cli{"Marrowby " + std::string(kVersion) + ": bitmap subtitle streams of optical discs"};
  cli.require_subcommand(1);
  std::vector<std::string> sets;
  // One NAME=VALUE per --set, so that a file name after it is not taken for another; allowed
  // before or after the command's name.
  const auto addSet = [&sets](CLI::App& app) {
    app.add_option("--set", sets, "Set an option by its stored settings name, e.g. --set CutLevel=150")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->allow_extra_args(false);
  };
  addSet(cli);
  cli.set_version_flag("--version", std::string(kVersion));

  const std::vector<CliCommand> commands = {
      addInfoCommand(cli, ctx),
      addBitmapsCommand(cli, ctx),
      addExportCommand(cli, ctx),
      addRenderCommand(cli, ctx),
      addOcrCommand(cli, ctx),
      addSrtCommand(cli, ctx),
  };
  for (const CliCommand& c : commands) {
    addSet(*c.sub);
    c.sub->add_option("--track", ctx.track, "The subtitle track of a video file to read, by its number")
        ->check(CLI::NonNegativeNumber);
  }
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return cli.exit(e) == 0 ? kExitOk : kExitUsage;
  }
  for (const std::string& s : sets) {
    const std::string err = applySet(ctx.app, s);
    if (!err.empty()) {
      std::fprintf(stderr, "--set: %s\n", err.c_str());
      return kExitUsage;
    }
  }
  for (const CliCommand& c : commands)
    if (c.sub->parsed()) return c.run();
  return kExitUsage;
}
