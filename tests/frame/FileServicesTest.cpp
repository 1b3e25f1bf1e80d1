#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "FileSizeLimit.h"
#include "TestEnv.h"
#include "core/ground/FileServices.h"

namespace {

class FileServicesTest : public TestEnv {};

dev_t DiskOf(const QString& path) {
  struct stat status {};
  return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_dev : 0;
}

TEST_F(FileServicesTest, CreateFolderMakesOneLevelOnly) {
  EXPECT_FALSE(FileServices::CreateFolder(Folder() + "/p/missing/level"));
  EXPECT_FALSE(FileServices::FolderExists(Folder() + "/p"));
  EXPECT_TRUE(FileServices::CreateFolder(Folder() + "/p"));
  EXPECT_FALSE(FileServices::CreateFolder(Folder() + "/p"));  // there already
}

TEST_F(FileServicesTest, ValidFileNames) {
  for (const char* bad : {"a:b", "a\\b", "a/b", "a?b", "a*b", "a<b", "a>b", "a|b", "a\"b"}) {
    EXPECT_FALSE(FileServices::IsValidFileName(bad)) << bad;
  }
  for (const char* good : {"", "con", "  ", "a.", "ñandú $(x) 'q'"}) {
    EXPECT_TRUE(FileServices::IsValidFileName(QString::fromUtf8(good))) << good;
  }
}

TEST_F(FileServicesTest, UniquePathSkipsFilesAndFolders) {
  const QString x = Folder() + "/x";
  QDir().mkpath(x);
  EXPECT_EQ(FileServices::UniquePath(x + "/a.qfm", false), x + "/a.qfm");
  EXPECT_EQ(FileServices::UniquePath(x + "/a.qfm", true), x + "/a (2).qfm");

  QDir().mkpath(x + "/a.qfm");  // a folder of that name counts as taken
  EXPECT_EQ(FileServices::UniquePath(x + "/a.qfm", false), x + "/a (2).qfm");

  WriteFile("x/a (2).qfm", "");
  EXPECT_EQ(FileServices::UniquePath(x + "/a.qfm", false), x + "/a (3).qfm");
  EXPECT_EQ(FileServices::UniquePath(x + "/a.qfm", true), x + "/a (3).qfm");

  WriteFile("x/temp", "");
  EXPECT_EQ(FileServices::UniquePath(x + "/temp", false), x + "/temp (2)");
}

TEST_F(FileServicesTest, ListFilesFiltersByExtensionList) {
  for (const char* name : {"a.QFM", "b.qfm", "c.qfm.bak", "d.qca"})
    WriteFile(QString("f/") + name, "");
  const QString f = Folder() + "/f";
  EXPECT_EQ(FileServices::ListFiles(f, "qfm:"), (QStringList{f + "/a.QFM", f + "/b.qfm"}));
  EXPECT_EQ(FileServices::ListFiles(f, "qca:qfm:").size(), 3);
  EXPECT_EQ(FileServices::ListFiles(f, "qfm").size(), 4);  // no colon: no filter
  EXPECT_EQ(FileServices::ListFiles(f, "zzz:"), QStringList());
  EXPECT_EQ(FileServices::ListFiles(Folder() + "/missing", "qfm:"), QStringList());
}

TEST_F(FileServicesTest, RecursiveListingsAreBreadthFirst) {
  for (const char* file :
       {"r/top.exe", "r/a/a1/deep.exe", "r/a/mid.exe", "r/b/other.exe", "r/b/skip.txt"}) {
    WriteFile(file, "");
  }
  const QString r = Folder() + "/r";
  EXPECT_EQ(FileServices::ListSubFoldersRecursive(r),
            (QStringList{r + "/a", r + "/b", r + "/a/a1"}));
  EXPECT_EQ(
      FileServices::ListFilesRecursive(r, "exe:"),
      (QStringList{r + "/top.exe", r + "/a/mid.exe", r + "/b/other.exe", r + "/a/a1/deep.exe"}));
  EXPECT_EQ(FileServices::ListFilesRecursive(r + "/b", "zzz:"), QStringList());
}

// A move onto another disk is a copy and a removal. When the copy cannot be
// finished (a full disk), nothing of it stays where the file was to go, and
// the file stays whole where it was. The second disk is the shared-memory
// file system; the full disk a file-size limit.
TEST_F(FileServicesTest, AMoveToAnotherDiskThatCannotFinishLeavesNoPartOfTheFile) {
  QTemporaryDir other("/dev/shm/quillmoor-XXXXXX");
  if (!other.isValid() || DiskOf(other.path()) == DiskOf(Folder()))
    GTEST_SKIP() << "no second disk";
  const QByteArray bytes(1024 * 1024, 'x');
  QFile source(other.path() + "/track.wav");
  ASSERT_TRUE(source.open(QIODevice::WriteOnly));
  ASSERT_EQ(source.write(bytes), bytes.size());
  source.close();
  const QString target = Folder() + "/out/track.wav";
  QDir().mkpath(Folder() + "/out");
  {
    FileSizeLimit full(64 * 1024);
    EXPECT_FALSE(FileServices::MoveFile(source.fileName(), target));
  }
  EXPECT_FALSE(QFileInfo(target).exists() || QFileInfo(target).isSymLink());
  EXPECT_TRUE(QDir(Folder() + "/out")
                  .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  EXPECT_EQ(source.readAll(), bytes);
  source.close();
  // With room, the same move goes through whole.
  EXPECT_TRUE(FileServices::MoveFile(source.fileName(), target));
  EXPECT_EQ(FileServices::FileSize(target), bytes.size());
  EXPECT_FALSE(QFile::exists(source.fileName()));
}

// A copy that cannot be finished (a full disk) leaves nothing of itself.
TEST_F(FileServicesTest, ACopyThatCannotFinishLeavesNoPartOfTheFile) {
  const QByteArray bytes(1024 * 1024, 'x');
  const QString source = WriteFile("a/profile.qfm", "");
  QFile file(source);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
  file.close();
  {
    FileSizeLimit full(64 * 1024);
    EXPECT_FALSE(FileServices::CopyFile(source, Folder() + "/a/copy.qfm", false));
  }
  EXPECT_EQ(QDir(Folder() + "/a").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"profile.qfm"});
  EXPECT_EQ(FileServices::FileSize(source), bytes.size());
}

TEST_F(FileServicesTest, CopyMoveRenameAndDelete) {
  const QString a = WriteFile("d/a.txt", "alpha");
  const QString b = Folder() + "/d/b.txt";
  EXPECT_TRUE(FileServices::CopyFile(a, b, false));
  EXPECT_FALSE(FileServices::CopyFile(a, b, false));  // no overwrite asked
  WriteFile("d/c.txt", "gamma!");
  EXPECT_TRUE(FileServices::CopyFile(Folder() + "/d/c.txt", b, true));
  EXPECT_EQ(FileServices::FileSize(b), 6);

  EXPECT_FALSE(FileServices::MoveFile(a, b));  // destination taken
  EXPECT_TRUE(FileServices::MoveFile(a, Folder() + "/d/moved.txt"));
  EXPECT_FALSE(FileServices::FileExists(a));

  EXPECT_TRUE(FileServices::RenameFileKeepExtension(b, "renamed"));
  EXPECT_TRUE(FileServices::FileExists(Folder() + "/d/renamed.txt"));
  EXPECT_FALSE(
      FileServices::RenameFileKeepExtension(Folder() + "/d/renamed.txt", "moved"));  // taken
  EXPECT_FALSE(FileServices::RenameFileKeepExtension(Folder() + "/d/missing.txt", "x"));

  EXPECT_TRUE(FileServices::DeleteFile(Folder() + "/d/moved.txt"));
  EXPECT_TRUE(FileServices::DeleteFile(Folder() + "/d/never-there.txt"));
  EXPECT_EQ(FileServices::FolderSize(Folder() + "/d"), 6 + 6);  // c.txt and renamed.txt
  EXPECT_TRUE(FileServices::DeleteFolder(Folder() + "/d"));
  EXPECT_FALSE(FileServices::FolderExists(Folder() + "/d"));
}

TEST_F(FileServicesTest, SizesAreSixtyFourBit) {
  const QString path = Folder() + "/big.bin";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_TRUE(file.resize(qint64(3) << 30));  // sparse: takes no disk
  file.close();
  EXPECT_EQ(FileServices::FileSize(path), qint64(3) << 30);
  EXPECT_EQ(FileServices::FileSize(Folder() + "/missing"), 0);
}

}  // namespace
