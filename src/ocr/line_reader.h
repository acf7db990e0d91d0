#pragma once
// A recognition engine that reads one line picture at a time and answers with words.
#include <string>
#include <vector>

#include "ocr/line_pictures.h"

// A word as the engine read it: its text in UTF-8 and its first and last column in the
// line's picture.
struct WordBox {
  std::string text;
  int left = 0;
  int right = 0;
};

class LineReader {
 public:
  virtual ~LineReader() = default;
  // The words of the line, left to right; none when it reads nothing.
  virtual std::vector<WordBox> readLine(const LinePicture& line) = 0;
};
