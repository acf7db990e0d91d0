// The log's markup parser on any text: it must end, and keep every character that is not
// part of a tag pair.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/message_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const LogLine line = parseMarkup(text);
  size_t total = 0;
  for (const LogRun& r : line.runs) total += r.text.size();
  if (total != line.text.size() || line.text.size() > text.size()) std::abort();
  return 0;
}
