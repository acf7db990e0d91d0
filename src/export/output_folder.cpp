#include "export/output_folder.h"

#include "app/app.h"
#include "model/file_names.h"

const std::string& sourcePath(const App& app) { return app.subFormat == sfSRT ? app.srcName : app.ui.eSUPfile.text; }

std::string outputFolder(const App& app) {
  std::string folder = app.ui.eWorkDir.text;
  if (folder.empty()) return folderOf(sourcePath(app));
  if (folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder;
}
