#include "gui/log_view.h"

#include <QScrollBar>
#include <QTextBlock>

#include "gui/qt_text.h"

namespace {
constexpr double kDefaultLogPoints = 8.0;  // the size the log's markup is measured against

QColor packedColor(uint32_t c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
}  // namespace

LogView::LogView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setUndoRedoEnabled(false);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void LogView::writeRuns(QTextCursor& cursor, const LogLine& line) {
  const double base = font().pointSizeF() > 0 ? font().pointSizeF() : kDefaultLogPoints;
  for (const LogRun& run : line.runs) {
    QTextCharFormat f;
    f.setFontWeight(run.style.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(run.style.italic);
    f.setFontUnderline(run.style.underline);
    // Sizes keep their proportion to the log's 8 points, whatever the window's font is.
    f.setFontPointSize(base * run.style.size / kDefaultLogPoints);
    if (run.style.color) f.setForeground(packedColor(*run.style.color));
    cursor.insertText(logTextToQt(run.text), f);
  }
}

void LogView::sync(const MessageLog& log) {
  if (log.revision() == shownRevision_) return;
  const auto& lines = log.lines();
  if (log.clears() != shownClears_ || lines.size() < shownLines_) {
    clear();
    shownLines_ = 0;
    shownClears_ = log.clears();
  }
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  // The last line shown may have been replaced since (logn), so it is written again.
  if (shownLines_ > 0) {
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.setCharFormat(QTextCharFormat());
    writeRuns(cursor, lines[shownLines_ - 1]);
  }
  for (size_t i = shownLines_; i < lines.size(); ++i) {
    cursor.movePosition(QTextCursor::End);
    if (i > 0) cursor.insertBlock();
    writeRuns(cursor, lines[i]);
  }
  cursor.endEditBlock();
  const bool grew = lines.size() != shownLines_;
  shownLines_ = lines.size();
  shownRevision_ = log.revision();
  if (grew) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}
