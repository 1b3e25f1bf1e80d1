#include <QDir>
#include <QFile>

#include "TestEnv.h"
#include "frame/ScriptObj.h"

namespace {

class ScriptObjTest : public TestEnv {};

TEST_F(ScriptObjTest, NameSplitting) {
  struct Case {
    QString path, base, extension, parent;
  } cases[] = {
      {"/x/a.qfm", "a", "qfm", "/x"},
      {"/x/.qfm", "", "qfm", "/x"},
      {"/x/b.tar.gz", "b.tar", "gz", "/x"},
      {"/x/noext", "noext", "", "/x"},
      {"/b.txt", "b", "txt", ""},
      {"bare.txt", "bare", "txt", ""},
      {"/x/dir/", "dir", "", "/x/dir"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScriptObj::GetBaseName(c.path), c.base) << c.path.toStdString();
    EXPECT_EQ(ScriptObj::GetExtensionName(c.path), c.extension) << c.path.toStdString();
    EXPECT_EQ(ScriptObj::ParentFolder(c.path), c.parent) << c.path.toStdString();
  }
}

TEST_F(ScriptObjTest, ValidFileNames) {
  for (const char* bad : {"a:b", "a\\b", "a/b", "a?b", "a*b", "a<b", "a>b", "a|b", "a\"b"}) {
    EXPECT_FALSE(ScriptObj::IsValidFileName(bad)) << bad;
  }
  for (const char* good : {"", "con", "  ", "a.", "ñandú $(x) 'q'"}) {
    EXPECT_TRUE(ScriptObj::IsValidFileName(QString::fromUtf8(good))) << good;
  }
}

TEST_F(ScriptObjTest, UniquePathSkipsFilesAndFolders) {
  const QString x = Folder() + "/x";
  QDir().mkpath(x);
  EXPECT_EQ(ScriptObj::UniquePath(x + "/a.qfm", false), x + "/a.qfm");
  EXPECT_EQ(ScriptObj::UniquePath(x + "/a.qfm", true), x + "/a (2).qfm");

  QDir().mkpath(x + "/a.qfm");  // a folder of that name counts as taken
  EXPECT_EQ(ScriptObj::UniquePath(x + "/a.qfm", false), x + "/a (2).qfm");

  WriteFile("x/a (2).qfm", "");
  EXPECT_EQ(ScriptObj::UniquePath(x + "/a.qfm", false), x + "/a (3).qfm");
  EXPECT_EQ(ScriptObj::UniquePath(x + "/a.qfm", true), x + "/a (3).qfm");

  WriteFile("x/temp", "");
  EXPECT_EQ(ScriptObj::UniquePath(x + "/temp", false), x + "/temp (2)");
}

TEST_F(ScriptObjTest, CreateFolderPathMakesEveryMissingLevel) {
  const QString deep = Folder() + "/x/y/z";
  EXPECT_TRUE(ScriptObj::CreateFolderPath(deep));
  EXPECT_TRUE(ScriptObj::FolderExists(deep));
  EXPECT_TRUE(ScriptObj::CreateFolderPath(deep + "/"));  // all there: nothing to do

  // A regular file where a level must go: the levels above it stay.
  WriteFile("p/blocker", "");
  EXPECT_FALSE(ScriptObj::CreateFolderPath(Folder() + "/p/blocker/q/r"));
  EXPECT_TRUE(ScriptObj::FolderExists(Folder() + "/p"));
  EXPECT_FALSE(ScriptObj::CreateFolder(Folder() + "/p/missing/level"));
}

TEST_F(ScriptObjTest, ListFilesFiltersByExtensionList) {
  for (const char* name : {"a.QFM", "b.qfm", "c.qfm.bak", "d.qca"}) WriteFile(QString("f/") + name, "");
  const QString f = Folder() + "/f";
  EXPECT_EQ(ScriptObj::ListFiles(f, "qfm:"), (QStringList{f + "/a.QFM", f + "/b.qfm"}));
  EXPECT_EQ(ScriptObj::ListFiles(f, "qca:qfm:").size(), 3);
  EXPECT_EQ(ScriptObj::ListFiles(f, "qfm").size(), 4);  // no colon: no filter
  EXPECT_EQ(ScriptObj::ListFiles(f, "zzz:"), QStringList());
  EXPECT_EQ(ScriptObj::ListFiles(Folder() + "/missing", "qfm:"), QStringList());
}

TEST_F(ScriptObjTest, RecursiveListingsAreBreadthFirst) {
  for (const char* file : {"r/top.exe", "r/a/a1/deep.exe", "r/a/mid.exe", "r/b/other.exe", "r/b/skip.txt"}) {
    WriteFile(file, "");
  }
  const QString r = Folder() + "/r";
  EXPECT_EQ(ScriptObj::ListSubFoldersRecursive(r), (QStringList{r + "/a", r + "/b", r + "/a/a1"}));
  EXPECT_EQ(ScriptObj::ListFilesRecursive(r, "exe:"),
            (QStringList{r + "/top.exe", r + "/a/mid.exe", r + "/b/other.exe", r + "/a/a1/deep.exe"}));
  EXPECT_EQ(ScriptObj::ListFilesRecursive(r + "/b", "zzz:"), QStringList());
}

TEST_F(ScriptObjTest, CopyMoveRenameAndDelete) {
  const QString a = WriteFile("d/a.txt", "alpha");
  const QString b = Folder() + "/d/b.txt";
  EXPECT_TRUE(ScriptObj::CopyFile(a, b, false));
  EXPECT_FALSE(ScriptObj::CopyFile(a, b, false));  // no overwrite asked
  WriteFile("d/c.txt", "gamma!");
  EXPECT_TRUE(ScriptObj::CopyFile(Folder() + "/d/c.txt", b, true));
  EXPECT_EQ(ScriptObj::FileSize(b), 6);

  EXPECT_FALSE(ScriptObj::MoveFile(a, b));  // destination taken
  EXPECT_TRUE(ScriptObj::MoveFile(a, Folder() + "/d/moved.txt"));
  EXPECT_FALSE(ScriptObj::FileExists(a));

  EXPECT_TRUE(ScriptObj::RenameFileKeepExtension(b, "renamed"));
  EXPECT_TRUE(ScriptObj::FileExists(Folder() + "/d/renamed.txt"));
  EXPECT_FALSE(ScriptObj::RenameFileKeepExtension(Folder() + "/d/renamed.txt", "moved"));  // taken
  EXPECT_FALSE(ScriptObj::RenameFileKeepExtension(Folder() + "/d/missing.txt", "x"));

  EXPECT_TRUE(ScriptObj::DeleteFile(Folder() + "/d/moved.txt", false));
  EXPECT_TRUE(ScriptObj::DeleteFile(Folder() + "/d/never-there.txt", false));
  EXPECT_EQ(ScriptObj::FolderSize(Folder() + "/d"), 6 + 6);  // c.txt and renamed.txt
  EXPECT_TRUE(ScriptObj::DeleteFolder(Folder() + "/d", true));
  EXPECT_FALSE(ScriptObj::FolderExists(Folder() + "/d"));
}

TEST_F(ScriptObjTest, SizesAreSixtyFourBit) {
  const QString path = Folder() + "/big.bin";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_TRUE(file.resize(qint64(3) << 30));  // sparse: takes no disk
  file.close();
  EXPECT_EQ(ScriptObj::FileSize(path), qint64(3) << 30);
  EXPECT_EQ(ScriptObj::FileSize(Folder() + "/missing"), 0);
}

}  // namespace
