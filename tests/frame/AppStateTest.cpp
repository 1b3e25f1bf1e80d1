#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include "TestEnv.h"  // the dialog layer's failure messages
#include "core/app/AppState.h"
#include "core/convert/ConversionState.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/Dialogs.h"
#include "core/ground/ProgramFolder.h"
#include "core/lang/Lang.h"

namespace {

void NoEditor(const QString& /*name*/) {}

// A new AppState is a fresh program: nothing of the one it replaces shows
// through, not even the windows handed to the modules, the folder a test
// pointed it at or the listeners of its events, and when it goes the one
// before is back as it was.
TEST(AppStateTest, ANewStateStartsFreshAndThePreviousComesBackWhenItGoes) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::Yes);
  DataFolderManager::InstallEditor("qfm", &NoEditor);
  Session::State().FileList = {"/in/a.mkv"};
  FfmpegTools::State().FfmpegPath = "/opt/ffmpeg";
  Conversion::State().Choices.TwoPass = true;
  Lang::State().LanguageName = "<English>";
  ProgramFolder::SetForTests("/outer/program");
  int outerHeard = 0;
  QObject::connect(&Session::Events(), &Session::SessionEvents::FileListChanged,
                   [&] { ++outerHeard; });
  AppState* outer = &AppState::Current();
  {
    AppState inner;
    EXPECT_EQ(&AppState::Current(), &inner);
    EXPECT_TRUE(Session::State().FileList.isEmpty());
    EXPECT_TRUE(FfmpegTools::State().FfmpegPath.isEmpty());
    EXPECT_FALSE(Conversion::State().Choices.TwoPass);
    EXPECT_TRUE(Lang::State().LanguageName.isEmpty());
    EXPECT_EQ(DataFolderManager::EditorFor("qfm"), nullptr);
    EXPECT_EQ(Dialogs::MsgBox("¿Seguro?", {Dialogs::Buttons::YesNo}, "Quillmoor 2.0"),
              Dialogs::Button::Cancel);
    EXPECT_EQ(ProgramFolder::Path(), QDir::cleanPath(QCoreApplication::applicationDirPath()));
    int innerHeard = 0;
    QObject::connect(&Session::Events(), &Session::SessionEvents::FileListChanged,
                     [&] { ++innerHeard; });
    Session::State().FileList = {"/in/b.mkv"};
    Session::RefreshFileList();
    EXPECT_EQ(innerHeard, 1);
    EXPECT_EQ(outerHeard, 0);
  }
  EXPECT_EQ(&AppState::Current(), outer);
  EXPECT_EQ(Session::State().FileList, QStringList{"/in/a.mkv"});
  EXPECT_EQ(FfmpegTools::State().FfmpegPath, "/opt/ffmpeg");
  EXPECT_TRUE(Conversion::State().Choices.TwoPass);
  EXPECT_EQ(DataFolderManager::EditorFor("qfm"), &NoEditor);
  EXPECT_EQ(Dialogs::MsgBox("¿Seguro?", {Dialogs::Buttons::YesNo}, "Quillmoor 2.0"),
            Dialogs::Button::Yes);
  EXPECT_EQ(ProgramFolder::Path(), "/outer/program");
  Session::RefreshFileList();
  EXPECT_EQ(outerHeard, 1);
}

// The core asks its questions through the dialog layer; where no window
// side has installed the real dialogs, each answers as a cancelled one.
TEST(AppStateTest, WithoutTheWindowsEveryDialogAnswersAsCancelled) {
  Dialogs::SetDefaultResponder(nullptr);
  EXPECT_EQ(Dialogs::MsgBox("¿Seguro?", {Dialogs::Buttons::YesNo, Dialogs::Icon::Question},
                            "Quillmoor 2.0"),
            Dialogs::Button::Cancel);
  EXPECT_EQ(Dialogs::InputBox("Nombre:", "Quillmoor 2.0", "a"), "");
  EXPECT_TRUE(Dialogs::OpenFiles(nullptr, "Abrir", "/", "", "Todos|*.*", true).isEmpty());
  EXPECT_EQ(Dialogs::SaveFile(nullptr, "Guardar", "/", "a.mkv", "Todos|*.*"), "");
  EXPECT_EQ(Dialogs::Folder(nullptr, "Carpeta", "/"), "");
  EXPECT_EQ(Dialogs::Color(nullptr, 0x123456), -1);
  EXPECT_FALSE(Dialogs::Open("https://quillmoor.example.org/"));
}

}  // namespace
