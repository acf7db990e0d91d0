#pragma once
// What recognition takes from the subtitle panel's options, and how the panel shows what a
// reading stored.
#include "ocr/ocr.h"

class App;

// The options as the controls hold them now.
OcrOptions ocrOptions(const App& app);

// Shows what a reading of subtitle n stored: the selector and the font choice follow without
// a redraw (the picture shown is the one just recognised), and the text box shows a stored
// text.
void showReading(App& app, int n, ReadingStored stored);
