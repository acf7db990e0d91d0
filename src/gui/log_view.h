#pragma once
// The message log reMessage: shows the lines of styled runs of the core's log and follows the
// last line. It appends only what it has not shown yet, so a log of tens of thousands of lines
// costs nothing between commands.
#include <QPlainTextEdit>

#include "app/message_log.h"

class LogView : public QPlainTextEdit {
 public:
  explicit LogView(QWidget* parent = nullptr);
  // Brings the view up to date with the log.
  void sync(const MessageLog& log);

 private:
  void writeRuns(QTextCursor& cursor, const LogLine& line);

  uint64_t shownRevision_ = ~uint64_t(0);
  uint64_t shownClears_ = 0;
  size_t shownLines_ = 0;
};
