#include <QAccessible>
#include <QCoreApplication>
#include <QFile>
#include <QListWidget>

#include "TestEnv.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/Session.h"
#include "core/ground/ProgramFolder.h"
#include "gui/app/MainWindow.h"

namespace {

using Dialogs::Kind;

class FileListTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    Session::State().FileList.clear();
  }
  void TearDown() override {
    Session::State().FileList.clear();
    TestEnv::TearDown();
  }
  QStringList Lines() const {
    QStringList lines;
    for (int i = 0; i < main_.fileList->count(); ++i) lines << main_.fileList->item(i)->text();
    return lines;
  }
  int Selected() const {
    const QListWidgetItem* item = main_.fileList->currentItem();
    return item && item->isSelected() ? main_.fileList->row(item) : -1;
  }
  void Fill(int count) {
    Session::State().FileList.clear();
    for (int i = 1; i <= count; ++i) Session::State().FileList << QString("/m/f%1.mp4").arg(i);
    Session::RefreshFileList();
  }

  MainWindow main_;
};

TEST_F(FileListTest, AddingAppendsThePicksInOrderAndKeepsDuplicates) {
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, QStringList{"/m/a.mp4", "/m/b.mp4", "/m/c.mp4"})
      .Expect(Kind::OpenFile, QStringList{"/n/a.mp4", "/m/a.mp4"})
      .Expect(Kind::OpenFile, QStringList());
  main_.AddFiles();
  EXPECT_EQ(Session::FileCount(), 3);
  EXPECT_EQ(Lines(), (QStringList{"/m/a.mp4", "/m/b.mp4", "/m/c.mp4"}));
  EXPECT_EQ(Selected(), -1);

  main_.AddFiles();
  main_.AddFiles();  // cancelled
  EXPECT_EQ(Session::State().FileList,
            (QStringList{"/m/a.mp4", "/m/b.mp4", "/m/c.mp4", "/n/a.mp4", "/m/a.mp4"}));
  EXPECT_EQ(Lines(), Session::State().FileList);
  EXPECT_TRUE(dialogs.Shown()[0].multiSelect);
}

TEST_F(FileListTest, TheDialogStartsInTheFolderOfTheLastListedFile) {
  const QString last = Folder() + "/media";
  WriteFile("media/z.mp4", "");
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, QStringList()).Expect(Kind::OpenFile, QStringList());
  DesktopServices::State().LastFolder = Folder();
  main_.AddFiles();
  Session::State().FileList = {"/elsewhere/a.mp4", last + "/z.mp4"};
  main_.AddFiles();
  EXPECT_EQ(dialogs.Shown()[0].text, Folder()) << "empty list: the last dialog folder";
  EXPECT_EQ(dialogs.Shown()[1].text, last);
}

TEST_F(FileListTest, RemovingKeepsTheSelectionOnTheSameLineOrTheLast) {
  struct Case {
    int count;
    int selected;  // -1 = none
    int expectedSelected;
    QStringList expected;
  } cases[] = {
      {5, 3, 3, {"/m/f1.mp4", "/m/f2.mp4", "/m/f3.mp4", "/m/f5.mp4"}},
      {5, 4, 3, {"/m/f1.mp4", "/m/f2.mp4", "/m/f3.mp4", "/m/f4.mp4"}},
      {5, 0, 0, {"/m/f2.mp4", "/m/f3.mp4", "/m/f4.mp4", "/m/f5.mp4"}},
      {1, 0, -1, {}},
      {3, -1, -1, {"/m/f1.mp4", "/m/f2.mp4", "/m/f3.mp4"}},
  };
  for (const Case& c : cases) {
    Fill(c.count);
    if (c.selected >= 0) main_.fileList->setCurrentRow(c.selected);
    main_.RemoveSelectedFile();
    EXPECT_EQ(Session::State().FileList, c.expected) << c.count << " " << c.selected;
    EXPECT_EQ(Lines(), c.expected) << c.count << " " << c.selected;
    EXPECT_EQ(Selected(), c.expectedSelected) << c.count << " " << c.selected;
  }
}

// The list is data: changing it tells the listeners, a change that changes
// nothing tells nobody.
TEST_F(FileListTest, ChangesAreToldAndNoChangeIsNot) {
  int told = 0;
  const QMetaObject::Connection listener = QObject::connect(
      &Session::Events(), &Session::SessionEvents::FileListChanged, [&] { ++told; });
  Session::AppendFiles({"/m/a.mp4", "/m/b.mp4"});
  EXPECT_EQ(told, 1);
  Session::AppendFiles({});
  Session::RemoveFile(-1);
  Session::RemoveFile(2);
  EXPECT_EQ(told, 1);
  Session::RemoveFile(0);
  QObject::disconnect(listener);
  EXPECT_EQ(told, 2);
  EXPECT_EQ(Session::State().FileList, QStringList{"/m/b.mp4"});
  EXPECT_EQ(Lines(), Session::State().FileList);
}

TEST_F(FileListTest, RefreshKeepsASelectionInRangeAndNoneWhenThereWasNone) {
  Fill(5);
  main_.fileList->setCurrentRow(4);
  Session::State().FileList.resize(2);
  Session::RefreshFileList();
  EXPECT_EQ(Selected(), 1);
  main_.fileList->clearSelection();
  Session::RefreshFileList();
  EXPECT_EQ(Selected(), -1);
}

// How a list's model told its views of the changes made to it.
class ModelChanges {
 public:
  explicit ModelChanges(const QAbstractItemModel* model) {
    QObject::connect(model, &QAbstractItemModel::modelReset, &context_, [this] { ++resets; });
    QObject::connect(model, &QAbstractItemModel::rowsInserted, &context_,
                     [this](const QModelIndex&, int first, int last) {
                       ++insertions;
                       insertedRows += last - first + 1;
                     });
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, &context_, [this] { ++removals; });
  }
  int resets = 0;
  int insertions = 0;
  int insertedRows = 0;
  int removals = 0;

 private:
  QObject context_;
};

// The speed of a long list lies in how it is filled: each time the files
// change the list is emptied at once and filled in one insertion of every
// row, never a row at a time (bench/FileListBench.cpp times it).
TEST_F(FileListTest, FortyThousandFilesAreShownInOneInsertionInTheirOrder) {
  QStringList many;
  for (int i = 0; i < 40000; ++i) many << QString("/media/a long folder name/file %1.mp4").arg(i);
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, many);
  const ModelChanges changes(main_.fileList->model());
  main_.AddFiles();
  EXPECT_EQ(changes.insertions, 1);
  EXPECT_EQ(changes.insertedRows, 40000);
  EXPECT_EQ(changes.removals, 0);
  EXPECT_EQ(Session::FileCount(), 40000) << "no 32767-file limit";
  EXPECT_EQ(Lines(), many);

  main_.fileList->setCurrentRow(39999);
  Session::RefreshFileList();
  EXPECT_EQ(changes.resets, 2);
  EXPECT_EQ(changes.insertions, 2);
  EXPECT_EQ(changes.insertedRows, 80000);
  EXPECT_EQ(changes.removals, 0);
  EXPECT_EQ(main_.fileList->count(), 40000);
  EXPECT_EQ(Selected(), 39999);
}

// A screen reader that has read every row of a long list must not make
// emptying it slow: the list is emptied at once, not row by row.
TEST_F(FileListTest, EmptyingTenThousandFilesWhileAScreenReaderWatchesIsOneReset) {
  main_.show();
  Fill(10000);
  main_.fileList->setCurrentRow(5000);
  QAccessible::setActive(true);
  const QAccessible::UpdateHandler previous =
      QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(main_.fileList);
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < list->childCount(); ++i) ASSERT_NE(list->child(i), nullptr);
  const ModelChanges changes(main_.fileList->model());
  main_.RemoveAllFiles();
  QAccessible::installUpdateHandler(previous);
  QAccessible::setActive(false);
  EXPECT_EQ(changes.resets, 1);
  EXPECT_EQ(changes.removals, 0);
  EXPECT_EQ(changes.insertions, 0);
  EXPECT_EQ(main_.fileList->count(), 0);
  EXPECT_EQ(list->childCount(), 0);
  EXPECT_EQ(Session::FileCount(), 0);
}

class TempFolderTest : public TestEnv {};

// This copy's own folder below appfiles/temp, relative to the program folder.
QString OwnTemp() { return "appfiles/temp/" + QString::number(QCoreApplication::applicationPid()); }

TEST_F(TempFolderTest, EachFolderIsNewAndTheFirstFreeName) {
  const QString own = Folder() + "/" + OwnTemp();
  EXPECT_EQ(Session::CreateTempFolder(true), own + "/temp") << "appfiles/temp made too";
  EXPECT_EQ(Session::CreateTempFolder(true), own + "/temp (2)");
  WriteFile(OwnTemp() + "/temp (3)", "a file blocks the name");
  EXPECT_EQ(Session::CreateTempFolder(false), own + "/temp (4)");
  EXPECT_TRUE(QFileInfo(own + "/temp (4)").isDir());
  Session::RemoveOwnTempFolder();
  EXPECT_FALSE(QFileInfo::exists(own));
}

TEST_F(TempFolderTest, AFileWhereTheFolderMustGoGivesNothingAndAMessageWhenAsked) {
  WriteFile("appfiles/temp", "a regular file");
  EXPECT_EQ(Session::CreateTempFolder(false), "");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_EQ(Session::CreateTempFolder(true), "");
  EXPECT_EQ(dialogs.Messages(),
            QStringList{"No se pudo crear el directorio " + Folder() + "/" + OwnTemp() + "/temp"});
  EXPECT_EQ(dialogs.Shown()[0].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));
}

}  // namespace
