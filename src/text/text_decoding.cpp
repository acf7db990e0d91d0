#include "text/text_decoding.h"

#include <algorithm>
#include <optional>

#include "text/cp1252.h"
#include "text/utf8.h"

namespace {
constexpr char32_t kReplacement = 0xFFFD;
// UTF-16 without a byte-order mark is told by the zero bytes of its ASCII characters; this
// many bytes from the start are enough to see them.
constexpr size_t kSniffLength = 1024;

std::optional<std::u32string> strictUtf8(std::string_view bytes) {
  std::u32string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const auto cp = nextUtf8(bytes, i);
    if (!cp) return std::nullopt;
    out += *cp;
  }
  return out;
}

// Unpaired surrogates and an odd last byte become the replacement character, so that
// what cannot be read still shows up as a character the log names.
std::u32string utf16(std::string_view bytes, bool bigEndian) {
  const auto unit = [&](size_t i) {
    const auto a = (unsigned char)bytes[i], b = (unsigned char)bytes[i + 1];
    return char32_t(bigEndian ? a << 8 | b : b << 8 | a);
  };
  std::u32string out;
  out.reserve(bytes.size() / 2);
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const char32_t u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        out += 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
        continue;
      }
    }
    out += u >= 0xD800 && u < 0xE000 ? kReplacement : u;
  }
  if (i < bytes.size()) out += kReplacement;
  return out;
}

// Which half of each pair holds the zeros of ASCII characters: none of a text file's own
// characters is a zero byte.
std::optional<TextEncoding> utf16WithoutMark(std::string_view bytes) {
  const std::string_view head = bytes.substr(0, std::min(bytes.size(), kSniffLength) & ~size_t(1));
  size_t evenZeros = 0, oddZeros = 0;
  for (size_t i = 0; i < head.size(); ++i)
    if (head[i] == 0) ++(i % 2 ? oddZeros : evenZeros);
  const size_t pairs = head.size() / 2;
  if (pairs == 0) return std::nullopt;
  if (oddZeros * 2 > pairs && evenZeros == 0) return TextEncoding::Utf16LE;
  if (evenZeros * 2 > pairs && oddZeros == 0) return TextEncoding::Utf16BE;
  return std::nullopt;
}
}  // namespace

DecodedText decodeText(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    bytes.remove_prefix(3);
    if (auto text = strictUtf8(bytes)) return {std::move(*text), TextEncoding::Utf8Bom};
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    const bool big = bytes[0] == '\xFE';
    return {utf16(bytes.substr(2), big), big ? TextEncoding::Utf16BE : TextEncoding::Utf16LE};
  } else if (const auto order = utf16WithoutMark(bytes)) {
    return {utf16(bytes, *order == TextEncoding::Utf16BE), *order};
  } else if (auto text = strictUtf8(bytes)) {
    return {std::move(*text), TextEncoding::Utf8};
  }
  // Not UTF-8 (a byte-order mark followed by invalid UTF-8 is taken as a stray one).
  DecodedText out{{}, TextEncoding::Windows1252};
  out.text.reserve(bytes.size());
  for (char c : bytes) out.text += cp1252ToUnicode((unsigned char)c);
  return out;
}

const char* encodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return "UTF-8";
    case TextEncoding::Utf8Bom:
      return "UTF-8 with byte-order mark";
    case TextEncoding::Utf16LE:
      return "UTF-16 little-endian";
    case TextEncoding::Utf16BE:
      return "UTF-16 big-endian";
    case TextEncoding::Windows1252:
      break;
  }
  return "Windows-1252";
}
