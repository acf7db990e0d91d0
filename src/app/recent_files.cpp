#include "app/recent_files.h"

#include <algorithm>
#include <cstddef>

#include "app/controls.h"

void rememberFile(Controls& ui, const std::string& path) {
  if (path.empty()) return;
  auto& files = ui.recentFiles;
  // The entry moves to the front: the same path found further down, else the last slot.
  auto slot = std::find(files.begin(), files.end(), path);
  if (slot == files.end()) slot = files.end() - 1;
  std::move_backward(files.begin(), slot, slot + 1);
  files.front() = path;
}

void forgetFile(Controls& ui, size_t index) {
  auto& files = ui.recentFiles;
  if (index >= files.size()) return;
  std::move(files.begin() + std::ptrdiff_t(index) + 1, files.end(), files.begin() + std::ptrdiff_t(index));
  files.back().clear();
}
