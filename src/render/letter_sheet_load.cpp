#include "render/letter_sheet_load.h"

#include <sys/stat.h>

#include "app/app.h"
#include "model/file_error.h"
#include "render/glyph_tables.h"
#include "render/grey_png.h"

void loadLetterSheet(App& app, const std::string& programFolder) {
  const std::string name = sheetFileName(app.ui.coLetters.itemIndex);
  const std::string path = programFolder.empty() ? name : programFolder + "/" + name;
  app.letterSheet = GreyImage();
  app.ui.bOpenSRT.enabled = false;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    app.log(path + " not found!");
    app.log2("You cannot import .srt files without it.");
    return;
  }
  try {
    GreyImage sheet = readGreyPng(path);
    // The glyph tables address columns and rows up to these; a smaller sheet cannot serve.
    if (sheet.width < kSheetMinWidth || sheet.height < kSheetMinHeight) {
      app.erlog(path + " is smaller than " + std::to_string(kSheetMinWidth) + " x " +
                std::to_string(kSheetMinHeight) + " pixels. You cannot import .srt files without it.");
      return;
    }
    app.letterSheet = std::move(sheet);
    app.ui.bOpenSRT.enabled = true;
  } catch (const FileError& e) {
    app.erlog(e.what());
  }
}
