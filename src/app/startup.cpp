#include "app/startup.h"

#include <filesystem>
#include <system_error>

#include "app/app.h"
#include "model/file_error.h"
#include "app/option_events.h"
#include "app/settings_store.h"
#include "app/window_commands.h"
#include "app/stream_loading.h"
#include "app/letter_sheet_load.h"

namespace {
bool isFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

void readCommandLineFile(App& app, const std::vector<std::string>& args) {
  // Only a single argument names a file; with more, none is used.
  if (args.size() != 1) return;
  if (isFile(args[0])) {
    app.ui.eSUPfile.text = args[0];
    eSUPfileChange(app);
  }
  try {
    bReadSUPClick(app);  // with an empty box this reads nothing
  } catch (const FileError& e) {
    app.erlog(e.what());
  }
}

}  // namespace

void startUp(App& app, const std::vector<std::string>& args, const std::string& programFolder,
             SettingsStore& store) {
  if (app.started) return;
  app.started = true;
  app.caption = programCaption();
  // No web page to link to: the link label names the program and its version.
  app.ui.WebLink.caption = app.caption;
  // The working pictures exist from construction at the display's initial size; the line
  // positions of SRT lettering follow "Last line" and "Line spacing" like any edit of them.
  optionChanged(app, "LastLine");
  RegRead(app, store);
  app.timeFmt = "hh:mm:ss,zzz";
  // The italic skew of recognition follows its two boxes like any edit of them.
  optionChanged(app, "C_Mul");
  readCommandLineFile(app, args);
  loadLetterSheet(app, programFolder);
  app.setTitle(kProgramName);
  app.ui.PageControl.activePage = pgStatus;
}

void shutDown(App& app, SettingsStore& store) {
  if (!app.started) return;
  RegWrite(app, store);
  app.subs.clear();
}
