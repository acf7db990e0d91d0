#pragma once
#include <string>

class App;

// Loads the sheet of the chosen letter set ("Letters") from the program's own folder at
// start-up and enables "Open SRT" when it is there. A missing sheet is reported with two log
// lines, an unreadable or too small one as an error; either way "Open SRT" stays disabled
// and no SRT file can be imported.
void loadLetterSheet(App& app, const std::string& programFolder);
