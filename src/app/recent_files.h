#pragma once
// The "..." button's menu of the streams and SRT files read last.
#include <string>

struct Controls;

// Puts the path first; an older entry of the same path goes, and the oldest falls off the end.
void rememberFile(Controls& ui, const std::string& path);
// Takes an entry out of the menu (its file is gone); the later ones move up.
void forgetFile(Controls& ui, size_t index);
