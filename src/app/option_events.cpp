#include "app/option_events.h"

#include "app/app.h"
#include "app/settings_table.h"
#include "app/subtitle_selector.h"
#include "app/ocr_commands.h"
#include "app/srt_options.h"

namespace {
// Options the shown picture is drawn with.
bool drawsThePicture(const std::string& name) {
  for (const char* n : {"Borders", "Palette", "Background", "Backpic", "OCR", "CutLevel"})
    if (name == n) return true;
  return false;
}
}  // namespace

void optionChanged(App& app, const std::string& name) {
  // The edit is done: a number comes into its box's range now, never on each key, so that
  // clearing a box to type another number does not put a limit in its place.
  if (TIntEdit* box = numberBox(app.ui, name)) box->clamp();
  if (name == "LastLine" || name == "LineSpc") LineDataChange(app);
  if (name == "C_Mul") ieMULChange(app);
  if (name == "C_Div") ieDIVChange(app);
  if (name == "Language") coLangChange(app);
  if (drawsThePicture(name)) redrawShown(app);
}
