#include <sys/stat.h>

#include <QFile>

#include "TestEnv.h"
#include "core/frame/Session.h"
#include "core/ground/FileServices.h"

namespace {

class InputListTest : public TestEnv {
 protected:
  void Fill(const QStringList& files) { Session::State().FileList = files; }
  const QStringList& List() const { return Session::State().FileList; }
};

// Counts the list's change notices while it lives.
class RefreshCounter {
 public:
  RefreshCounter() {
    connection_ = QObject::connect(&Session::Events(), &Session::SessionEvents::FileListChanged,
                                   [this] { ++count_; });
  }
  ~RefreshCounter() { QObject::disconnect(connection_); }
  int count() const { return count_; }

 private:
  QMetaObject::Connection connection_;
  int count_ = 0;
};

TEST_F(InputListTest, MovingSwapsWithTheNeighbourOnlyInsideTheList) {
  struct Case {
    int row;
    int step;
    int moved;  // the entry's new row, -1 for no change
    QStringList after;
  };
  const QStringList abc = {"/m/a", "/m/b", "/m/c"};
  const Case cases[] = {
      {1, -1, 0, {"/m/b", "/m/a", "/m/c"}},
      {2, -1, 1, {"/m/a", "/m/c", "/m/b"}},
      {0, +1, 1, {"/m/b", "/m/a", "/m/c"}},
      {1, +1, 2, {"/m/a", "/m/c", "/m/b"}},
      {0, -1, -1, abc},   // first line up
      {2, +1, -1, abc},   // last line down
      {-1, -1, -1, abc},  // no selection
      {-1, +1, -1, abc},  // no selection: row 0 must not move
      {3, -1, -1, abc},   // a row past the end
  };
  for (const Case& c : cases) {
    Fill(abc);
    RefreshCounter refreshed;
    EXPECT_EQ(Session::MoveFile(c.row, c.step), c.moved) << c.row << " " << c.step;
    EXPECT_EQ(List(), c.after) << c.row << " " << c.step;
    EXPECT_EQ(refreshed.count(), c.moved >= 0 ? 1 : 0) << c.row << " " << c.step;
  }
}

TEST_F(InputListTest, DroppedPathsAddFilesAndFolderContentsInOrderAndSkipTheRest) {
  const QString first = WriteFile("in/first.mp4", "1");
  WriteFile("in/folder/x.wav", "x");
  WriteFile("in/folder/y.wav", "y");
  const QString quoted = WriteFile("in/it's $(rm -rf x).mp3", "q");
  Fill({"/m/kept.mp4"});
  RefreshCounter refreshed;

  const QStringList added = Session::AppendDroppedPaths(
      {first, Folder() + "/in/missing.mp4", Folder() + "/in/folder", quoted, first});

  const QStringList expected = {first, Folder() + "/in/folder/x.wav", Folder() + "/in/folder/y.wav",
                                quoted, first};
  EXPECT_EQ(added, expected);
  EXPECT_EQ(List(), QStringList{"/m/kept.mp4"} + expected);
  EXPECT_EQ(refreshed.count(), 0);  // the window adds the lines itself
  EXPECT_TRUE(Session::AppendDroppedPaths({Folder() + "/in/missing.mp4"}).isEmpty());
}

// A folder's own files are its regular files and links to them: a named pipe,
// a link to a device or a dangling link would leave the probe or the
// conversion waiting on it for ever, so none of them reaches the list.
TEST_F(InputListTest, AFoldersPipesDevicesAndDanglingLinksAreNoFilesToAdd) {
  const QString in = Folder() + "/in";
  const QString clip = WriteFile("in/clip.wav", "c");
  ASSERT_EQ(mkfifo(QFile::encodeName(in + "/pipe.wav").constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", in + "/zero.wav"));
  ASSERT_TRUE(QFile::link(in + "/gone.wav", in + "/dangling.wav"));
  ASSERT_TRUE(QFile::link(clip, in + "/link.wav"));
  Fill({});
  EXPECT_EQ(FileServices::ListFiles(in, ""), (QStringList{clip, in + "/link.wav"}));
  EXPECT_EQ(Session::AppendDroppedPaths({in}), (QStringList{clip, in + "/link.wav"}));
}

TEST_F(InputListTest, PickingStartsInTheLastFilesFolderAndRemovingAllEmptiesTheList) {
  EXPECT_EQ(Session::LastFileFolder(), "");
  Fill({"/m/one/a.mp4", "/m/two words/b.mp4"});
  EXPECT_EQ(Session::LastFileFolder(), "/m/two words");

  RefreshCounter refreshed;
  Session::RemoveAllFiles();
  EXPECT_TRUE(List().isEmpty());
  EXPECT_EQ(refreshed.count(), 1);
  EXPECT_EQ(Session::LastFileFolder(), "");
}

}  // namespace
