#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <functional>
#include <memory>
#include <vector>

#include "TestEnv.h"
#include "core/app/Lifecycle.h"
#include "core/frame/Session.h"
#include "core/frame/TempFolders.h"
#include "core/ground/ConfigRecord.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "gui/app/MainWindow.h"

namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Other copies of the program run from the temporary program folder, as
// separate processes, beside this test process, which is a copy too.
class TempFoldersTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    program_ = Folder() + "/quillmoor";
    if (::link(QUILLMOOR_PROGRAM, QFile::encodeName(program_).constData()) != 0) {
      ASSERT_TRUE(QFile::copy(QUILLMOOR_PROGRAM, program_));
    }
    // A later run: no first-run windows.
    ConfigRecord config;
    config.LanguageName = "<Spanish>";
    QDir().mkpath(ProgramFolder::AppFiles());
    ASSERT_EQ(RecordFile::Write(Lifecycle::ConfigPath(), config), RecordFile::Result::Ok);
  }

  // Starts a copy and waits until it has made its own temporary folder, which
  // it does once it has removed what gone copies left. nullptr when it fails.
  QProcess* StartCopy() {
    copies_.push_back(std::make_unique<QProcess>());
    QProcess* copy = copies_.back().get();
    copy->setProcessChannelMode(QProcess::ForwardedChannels);
    copy->start(program_, {});
    if (!copy->waitForStarted(30000)) return nullptr;
    return WaitFor([&] { return QFileInfo(FolderOf(copy)).isDir(); }) ? copy : nullptr;
  }
  static QString FolderOf(const QProcess* copy) {
    return ProgramFolder::AppFiles("temp/" + QString::number(copy->processId()));
  }
  QString Relative(const QString& path) const { return path.mid(Folder().size() + 1); }

 private:
  QString program_;
  std::vector<std::unique_ptr<QProcess>> copies_;  // killed when the test ends
};

TEST_F(TempFoldersTest, ACopyThatStartsAndClosesLeavesARunningCopysWorkAlone) {
  QProcess* running = StartCopy();
  ASSERT_NE(running, nullptr);
  const QString theirs = FolderOf(running);
  // What the running copy's slow two-pass run is working on.
  const QString work = WriteFile(Relative(theirs) + "/temp/ffmpeg2pass-0.log", "first pass");

  {
    MainWindow main;
    ScriptedDialogs none;
    main.Load();
    const QString mine = Session::CreateTempFolder(true);
    ASSERT_FALSE(mine.isEmpty());
    EXPECT_FALSE(mine.startsWith(theirs + "/"));
    WriteFile(Relative(mine) + "/concat.txt", "x");
    main.show();
    EXPECT_TRUE(main.close());
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(mine).path()));
  }

  EXPECT_EQ(Contents(work), "first pass");
  EXPECT_EQ(running->state(), QProcess::Running);
}

TEST_F(TempFoldersTest, TheNextStartRemovesWhatAKilledCopyLeftAndNothingOfARunningOne) {
  QProcess* killed = StartCopy();
  ASSERT_NE(killed, nullptr);
  const QString left = FolderOf(killed);
  WriteFile(Relative(left) + "/temp/clip (2).mkv", "cut short");
  QProcess* running = StartCopy();
  ASSERT_NE(running, nullptr);
  const QString work = WriteFile(Relative(FolderOf(running)) + "/temp/clip.mkv", "in progress");

  killed->kill();
  ASSERT_TRUE(killed->waitForFinished(30000));
  EXPECT_TRUE(QFileInfo::exists(left + "/temp/clip (2).mkv")) << "a kill leaves its folder";

  QProcess* next = StartCopy();
  ASSERT_NE(next, nullptr);
  EXPECT_FALSE(QFileInfo::exists(left));
  EXPECT_FALSE(QFileInfo::exists(left + ".lock"));
  EXPECT_EQ(Contents(work), "in progress");
  EXPECT_EQ(running->state(), QProcess::Running);
}

// Only what gone copies made goes: a folder named as a copy names its own
// beside a lock nobody holds, or such a lock alone. Whatever else is in the
// temp folder stays, and so does a copy's name that is not a real folder.
TEST_F(TempFoldersTest, AtStartOnlyTheFoldersOfGoneCopiesAreLeftovers) {
  WriteFile("appfiles/temp/temp/old working folder.wav", "x");
  WriteFile("appfiles/temp/4000000000/temp/a.wav", "x");
  WriteFile("appfiles/temp/4000000000.lock", "");
  WriteFile("appfiles/temp/4000000001.lock", "");
  WriteFile("appfiles/temp/4000000002/no lock beside it.txt", "x");
  WriteFile("appfiles/temp/4000000003", "a file, not a folder");
  WriteFile("appfiles/temp/4000000003.lock", "");
  WriteFile("appfiles/temp/stray file", "x");
  WriteFile("appfiles/temp/12ab.lock", "");
  QProcess* running = StartCopy();
  ASSERT_NE(running, nullptr);

  MainWindow main;
  ScriptedDialogs none;
  main.Load();

  const QString own = QString::number(QCoreApplication::applicationPid());
  const QString theirs = QString::number(running->processId());
  const QStringList others{"12ab.lock", "4000000002", "4000000003", "stray file", "temp"};
  QStringList expected = others + QStringList{own, own + ".lock", theirs, theirs + ".lock"};
  expected.sort();
  EXPECT_EQ(QDir(ProgramFolder::AppFiles("temp"))
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
            expected);
  main.show();
  EXPECT_TRUE(main.close());
  expected = others + QStringList{theirs, theirs + ".lock"};
  expected.sort();
  EXPECT_EQ(QDir(ProgramFolder::AppFiles("temp"))
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
            expected);
  EXPECT_EQ(Contents(ProgramFolder::AppFiles("temp/temp/old working folder.wav")), "x");
}

// A user who links appfiles/temp to a faster disk keeps everything there: the
// program works in its own folder beside the user's files and removes only
// that, and what gone copies left, without following a link out of them.
TEST_F(TempFoldersTest, ALinkedTempFolderIsUsedAndNeverEmptied) {
  const QString place = Folder() + "/fast disk";
  const QString documents = WriteFile("fast disk/letter.odt", "dear");
  const QString photo = WriteFile("fast disk/photos/2024/beach.jpg", "sand");
  const QString music = WriteFile("music/song.flac", "la");
  // A folder of the user's that happens to bear this copy's number.
  const QString id = QString::number(QCoreApplication::applicationPid());
  const QString namesake = WriteFile("fast disk/" + id + "/mine.txt", "not a copy's");
  WriteFile("fast disk/4000000000.lock", "");
  WriteFile("fast disk/4000000000/temp/cut.wav", "x");
  WriteFile("fast disk/4000000001.lock", "");
  ASSERT_TRUE(QFile::link(Folder() + "/music", place + "/4000000000/temp/music"));
  ASSERT_TRUE(QFile::link(Folder() + "/music", place + "/4000000001"));
  ASSERT_TRUE(QFile::link(Folder() + "/music", place + "/music link"));
  ASSERT_TRUE(QFile::link(place, ProgramFolder::AppFiles("temp")));

  {
    MainWindow main;
    ScriptedDialogs none;
    main.Load();
    const QString work = Session::CreateTempFolder(true);
    ASSERT_FALSE(work.isEmpty());
    const QString own = id + "-2";
    EXPECT_EQ(work, ProgramFolder::AppFiles("temp/" + own + "/temp")) << "not in the namesake";
    EXPECT_TRUE(QFileInfo(place + "/" + own + "/temp").isDir()) << "made in the user's place";
    EXPECT_FALSE(QFileInfo::exists(place + "/4000000000")) << "a gone copy's folder goes";
    EXPECT_FALSE(QFileInfo::exists(place + "/4000000000.lock"));
    EXPECT_FALSE(QFileInfo::exists(place + "/4000000001.lock"));
    main.show();
    EXPECT_TRUE(main.close());
    EXPECT_FALSE(QFileInfo::exists(place + "/" + own));
    EXPECT_FALSE(QFileInfo::exists(place + "/" + own + ".lock"));
  }

  EXPECT_TRUE(QFileInfo(ProgramFolder::AppFiles("temp")).isSymLink());
  EXPECT_EQ(Contents(documents), "dear");
  EXPECT_EQ(Contents(photo), "sand");
  EXPECT_EQ(Contents(music), "la");
  EXPECT_EQ(Contents(namesake), "not a copy's");
  EXPECT_TRUE(QFileInfo(place + "/4000000001").isSymLink()) << "a link of a copy's name stays";
  EXPECT_TRUE(QFileInfo(place + "/music link").isSymLink());
  QStringList expected{id, "4000000001", "letter.odt", "music link", "photos"};
  expected.sort();
  EXPECT_EQ(
      QDir(place).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name),
      expected);
}

// What a copy's close removes is told by where writing would land: inside a
// copy's folder (one with its lock file beside it), links followed both into
// it and out of it.
TEST_F(TempFoldersTest, APathLiesInACopysFolderOnlyWhereAClosingCopyRemovesIt) {
  const QString place = Folder() + "/fast disk";
  QDir().mkpath(place);
  const QString root = ProgramFolder::AppFiles("temp");
  ASSERT_TRUE(QFile::link(place, root));
  TempFolders folders(root);
  ASSERT_TRUE(folders.Claim());
  const QString own = folders.OwnFolder();
  const QString ownName = QFileInfo(own).fileName();
  QDir().mkpath(own + "/temp");
  WriteFile("fast disk/4000000000.lock", "");
  QDir().mkpath(place + "/4000000000/temp");
  QDir().mkpath(place + "/4000000001/temp");
  QDir().mkpath(Folder() + "/music");
  ASSERT_TRUE(QFile::link(Folder() + "/music", own + "/temp/music"));
  ASSERT_TRUE(QFile::link(own + "/temp", Folder() + "/ripped"));
  struct Case {
    const char* name;
    QString path;
    bool lies;
  } cases[] = {
      {"a working folder", own + "/temp", true},
      {"the same reached past the linked temp folder", place + "/" + ownName + "/temp", true},
      {"a folder not made yet", own + "/temp/later/deeper", true},
      {"a link from elsewhere into it", Folder() + "/ripped", true},
      {"another copy's, running or gone", root + "/4000000000/temp", true},
      {"a copy's name without its lock file", root + "/4000000001/temp", false},
      {"the temp folder itself", root, false},
      {"a file of the user's beside the copies", place + "/letter.odt", false},
      {"a link out of a copy's folder", own + "/temp/music", false},
      {"a way back out", own + "/temp/../../letter.odt", false},
      {"a folder whose name only begins alike", Folder() + "/fast disk2/" + ownName, false},
      {"the user's own folder", Folder() + "/music", false},
  };
  for (const Case& c : cases) EXPECT_EQ(folders.LiesInACopyFolder(c.path), c.lies) << c.name;
}

TEST_F(TempFoldersTest, CopiesWithTheSameProcessIdEachGetAFolder) {
  // Two copies in different process namespaces can have the same id; two
  // claims in this process stand for them.
  const QString root = ProgramFolder::AppFiles("temp");
  const QString id = root + "/" + QString::number(QCoreApplication::applicationPid());
  TempFolders first(root);
  TempFolders second(root);
  ASSERT_TRUE(first.Claim());
  ASSERT_TRUE(second.Claim());
  EXPECT_EQ(first.OwnFolder(), id);
  EXPECT_EQ(second.OwnFolder(), id + "-2");
  const QString work = WriteFile(Relative(id) + "/temp/clip.mkv", "in progress");
  second.RemoveLeftovers();
  second.Release();
  EXPECT_EQ(Contents(work), "in progress");
  EXPECT_FALSE(QFileInfo::exists(id + "-2"));
  EXPECT_FALSE(QFileInfo::exists(id + "-2.lock"));
}

}  // namespace
