// The window over a video file with two subtitle tracks: the user picks one, and the title
// and the log name the file and the track.
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "support/container_files.h"
#include "window_fixture.h"

TEST_F(Window, ADroppedVideoFileAsksForItsTrackAndNamesItInTheTitle) {
  if (const std::string missing = containerToolsMissing(); !missing.empty()) GTEST_SKIP() << missing;
  const std::string video = dir.file("film.mkv");
  ASSERT_TRUE(runQuietly("ffmpeg -v error -y -copyts -i '" + samplePath("pgs/sintel-en.sup") + "' -i '" +
                         samplePath("pgs/suptitles-example.sup") +
                         "' -map 0 -map 1 -c:s copy -metadata:s:s:1 language=fre '" + video + "'"));
  TfMain& w = open();
  // The dialog as the user meets it: what it lists, then the row chosen (none: Cancel).
  std::vector<std::vector<std::string>> asked;
  std::optional<int> row;
  QTimer watch;  // answers the dialog once it shows
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    auto* list = dialog ? dialog->findChild<QListWidget*>(QStringLiteral("lbTracks")) : nullptr;
    if (!list) return;
    std::vector<std::string> lines;
    for (int i = 0; i < list->count(); ++i) lines.push_back(list->item(i)->text().toStdString());
    asked.push_back(lines);
    if (!row) return dialog->reject();
    list->setCurrentRow(*row);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  watch.start(10);
  auto drop = [&] {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(video))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  };
  drop();  // the question is cancelled
  const std::vector<std::string> lines = {"0: Blu-ray (PGS)", "1: fre, Blu-ray (PGS)"};
  EXPECT_EQ(asked, std::vector<std::vector<std::string>>{lines});
  EXPECT_TRUE(w.app().subs.empty());
  EXPECT_EQ(w.windowTitle().toStdString(), programCaption());

  row = 1;
  drop();
  EXPECT_EQ(w.app().subs.size(), 3u);
  EXPECT_EQ(w.windowTitle().toStdString(), programCaption() + " - film.mkv, track 1");
  const std::vector<std::string> log = logLines(w.app());
  EXPECT_NE(std::find(log.begin(), log.end(), "Track 1 of film.mkv: fre, Blu-ray (PGS)"), log.end());
}
