#pragma once
// The one place where texts cross between the core and the widgets. Inside the program texts
// are Windows-1252 bytes; file names are the system's own bytes, which the core opens as
// they stand, so they convert with the file system's encoding instead.
#include <QString>
#include <string>
#include <string_view>
#include <vector>

QString toQt(std::string_view cp1252);
std::string fromQt(const QString& text);
QString pathToQt(const std::string& path);
std::string pathFromQt(const QString& path);
// A log line: Windows-1252, except that a run which is valid UTF-8 with non-ASCII characters
// (a file name the core took from the file system) shows as the name it is.
QString logTextToQt(std::string_view text);
// Lines of a text box, joined with line breaks, and back.
QString linesToQt(const std::vector<std::string>& lines);
std::vector<std::string> linesFromQt(const QString& text);
// The dialog filter of the core ("caption|pattern|caption|pattern") as Qt writes it.
QString dialogFilterToQt(const std::string& filter);
