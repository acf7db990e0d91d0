#include "app/letter_sheet_load.h"

#include "app/app.h"
#include "render/glyph_tables.h"
#include "render/letter_sheet_file.h"

void loadLetterSheet(App& app, const std::string& programFolder) {
  const std::string name = sheetFileName(app.ui.coLetters.itemIndex);
  const std::string path = programFolder.empty() ? name : programFolder + "/" + name;
  // Disabled while the sheet loads, as the reports of a failure show it.
  app.ui.bOpenSRT.enabled = false;
  app.ui.bOpenSRT.enabled = readLetterSheet(app, path, app);
}
