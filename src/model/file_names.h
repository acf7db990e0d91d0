#pragma once
// Path pieces in the program's own sense: both '/' and '\' separate folders.
#include <string>
#include <string_view>

// The text without its last extension; a dot inside a folder name is not an extension.
std::string CutExt(std::string_view path);
// The last path component.
std::string fileNameOf(std::string_view path);
// The folder part with its closing separator ("" for a bare file name).
std::string folderOf(std::string_view path);
// The extension of the last component with its dot, in upper case ("" when there is none).
std::string upperExtension(std::string_view path);
