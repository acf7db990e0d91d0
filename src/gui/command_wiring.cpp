// Which widget event runs which command: one line per command. The option boxes of the
// "Options" page run their option's change handling (optionChanged) by themselves.
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/subtitle_selector.h"
#include "app/window_commands.h"
#include "app/bitmap_export.h"
#include "app/stream_export.h"
#include "gui/page_control.h"
#include "gui/tf_main.h"
#include "app/ocr_commands.h"
#include "app/stream_loading.h"
#include "app/srt_page.h"
#include "app/srt_loading.h"
#include "app/text_lines.h"
#include "app/converter_check.h"

void TfMain::wireCommands() {
  // File row.
  on(eSUPfile_, eSUPfileChange);
  on(bReadSUP_, bReadSUPClick);
  on(bbSUP_, bbSUPClick);
  on(PageControl_, PageControlChange);
  // "SRT" page.
  on(bOpenSRT_, bOpenSRTClick);
  on(bSaveSRT_, bSaveSRTClick);
  on(mSRT_, mSRTChange);
  // "Status" page.
  on(bClear_, bClearClick);
  on(Button1_, Button1Click);
  // "Image" page.
  on(ieSubs_, ieSubsChange);
  on(udSubsUp_, [](App& app) { setSubsPosition(app, app.ui.udSubs.position + 1); });
  on(udSubsDown_, [](App& app) { setSubsPosition(app, app.ui.udSubs.position - 1); });
  on(mSubtext_, mSubtextChange);
  onExit(mSubtext_, mSubtextExit);
  on(cbLock_, cbLockClick);
  on(rgFont_, rgFontClick);
  on(bOCR_, bOCRClick);
  on(bPrev_, bPrevClick);
  on(bNext_, bNextClick);
  // "Options" page.
  on(bbBackground_, bbBackgroundClick);
  on(bbWorkdir_, bbWorkdirClick);
  // Bottom row.
  on(bSaveBMP_, bSaveBMPClick);
  on(bOCRall_, bOCRallClick);
  on(bCancel_, bCancelClick);
  on(bExport_, [](App& app) { bExportClick(app); });
}
