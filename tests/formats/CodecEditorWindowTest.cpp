#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>

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

bool EditorShown() { return CodecEditorWindow::Instance() && CodecEditorWindow::Instance()->isVisible(); }

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
  void WithEditor(const QString& name, uint8_t kind, std::function<void(CodecEditorWindow*)> inside) {
    When(EditorShown, [inside] {
      inside(CodecEditorWindow::Instance());
      if (CodecEditorWindow::Instance()) CodecEditorWindow::Instance()->close();
    });
    CodecEditorWindow::ShowEditor(name, kind);
  }
  // A window the tests can act on without the modal wait.
  CodecEditorWindow* LoadWindow() {
    auto* window = new CodecEditorWindow;
    window->Form_Load();
    ExternalCodecEditor::RecordToControls();
    return window;
  }
  QString Codecs;
  QString Formats;
};

TEST_F(CodecEditorWindowTest, ANewDefinitionShowsTheFileRowsAudioAndSixOptionsAndClosesWithoutAQuestion) {
  QWidget main;
  main.show();
  bool mainHidden = false;
  WithEditor("", 0, [&](CodecEditorWindow* w) {
    mainHidden = !main.isVisible();
    EXPECT_EQ(w->windowTitle(), "Editor de codecs externos");  // from its translator
    EXPECT_EQ(Lines(w->List1), (QStringList{"<InFile>", "<OutFile>"}));
    EXPECT_EQ(w->Combo1->currentText(), "Audio");
    EXPECT_TRUE(w->Combo1->isEnabled());
    EXPECT_EQ(w->List2->count(), 6);
    EXPECT_EQ(Selection(w->List2), QList<bool>(6, false));
    EXPECT_TRUE(w->Frame1->isHidden() && w->Frame2->isHidden() && w->Frame3->isHidden() &&
                w->Frame4->isHidden());
    EXPECT_EQ(w->Frame1->title(), "");
    EXPECT_EQ(w->Combo2->count(), 35);
    EXPECT_EQ(w->Combo4->itemText(34), "wv");
  });
  EXPECT_TRUE(mainHidden);
  EXPECT_TRUE(main.isVisible()) << "the hidden windows come back";
  EXPECT_EQ(CodecEditorWindow::Instance(), nullptr);
}

TEST_F(CodecEditorWindowTest, TheControlsWriteTheDefinitionAndTheTypeResetsTheOptions) {
  CodecEditorWindow* w = LoadWindow();
  w->Text2->setPlainText("about");
  w->Text3->setText("-f wav");
  w->Combo2->setEditText("wav");
  w->Combo4->setCurrentIndex(w->Combo4->findText("mp3"));
  w->List2->item(1)->setSelected(true);
  const ExtCodecDef& codec = ExternalCodecEditor::State().CurrentCodec;
  EXPECT_EQ(codec.About, "about");
  EXPECT_EQ(codec.FfmpegParams, "-f wav");
  EXPECT_EQ(codec.FfmpegExt, "wav");
  EXPECT_EQ(codec.OutputExt, "mp3");
  EXPECT_EQ(codec.Editable.Items, (QList<uint8_t>{0, 1, 0, 0, 0, 0}));

  w->Combo1->setCurrentIndex(1);
  EXPECT_EQ(w->List2->count(), 10);
  EXPECT_EQ(Selection(w->List2), QList<bool>(10, false));
  EXPECT_EQ(codec.Editable.Items, QList<uint8_t>(10, 0));
  EXPECT_EQ(w->List2->item(9)->text(), "Formato de pixel");
}

TEST_F(CodecEditorWindowTest, SectionsOpenOneAtATimeUnderTheirButtons) {
  CodecEditorWindow* w = LoadWindow();
  w->show();
  QLayout* column = w->centralWidget()->layout();
  w->Command9->click();
  column->activate();
  EXPECT_TRUE(w->Frame1->isVisible());
  EXPECT_EQ(w->Command10->y(), w->Frame1->geometry().bottom() + 1 + column->spacing());
  w->Command10->click();
  column->activate();
  EXPECT_TRUE(w->Frame1->isHidden());
  EXPECT_TRUE(w->Frame3->isVisible());
  EXPECT_LT(w->Command10->y(), w->Frame3->y());
  EXPECT_GT(w->Command11->y(), w->Frame3->geometry().bottom());
  w->Command10->click();
  column->activate();
  EXPECT_TRUE(w->Frame3->isHidden());
  EXPECT_EQ(w->Command11->y(), w->Command10->geometry().bottom() + 1 + column->spacing());
}

TEST_F(CodecEditorWindowTest, TabLeavesTheAboutAndSuggestedValuesBoxesUntouched) {
  WithEditor("", 0, [&](CodecEditorWindow* w) {
    ASSERT_TRUE(ShowActive(w));
    w->Command9->click();
    w->Command4->click();
    ASSERT_TRUE(w->Frame4->isVisible());
    w->Combo3->setCurrentIndex(0);
    for (QPlainTextEdit* box : {w->Text2, w->Text8}) {
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
    w->Command8->click();
    ExternalCodecEditor::UndoChanges();
  });
}

TEST_F(CodecEditorWindowTest, TheParameterFrameBlocksTheMenusAndTheCloseUntilItEnds) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage();
  WithEditor("", 0, [&](CodecEditorWindow* w) {
    w->List1->setCurrentRow(-1);
    w->List1_DblClick();
    EXPECT_TRUE(w->Frame4->isHidden()) << "a double click with no row does nothing";

    w->Command4->click();
    EXPECT_TRUE(w->Frame4->isVisible());
    EXPECT_FALSE(w->Menu_File->menuAction()->isEnabled());
    EXPECT_FALSE(w->Menu_View->menuAction()->isEnabled());
    EXPECT_EQ(w->Combo3->currentText(), "Opcional");
    w->close();
    EXPECT_TRUE(w->isVisible()) << "confirm or discard the row first";

    w->Text4->setText("a<b");
    w->Command3->click();
    EXPECT_TRUE(w->Frame4->isVisible());

    w->Text4->setText("Bitrate");
    w->Text5->setText("-b");
    w->Combo3->setCurrentIndex(2);
    EXPECT_FALSE(w->Text6->isEnabled());
    EXPECT_FALSE(w->Text8->isEnabled());
    EXPECT_FALSE(w->Check1->isEnabled());
    w->Command3->click();
    EXPECT_TRUE(w->Frame4->isHidden());
    EXPECT_TRUE(w->Menu_File->menuAction()->isEnabled());
    EXPECT_EQ(Lines(w->List1), (QStringList{"<InFile>", "<OutFile>", "Bitrate"}));
    EXPECT_EQ(w->List1->currentRow(), 2);

    ExternalCodecEditor::UndoChanges();  // leaves without the save question
  });
  EXPECT_EQ(dialogs.Messages(),
            (QStringList{"Confirme ó descarte los cambios en el parámetro antes de salir",
                         "Debe ingresar una etiqueta que no contenga los caracteres < >"}));
  EXPECT_EQ(dialogs.Shown().first().style, 0);
}

TEST_F(CodecEditorWindowTest, TheFileRowsOnlyLetTheirSwitchChangeAndTheListButtonsActOnTheSelection) {
  CodecEditorWindow* w = LoadWindow();
  w->List1->setCurrentRow(0);
  w->List1_DblClick();
  EXPECT_EQ(w->Text4->text(), "<InFile>");
  for (QWidget* locked :
       std::initializer_list<QWidget*>{w->Text4, w->Combo3, w->Text6, w->Text8, w->Check1}) {
    EXPECT_FALSE(locked->isEnabled()) << locked->objectName().toStdString();
  }
  EXPECT_TRUE(w->Text5->isEnabled());
  w->Text5->setText("-i");
  w->Command3->click();
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params[0], Row("<InFile>", 1, "-i"));

  w->List1->setCurrentRow(1);
  w->Command5->click();  // "<OutFile>" cannot go
  w->Command7->click();
  EXPECT_EQ(Lines(w->List1), (QStringList{"<OutFile>", "<InFile>"}));
  EXPECT_EQ(w->List1->currentRow(), 0);
  w->Command6->click();
  EXPECT_EQ(w->List1->currentRow(), 1);
  w->Command8->click();
}

TEST_F(CodecEditorWindowTest, ASavedDefinitionFixesItsTypeAndClosingTheEditorAsksToSaveChanges) {
  WriteRecord(Codecs + "/lame.qca", LameCodec());
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(2).ExpectMessage(6);
  WithEditor("lame", 0, [&](CodecEditorWindow* w) {
    EXPECT_FALSE(w->Combo1->isEnabled());
    EXPECT_EQ(w->Text1->text(), "tools/lame");
    EXPECT_EQ(w->Text2->toPlainText(), "LAME MP3 encoder");
    EXPECT_EQ(w->Combo4->currentText(), "mp3");
    EXPECT_EQ(w->Combo2->currentText(), "wav");
    EXPECT_EQ(w->Text3->text(), "-f wav");
    EXPECT_EQ(Selection(w->List2), (QList<bool>{true, false, false, false, true, false}));
    w->Text3->setText("-f wav -ac 2");
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
         FileManagerWindow::Instance()->List1->setCurrentRow(0);
         FileManagerWindow::Instance()->Command7->click();
       });
  When(EditorShown, [&] {
    shownPath = ExternalCodecEditor::State().CurrentPath;
    CodecEditorWindow::Instance()->close();
    AnswerManager("");
  });
  DataFolderManager::ShowFileManager(Codecs, "qca", DataFolderManager::Administer, true);
  EXPECT_EQ(shownPath, Codecs + "/lame.qca");
}

TEST_F(CodecEditorWindowTest, ImportingAVideoCodecTakesItsFlagsClearsItsValuesAndSavesAsQcv) {
  FormatProfile profile;
  profile.VideoExtCodecName = "x264";
  profile.VideoExtCodec = LameCodec();
  profile.VideoExtCodec.Editable = {1, {0, 0, 1, 0, 0, 0, 0, 0, 0, 1}};
  profile.VideoExtCodec.Values = {1, QStringList(10, "v")};
  profile.VideoExtCodec.Params[0].Value = "320";
  WriteRecord(Formats + "/p.qfm", profile);
  CodecEditorWindow* w = LoadWindow();
  ManagerCall call;
  AnswerManager("p", &call);
  w->File_ImportV->trigger();
  EXPECT_EQ(call.Folder, Formats);
  EXPECT_EQ(call.Extension, "qfm");
  EXPECT_EQ(w->Combo1->currentText(), "Video");
  EXPECT_TRUE(w->Combo1->isEnabled());
  EXPECT_EQ(Selection(w->List2),
            (QList<bool>{false, false, true, false, false, false, false, false, false, true}));
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Values.Items, QStringList(10, ""));
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params[0].Value, "");
  EXPECT_FALSE(ExternalCodecEditor::IsDirty());
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, "");

  AnswerManager("x264", &call);
  w->File_Save->trigger();
  EXPECT_EQ(call.Extension, "qcv");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, Codecs + "/x264.qcv");
  EXPECT_FALSE(w->Combo1->isEnabled());
}

TEST_F(CodecEditorWindowTest, ImportingFromAProfileWithoutThatCodecSaysSo) {
  WriteRecord(Formats + "/p.qfm", FormatProfile());
  CodecEditorWindow* w = LoadWindow();
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  AnswerManager("p");
  w->File_ImportA->trigger();
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
  noAudio.RemoveAudio = 1;
  WriteRecord(Formats + "/noaudio.qfm", noAudio);
  FormatProfile external = wav;
  external.VideoExtCodecName = "x";
  external.VideoExtCodec = LameCodec();
  external.VideoExtCodec.Editable = {1, QList<uint8_t>(10, 0)};
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
    w->Command2->click();
    EXPECT_EQ(dialogs.Messages(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(w->Text3->text(), "");
    EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.FfmpegParams, "");
  }
  AnswerManager("wav");
  w->Command2->click();
  EXPECT_EQ(w->Combo2->currentText(), "wav");
  EXPECT_EQ(w->Text3->text(), "-f wav -c:a pcm_s16le -ar 44100");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.FfmpegParams,
            "-f wav -c:a pcm_s16le -ar 44100");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.FfmpegExt, "wav");

  w->Combo1->setCurrentIndex(1);
  AnswerManager("wav");
  w->Command2->click();
  EXPECT_EQ(w->Text3->text(), "-f wav -c:v mpeg4");
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
  w->Command1->click();
  EXPECT_EQ(w->Text1->text(), "tools/enc");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.ExePath, "tools/enc");
  w->Command1->click();
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.ExePath, outside);
  w->Command1->click();
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.ExePath, outside) << "cancelled";
  EXPECT_EQ(dialogs.Shown().first().text, lastFolder) << "the dialog starts where it was last";
}

TEST_F(CodecEditorWindowTest, TheProgramsOwnDocumentationRunsItWithTheTypedArguments) {
  CodecEditorWindow* w = LoadWindow();
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    w->View_Doc->trigger();
    EXPECT_EQ(dialogs.Messages(), QStringList{"Aún no se especifica el ejecutable"});
  }
  const QString program = WriteFile("tools/my enc", "#!/bin/sh\necho \"usage of my enc: $1 $2\"\n");
  QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
  ExternalCodecEditor::State().CurrentCodec.ExePath = "tools/my enc";
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Input, QString()).Expect(Kind::Input, QString("--help \"a $(b)\""));
  w->View_Doc->trigger();  // no arguments: nothing runs
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
  w->View_Doc->trigger();
  EXPECT_TRUE(shown.contains("usage of my enc: --help a $(b)")) << shown.toStdString();
  EXPECT_EQ(dialogs.Shown().last().text,
            "Ingrese los parámetros de la línea de comandos para acceder a la documentación "
            "(ejemplo: -help)");
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
    w->Command9->click();
    EXPECT_EQ(w->View_ffmpegHelp->text(), "ffmpeg help");
    EXPECT_EQ(w->View_ProgHelp->text(), main.programHelpAction->text());
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
  ExtCodecParam quality = Row("Quality", 0, "-q", "5");
  quality.Suggested = "2\r\n5";
  ExternalCodecEditor::State().CurrentCodec.Params.Items.append(quality);
  CodecEditorWindow* w = LoadWindow();
  w->List1->setCurrentRow(2);
  w->List1_DblClick();
  EXPECT_EQ(w->Text8->toPlainText(), "2\n5");
  w->Text8->setPlainText("2\n5\n9");
  w->Check1->setChecked(true);
  w->Command3->click();
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params[2].Suggested, "2\r\n5\r\n9");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params[2].OnlySuggested, 1);
}

}  // namespace
