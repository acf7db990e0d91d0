#pragma once
// The subtitle selector: the number box ieSubs and its up-down partner udSubs. Setting
// either the way the window does fires the change handler that draws the subtitle.
#include <string>

class App;

// The selector's text changed (typed by the user or set by a command).
void ieSubsChange(App& app);
// Sets the number box's text; a different text fires ieSubsChange.
void setSubsText(App& app, const std::string& text);
// Moves the up-down control (limited to its range), which sets the number box.
void setSubsPosition(App& app, int position);
// After a command that changed the list or drew others: moves the selector to 2 and back
// to 1, so that subtitle 1 is drawn afresh.
void showFirstSubtitle(App& app);

// "Lock" was clicked: the current subtitle's text is kept from recognition while checked.
void cbLockClick(App& app);
// Draws the subtitle shown again, as an option it is drawn with changed; with none shown it
// does nothing.
void redrawShown(App& app);
// The hidden redraw box was clicked: draws the current subtitle again.
void CheckBox1Click(App& app);
