#pragma once
// The two-panel status bar: panel 0 the state or the red "ERROR" marker, panel 1 the detail.
#include <QWidget>

#include "app/status_bar.h"

class StatusPanels : public QWidget {
 public:
  explicit StatusPanels(QWidget* parent = nullptr);
  void show(const StatusBar& bar);
  // Pixel width of a panel text in the bar's font.
  int textWidth(const QString& text) const;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  StatusBar bar_;
};
