#pragma once
// Elements of EBML, the layout of Matroska files: a variable-length ID, a variable-length
// size and the data. They are read through the checked stream reader, and every element is
// kept inside its parent: a size reaching beyond the parent (a cut file) ends at the parent's
// end, as does an element of unknown size.
#include <cstdint>
#include <span>
#include <string>

#include "readers/stream_file.h"

struct EbmlElement {
  uint32_t id = 0;
  uint64_t pos = 0;   // of its ID
  uint64_t data = 0;  // of its data
  uint64_t end = 0;   // one past its data
  bool unknownSize = false;
  bool cut = false;  // its size reaches beyond its parent
  uint64_t size() const { return end - data; }
};

// A variable-length number: its value without the length marker, and its length in bytes.
struct EbmlNumber {
  uint64_t value = 0;
  unsigned length = 0;
  bool allOnes = false;  // every value bit set: "unknown" where it is a size
};

// The number at pos, which must end before limit; throws ContainerError when it does not or
// is longer than eight bytes.
EbmlNumber readEbmlNumber(const StreamFile& f, uint64_t pos, uint64_t limit);
// The element starting at pos inside a parent that ends at limit; throws ContainerError when
// its header does not fit there or is not valid.
EbmlElement readElement(const StreamFile& f, uint64_t pos, uint64_t limit);

// Data of an element read as an unsigned number (at most eight bytes), text (up to a zero byte)
// or bytes.
uint64_t ebmlUnsigned(const StreamFile& f, const EbmlElement& e);
std::string ebmlString(const StreamFile& f, const EbmlElement& e);
std::span<const uint8_t> ebmlBytes(const StreamFile& f, const EbmlElement& e);

template <class Visit>
void forEachChild(const StreamFile& f, const EbmlElement& parent, Visit visit) {
  for (uint64_t p = parent.data; p < parent.end;) {
    const EbmlElement e = readElement(f, p, parent.end);
    visit(e);
    p = e.end;
  }
}
