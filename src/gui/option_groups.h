#pragma once
// The groups of the "Options" page, side by side in two columns when the page is wide enough
// for both and one below the other when it is not.
#include <QGridLayout>
#include <QWidget>
#include <vector>

class OptionGroups : public QWidget {
 public:
  OptionGroups();
  void setGroups(std::vector<QWidget*> groups);
  bool hasHeightForWidth() const override { return true; }

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void arrange(int columns);
  int twoColumnWidth() const;

  QGridLayout* grid_;
  std::vector<QWidget*> groups_;
  int columns_ = 0;
};
