#pragma once
// What a command hands the renderer: the program's state groups a drawing uses, with the
// options as the controls hold them now.
#include "render/drawing.h"

class App;
struct Controls;

RenderOptions renderOptionsOf(const Controls& ui);
Drawing drawingOf(App& app);
