#pragma once
// The key rule of the digit-only boxes (TIntEdit, THexEdit): a character key the box does not
// accept is discarded with the warning beep. Keys that type no character (arrows, Delete,
// Tab) and shortcuts such as Ctrl+C pass, as they would in any edit box.
#include <QObject>
#include <functional>

class Host;

class KeyFilter : public QObject {
 public:
  KeyFilter(bool (*accepts)(char), Host& host, QObject* parent);
  // Up and Down in the box, for a box that steps a value (the subtitle selector).
  std::function<void(int step)> onStep;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool (*accepts_)(char);
  Host& host_;
};
