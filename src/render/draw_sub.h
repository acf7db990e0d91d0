#pragma once
// The renderer's entry: draws subtitle n (1-based; below 1 or beyond the list: none) into
// the working images and, composed with what the options ask for (background, borders,
// palette swatches), into the display picture.
#include <functional>

#include "render/drawing.h"

// `ready`, when given, is called with the subtitle once its palette is built and before any
// of its pixels is drawn: the window fills its subtitle panel there, so that the panel shows
// the area the list holds, and shows it also when drawing then fails.
void DrawSub(Drawing& d, int n, const std::function<void(const TSUP&)>& ready = {});
