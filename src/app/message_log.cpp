#include "app/message_log.h"

#include <cctype>

LogStyle tagStyle(std::string_view name) {
  LogStyle s;
  if (name == "b") s.bold = true;
  else if (name == "i") s.italic = true;
  else if (name == "u") s.underline = true;
  else if (name == "s1") s.size = 10;
  else if (name == "s2") s.size = 12;
  else if (name == "bl") s.color = 0xFF0000;
  else if (name == "re") s.color = 0x0000FF;
  else if (name.substr(0, 2) == "c:") {
    uint32_t v = 0;
    for (char c : name.substr(2)) {
      const int u = std::toupper(static_cast<unsigned char>(c));
      if (u >= '0' && u <= '9') v = v * 16 + uint32_t(u - '0');
      else if (u >= 'A' && u <= 'F') v = v * 16 + uint32_t(u - 'A' + 10);
    }
    s.color = v;
  }
  return s;
}

namespace {
void addRun(LogLine& line, std::string_view text, const LogStyle& style) {
  if (text.empty()) return;
  line.text += text;
  if (!line.runs.empty() && line.runs.back().style == style) line.runs.back().text += text;
  else line.runs.push_back({std::string(text), style});
}

// Appends the markup of `text` to `line`. Inside a tag pair (`inner` set) every run takes the
// pair's style: tags do not nest, but tags inside a pair are still taken out of the text.
void parseInto(LogLine& line, std::string_view text, const LogStyle* inner) {
  const LogStyle plain;
  size_t i = 0;
  while (i < text.size()) {
    size_t open = text.find('[', i);
    size_t close = std::string_view::npos;
    size_t end = std::string_view::npos;
    std::string_view name;
    // Find the first "[name]" that has a matching "[/name]" further on.
    while (open != std::string_view::npos) {
      close = text.find(']', open + 1);
      if (close == std::string_view::npos) {
        open = std::string_view::npos;
        break;
      }
      const size_t nextOpen = text.find('[', open + 1);
      if (nextOpen < close) {  // "[a[b]": the first bracket is plain text
        open = nextOpen;
        continue;
      }
      name = text.substr(open + 1, close - open - 1);
      end = text.find("[/" + std::string(name) + "]", close + 1);
      if (end != std::string_view::npos) break;
      open = text.find('[', open + 1);
    }
    if (open == std::string_view::npos) {
      addRun(line, text.substr(i), inner ? *inner : plain);
      return;
    }
    addRun(line, text.substr(i, open - i), inner ? *inner : plain);
    const LogStyle style = inner ? *inner : tagStyle(name);
    parseInto(line, text.substr(close + 1, end - close - 1), &style);
    i = end + name.size() + 3;
  }
}
}  // namespace

LogLine parseMarkup(std::string_view text) {
  LogLine line;
  parseInto(line, text, nullptr);
  return line;
}

void MessageLog::replaceLast(std::string_view plain) {
  LogLine line;
  addRun(line, plain, LogStyle{});
  if (lines_.empty()) lines_.push_back(std::move(line));
  else lines_.back() = std::move(line);
  ++revision_;
}

std::string MessageLog::plainText() const {
  std::string out;
  for (const LogLine& l : lines_) {
    out += l.text;
    out += '\n';
  }
  return out;
}
