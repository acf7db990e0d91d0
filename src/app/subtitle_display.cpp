#include "app/subtitle_display.h"

#include "app/app.h"
#include "app/subtitle_display.h"

void showSubtitle(App& app, int n) { showSubtitle(app, n); }
