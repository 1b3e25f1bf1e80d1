#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStandardPaths>

#include "CodecTestSupport.h"
#include "Keyboard.h"
#include "core/formats/ExternalCodecEditor.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegTools.h"
#include "gui/app/MainWindow.h"
#include "gui/formats/CodecEditorWindow.h"
#include "gui/frame/TextViewerWindow.h"

namespace {

using namespace codec_test;
using Dialogs::Kind;

bool EditorShown() {
  return CodecEditorWindow::Instance() && CodecEditorWindow::Instance()->isVisible();
}

QStringList Lines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

QList<bool> Selection(const QListWidget* list) {
  QList<bool> selected;
  for (int i = 0; i < list->count(); ++i) selected << list->item(i)->isSelected();
  return selected;
}

class CodecEditorWindowTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FfmpegTools::InitOptionNames();
    FfmpegTools::State().FfmpegPath.clear();
    ExternalCodecEditor::Reset();
    Codecs = ProgramFolder::AppFiles("ecodec");
    Formats = ProgramFolder::AppFiles("formats");
  }
  void TearDown() override {
    delete CodecEditorWindow::Instance();
    ExternalCodecEditor::Reset();
    TestEnv::TearDown();
  }
  // Opens the editor (on the named file, when given) and runs inside while it is up.
  void WithEditor(const QString& name, bool isVideo,
                  std::function<void(CodecEditorWindow*)> inside) {
    When(EditorShown, [inside] {
      inside(CodecEditorWindow::Instance());
      if (CodecEditorWindow::Instance()) CodecEditorWindow::Instance()->close();
    });
    CodecEditorWindow::ShowEditor(name, isVideo);
  }
  // A window the tests can act on without the modal wait.
  CodecEditorWindow* LoadWindow() {
    auto* window = new CodecEditorWindow;
    window->Load();
    ExternalCodecEditor::RecordToControls();
    return window;
  }
  QString Codecs;
  QString Formats;
};

TEST_F(CodecEditorWindowTest,
       ANewDefinitionShowsTheFileRowsAudioAndSixOptionsAndClosesWithoutAQuestion) {
  QWidget main;
  main.show();
  bool mainHidden = false;
  WithEditor("", false, [&](CodecEditorWindow* w) {
    mainHidden = !main.isVisible();
    EXPECT_EQ(w->windowTitle(), "Editor de codecs externos");  // from its translator
    EXPECT_EQ(Lines(w->paramList), (QStringList{"<InFile>", "<OutFile>"}));
    EXPECT_EQ(w->typeCombo->currentText(), "Audio");
    EXPECT_TRUE(w->typeCombo->isEnabled());
    EXPECT_EQ(w->editableOptionsList->count(), 6);
    EXPECT_EQ(Selection(w->editableOptionsList), QList<bool>(6, false));
    EXPECT_TRUE(w->generalSection->isHidden() && w->ffmpegSection->isHidden() &&
                w->codecSection->isHidden() && w->paramFrame->isHidden());
    EXPECT_EQ(w->generalSection->title(), "");
    EXPECT_EQ(w->ffmpegExtensionCombo->count(), 35);
    EXPECT_EQ(w->outputExtensionCombo->itemText(34), "wv");
  });
  EXPECT_TRUE(mainHidden);
  EXPECT_TRUE(main.isVisible()) << "the hidden windows come back";
  EXPECT_EQ(CodecEditorWindow::Instance(), nullptr);
}

TEST_F(CodecEditorWindowTest, TheControlsWriteTheDefinitionAndTheTypeResetsTheOptions) {
  CodecEditorWindow* w = LoadWindow();
  w->aboutText->setPlainText("about");
  w->ffmpegOptions->setText("-f wav");
  w->ffmpegExtensionCombo->setEditText("wav");
  w->outputExtensionCombo->setCurrentIndex(w->outputExtensionCombo->findText("mp3"));
  w->editableOptionsList->item(1)->setSelected(true);
  const ExtCodecDef& codec = ExternalCodecEditor::State().CurrentCodec;
  EXPECT_EQ(codec.About, "about");
  EXPECT_EQ(codec.FfmpegParams, "-f wav");
  EXPECT_EQ(codec.FfmpegExt, "wav");
  EXPECT_EQ(codec.OutputExt, "mp3");
  EXPECT_EQ(codec.Editable.Items, (QList<bool>{false, true, false, false, false, false}));

  w->typeCombo->setCurrentIndex(1);
  EXPECT_EQ(w->editableOptionsList->count(), 10);
  EXPECT_EQ(Selection(w->editableOptionsList), QList<bool>(10, false));
  EXPECT_EQ(codec.Editable.Items, QList<bool>(10, false));
  EXPECT_EQ(w->editableOptionsList->item(9)->text(), "Formato de pixel");
}

TEST_F(CodecEditorWindowTest, SectionsOpenOneAtATimeUnderTheirButtons) {
  CodecEditorWindow* w = LoadWindow();
  w->show();
  QLayout* column = w->sectionsPage->layout();
  w->generalButton->click();
  column->activate();
  EXPECT_TRUE(w->generalSection->isVisible());
  EXPECT_EQ(w->codecParamsButton->y(),
            w->generalSection->geometry().bottom() + 1 + column->spacing());
  w->codecParamsButton->click();
  column->activate();
  EXPECT_TRUE(w->generalSection->isHidden());
  EXPECT_TRUE(w->codecSection->isVisible());
  EXPECT_LT(w->codecParamsButton->y(), w->codecSection->y());
  EXPECT_GT(w->ffmpegParamsButton->y(), w->codecSection->geometry().bottom());
  w->codecParamsButton->click();
  column->activate();
  EXPECT_TRUE(w->codecSection->isHidden());
  EXPECT_EQ(w->ffmpegParamsButton->y(),
            w->codecParamsButton->geometry().bottom() + 1 + column->spacing());
}

TEST_F(CodecEditorWindowTest, TabLeavesTheAboutAndSuggestedValuesBoxesUntouched) {
  WithEditor("", false, [&](CodecEditorWindow* w) {
    ASSERT_TRUE(ShowActive(w));
    w->generalButton->click();
    w->addParamButton->click();
    ASSERT_TRUE(w->paramFrame->isVisible());
    w->paramKindCombo->setCurrentIndex(0);
    for (QPlainTextEdit* box : {w->aboutText, w->suggestedValues}) {
      SCOPED_TRACE(box->objectName().toStdString());
      ASSERT_TRUE(box->isEnabled());
      box->setPlainText("128");
      box->setFocus(Qt::OtherFocusReason);
      ASSERT_TRUE(WaitFor([box] { return box->hasFocus(); }));
      box->moveCursor(QTextCursor::End);
      QTest::keyClick(box, Qt::Key_Tab);
      EXPECT_EQ(box->toPlainText(), "128");
      EXPECT_FALSE(box->hasFocus());
    }
    w->cancelParamButton->click();
    ExternalCodecEditor::UndoChanges();
  });
}

TEST_F(CodecEditorWindowTest, TheParameterFrameBlocksTheMenusAndTheCloseUntilItEnds) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage();
  WithEditor("", false, [&](CodecEditorWindow* w) {
    w->paramList->setCurrentRow(-1);
    w->EditSelectedParameter();
    EXPECT_TRUE(w->paramFrame->isHidden()) << "a double click with no row does nothing";

    w->addParamButton->click();
    EXPECT_TRUE(w->paramFrame->isVisible());
    EXPECT_FALSE(w->fileMenu->menuAction()->isEnabled());
    EXPECT_FALSE(w->viewMenu->menuAction()->isEnabled());
    EXPECT_EQ(w->paramKindCombo->currentText(), "Opcional");
    w->close();
    EXPECT_TRUE(w->isVisible()) << "confirm or discard the row first";

    w->paramLabel->setText("a<b");
    w->acceptParamButton->click();
    EXPECT_TRUE(w->paramFrame->isVisible());

    w->paramLabel->setText("Bitrate");
    w->paramSwitch->setText("-b");
    w->paramKindCombo->setCurrentIndex(2);
    EXPECT_FALSE(w->paramDefault->isEnabled());
    EXPECT_FALSE(w->suggestedValues->isEnabled());
    EXPECT_FALSE(w->onlySuggestedCheck->isEnabled());
    w->acceptParamButton->click();
    EXPECT_TRUE(w->paramFrame->isHidden());
    EXPECT_TRUE(w->fileMenu->menuAction()->isEnabled());
    EXPECT_EQ(Lines(w->paramList), (QStringList{"<InFile>", "<OutFile>", "Bitrate"}));
    EXPECT_EQ(w->paramList->currentRow(), 2);

    ExternalCodecEditor::UndoChanges();  // leaves without the save question
  });
  EXPECT_EQ(dialogs.Messages(),
            (QStringList{"Confirme ó descarte los cambios en el parámetro antes de salir",
                         "Debe ingresar una etiqueta que no contenga los caracteres < >"}));
  EXPECT_EQ(dialogs.Shown().first().style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::None}));
}

TEST_F(CodecEditorWindowTest,
       TheFileRowsOnlyLetTheirSwitchChangeAndTheListButtonsActOnTheSelection) {
  CodecEditorWindow* w = LoadWindow();
  w->paramList->setCurrentRow(0);
  w->EditSelectedParameter();
  EXPECT_EQ(w->paramLabel->text(), "<InFile>");
  for (QWidget* locked :
       std::initializer_list<QWidget*>{w->paramLabel, w->paramKindCombo, w->paramDefault,
                                       w->suggestedValues, w->onlySuggestedCheck}) {
    EXPECT_FALSE(locked->isEnabled()) << locked->objectName().toStdString();
  }
  EXPECT_TRUE(w->paramSwitch->isEnabled());
  w->paramSwitch->setText("-i");
  w->acceptParamButton->click();
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params[0],
            Row("<InFile>", ParamKind::Required, "-i"));

  w->paramList->setCurrentRow(1);
  w->removeParamButton->click();  // "<OutFile>" cannot go
  w->moveUpButton->click();
  EXPECT_EQ(Lines(w->paramList), (QStringList{"<OutFile>", "<InFile>"}));
  EXPECT_EQ(w->paramList->currentRow(), 0);
  w->moveDownButton->click();
  EXPECT_EQ(w->paramList->currentRow(), 1);
  w->cancelParamButton->click();
}

TEST_F(CodecEditorWindowTest, ASavedDefinitionFixesItsTypeAndClosingTheEditorAsksToSaveChanges) {
  WriteRecord(Codecs + "/lame.qca", LameCodec());
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::Cancel).ExpectMessage(Dialogs::Button::Yes);
  WithEditor("lame", false, [&](CodecEditorWindow* w) {
    EXPECT_FALSE(w->typeCombo->isEnabled());
    EXPECT_EQ(w->programPath->text(), "tools/lame");
    EXPECT_EQ(w->aboutText->toPlainText(), "LAME MP3 encoder");
    EXPECT_EQ(w->outputExtensionCombo->currentText(), "mp3");
    EXPECT_EQ(w->ffmpegExtensionCombo->currentText(), "wav");
    EXPECT_EQ(w->ffmpegOptions->text(), "-f wav");
    EXPECT_EQ(Selection(w->editableOptionsList),
              (QList<bool>{true, false, false, false, true, false}));
    w->ffmpegOptions->setText("-f wav -ac 2");
    w->close();
    EXPECT_TRUE(w->isVisible()) << "cancelled";
  });
  EXPECT_EQ(ReadRecord<ExtCodecDef>(Codecs + "/lame.qca").FfmpegParams, "-f wav -ac 2");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, "")
      << "the editor is left with a new definition";
}

TEST_F(CodecEditorWindowTest, TheFileManagersEditOpensTheEditorOnThatFile) {
  WriteRecord(Codecs + "/lame.qca", LameCodec());
  QString shownPath;
  When([] { return FileManagerWindow::Instance() && FileManagerWindow::Instance()->isVisible(); },
       [] {
         FileManagerWindow::Instance()->fileList->setCurrentRow(0);
         FileManagerWindow::Instance()->editButton->click();
       });
  When(EditorShown, [&] {
    shownPath = ExternalCodecEditor::State().CurrentPath;
    CodecEditorWindow::Instance()->close();
    AnswerManager("");
  });
  DataFolderManager::ShowFileManager(Codecs, "qca", DataFolderManager::Mode::Administer, true);
  EXPECT_EQ(shownPath, Codecs + "/lame.qca");
}

TEST_F(CodecEditorWindowTest, ImportingAVideoCodecTakesItsFlagsClearsItsValuesAndSavesAsQcv) {
  FormatProfile profile;
  profile.VideoExtCodecName = "x264";
  profile.VideoExtCodec = LameCodec();
  profile.VideoExtCodec.Editable = {
      1, {false, false, true, false, false, false, false, false, false, true}};
  profile.VideoExtCodec.Values = {1, QStringList(10, "v")};
  profile.VideoExtCodec.Params[0].Value = "320";
  WriteRecord(Formats + "/p.qfm", profile);
  CodecEditorWindow* w = LoadWindow();
  ManagerCall call;
  AnswerManager("p", &call);
  w->importVideoAction->trigger();
  EXPECT_EQ(call.Folder, Formats);
  EXPECT_EQ(call.Extension, "qfm");
  EXPECT_EQ(w->typeCombo->currentText(), "Video");
  EXPECT_TRUE(w->typeCombo->isEnabled());
  EXPECT_EQ(Selection(w->editableOptionsList),
            (QList<bool>{false, false, true, false, false, false, false, false, false, true}));
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Values.Items, QStringList(10, ""));
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params[0].Value, "");
  EXPECT_FALSE(ExternalCodecEditor::IsDirty());
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, "");

  AnswerManager("x264", &call);
  w->saveAction->trigger();
  EXPECT_EQ(call.Extension, "qcv");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, Codecs + "/x264.qcv");
  EXPECT_FALSE(w->typeCombo->isEnabled());
}

TEST_F(CodecEditorWindowTest, ImportingFromAProfileWithoutThatCodecSaysSo) {
  WriteRecord(Formats + "/p.qfm", FormatProfile());
  CodecEditorWindow* w = LoadWindow();
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  AnswerManager("p");
  w->importAudioAction->trigger();
  EXPECT_EQ(dialogs.Messages(),
            QStringList{"No se encontró información de codec externo en el formato seleccionado"});
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params.Count(), 2);
}

TEST_F(CodecEditorWindowTest, FfmpegOptionsComeFromAProfileThatSuitsTheType) {
  FormatProfile wav;
  wav.OutputContainer = "wav";
  wav.AudioCodec = "pcm_s16le";
  wav.SampleRate = "44100";
  wav.Extension = "wav";
  wav.VideoCodec = "mpeg4";
  WriteRecord(Formats + "/wav.qfm", wav);
  FormatProfile noAudio = wav;
  noAudio.RemoveAudio = true;
  WriteRecord(Formats + "/noaudio.qfm", noAudio);
  FormatProfile external = wav;
  external.VideoExtCodecName = "x";
  external.VideoExtCodec = LameCodec();
  external.VideoExtCodec.Editable = {1, QList<bool>(10, false)};
  external.VideoExtCodec.Values = {1, QStringList(10)};
  WriteRecord(Formats + "/external.qfm", external);

  CodecEditorWindow* w = LoadWindow();
  struct Case {
    const char* profile;
    const char* message;
  };
  const Case refused[] = {
      {"noaudio", "El formato no sirve para extraer la pista de audio ó video requerida"},
      {"external",
       "El formato de extracción no debe requerir codecs externos ni generar múltiples archivos de "
       "salida"},
  };
  for (const Case& c : refused) {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    AnswerManager(c.profile);
    w->takeFromProfileButton->click();
    EXPECT_EQ(dialogs.Messages(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(w->ffmpegOptions->text(), "");
    EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.FfmpegParams, "");
  }
  AnswerManager("wav");
  w->takeFromProfileButton->click();
  EXPECT_EQ(w->ffmpegExtensionCombo->currentText(), "wav");
  EXPECT_EQ(w->ffmpegOptions->text(), "-f wav -c:a pcm_s16le -ar 44100");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.FfmpegParams,
            "-f wav -c:a pcm_s16le -ar 44100");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.FfmpegExt, "wav");

  w->typeCombo->setCurrentIndex(1);
  AnswerManager("wav");
  w->takeFromProfileButton->click();
  EXPECT_EQ(w->ffmpegOptions->text(), "-f wav -c:v mpeg4");
}

TEST_F(CodecEditorWindowTest, TheProgramIsKeptRelativeInsideTheProgramFolder) {
  CodecEditorWindow* w = LoadWindow();
  const QString lastFolder = DesktopServices::StartingFolder(QString());
  const QString inside = WriteFile("tools/enc", "#!/bin/sh\n");
  const QString outside = QDir::tempPath() + "/enc";
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, QStringList{inside})
      .Expect(Kind::OpenFile, QStringList{outside})
      .Expect(Kind::OpenFile, QStringList());
  w->browseProgramButton->click();
  EXPECT_EQ(w->programPath->text(), "tools/enc");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.ExePath, "tools/enc");
  w->browseProgramButton->click();
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.ExePath, outside);
  w->browseProgramButton->click();
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.ExePath, outside) << "cancelled";
  EXPECT_EQ(dialogs.Shown().first().text, lastFolder) << "the dialog starts where it was last";
}

TEST_F(CodecEditorWindowTest, TheProgramsOwnDocumentationRunsItWithTheTypedArguments) {
  CodecEditorWindow* w = LoadWindow();
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    w->programDocumentationAction->trigger();
    EXPECT_EQ(dialogs.Messages(), QStringList{"Aún no se especifica el ejecutable"});
  }
  const QString program = WriteFile("tools/my enc", "#!/bin/sh\necho \"usage of my enc: $1 $2\"\n");
  QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
  ExternalCodecEditor::State().CurrentCodec.ExePath = "tools/my enc";
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Input, QString()).Expect(Kind::Input, QString("--help \"a $(b)\""));
  w->programDocumentationAction->trigger();  // no arguments: nothing runs
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);
  QString shown;
  // The viewer closes only once the program has ended and its output is in.
  const auto viewerText = [] {
    return TextViewerWindow::Instance()->findChild<QPlainTextEdit*>()->toPlainText();
  };
  When([&] { return TextViewerWindow::Instance() && !viewerText().isEmpty(); },
       [&] {
         shown = viewerText();
         TextViewerWindow::Instance()->close();
       });
  w->programDocumentationAction->trigger();
  EXPECT_TRUE(shown.contains("usage of my enc: --help a $(b)")) << shown.toStdString();
  EXPECT_EQ(dialogs.Shown().last().text,
            "Ingrese los parámetros de la línea de comandos para acceder a la documentación "
            "(ejemplo: -help)");
}

// The View menu's items run a tool in the viewer. Chosen while another tool
// still runs (an earlier help still in the viewer), each says so once, asks
// for nothing and shows no viewer of a run that never started.
TEST_F(CodecEditorWindowTest, ItsHelpAndDocumentationWhileAnotherToolRunsSaySoOnce) {
  const QString program = WriteFile("tools/enc", "#!/bin/sh\necho usage\n");
  QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  CodecEditorWindow* w = LoadWindow();
  ExternalCodecEditor::State().CurrentCodec.ExePath = "tools/enc";
  for (QAction* item : {w->programDocumentationAction, w->ffmpegHelpAction}) {
    SCOPED_TRACE(item->objectName().toStdString());
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    bool viewerShown = true;
    ASSERT_TRUE(WhileAnotherToolRuns([&] {
      item->trigger();
      viewerShown = TextViewerWindow::Instance() != nullptr;
    }));
    EXPECT_FALSE(viewerShown);
    ASSERT_EQ(dialogs.Messages(),
              QStringList{"Otra herramienta está en ejecución; espere a que termine"});
    EXPECT_EQ(dialogs.Shown().first().style,
              (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Information}))
        << "an information";
  }
  FfmpegTools::State().FfmpegPath.clear();
}

}  // namespace

namespace {

TEST_F(CodecEditorWindowTest, TheMainWindowOpensTheEditorAndTheViewerAndLendsItsHelpCaptions) {
  MainWindow main;
  main.ffmpegHelpAction->setText("ffmpeg help");
  bool editorOpened = false;
  When(EditorShown, [&] {
    editorOpened = true;
    CodecEditorWindow* w = CodecEditorWindow::Instance();
    w->generalButton->click();
    EXPECT_EQ(w->ffmpegHelpAction->text(), "ffmpeg help");
    EXPECT_EQ(w->programHelpAction->text(), main.programHelpAction->text());
    w->close();
  });
  main.codecEditorAction->trigger();
  EXPECT_TRUE(editorOpened);

  QStringList closed;
  {
    ModalCloser closer;
    main.aboutExternalCodecAction->trigger();
    closed = closer.Closed();
  }
  EXPECT_EQ(closed, QStringList{"Form11"});
}

}  // namespace

namespace {

TEST_F(CodecEditorWindowTest, SuggestedValuesShowOnePerLineAndAreStoredWithCrLf) {
  ExtCodecParam quality = Row("Quality", ParamKind::Optional, "-q", "5");
  quality.Suggested = "2\r\n5";
  ExternalCodecEditor::State().CurrentCodec.Params.Items.append(quality);
  CodecEditorWindow* w = LoadWindow();
  w->paramList->setCurrentRow(2);
  w->EditSelectedParameter();
  EXPECT_EQ(w->suggestedValues->toPlainText(), "2\n5");
  w->suggestedValues->setPlainText("2\n5\n9");
  w->onlySuggestedCheck->setChecked(true);
  w->acceptParamButton->click();
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params[2].Suggested, "2\r\n5\r\n9");
  EXPECT_TRUE(ExternalCodecEditor::State().CurrentCodec.Params[2].OnlySuggested);
}

}  // namespace
