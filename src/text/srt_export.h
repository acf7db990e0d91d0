#pragma once
// The "SRT" page: the list as SubRip text in the read-only view mSRT, rebuilt only when it is
// out of date and the page is opened, and "Save SRT", which writes the view as it stands.
#include <string>
#include <vector>

class App;

// Rebuilds mSRT from the list: number, times, text lines and an empty line per subtitle.
void SUP2Srt(App& app);
// The page control switched pages: opening "SRT" rebuilds an out-of-date view.
void PageControlChange(App& app);
// The view's content changed: "Save SRT" is offered while it holds a line of a list that is
// not empty.
void mSRTChange(App& app);
// "Save SRT": asks for a file name and writes the view there.
void bSaveSRTClick(App& app);

// The values of "SRT encoding" (settings name SrtEncoding).
inline constexpr int kSrtWindows1252 = 0;
inline constexpr int kSrtUtf8 = 1;

// The lines as file bytes, each followed by CR LF: Windows-1252 as the program holds them,
// or UTF-8 with a byte-order mark.
std::string srtFileText(const std::vector<std::string>& lines, int encoding);
// Writes the lines to path completely or not at all (FileError on failure).
void writeSrtFile(const std::string& path, const std::vector<std::string>& lines, int encoding);
