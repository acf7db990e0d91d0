#pragma once
// The page control with tabs it draws itself: captions in dark blue for the active page and
// a muted blue-grey otherwise, and an orange bar over the active tab.
#include <QTabBar>
#include <QTabWidget>

class PageTabs : public QTabBar {
 public:
  explicit PageTabs(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent*) override;
  QSize tabSizeHint(int index) const override;
};

class PageControl : public QTabWidget {
 public:
  explicit PageControl(QWidget* parent = nullptr);
};
