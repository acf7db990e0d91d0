#pragma once
#include <string>

#include "model/log_sink.h"
#include "render/letter_sheet.h"

// Loads the letter sheet at `path` into the state, which holds no sheet when this fails:
// a missing sheet is reported with two log lines, an unreadable or too small one as an
// error. Returns whether the sheet is loaded, without which no SRT file can be imported.
bool readLetterSheet(LetterSheetState& state, const std::string& path, LogSink& log);
