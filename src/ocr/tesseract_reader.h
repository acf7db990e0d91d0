#pragma once
// Tesseract as a line reader: each instance loads its language data once and reads one line
// picture at a time, as a single line of text. One instance serves one thread at a time.
#include <memory>
#include <string>

#include "ocr/line_reader.h"

// A Tesseract language setting: one or more codes of letters, digits and "_" joined by "+"
// ("eng", "chi_sim", "eng+fra"). Nothing else reaches the library, which takes the codes as
// parts of file names.
bool validLanguageCode(const std::string& language);
// The Debian packages that hold the language data of a setting ("tesseract-ocr-eng").
std::string languagePackages(const std::string& language);

// A reader for `language`, or null with the reason in `problem`: a sentence for the log that
// names the package to install.
std::unique_ptr<LineReader> openTesseract(const std::string& language, std::string& problem);
