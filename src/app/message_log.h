#pragma once
// The message log as data: lines of styled runs, built from texts with inline markup
// such as "[re]timeout[/re]". The window only displays what is here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct LogStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::optional<uint32_t> color;  // packed colour, red in the low byte; none = default text colour
  int size = 8;                   // points

  bool operator==(const LogStyle&) const = default;
};

struct LogRun {
  std::string text;
  LogStyle style;
};

struct LogLine {
  std::string text;  // the plain line
  std::vector<LogRun> runs;
};

// Splits a marked-up text into runs. A tag is "[name]" closed later by "[/name]"; brackets
// that do not form such a pair are ordinary text, so no character is ever lost.
LogLine parseMarkup(std::string_view text);

// The style a tag name gives its enclosed text.
LogStyle tagStyle(std::string_view name);

class MessageLog {
 public:
  void append(std::string_view markup) {
    lines_.push_back(parseMarkup(markup));
    ++revision_;
  }
  // Replaces the last line by a plain line; on an empty log it appends one.
  void replaceLast(std::string_view plain);
  void clear() {
    lines_.clear();
    ++revision_;
    ++clears_;
  }
  const std::vector<LogLine>& lines() const { return lines_; }
  // The whole log as plain text, one line per line.
  std::string plainText() const;
  // Incremented on every change, so a view can tell what it has not shown yet.
  uint64_t revision() const { return revision_; }
  // Incremented each time the log is emptied, so a view knows to start over.
  uint64_t clears() const { return clears_; }

 private:
  std::vector<LogLine> lines_;
  uint64_t revision_ = 0;
  uint64_t clears_ = 0;
};
