#include "readers/ebml.h"

#include <bit>

#include "readers/container.h"

namespace {
constexpr unsigned kMaxIdLength = 4;
constexpr unsigned kMaxNumberLength = 8;

[[noreturn]] void damaged() { throw ContainerError("Damaged Matroska file."); }
}  // namespace

EbmlNumber readEbmlNumber(const StreamFile& f, uint64_t pos, uint64_t limit) {
  if (pos >= limit) damaged();
  const uint8_t first = f.byteAt(pos);
  const unsigned length = unsigned(std::countl_zero(first)) + 1;
  if (length > kMaxNumberLength || limit - pos < length) damaged();
  const auto bytes = f.at(pos, length);
  EbmlNumber n;
  n.length = length;
  n.value = first & (0xFFu >> length);
  for (unsigned i = 1; i < length; ++i) n.value = n.value << 8 | bytes[i];
  n.allOnes = n.value == (uint64_t(1) << (7 * length)) - 1;
  return n;
}

EbmlElement readElement(const StreamFile& f, uint64_t pos, uint64_t limit) {
  const EbmlNumber id = readEbmlNumber(f, pos, limit);
  if (id.length > kMaxIdLength) damaged();
  EbmlElement e;
  e.pos = pos;
  // IDs are written with their length marker, as the format's tables give them.
  e.id = uint32_t(id.value | uint64_t(1) << (7 * id.length));
  const EbmlNumber size = readEbmlNumber(f, pos + id.length, limit);
  e.data = pos + id.length + size.length;
  e.unknownSize = size.allOnes;
  e.cut = !e.unknownSize && size.value > limit - e.data;
  e.end = e.unknownSize || e.cut ? limit : e.data + size.value;
  return e;
}

uint64_t ebmlUnsigned(const StreamFile& f, const EbmlElement& e) {
  if (e.size() > kMaxNumberLength) damaged();
  uint64_t v = 0;
  for (const uint8_t b : f.at(e.data, e.size())) v = v << 8 | b;
  return v;
}

std::string ebmlString(const StreamFile& f, const EbmlElement& e) {
  const auto bytes = f.at(e.data, e.size());
  std::string s(bytes.begin(), bytes.end());
  return s.substr(0, s.find('\0'));
}

std::span<const uint8_t> ebmlBytes(const StreamFile& f, const EbmlElement& e) { return f.at(e.data, e.size()); }
