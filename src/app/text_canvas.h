#pragma once
// The lettering of SRT subtitles as the program's state and options give it.
#include "render/draw_line.h"

class App;
struct Controls;

// "Spacing", "Max color" and the picture options, as the controls hold them now.
LetteringOptions letteringOptions(const Controls& ui);
// The list, sheet, palette, pictures and render flags of the program, with the options of
// the controls.
TextCanvas textCanvas(App& app);
