#pragma once
#include <string>

class App;

// Loads the sheet of the chosen letter set ("Letters") from the program's own folder at
// start-up and enables "Open SRT" when it is there; otherwise "Open SRT" stays disabled.
void loadLetterSheet(App& app, const std::string& programFolder);
