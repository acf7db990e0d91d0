#include "app/option_events.h"

#include "app/app.h"
#include "text/srt_options.h"

void optionChanged(App& app, const std::string& name) {
  if (name == "LastLine" || name == "LineSpc") LineDataChange(app);
  if (name == "MaxColor") ieMaxColorChange(app);
}
