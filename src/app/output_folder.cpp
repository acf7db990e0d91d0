#include "app/output_folder.h"

#include "app/app.h"
#include "model/file_names.h"

std::string sourcePath(const App& app) {
  if (app.subFormat == sfSRT) return app.srcName;
  if (app.fromTrack()) return folderOf(app.trackFile) + app.srcName;
  return app.ui.eSUPfile.text;
}

std::string outputFolder(const App& app) {
  std::string folder = app.ui.eWorkDir.text;
  if (folder.empty()) return folderOf(sourcePath(app));
  if (folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder;
}
