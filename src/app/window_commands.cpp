#include "app/window_commands.h"

#include <filesystem>
#include <system_error>

#include "app/app.h"
#include "app/command_guards.h"
#include "app/option_events.h"

void bCancelClick(App& app) {
  if (!app.busy) {
    app.cancelReq = true;
    return;
  }
  if (!app.host.askYesNo(kConfirmStop)) return;
  app.cancelReq = true;
  app.logn("");
  app.log("Cancelled.");
  app.log("");
}

void bClearClick(App& app) {
  if (!refusedWhileBusy(app)) app.clearLog();
}

void bbWorkdirClick(App& app) {
  if (refusedWhileBusy(app)) return;
  const auto chosen = app.host.pickFolder(kSelectDirectoryTitle, app.ui.eWorkDir.text);
  if (!chosen) return;
  app.ui.eWorkDir.text = *chosen;
  optionChanged(app, "Workdir");
}

void bbBackgroundClick(App& app) {
  if (refusedWhileBusy(app)) return;
  const auto chosen = app.host.openFile(kOpenBackgroundTitle, kOpenBackgroundFilter, "");
  if (!chosen) return;
  app.ui.eBackground.text = *chosen;
  optionChanged(app, "Backpic");
}

void eSUPfileChange(App& app) {
  if (refusedWhileBusy(app)) return;
  std::error_code ec;
  const std::string& path = app.ui.eSUPfile.text;
  app.ui.bReadSUP.enabled = !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool FormCloseQuery(App& app) {
  if (app.busy) {
    bCancelClick(app);
    return false;
  }
  app.cancelReq = true;
  return true;
}
