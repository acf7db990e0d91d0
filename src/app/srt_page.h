#pragma once
// The "SRT" page: the list as SubRip text in the read-only view mSRT, rebuilt only when it is
// out of date and the page is opened, and "Save SRT", which writes the view as it stands.
class App;

// Rebuilds mSRT from the list: number, times, text lines and an empty line per subtitle.
void SUP2Srt(App& app);
// The page control switched pages: opening "SRT" rebuilds an out-of-date view.
void PageControlChange(App& app);
// The view's content changed: "Save SRT" is offered while it holds a line of a list that is
// not empty.
void mSRTChange(App& app);
// "Save SRT": asks for a file name and writes the view there.
void bSaveSRTClick(App& app);
