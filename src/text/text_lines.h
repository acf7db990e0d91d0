#pragma once
// A subtitle's text is stored as one string with its lines joined by '|'; the text memo
// shows it line by line, and the user's edits there go back into the subtitle.
#include <string>
#include <vector>

class App;

// Shows a stored text in the text memo without taking it as an edit.
void TxtToLines(App& app, const std::string& text);
// Splits a stored text at every '|'; an empty text is one empty line.
std::vector<std::string> splitLines(const std::string& text);
// Joins memo lines into the stored form; empty lines before the first non-empty one vanish.
std::string LinesToTxt(const std::vector<std::string>& lines);

// The memo was edited (ignored while inUpdate): the current subtitle takes its lines and is
// locked against recognition.
void mSubtextChange(App& app);
// The memo lost the focus. In a list imported from SRT the lines are trimmed, measured and
// the area re-centred on the widest, and the subtitle is drawn anew.
void mSubtextExit(App& app);
