#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "TestEnv.h"
#include "core/devices/CdRipper.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegTools.h"
#include "gui/app/ToolPathsWindow.h"

namespace {

using Dialogs::Kind;

class ToolPathsWindowTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FfmpegTools::State().FfmpegPath.clear();
    FfmpegTools::State().FfplayPath.clear();
    FfmpegTools::State().FfprobePath.clear();
    CdRipper::State().Cdda2wavPath.clear();
    FormatEditor::State().FfmpegListsStale = false;
  }
  QString Tool(const QString& relative) {
    const QString path = WriteFile(relative, "#!/bin/sh\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
  }
};

TEST_F(ToolPathsWindowTest, LoadingShowsThePathsRelativeToTheProgramFolderAndMarksMissingOnes) {
  FfmpegTools::State().FfmpegPath = Tool("bin/ffmpeg");
  FfmpegTools::State().FfplayPath = Folder() + "/bin/ffplay";  // missing
  const QString outside = QDir::tempPath() + "/elsewhere/ffprobe";
  FfmpegTools::State().FfprobePath = outside;
  ToolPathsWindow window(nullptr);
  window.Load();
  EXPECT_EQ(window.ffmpegPath->text(), "bin/ffmpeg");
  EXPECT_EQ(window.ffplayPath->text(), "bin/ffplay<No encontrado>");
  EXPECT_EQ(window.ffprobePath->text(), outside + "<No encontrado>");
  EXPECT_EQ(window.cdda2wavPath->text(), "<No encontrado>");
  EXPECT_EQ(window.windowTitle(), "Rutas de acceso");
  EXPECT_EQ(window.applyButton->text(), "Establecer");
  EXPECT_EQ(window.cancelButton->text(), "Cancelar");
  EXPECT_EQ(window.findMissingButton->text(), "Buscar faltantes");
}

TEST_F(ToolPathsWindowTest, SearchFillsOnlyMissingToolsWithTheFirstMatchingProgram) {
  FfmpegTools::State().FfmpegPath = Tool("mine/ffmpeg");
  Tool("a/ffmpeg");  // ffmpeg is present: this one is not taken
  Tool("a/ffmpeg2");
  Tool("a/ffprobe.bak");
  WriteFile("a/ffplay", "not a program");
  const QString probe = Tool("a/FFPROBE");
  Tool("a/b/ffprobe");
  const QString play = Tool("c/ffplay");
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", (Folder() + "/empty-path").toUtf8());
  ToolPathsWindow window(nullptr);
  window.Load();
  window.ffmpegPath->setText("typed");
  window.FindMissingTools();
  EXPECT_EQ(window.newFfmpegPath, FfmpegTools::State().FfmpegPath);
  EXPECT_EQ(window.ffmpegPath->text(), "typed");
  EXPECT_EQ(window.newFfprobePath, probe);
  EXPECT_EQ(window.ffprobePath->text(), "a/FFPROBE");
  EXPECT_EQ(window.newFfplayPath, play);
  EXPECT_EQ(window.newCdda2wavPath, "");
  EXPECT_EQ(window.cdda2wavPath->text(), "<No encontrado>");
  EXPECT_EQ(FfmpegTools::State().FfprobePath, "") << "nothing changes before \"Establecer\"";
  qputenv("PATH", path);
}

TEST_F(ToolPathsWindowTest, SearchTakesWhatTheProgramFolderLacksFromThePath) {
  QTemporaryDir systemBin;
  const QString onPath = systemBin.filePath("cdda2wav");
  QFile tool(onPath);
  ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
  tool.write("#!/bin/sh\n");
  tool.close();
  tool.setPermissions(tool.permissions() | QFile::ExeOwner);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", systemBin.path().toUtf8());
  FfmpegTools::State().FfmpegPath = Tool("mine/ffmpeg");
  ToolPathsWindow window(nullptr);
  window.Load();
  window.FindMissingTools();
  EXPECT_EQ(window.newCdda2wavPath, QFileInfo(onPath).absoluteFilePath());
  EXPECT_EQ(window.newFfmpegPath, FfmpegTools::State().FfmpegPath);
  qputenv("PATH", path);
}

TEST_F(ToolPathsWindowTest, BrowseTakesThePickAndSetStoresTheNewPaths) {
  const QString picked = Tool("x/ffplay");
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, QStringList{picked}).Expect(Kind::OpenFile, QStringList());
  ToolPathsWindow window(nullptr);
  window.Load();
  window.browseFfplayButton->click();
  window.browseCdda2wavButton->click();  // cancelled
  EXPECT_EQ(window.ffplayPath->text(), "x/ffplay");
  EXPECT_EQ(window.cdda2wavPath->text(), "<No encontrado>");
  EXPECT_EQ(dialogs.Shown()[0].defaultText, "ffplay");
  EXPECT_EQ(dialogs.Shown()[1].defaultText, "cdda2wav");
  EXPECT_FALSE(dialogs.Shown()[0].multiSelect);

  EXPECT_EQ(window.ffplayPath->cursorPosition(), window.ffplayPath->text().size());
  window.applyButton->click();
  EXPECT_EQ(FfmpegTools::State().FfmpegPath, "");
  EXPECT_EQ(FfmpegTools::State().FfplayPath, picked);
  EXPECT_TRUE(FormatEditor::State().FfmpegListsStale);
  EXPECT_EQ(window.result(), QDialog::Accepted);
}

// A pick or a typed path is taken only when it names a program; otherwise the
// user is told and nothing changes.
TEST_F(ToolPathsWindowTest, PickedAndTypedPathsMustBePrograms) {
  const QString program = Tool("bin/ffmpeg");
  const QString text = WriteFile("bin/notes.txt", "not a program");
  const QString missing = Folder() + "/bin/gone";
  struct Case {
    QString path;
    QString message;  // "" when the path is taken
  } cases[] = {
      {program, ""},
      {text, "Aún no se especifica el ejecutable"},
      {missing, "No se encuentra el archivo " + missing},
      {Folder() + "/bin", "No se encuentra el archivo " + Folder() + "/bin"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    const QStringList expected = c.message.isEmpty() ? QStringList() : QStringList{c.message};
    FfmpegTools::State().FfmpegPath = "/old/ffmpeg";
    {
      ScriptedDialogs dialogs;
      dialogs.Expect(Kind::OpenFile, QStringList{c.path});
      if (!c.message.isEmpty()) dialogs.ExpectMessage();
      ToolPathsWindow window(nullptr);
      window.Load();
      window.browseFfmpegButton->click();
      EXPECT_EQ(dialogs.Messages(), expected);
      EXPECT_EQ(window.newFfmpegPath, c.message.isEmpty() ? c.path : "/old/ffmpeg");
    }
    ScriptedDialogs dialogs;
    if (!c.message.isEmpty()) dialogs.ExpectMessage();
    ToolPathsWindow window(nullptr);
    window.Load();
    window.show();
    window.ffmpegPath->setText(c.path);
    window.ffmpegPath->setModified(true);  // as typing leaves it
    window.applyButton->click();
    EXPECT_EQ(dialogs.Messages(), expected);
    EXPECT_EQ(FfmpegTools::State().FfmpegPath, c.message.isEmpty() ? c.path : "/old/ffmpeg");
    EXPECT_EQ(window.result(), c.message.isEmpty() ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(window.isVisible(), !c.message.isEmpty()) << "a refused path keeps the window open";
  }
}

TEST_F(ToolPathsWindowTest, ATypedPathMayBeRelativeToTheProgramFolderOrEmptied) {
  const QString probe = Tool("tools/ffprobe");
  FfmpegTools::State().FfplayPath = Tool("tools/ffplay");
  ToolPathsWindow window(nullptr);
  window.Load();
  window.ffprobePath->setText("tools/ffprobe");
  window.ffprobePath->setModified(true);
  window.ffplayPath->clear();
  window.ffplayPath->setModified(true);
  window.applyButton->click();
  EXPECT_EQ(FfmpegTools::State().FfprobePath, probe);
  EXPECT_EQ(FfmpegTools::State().FfplayPath, "");
  EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(ToolPathsWindowTest, CancelChangesNothingAndSetAlwaysMarksTheListsStale) {
  FfmpegTools::State().FfmpegPath = "/old/ffmpeg";
  {
    ToolPathsWindow window(nullptr);
    window.Load();
    window.newFfmpegPath = "/new/ffmpeg";
    window.cancelButton->click();
    EXPECT_EQ(FfmpegTools::State().FfmpegPath, "/old/ffmpeg");
    EXPECT_FALSE(FormatEditor::State().FfmpegListsStale);
  }
  ToolPathsWindow window(nullptr);
  window.Load();
  window.applyButton->click();
  EXPECT_EQ(FfmpegTools::State().FfmpegPath, "/old/ffmpeg");
  EXPECT_TRUE(FormatEditor::State().FfmpegListsStale);
}

TEST_F(ToolPathsWindowTest, ShowModalRunsTheWindowUntilItIsClosed) {
  ModalCloser closer([](QWidget* modal) {
    EXPECT_EQ(modal, ToolPathsWindow::Instance());
    EXPECT_TRUE(ToolPathsWindow::Instance()->ffmpegPath->text().endsWith("<No encontrado>"));
  });
  ToolPathsWindow::ShowModal(nullptr);
  EXPECT_EQ(closer.Closed(), QStringList{"Form9"});
}

}  // namespace
