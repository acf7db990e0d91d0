#pragma once
#include <string>

class App;

// An option changed as a user's edit changes it (in the window once the edit is done, from
// the settings store or from the command line): runs the change handling of its control and
// draws the shown subtitle again when the option changes its picture. The name is the
// option's stored settings name.
void optionChanged(App& app, const std::string& name);
