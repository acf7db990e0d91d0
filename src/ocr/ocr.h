#pragma once
class App;

// Recognises subtitle n (1-based), which the caller has just drawn for recognition: finds
// the lines and glyphs in ocrMask, classifies them, corrects the text and stores it unless
// the subtitle is locked. Marks the cut on the display picture. A picture without ink
// changes nothing.
void ocr(App& app, int n);
