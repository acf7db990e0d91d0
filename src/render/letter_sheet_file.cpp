#include "render/letter_sheet_file.h"

#include <sys/stat.h>

#include "model/file_error.h"
#include "render/glyph_tables.h"
#include "render/grey_png.h"

bool readLetterSheet(LetterSheetState& state, const std::string& path, LogSink& log) {
  state.letterSheet = GreyImage();
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    log.log(path + " not found!");
    log.log2("You cannot import .srt files without it.");
    return false;
  }
  try {
    GreyImage sheet = readGreyPng(path);
    // The glyph tables address columns and rows up to these; a smaller sheet cannot serve.
    if (sheet.width < kSheetMinWidth || sheet.height < kSheetMinHeight) {
      log.erlog(path + " is smaller than " + std::to_string(kSheetMinWidth) + " x " +
                std::to_string(kSheetMinHeight) + " pixels. You cannot import .srt files without it.");
      return false;
    }
    state.letterSheet = std::move(sheet);
    return true;
  } catch (const FileError& e) {
    log.erlog(e.what());
    return false;
  }
}
