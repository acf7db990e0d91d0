#include "gui/track_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/qt_text.h"

std::optional<size_t> askForTrack(QWidget* parent, const std::string& fileName, const std::vector<std::string>& lines) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Subtitle tracks"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(toQt(fileName + " holds several subtitle tracks. Read which one?"), &dialog));
  auto* list = new QListWidget(&dialog);
  list->setObjectName(QStringLiteral("lbTracks"));
  for (const std::string& l : lines) list->addItem(toQt(l));
  list->setCurrentRow(0);
  list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() + 24);
  list->setFixedHeight(list->sizeHintForRow(0) * int(std::min<size_t>(lines.size(), 12)) + 2 * list->frameWidth());
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0) return std::nullopt;
  return size_t(list->currentRow());
}
