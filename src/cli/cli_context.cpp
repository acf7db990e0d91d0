#include "cli/cli_context.h"

#include <cstdio>

#include "app/program_folder.h"
#include "model/file_names.h"
#include "readers/stream_loading.h"
#include "render/letter_sheet_load.h"
#include "text/cp1252.h"
#include "text/srt_import.h"

bool CliContext::load(const std::string& file) {
  app.clearLastError();
  if (upperExtension(file) == ".SRT") {
    // The window loads the sheet at start-up; here only an import needs it.
    loadLetterSheet(app, programFolder());
    app.srcName = file;
    ReadSRT(app);
  } else {
    app.ui.eSUPfile.text = file;
    bReadSUPClick(app);
  }
  host.finishProgress();
  return failIfError() == kExitOk;
}

int CliContext::failIfError() {
  if (app.lastError.empty()) return kExitOk;
  std::fprintf(stderr, "%s\n", cp1252ToUtf8(app.lastError).c_str());
  return kExitFailed;
}
