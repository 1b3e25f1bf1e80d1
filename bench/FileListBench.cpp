// Times the main window's file list: 40,000 files added and shown (the list
// refilled, then refilled again with its last row selected), and 10,000 files
// removed at once while a screen reader has read every row. The windows are
// real, on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <QAccessible>
#include <QApplication>
#include <QListWidget>
#include <cstdio>

#include "Measure.h"
#include "core/app/AppState.h"
#include "core/frame/Session.h"
#include "gui/app/MainWindow.h"

namespace {

constexpr int kRounds = 5;

QStringList Files(int count) {
  QStringList files;
  for (int i = 0; i < count; ++i) files << QString("/media/a long folder name/file %1.mp4").arg(i);
  return files;
}

Usage AddAndShow(MainWindow& main, const QStringList& files) {
  Session::RemoveAllFiles();
  return Measure([&] {
    Session::AppendFiles(files);
    main.fileList->setCurrentRow(main.fileList->count() - 1);
    Session::RefreshFileList();
  });
}

Usage RemoveAllWhileRead(MainWindow& main, const QStringList& files) {
  Session::RemoveAllFiles();
  Session::AppendFiles(files);
  main.fileList->setCurrentRow(files.size() / 2);
  QAccessible::setActive(true);
  const QAccessible::UpdateHandler previous =
      QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(main.fileList);
  for (int i = 0; list && i < list->childCount(); ++i) list->child(i);
  const Usage usage = Measure([] { Session::RemoveAllFiles(); });
  QAccessible::installUpdateHandler(previous);
  QAccessible::setActive(false);
  return usage;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  AppState state;
  MainWindow main;
  main.show();
  QApplication::processEvents();

  const QStringList many = Files(40000);
  const QStringList read = Files(10000);
  Usage added;
  Usage removed;
  for (int round = 0; round < kRounds; ++round) {
    added += AddAndShow(main, many);
    removed += RemoveAllWhileRead(main, read);
  }
  if (main.fileList->count() != 0 || Session::FileCount() != 0) {
    std::fprintf(stderr, "the list was not emptied\n");
    return 1;
  }
  std::printf("40000 files added and shown: %.1f ms wall, %.1f ms cpu (mean of %d)\n",
              1000 * added.wallSeconds / kRounds, 1000 * added.ownCpuSeconds / kRounds, kRounds);
  std::printf("10000 read files removed:    %.1f ms wall, %.1f ms cpu (mean of %d)\n",
              1000 * removed.wallSeconds / kRounds, 1000 * removed.ownCpuSeconds / kRounds,
              kRounds);
  return 0;
}
