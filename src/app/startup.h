#pragma once
// What happens when the main window is first activated, and when it closes.
#include <string>
#include <vector>

class App;
class SettingsStore;

// Runs once, at the first activation of the window: fills the caption, applies the stored
// options, reads the stream named by the only command-line argument, looks for the letter
// sheet in programFolder and shows the "Status" page. `args` excludes the program's name.
void startUp(App& app, const std::vector<std::string>& args, const std::string& programFolder,
             SettingsStore& store);
// When the window closes: stores the options and releases the list. Nothing is stored when
// start-up never ran, so a window closed before it cannot overwrite the user's options
// with defaults.
void shutDown(App& app, SettingsStore& store);
