#include "gui/option_groups.h"

#include <QResizeEvent>
#include <algorithm>

namespace {
constexpr int kMargin = 8;
constexpr int kSpacing = 8;
}  // namespace

OptionGroups::OptionGroups() : grid_(new QGridLayout(this)) {
  grid_->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  grid_->setSpacing(kSpacing);
}

void OptionGroups::setGroups(std::vector<QWidget*> groups) {
  groups_ = std::move(groups);
  arrange(2);
}

int OptionGroups::twoColumnWidth() const {
  int left = 0;
  int right = 0;
  for (size_t i = 0; i < groups_.size(); ++i) {
    int& column = i % 2 == 0 ? left : right;
    column = std::max(column, groups_[i]->minimumSizeHint().width());
  }
  return left + right + kSpacing + 2 * kMargin;
}

void OptionGroups::arrange(int columns) {
  if (columns == columns_) return;
  columns_ = columns;
  for (QWidget* g : groups_) grid_->removeWidget(g);
  for (int r = 0; r < grid_->rowCount(); ++r) grid_->setRowStretch(r, 0);
  for (size_t i = 0; i < groups_.size(); ++i)
    grid_->addWidget(groups_[i], int(i) / columns, int(i) % columns);
  grid_->setRowStretch(int(groups_.size() + 1) / columns, 1);
  grid_->setColumnStretch(0, 1);
  grid_->setColumnStretch(1, columns == 2 ? 1 : 0);
  // The page's own minimum is what one column needs, so it never forces a wide window.
  int single = 0;
  for (QWidget* g : groups_) single = std::max(single, g->minimumSizeHint().width());
  setMinimumWidth(single + 2 * kMargin);
}

void OptionGroups::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  arrange(e->size().width() >= twoColumnWidth() ? 2 : 1);
}
