// The desktop program: the main window over the core. "marrowby FILE" reads FILE at start-up.
#include <QApplication>
#include <QFile>
#include <csignal>

#include "app/app.h"
#include "gui/tf_main.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  // A FIFO chosen as an output whose reader goes away must fail the write, not end the program.
  std::signal(SIGPIPE, SIG_IGN);
  // Qt has taken its own options out of the arguments by now.
  std::vector<std::string> args;
  const QStringList all = QApplication::arguments();
  for (qsizetype i = 1; i < all.size(); ++i) args.push_back(QFile::encodeName(all[i]).toStdString());
  TfMain window(std::move(args), QFile::encodeName(QApplication::applicationDirPath()).toStdString());
  window.show();
  return QApplication::exec();
}
