#pragma once
// The list as SubRip text, and that text as the bytes of an SRT file.
#include <string>
#include <vector>

#include "model/log_sink.h"
#include "model/progress_sink.h"
#include "model/subtitle.h"

// The lines of the SRT text of the list: number, times, text lines and an empty line per
// subtitle. A subtitle without text is left out and one without an end ends where the next
// starts; the log says so for each. The progress goes as a percentage of the list.
std::vector<std::string> srtTextLines(const std::vector<TSUP>& subs, LogSink& log, ProgressSink& progress);

// The values of "SRT encoding" (settings name SrtEncoding).
inline constexpr int kSrtWindows1252 = 0;
inline constexpr int kSrtUtf8 = 1;

// The lines as file bytes, each followed by CR LF: Windows-1252 as the program holds them,
// or UTF-8 with a byte-order mark.
std::string srtFileText(const std::vector<std::string>& lines, int encoding);
// Writes the lines to path completely or not at all (FileError on failure).
void writeSrtFile(const std::string& path, const std::vector<std::string>& lines, int encoding);
