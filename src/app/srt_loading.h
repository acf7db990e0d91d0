#pragma once
// "Open SRT": an SRT file imported as a list of picture subtitles, with the window set for it.
#include <string_view>

class App;

// "Open SRT": asks for an SRT file and imports it.
void bOpenSRTClick(App& app);
// Imports the SRT file named by srcName as a list of picture subtitles.
void ReadSRT(App& app);
// The import of ReadSRT over the file's bytes, already read.
void importSrt(App& app, std::string_view bytes);
