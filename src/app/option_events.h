#pragma once
#include <string>

class App;

// An option changed as a user's edit changes it (in the window, from the settings store or
// from the command line): runs the change handling of its control. The name is the option's
// stored settings name.
void optionChanged(App& app, const std::string& name);
