#include "gui/qt_host.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "gui/qt_text.h"
#include "gui/tf_main.h"
#include "gui/track_dialog.h"

void QtHost::pump() {
  window_.mirror();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtHost::repaint() { window_.mirrorNow(); }

bool QtHost::askYesNo(const std::string& question) {
  window_.mirror();
  if (answerQuestion) return answerQuestion(question);
  return QMessageBox::question(&window_, QStringLiteral("Marrowby"), toQt(question),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void QtHost::beep() {
  ++beeps;
  QApplication::beep();
}

void QtHost::setTitle(const std::string&) { window_.updateTitle(); }

int QtHost::statusTextWidth(const std::string& text) { return window_.statusTextWidth(toQt(text)); }

std::optional<std::string> QtHost::openFile(const std::string& title, const std::string& filter,
                                            const std::string& initialDir) {
  if (answerDialog) return answerDialog(title);
  const QString chosen = QFileDialog::getOpenFileName(&window_, toQt(title), pathToQt(initialDir),
                                                      dialogFilterToQt(filter));
  if (chosen.isEmpty()) return std::nullopt;
  return pathFromQt(chosen);
}

std::optional<std::string> QtHost::saveFile(const std::string& title, const std::string& filter,
                                            const std::string& defaultExt, const std::string& proposedName,
                                            const std::string& initialDir) {
  if (answerDialog) return answerDialog(title);
  QFileDialog dialog(&window_, toQt(title), pathToQt(initialDir), dialogFilterToQt(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QString::fromStdString(defaultExt).remove(QLatin1Char('.')));
  if (!proposedName.empty()) dialog.selectFile(pathToQt(proposedName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return pathFromQt(dialog.selectedFiles().front());
}

std::optional<std::string> QtHost::pickFolder(const std::string& title, const std::string& start) {
  if (answerDialog) return answerDialog(title);
  const QString chosen = QFileDialog::getExistingDirectory(&window_, toQt(title), pathToQt(start));
  if (chosen.isEmpty()) return std::nullopt;
  return pathFromQt(chosen);
}

std::optional<size_t> QtHost::chooseTrack(const std::string& fileName, const std::vector<SubtitleTrack>& tracks) {
  window_.mirror();
  std::vector<std::string> lines;
  for (const SubtitleTrack& t : tracks) lines.push_back(describeTrack(t));
  return askForTrack(&window_, fileName, lines);
}
