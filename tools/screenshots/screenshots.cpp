// Opens the main window on a file, as "marrowby FILE" does (an SRT file as if dropped on it),
// and saves a picture of each page.
// Usage: marrowby_screenshots OUTDIR WIDTH HEIGHT [FILE]
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <cstdio>

#include "app/subtitle_selector.h"
#include "model/file_names.h"
#include "readers/stream_loading.h"
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
  const char* pages[] = {"1-status", "2-srt", "3-image", "4-options", "5-about"};
  for (int page = 0; page < 5; ++page) {
    window.run([page](App& app) { app.ui.PageControl.activePage = page; });
    settle();
    const QString file = out.filePath(QString::fromLatin1(pages[page]) + QStringLiteral(".png"));
    if (!window.grab().save(file)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  window.app().busy = false;
  return 0;
}
