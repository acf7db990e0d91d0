#include "app/option_events.h"

#include "app/app.h"
#include "ocr/corrections.h"
#include "ocr/ocr_commands.h"
#include "text/srt_options.h"

void optionChanged(App& app, const std::string& name) {
  if (name == "LastLine" || name == "LineSpc") LineDataChange(app);
  if (name == "MaxColor") ieMaxColorChange(app);
  if (name == "CutLevel") ieCutLevelChange(app);
  if (name == "C_Mul") ieMULChange(app);
  if (name == "C_Div") ieDIVChange(app);
  if (name == "Language") coLangChange(app);
}
