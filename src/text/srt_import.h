#pragma once
// Turning an SRT file into a list of picture subtitles drawn from the letter sheet.
#include <string>
#include <string_view>
#include <vector>

class App;

// "Open SRT": asks for an SRT file and imports it.
void bOpenSRTClick(App& app);
// Imports the SRT file named by srcName as a list of picture subtitles.
void ReadSRT(App& app);
// The import of ReadSRT over the file's bytes, already read.
void importSrt(App& app, std::string_view bytes);
// The lines of a text file: they end with CR LF, LF or CR; a line break at the very end
// starts no further line.
std::vector<std::string> splitTextLines(std::string_view bytes);
// The text without blanks and control characters at both ends.
std::string trimLine(std::string_view line);
