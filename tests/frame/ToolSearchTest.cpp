#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TestEnv.h"
#include "core/frame/FfmpegTools.h"

namespace {

using FfmpegTools::ToolProblem;

// Where the tools are looked for: the program folder, then PATH, which each
// test points at a folder of its own.
class ToolSearchTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    savedPath_ = qgetenv("PATH");
    qputenv("PATH", systemBin_.path().toUtf8());
  }
  void TearDown() override {
    qputenv("PATH", savedPath_);
    TestEnv::TearDown();
  }
  static QString MakeProgram(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(file.permissions() | QFile::ExeOwner);
    return path;
  }
  QString Program(const QString& relative) const { return MakeProgram(Folder() + "/" + relative); }
  QString OnPath(const QString& name) const { return MakeProgram(systemBin_.filePath(name)); }

 private:
  QByteArray savedPath_;
  QTemporaryDir systemBin_;
};

TEST_F(ToolSearchTest, TheSearchTakesTheNearestProgramOfEachMissingToolThenLooksOnThePath) {
  const QString ffmpeg = Program("ffmpeg");
  Program("a/ffmpeg");
  Program("a/b/ffprobe");  // deeper than z/FFPROBE, though met first going down "a"
  const QString ffprobe = Program("z/FFPROBE");
  Program("ffprobe.old");
  WriteFile("ffplay", "not a program");
  const QString ffplay = OnPath("ffplay");
  Program("cdda2wav");  // not marked missing: left alone
  OnPath("cdda2wav");
  EXPECT_EQ(FfmpegTools::FindTools(Folder(), {true, true, true, false}),
            (QStringList{ffmpeg, QFileInfo(ffplay).absoluteFilePath(), ffprobe, ""}));
  EXPECT_EQ(FfmpegTools::FindTools(Folder(), {false, false, false, false}), QStringList(4));
}

TEST_F(ToolSearchTest, OnlyPathsWithoutTheirFileAreReplacedAndOnlyByWhatWasFound) {
  QTemporaryDir elsewhere;
  const QString ownFfmpeg = MakeProgram(elsewhere.filePath("ffmpeg"));
  const QString foundFfmpeg = Program("bin/ffmpeg");
  const QString foundFfplay = Program("bin/ffplay");
  const QString foundFfprobe = Program("bin/ffprobe");
  const QString gone = elsewhere.filePath("gone/cdda2wav");
  EXPECT_EQ(FfmpegTools::WithMissingToolsFound({ownFfmpeg, elsewhere.filePath("ffplay"), "", gone}),
            (QStringList{ownFfmpeg, foundFfplay, foundFfprobe, gone}));
  const QStringList whole = {foundFfmpeg, foundFfplay, foundFfprobe, Program("cdda2wav")};
  EXPECT_EQ(FfmpegTools::WithMissingToolsFound(whole), whole);
}

TEST_F(ToolSearchTest, OnlyAFileThatCanBeRunServesAsATool) {
  struct Case {
    QString path;
    ToolProblem problem;
  } cases[] = {
      {Program("bin/ffmpeg"), ToolProblem::None},
      {WriteFile("bin/notes.txt", "text"), ToolProblem::NotProgram},
      {Folder() + "/bin/gone", ToolProblem::Missing},
      {Folder() + "/bin", ToolProblem::Missing},
      {"", ToolProblem::Missing},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FfmpegTools::CheckTool(c.path), c.problem) << c.path.toStdString();
  }
}

TEST_F(ToolSearchTest, APathIsShownRelativeToTheProgramFolderAndMarkedWhenItsFileIsMissing) {
  QTemporaryDir elsewhere;
  const QString outside = MakeProgram(elsewhere.filePath("ffprobe"));
  struct Case {
    QString path;
    QString shown;
  } cases[] = {
      {Program("bin/ffmpeg"), "bin/ffmpeg"},
      {Folder() + "/bin/ffplay", "bin/ffplay<No encontrado>"},
      {outside, outside},
      {elsewhere.filePath("cdda2wav"), elsewhere.filePath("cdda2wav") + "<No encontrado>"},
      {"", "<No encontrado>"},
  };
  for (const Case& c : cases) EXPECT_EQ(FfmpegTools::ShownToolPath(c.path), c.shown);
}

}  // namespace
