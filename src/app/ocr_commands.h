#pragma once
// The recognition commands of the subtitle panel and the options that tune recognition.
class App;

// "OCR": recognises the subtitle shown in the selector.
void bOCRClick(App& app);
// "Next"/"Prev": recognises the next/previous subtitle that still has unknown glyphs.
void bNextClick(App& app);
void bPrevClick(App& app);
// The "Font" choice: forces upright, automatic or italic reading of the shown subtitle.
void rgFontClick(App& app);
// "OCR all": recognises every subtitle not recognised yet, with progress and statistic.
void bOCRallClick(App& app);

// Option boxes "Skew" and "/": kept within their range (1 or more), they set the italic slant.
void ieMULChange(App& app);
void ieDIVChange(App& app);
// The "Language" selection changed: offers to apply its table to every text now.
void coLangChange(App& app);
