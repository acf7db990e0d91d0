// Opens the main window on a file, as "marrowby FILE" does (an SRT file as if dropped on it),
// and saves a picture of each page.
// Usage: marrowby_screenshots OUTDIR WIDTH HEIGHT [FILE]
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QThread>
#include <cstdio>

#include "app/subtitle_selector.h"
#include "model/file_names.h"
#include "app/stream_loading.h"
#include "app/ocr_commands.h"
#include "gui/tf_main.h"

namespace {
void settle() {
  for (int i = 0; i < 20; ++i) {
    QCoreApplication::processEvents();
    QThread::msleep(10);
  }
}
}  // namespace

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  const QStringList a = QApplication::arguments();
  if (a.size() < 4) {
    std::fprintf(stderr, "usage: marrowby_screenshots OUTDIR WIDTH HEIGHT [FILE]\n");
    return 2;
  }
  const QDir out(a[1]);
  std::vector<std::string> args;
  if (a.size() > 4) args.push_back(QFile::encodeName(a[4]).toStdString());
  // The command line reads streams; an SRT file is imported as a dropped one is, once the
  // letter sheet is loaded.
  const bool srt = !args.empty() && upperExtension(args[0]) == ".SRT";
  TfMain window(srt ? std::vector<std::string>{} : args,
                QFile::encodeName(QApplication::applicationDirPath()).toStdString());
  window.show();
  settle();
  if (srt) window.run([&args](App& app) { filesDropped(app, args); });
  settle();
  window.resize(a[2].toInt(), a[3].toInt());
  settle();
  const auto save = [&](QWidget& widget, const char* name) {
    const QString file = out.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    if (widget.grab().save(file)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
  };
  const char* pages[] = {"1-status", "2-srt", "3-image", "4-options", "5-about"};
  for (int page = 0; page < 5; ++page) {
    window.run([page](App& app) { app.ui.PageControl.activePage = page; });
    settle();
    if (!save(window, pages[page])) return 1;
  }
  // The "Image" page once more with the picture at its real size.
  window.run([](App& app) {
    app.ui.PageControl.activePage = pgImage;
    app.ui.cbFit.checked = false;
  });
  settle();
  if (!save(window, "6-image-real-size")) return 1;
  // The "Recent files" menu of the "..." button, opened.
  if (auto* menu = window.findChild<QMenu*>(QStringLiteral("recentFiles"))) {
    menu->popup(window.mapToGlobal(QPoint(window.width() / 2, 40)));
    settle();
    const bool saved = save(*menu, "7-recent-files");
    menu->hide();
    if (!saved) return 1;
  }
  // The "Image" page after "OCR" read the subtitle shown, with the options as stored.
  window.run([](App& app) {
    app.ui.cbFit.checked = true;
    bOCRClick(app);
  });
  settle();
  if (!save(window, "8-image-ocr")) return 1;
  window.app().busy = false;
  return 0;
}
