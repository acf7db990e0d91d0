#pragma once
// Windows bitmap files: the background picture of the display and the BMP picture files.
#include <string>

#include "render/work_images.h"

// Copies the bitmap file at path into the top-left corner of picture, cut to the picture's
// size; pixels it does not cover keep their value. Reads 1, 4, 8, 24 and 32 bits per pixel,
// uncompressed, bottom-up or top-down. Throws FileError when the file cannot be opened, is
// not such a bitmap or is shorter than its header says.
void loadBmpInto(const std::string& path, Plane<Rgb>& picture);

// Writes picture as a 24-bit bitmap file (written completely or not at all); throws FileError.
void writeBmp(const std::string& path, const Plane<Rgb>& picture);
