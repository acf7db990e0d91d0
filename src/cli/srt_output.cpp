#include "cli/srt_output.h"

#include <cstdio>

#include "app/srt_page.h"
#include "cli/cli_context.h"
#include "model/file_error.h"
#include "text/srt_export.h"

int emitSrt(CliContext& ctx, const std::string& out) {
  App& app = ctx.app;
  SUP2Srt(app);
  ctx.host.finishProgress();
  const int encoding = app.ui.coSrtEncoding.itemIndex;
  if (out.empty() || out == kStandardOutput) {
    const std::string text = srtFileText(app.ui.mSRT.lines, encoding);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? kExitOk : kExitFailed;
  }
  try {
    writeSrtFile(out, app.ui.mSRT.lines, encoding);
  } catch (const FileError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return kExitFailed;
  }
  return kExitOk;
}
