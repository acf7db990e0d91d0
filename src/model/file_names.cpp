#include "model/file_names.h"

#include <cctype>

namespace {
size_t nameStart(std::string_view path) {
  const size_t sep = path.find_last_of("/\\");
  return sep == std::string_view::npos ? 0 : sep + 1;
}
size_t extensionDot(std::string_view path) {
  const size_t dot = path.rfind('.');
  return dot == std::string_view::npos || dot < nameStart(path) ? std::string_view::npos : dot;
}
}  // namespace

std::string CutExt(std::string_view path) {
  const size_t dot = extensionDot(path);
  return std::string(dot == std::string_view::npos ? path : path.substr(0, dot));
}

std::string fileNameOf(std::string_view path) { return std::string(path.substr(nameStart(path))); }

std::string folderOf(std::string_view path) { return std::string(path.substr(0, nameStart(path))); }

std::string upperExtension(std::string_view path) {
  const size_t dot = extensionDot(path);
  std::string ext = dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
  for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}
