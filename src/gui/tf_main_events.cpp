// The window's life: mirroring the model, running commands, start-up at the first
// activation, closing, and files dropped on it.
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QUrl>
#include <exception>

#include "model/file_error.h"
#include "app/startup.h"
#include "app/window_commands.h"
#include "gui/log_view.h"
#include "gui/qt_text.h"
#include "gui/settings_store_qt.h"
#include "gui/status_panels.h"
#include "gui/tf_main.h"
#include "app/stream_loading.h"

namespace {
constexpr int kMinimised = 1;
constexpr int kMaximised = 2;
}  // namespace

void TfMain::mirror() {
  if (mirroring_) return;
  mirroring_ = true;
  followBusyFocus(false);
  for (const auto& m : mirrors_) m();
  followBusyFocus(true);
  reMessage_->sync(app_.messages);
  StatusBar_->show(app_.statusBar);
  updateTitle();
  mirroring_ = false;
}

void TfMain::followBusyFocus(bool mirrored) {
  if (!mirrored) {
    // Taken away before the controls are disabled: a disabled control passes its focus on to
    // the next one in line, which may be the file box with its path selected for typing over.
    if (app_.busy && !wasBusy_) {
      wasBusy_ = true;
      focusBeforeBusy_ = focusWidget();
      if (focusBeforeBusy_) focusBeforeBusy_->clearFocus();
    }
    return;
  }
  if (app_.busy) {
    // Once the pages show the log, it takes the keys: they only scroll it.
    if (!focusWidget() && reMessage_->isVisible()) reMessage_->setFocus();
  } else if (wasBusy_) {
    wasBusy_ = false;
    if (focusBeforeBusy_ && focusBeforeBusy_->isEnabled() && focusBeforeBusy_->isVisible()) focusBeforeBusy_->setFocus();
    focusBeforeBusy_ = nullptr;
  }
}

void TfMain::mirrorNow() {
  mirror();
  StatusBar_->repaint();
  reMessage_->viewport()->repaint();
}

void TfMain::updateTitle() {
  // The task-bar text of a long operation ("Marrowby - 25%") is the window's title while it
  // runs; otherwise the window shows its caption.
  QString title;
  if (app_.busy && app_.appTitle != kProgramName) title = toQt(app_.appTitle);
  else title = app_.caption.empty() ? QString::fromLatin1(kProgramName) : toQt(app_.caption);
  if (windowTitle() != title) setWindowTitle(title);
}

int TfMain::statusTextWidth(const QString& text) const { return StatusBar_->textWidth(text); }

void TfMain::run(const Command& command) {
  try {
    command(app_);
  } catch (const FileError& e) {
    app_.erlog(e.what());
  } catch (const std::exception& e) {
    // Nothing the core throws besides file errors is expected here; the window must stay.
    app_.erlog(e.what());
  }
  mirror();
}

void TfMain::startUpOnce() {
  if (app_.started) return;
  run([this](App& app) {
    QtSettingsStore store;
    startUp(app, args_, programFolder_, store);
  });
  applyPlacement();
  mirror();
}

void TfMain::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (shown_) return;
  shown_ = true;
  setAcceptDrops(true);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  // Some platforms never activate a window that is not on a desktop (offscreen, a tiling
  // setup); start-up must not wait for an activation that does not come.
  QMetaObject::invokeMethod(this, [this] { startUpOnce(); }, Qt::QueuedConnection);
}

void TfMain::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) startUpOnce();
}

void TfMain::applyPlacement() {
  const WindowPlacement& w = app_.ui.window;
  QRect bounds(w.left, w.top, std::max(w.width, minimumSizeHint().width()),
               std::max(w.height, minimumSizeHint().height()));
  // A window stored on a screen that is gone comes back on the primary screen.
  bool onScreen = false;
  for (const QScreen* s : QGuiApplication::screens()) onScreen |= s->availableGeometry().intersects(bounds);
  if (!onScreen && QGuiApplication::primaryScreen()) {
    bounds.moveCenter(QGuiApplication::primaryScreen()->availableGeometry().center());
  }
  setGeometry(bounds);
  const int sub = std::max(w.subHeight, 40);
  const int total = spImage_->height() > sub ? spImage_->height() : sub * 4;
  spImage_->setSizes({total - sub, sub});
  if (w.windowState == kMaximised) showMaximized();
  else if (w.windowState == kMinimised) showMinimized();
}

void TfMain::capturePlacement() {
  WindowPlacement& w = app_.ui.window;
  w.windowState = isMaximized() ? kMaximised : isMinimized() ? kMinimised : 0;
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  w.left = normal.left();
  w.top = normal.top();
  w.width = normal.width();
  w.height = normal.height();
  const QList<int> sizes = spImage_->sizes();
  if (sizes.size() == 2 && sizes[1] > 0) w.subHeight = sizes[1];
}

void TfMain::closeEvent(QCloseEvent* e) {
  // A number typed into an option box and not yet confirmed is taken as leaving the box takes it.
  if (!app_.busy)
    if (QWidget* f = focusWidget()) f->clearFocus();
  if (!FormCloseQuery(app_)) {
    e->ignore();
    mirror();
    return;
  }
  capturePlacement();
  {
    QtSettingsStore store;
    shutDown(app_, store);
  }
  e->accept();
}

namespace {
std::vector<std::string> droppedFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(pathFromQt(url.toLocalFile()));
  return paths;
}
}  // namespace

bool TfMain::fileDragEvent(QEvent* e) {
  auto* drag = static_cast<QDropEvent*>(e);
  const std::vector<std::string> paths = droppedFiles(drag->mimeData());
  // A drop during a long operation would start a read in the middle of it.
  if (paths.empty() || app_.busy) {
    e->ignore();
    return e->type() == QEvent::Drop;
  }
  drag->acceptProposedAction();
  if (e->type() == QEvent::Drop) run([paths](App& app) { filesDropped(app, paths); });
  return true;
}

void TfMain::dragEnterEvent(QDragEnterEvent* e) { fileDragEvent(e); }
void TfMain::dragMoveEvent(QDragMoveEvent* e) { fileDragEvent(e); }
void TfMain::dropEvent(QDropEvent* e) { fileDragEvent(e); }
