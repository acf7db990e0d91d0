#pragma once
// The characters of a text file whose encoding nobody stated: UTF-8 with or without a
// byte-order mark, UTF-16 with one (or, without one, recognised by its zero bytes), and
// Windows-1252 for bytes that are not valid UTF-8.
#include <string>
#include <string_view>

enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Windows1252 };

struct DecodedText {
  std::u32string text;  // without the byte-order mark
  TextEncoding encoding = TextEncoding::Utf8;
};

DecodedText decodeText(std::string_view bytes);
// The encoding's name as the log shows it.
const char* encodingName(TextEncoding encoding);
