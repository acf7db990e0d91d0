#include "app/subtitle_display.h"

#include "app/app.h"
#include "render/draw_sub.h"

void showSubtitle(App& app, int n) { DrawSub(app, n); }
