#pragma once
// The question which subtitle track of a video file to read: every track on its own line, so
// that the user compares them at a glance.
#include <optional>
#include <string>
#include <vector>

class QWidget;

// The chosen line; no value when the user cancels.
std::optional<size_t> askForTrack(QWidget* parent, const std::string& fileName, const std::vector<std::string>& lines);
