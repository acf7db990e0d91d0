#pragma once
// The "About" page: what the program is, its version and its change history.
#include <QString>
#include <string>
#include <vector>

std::vector<std::string> aboutLines();
// The lines as the page shows them: the first as a heading, a line ending in ":" as a
// section title, lines starting with "- " as list items.
QString aboutHtml(const std::vector<std::string>& lines);
