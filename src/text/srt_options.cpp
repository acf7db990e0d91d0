#include "text/srt_options.h"

#include "app/app.h"

void LineDataChange(App& app) { app.lineBase = lineBaseFor(app.ui.ieLastLine.value(), app.ui.ieLineSpc.value()); }

void ieMaxColorChange(App& app) {
  TIntEdit& e = app.ui.ieMaxColor;
  if (e.value() < 0) e.setValue(0);
  if (e.value() > 255) e.setValue(255);
}
