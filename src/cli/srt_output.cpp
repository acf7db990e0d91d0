#include "cli/srt_output.h"

#include <cstdio>

#include "app/file_error.h"
#include "cli/cli_context.h"
#include "text/srt_export.h"

int emitSrt(CliContext& ctx, const std::string& out) {
  App& app = ctx.app;
  SUP2Srt(app);
  ctx.host.finishProgress();
  if (out.empty()) {
    const std::string text = srtFileText(app.ui.mSRT.lines);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
  }
  try {
    writeSrtFile(out, app.ui.mSRT.lines);
  } catch (const FileError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return kExitFailed;
  }
  return kExitOk;
}
