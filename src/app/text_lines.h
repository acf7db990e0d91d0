#pragma once
// The text memo shows a subtitle's stored text line by line, and the user's edits there go
// back into the subtitle.
#include <string>

class App;

// Shows a stored text in the text memo without taking it as an edit.
void TxtToLines(App& app, const std::string& text);

// The memo was edited (ignored while inUpdate): the current subtitle takes its lines and is
// locked against recognition.
void mSubtextChange(App& app);
// The memo lost the focus. In a list imported from SRT the lines are trimmed, measured and
// the area re-centred on the widest, and the subtitle is drawn anew.
void mSubtextExit(App& app);
