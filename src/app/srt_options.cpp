#include "app/srt_options.h"

#include "app/app.h"

void LineDataChange(App& app) { app.lineBase = lineBaseFor(app.ui.ieLastLine.value(), app.ui.ieLineSpc.value()); }
