#pragma once
// "Export sup": writes the loaded list as a new stream in the encoding chosen under "Format".
#include <string>

class App;

// base name of the source, ".BD" or ".HDDVD", ".", the rate's name, ".sup".
std::string exportFileName(const App& app);

// Runs the writer of the chosen format. The file goes to outPath when one is given (the
// command line's -o), else under exportFileName into the output folder (beside the source
// when that is empty). A file error is reported in the log and the status bar; the window is
// idle again afterwards either way.
void bExportClick(App& app, const std::string& outPath = "");
