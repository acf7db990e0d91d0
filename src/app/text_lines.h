#pragma once
// The user's edits in the text memo go back into the subtitle.
class App;

// The memo was edited (ignored while inUpdate): the current subtitle takes its lines and is
// locked against recognition.
void mSubtextChange(App& app);
// The memo lost the focus. In a list imported from SRT the lines are trimmed, measured and
// the area re-centred on the widest, and the subtitle is drawn anew.
void mSubtextExit(App& app);
