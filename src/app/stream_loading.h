#pragma once
// "Read SUP" and the two ways a file name reaches it: the open dialog and files dropped on
// the window.
#include <cstddef>
#include <string>
#include <vector>

class App;

void bReadSUPClick(App& app);
// The stream file chooser.
void bbSUPClick(App& app);
// A file chosen in the chooser: an SRT file is imported, a stream named in the file box and
// read when "Auto read" is on.
void openChosenFile(App& app, const std::string& path);
// An entry of the chooser's "Recent files" menu, opened as if chosen in the chooser.
void openRecentFile(App& app, size_t index);
// Files dropped on the main window; only the first counts.
void filesDropped(App& app, const std::vector<std::string>& paths);

inline constexpr const char* kOpenSupTitle = "Open subtitle stream (SUP)";
inline constexpr const char* kOpenSupFilter =
    "All supported format (SUP, SRT, MKV, M2TS, TS, VOB, IDX)|*.sup; *.srt; *.mkv; *.mks; *.m2ts; *.mts; *.ts; *.vob; "
    "*.idx; *.sub|SUP (DVD/HD DVD/BD)|*.sup|Video files (MKV, M2TS, TS, VOB)|*.mkv; *.mks; *.m2ts; *.mts; *.ts; "
    "*.vob|VobSub (IDX, SUB)|*.idx; *.sub|SubRip SRT|*.srt|All|*.*";
