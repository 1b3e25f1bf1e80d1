#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <memory>

#include "Children.h"
#include "EditingFixture.h"
#include "HangGuard.h"
#include "ProbeClips.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/FilterDef.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "core/ground/ToolRunner.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/UnitPicture.h"
#include "gui/frame/PlayerWindow.h"
#include "gui/frame/TextViewerWindow.h"

namespace {

using Dialogs::Kind;

class EditingProfileWindowTest : public EditingTest {
 protected:
  void TearDown() override {
    delete window_;
    EditingTest::TearDown();
  }
  EditingProfileWindow* Open() {
    window_ = new EditingProfileWindow;
    window_->Form_Load();
    return window_;
  }
  static void Type(QWidget* box, const QString& keys) {
    for (QChar key : keys) {
      const int code = key == '\b' ? int(Qt::Key_Backspace) : 0;
      QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, QString(key));
      QApplication::sendEvent(box, &press);
    }
  }
  static void Leave(QWidget* box) {
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(box, &out);
  }
  QString WriteFilter(const QString& name, uint8_t type) const {
    return WriteFile("appfiles/filters/" + name + ".qfl",
                     RecordFile::Encode(FilterDef{type, 0, "x"}));
  }
  // The player window stays until it is closed: close it once the player has run.
  static std::unique_ptr<QTimer> ClosePlayerOnceItEnded() {
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == "Form18" && top->isVisible() &&
            ToolRunner::GetState() == ToolRunner::Idle &&
            QFile::exists(ProgramFolder::Path() + "/tools/play-args.txt")) {
          top->close();
        }
      }
    });
    timer->start(20);
    return timer;
  }
  QPointer<EditingProfileWindow> window_;
};

TEST_F(EditingProfileWindowTest, LoadingProbesTheFirstListedFileAndGrabsItsFirstFrame) {
  Session::State().FileList = {VideoClip()};
  EditingProfileWindow* w = Open();
  EXPECT_EQ(w->TestFile, Session::State().FileList.first());
  EXPECT_EQ(w->TestWidth, 160);
  EXPECT_EQ(w->TestHeight, 120);
  EXPECT_FLOAT_EQ(w->TestDuration, 2);
  EXPECT_EQ(w->TestHasAudio, 1);
  EXPECT_TRUE(w->Picture1->HasPicture());
  EXPECT_TRUE(w->Picture1->isEnabled());
  EXPECT_TRUE(w->Check1->isChecked());
  EXPECT_EQ(w->Text13->text(), w->TestFile);
  EXPECT_EQ(w->Combo13->count(), 1);
  EXPECT_TRUE(QFile::exists(w->TempFolder + "/frame.jpg"));
  EXPECT_TRUE(w->Menu_File->isEnabled());
  EXPECT_FALSE(w->Picture7->isVisible());

  const QString temp = w->TempFolder;
  EXPECT_TRUE(w->close());
  EXPECT_FALSE(QDir(temp).exists());
}

TEST_F(EditingProfileWindowTest, AFileWithoutPicturesShowsAFlatLineAndAnimatesItsAudition) {
  FfmpegTools::State().FfplayPath = FakePlayer();
  QFile::setPermissions(FfmpegTools::State().FfplayPath,
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  Session::State().FileList = {AudioClip()};
  EditingProfileWindow* w = Open();
  EXPECT_FALSE(w->Picture1->isEnabled());
  EXPECT_EQ(w->Picture1->Line(), (QList<QPointF>{{0, 0.5}, {1, 0.5}}));
  EXPECT_TRUE(w->Picture4->isEnabled());
  EXPECT_FALSE(w->Check1->isChecked());

  w->List1->setCurrentRow(1);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  w->Opt_CutGrap_Click();
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pueden extraer cuadros del archivo de prueba"});
  EXPECT_FALSE(w->PicExploreStream->isVisible());

  w->Picture4_MouseUp(0.5);
  EXPECT_DOUBLE_EQ(w->Shape2->Left + w->Shape2->Width, 0.5);
  EXPECT_TRUE(w->Timer1->isActive());
  for (int tick = 0; tick < 70; ++tick) w->Timer1_Timer();
  EXPECT_TRUE(w->Timer1->isActive());
  EXPECT_GT(w->Picture1->Line().size(), 90);
  w->Timer1_Timer();
  EXPECT_FALSE(w->Timer1->isActive());
  EXPECT_EQ(w->AuditionElapsed, 0);
  EXPECT_EQ(w->Picture1->Line().size(), 2);
}

TEST_F(EditingProfileWindowTest, TheAuditionEndsWithTheEditor) {
  qputenv("SDL_AUDIODRIVER", "dummy");
  Session::State().FileList = {MakeClip("long tone.wav", {"sine=d=30"})};
  EditingProfileWindow* w = Open();
  w->Picture4_MouseUp(0.1);
  QElapsedTimer waited;
  waited.start();
  while (ChildProcesses("ffplay").isEmpty() && waited.elapsed() < 20000)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  const QList<qint64> auditions = ChildProcesses("ffplay");
  ASSERT_EQ(auditions.size(), 1);
  delete window_;  // as the editor's opener does once it is closed
  EXPECT_TRUE(AllEnd(auditions, 3000)) << "well before the seven seconds of the audition";
}

TEST_F(EditingProfileWindowTest, NumericBoxesTakeKeysByTheirRuleAndStoreNormalisedValues) {
  EditingProfileWindow* w = Open();
  Type(w->Text17, "007.50.");
  EXPECT_EQ(w->Text17->text(), "007.50");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropWidth, "7.5");
  Leave(w->Text17);
  EXPECT_EQ(w->Text17->text(), "7.5");

  Type(w->Text26, "1.5-0");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Volume, "150");
  Type(w->Text31, "1:30.5x");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.StartPos, "1:30.5");
  Type(w->Text31, ":4:5");
  EXPECT_EQ(w->Text31->text(), "1:30.5:4:5");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.StartPos, "1:30.5:4");
  Leave(w->Text31);
  EXPECT_EQ(w->Text31->text(), "1:30.5:4");

  Type(w->Text19, "0");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropHeight, "");
  Type(w->Text19, "\b");
  w->Text27[2]->clear();
  Type(w->Text27[2], "-3-.25");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[7], "-3.2");

  w->Option5->setChecked(true);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.EndMode, 2);
  EXPECT_TRUE(w->Text1->isEnabled());
  EXPECT_FALSE(w->Text33->isEnabled());
  w->Combo8->setCurrentIndex(1);
  Type(w->Text1, "2:5.0");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Duration[1], "250");
  w->Combo8->setCurrentIndex(0);
  EXPECT_EQ(w->Text1->text(), "");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Duration[1], "250");
}

TEST_F(EditingProfileWindowTest, AnOpenedProfileFillsEveryPanelWithoutWritingBack) {
  WriteFilter("eco", 0);
  WriteFilter("espejo", 1);
  EditProfileRec stored;
  stored.StartPos = "10";
  stored.EndMode = 2;
  stored.Duration = {"5", "125", ""};
  stored.DurationUnit = 1;
  stored.CropWidth = "0.5";
  stored.CropWidthUnit = 1;
  stored.AspectMode = 3;
  stored.AspectRatio = "1.5";
  stored.Filters = {1, {"ESPEJO", "gone"}};
  stored.BorderColor = "FF8000";
  stored.RemoveVideo = 1;
  stored.Equalizer[1] = "12";
  stored.InputParams = "-re";
  const QString path = WriteFile("appfiles/editp/full.qep", RecordFile::Encode(stored));
  EditingProfileWindow* w = Open();
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EditingProfileEditor::OpenProfile(path);
  EXPECT_EQ(dialogs.Messages(), QStringList{"Los siguientes filtros no se encuentran:\ngone"});
  EXPECT_EQ(w->Text31->text(), "10");
  EXPECT_TRUE(w->Option5->isChecked());
  EXPECT_EQ(w->Combo8->currentIndex(), 1);
  EXPECT_EQ(w->Text1->text(), "125");
  EXPECT_EQ(w->Text17->text(), "0.5");
  EXPECT_EQ(w->Combo2->currentIndex(), 1);
  EXPECT_TRUE(w->Option2->isChecked());
  EXPECT_TRUE(w->Text2->isEnabled());
  EXPECT_EQ(w->List3->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(w->List2->item(0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(w->Picture2->palette().color(QPalette::Window), QColor(255, 128, 0));
  EXPECT_TRUE(w->Check3->isChecked());
  EXPECT_EQ(w->Text27[0]->text(), "12");
  EXPECT_DOUBLE_EQ(w->Shape1[0]->Top, 0);
  EXPECT_EQ(w->Text14[9]->text(), "16000");
  EXPECT_EQ(w->Text30->text(), "-re");
  // Only the missing filter was dropped, so the profile counts as changed.
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Filters.Items, QStringList{"ESPEJO"});
  EXPECT_TRUE(EditingProfileEditor::IsDirty());
}

TEST_F(EditingProfileWindowTest, FilterTicksAreStoredByListThenPosition) {
  WriteFilter("eco", 0);
  WriteFilter("espejo", 1);
  WriteFilter("mezcla", 2);
  EditingProfileWindow* w = Open();
  EXPECT_EQ(w->List2->count(), 1);
  EXPECT_EQ(w->List3->count(), 1);
  EXPECT_EQ(w->List4->count(), 1);
  w->List3->item(0)->setCheckState(Qt::Checked);
  w->List2->item(0)->setCheckState(Qt::Checked);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Filters.Items,
            (QStringList{"eco", "espejo"}));
  w->List1->setCurrentRow(4);
  w->Opt_CleanAct_Click();
  EXPECT_TRUE(EditingProfileEditor::State().CurrentProfile.Filters.IsEmpty());
}

// A filter folder unpacked from an archive may hold a named pipe or a link to
// a device beside the filters: the window lists the filters and leaves those
// out, without waiting on the pipe or reading the device.
TEST_F(EditingProfileWindowTest, APipeOrADeviceAmongTheFiltersIsLeftOutWithoutWaiting) {
  WriteFilter("eco", 0);
  WriteFilter("espejo", 1);
  const QString filters = ProgramFolder::AppFiles("filters");
  ASSERT_EQ(mkfifo(QFile::encodeName(filters + "/pipe.qfl").constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", filters + "/zero.qfl"));
  const HangGuard guard("the editing-profile window listing its filters");
  EditingProfileWindow* w = Open();
  ASSERT_EQ(w->List2->count(), 1);
  EXPECT_EQ(w->List2->item(0)->text(), "eco");
  ASSERT_EQ(w->List3->count(), 1);
  EXPECT_EQ(w->List3->item(0)->text(), "espejo");
  EXPECT_EQ(w->List4->count(), 0);
}

TEST_F(EditingProfileWindowTest, OperationsShowTheirPanelAndMenuItems) {
  EditingProfileWindow* w = Open();
  w->show();
  const struct {
    int row;
    QWidget* panel;
    QList<QAction*> shown;
  } rows[] = {
      {0, w->PicRecortarSecuencia, {w->Opt_CutGrap}},
      {2, w->PicCambiarTamanoCuadro, {w->Opt_TamPredef->menuAction(), w->Opt_Preview}},
      {7, w->PicEQU, {w->Opt_PredefEqu->menuAction(), w->Opt_RestVal->menuAction()}},
      {8, w->PicModifCmdL, {w->Opt_Helpff}},
  };
  for (const auto& row : rows) {
    w->List1->setCurrentRow(row.row);
    EXPECT_TRUE(row.panel->isVisible()) << row.row;
    for (QAction* item : row.shown) EXPECT_TRUE(item->isVisible()) << row.row;
    EXPECT_EQ(w->Opt_Preview->isVisible(), row.row == 2 || row.row == 7) << row.row;
  }
  w->List1->setCurrentRow(4);
  EXPECT_FALSE(w->Opt_Sep1->isVisible());
  EXPECT_TRUE(w->Opt_CleanAll->isVisible());
}

TEST_F(EditingProfileWindowTest, PresetsAndRestoreCommandsWriteTheBandsThroughTheirBoxes) {
  EditingProfileEditor::NormalizeEqualizer();
  EditingProfileWindow* w = Open();
  EditingProfileEditor::RecordToForm();
  w->List1->setCurrentRow(7);
  w->Text14[3]->setText("300");
  w->Text32[3]->setText("2");
  w->Equ_Click(11);  // "Pop"
  const char* gains[] = {"-0.5", "2.3", "4.1", "4.7", "2.9", "0", "-1.1", "-1.1", "-0.5", "-0.5"};
  for (int band = 0; band < 10; ++band) {
    EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[band * 3 + 1], gains[band]);
    EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[band * 3 + 2], "1");
  }
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[9], "250");
  w->Opt_RestVal_All_Click();
  EXPECT_FALSE(EditingProfileEditor::IsDirty());

  w->Picture3_MouseUp(0, Qt::LeftButton, 0.0);
  EXPECT_EQ(w->Text27[0]->text(), "12");
  w->Picture3_KeyDown(0, Qt::Key_Up);
  EXPECT_EQ(w->Text27[0]->text(), "12");
  w->Picture3_MouseUp(0, Qt::RightButton, 0.9);
  w->Picture3_KeyDown(0, Qt::Key_Down);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[1], "-0.1");
  w->Text27[1]->setText("");
  Leave(w->Text27[1]);
  EXPECT_EQ(w->Text27[1]->text(), "0");
  EXPECT_DOUBLE_EQ(w->Shape1[1]->Top, 0.5);
  w->Text32[1]->setText("0");
  Leave(w->Text32[1]);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[5], "1");

  w->HScroll1->setValue(6);
  EXPECT_FALSE(w->Text14[0]->isVisibleTo(w));
  EXPECT_TRUE(w->Text14[9]->isVisibleTo(w));
}

TEST_F(EditingProfileWindowTest, ClearingOneOperationLeavesTheOthers) {
  EditingProfileWindow* w = Open();
  w->Text3->setText("48");
  w->Combo9->setCurrentIndex(2);
  w->Text26->setText("80");
  w->List1->setCurrentRow(5);
  w->ClearValues(false);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderRight, "");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderRightUnit, 0);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderColor, "000000");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Volume, "80");
  w->Check7->setChecked(true);
  w->Text27[4]->setText("5");
  w->ClearValues(true);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Volume, "");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.RemoveAudio, 0);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[13], "0");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.AspectMode, 1);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.EndMode, 1);
}

TEST_F(EditingProfileWindowTest, SizePresetsColourAndTestFileValuesFillTheirBoxes) {
  EditingProfileWindow* w = Open();
  w->Combo7->setCurrentIndex(2);
  w->SizePreset_Click(13);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.ResizeWidth, "1920");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.ResizeHeight, "1200");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.ResizeWidthUnit, 0);

  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Color, 0xFF000A).Expect(Kind::Color, -1).ExpectMessage();
  w->Command12_Click();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderColor, "0A00FF");
  w->Command12_Click();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderColor, "0A00FF");

  w->Opt_CopyRAFileTest_Click();
  EXPECT_EQ(dialogs.Messages(), QStringList{"Seleccione un archivo de prueba"});
  w->TestFile = "/x.avi";
  w->TestWidth = 640;
  w->TestHeight = 480;
  w->TestAspect = 16.0f / 9;
  w->Opt_CopyRAFileTest_Click();
  EXPECT_TRUE(w->Option2->isChecked());
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.AspectRatio, "1.777778");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.AspectMode, 3);
  w->Opt_CopySizeTestFile_Click();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.ResizeWidth, "640");

  w->List1->setCurrentRow(5);
  w->Text3->setText("48");
  w->Text7->setText("64");
  w->Opt_ConRelDim_Click();
  EXPECT_EQ(w->Text3->text(), "0.1");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderRightUnit, 2);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderTop, "0.1");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderTopUnit, 1);
}

TEST_F(EditingProfileWindowTest, TheExplorerHandsTheMarkedRangeToTheTrimBoxes) {
  EditingProfileWindow* w = Open();
  w->TestFile = "/x.avi";
  w->TestDuration = 60;
  w->Picture4->setEnabled(true);
  w->List1->setCurrentRow(0);
  w->Opt_CutGrap_Click();
  EXPECT_TRUE(w->PicExploreStream->isVisibleTo(w));
  EXPECT_EQ(w->SubPanelOpen, 1);
  EXPECT_FALSE(w->Menu_File->isEnabled());
  w->Shape2->Left = 0.75 - 2;
  w->Command7_Click();
  w->Shape2->Left = 0.25 - 2;
  w->Command10_Click();
  EXPECT_DOUBLE_EQ(w->Shape3->Left, 0.25);
  EXPECT_DOUBLE_EQ(w->Shape3->Width, 0.5);
  w->Command4_Click();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.StartPos, "15");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.EndPos, "45");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.EndMode, 1);
  EXPECT_FALSE(w->PicExploreStream->isVisibleTo(w));
  EXPECT_EQ(w->SubPanelOpen, 0);
  EXPECT_FLOAT_EQ(w->RangeStart, 0.25f);

  // Only the first mark set: the end box empties.
  w->Opt_CutGrap_Click();
  w->Command7_Click();
  w->Command4_Click();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.StartPos, "15");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.EndPos, "");
}

// A song with one still picture: the time line spans all its sound, so a
// click in its middle is the middle of the song.
TEST_F(EditingProfileWindowTest, TheExplorersTimeLineSpansTheWholeFileNotItsFirstStream) {
  Session::State().FileList = {ProbeClips::StillOverSong(Folder())};
  ASSERT_FALSE(Session::State().FileList.first().isEmpty());
  EditingProfileWindow* w = Open();
  EXPECT_NEAR(w->TestDuration, 7, 0.1);
  w->List1->setCurrentRow(0);
  w->Opt_CutGrap_Click();
  ASSERT_TRUE(w->PicExploreStream->isVisibleTo(w));
  w->Picture4_MouseUp(0.5);
  w->Command7_Click();
  w->Command4_Click();
  EXPECT_NEAR(EditingProfileEditor::State().CurrentProfile.StartPos.toDouble(), 3.5, 0.05)
      << EditingProfileEditor::State().CurrentProfile.StartPos.toStdString();
}

// A phone's portrait clip, stored 320x240 and shown upright at 240x320: the
// crop and the copied size and aspect are those of the picture on screen.
TEST_F(EditingProfileWindowTest, APortraitClipIsCroppedAndCopiedAsItIsSeen) {
  Session::State().FileList = {ProbeClips::TurnedClip(Folder())};
  ASSERT_FALSE(Session::State().FileList.first().isEmpty());
  EditingProfileWindow* w = Open();
  EXPECT_EQ(w->TestWidth, 240);
  EXPECT_EQ(w->TestHeight, 320);
  w->List1->setCurrentRow(1);
  w->Opt_CutGrap_Click();
  ASSERT_TRUE(w->PicExploreStream->isVisibleTo(w));
  w->Picture1_MouseDown(0.25, 0.25);
  w->Picture1_MouseMove(0.75, 0.75);
  w->Picture1_MouseUp();
  w->Command4_Click();
  const EditProfileRec& profile = EditingProfileEditor::State().CurrentProfile;
  EXPECT_EQ(profile.CropWidth, "120");
  EXPECT_EQ(profile.CropHeight, "160");
  EXPECT_EQ(profile.CropLeft, "60");
  EXPECT_EQ(profile.CropTop, "80");

  w->Opt_CopySizeTestFile_Click();
  EXPECT_EQ(profile.ResizeWidth, "240");
  EXPECT_EQ(profile.ResizeHeight, "320");
  w->Opt_CopyRAFileTest_Click();
  EXPECT_EQ(profile.AspectRatio, "0.75");
}

// A file of no bytes, first in the list or picked later, is said unreadable
// with ffprobe's reason; the test file the window had stays.
TEST_F(EditingProfileWindowTest, ATestFileFfprobeCannotReadIsSaidSoAndLoadsNothing) {
  const QString empty = ProbeClips::EmptyFile(Folder());
  const QString reason = "\n" + QString(ProbeClips::UnreadableReason);
  Session::State().FileList = {empty};
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EditingProfileWindow* w = Open();
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo leer el archivo " + empty + reason});
  EXPECT_EQ(w->TestFile, "");
  EXPECT_EQ(w->Text13->text(), "");

  const QString video = VideoClip();
  const QString cut = ProbeClips::CutMp4(Folder());
  dialogs.Expect(Kind::OpenFile, QStringList{video})
      .Expect(Kind::OpenFile, QStringList{cut})
      .ExpectMessage();
  w->Command9_Click();
  w->Command9_Click();
  EXPECT_EQ(dialogs.Messages().last(), "No se pudo leer el archivo " + cut + reason);
  EXPECT_EQ(w->TestFile, video);
  EXPECT_EQ(w->Text13->text(), video);
  EXPECT_EQ(w->TestWidth, 160);
  EXPECT_FLOAT_EQ(w->TestDuration, 2);
  EXPECT_FALSE(w->Picture7->isVisible());
}

// A test file chosen while another tool still runs (ffmpeg's help in the
// viewer): the choice waits quietly. The file loaded stays whole, never
// replaced by the new one without its pictures, sound and length.
TEST_F(EditingProfileWindowTest, ATestFileChosenWhileAnotherToolRunsLeavesTheLoadedOneAlone) {
  const QString video = VideoClip();
  Session::State().FileList = {video, AudioClip()};
  EditingProfileWindow* w = Open();
  ASSERT_EQ(w->TestFile, video);
  w->Command2_Click();
  ScriptedDialogs dialogs;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    w->Combo13->setCurrentIndex(1);
    emit w->Combo13->activated(1);
  }));
  EXPECT_EQ(w->TestFile, video);
  EXPECT_EQ(w->Text13->text(), video);
  EXPECT_EQ(w->Combo13->currentText(), video);
  EXPECT_EQ(w->TestHasVideo, 1);
  EXPECT_FLOAT_EQ(w->TestDuration, 2);
  EXPECT_TRUE(w->Picture1->isEnabled());
  EXPECT_TRUE(dialogs.Messages().isEmpty()) << dialogs.Messages().join('|').toStdString();
  w->Command13_Click();
}

TEST_F(EditingProfileWindowTest, TheTestFilesButtonWaitsWhileAPanelIsOpen) {
  EditingProfileWindow* w = Open();
  w->TestFile = "/x.avi";
  w->TestDuration = 60;
  w->List1->setCurrentRow(0);
  w->Opt_CutGrap_Click();
  ASSERT_TRUE(w->PicExploreStream->isVisibleTo(w));
  w->Command2->click();
  EXPECT_FALSE(w->PicSelTestFile->isVisibleTo(w));
  EXPECT_FALSE(w->Menu_Options->isEnabled());
  EXPECT_EQ(w->SubPanelOpen, 1);
  w->Command5_Click();
  EXPECT_TRUE(w->Command2->isEnabled());

  w->Command2->click();
  ASSERT_TRUE(w->PicSelTestFile->isVisibleTo(w));
  EXPECT_FALSE(w->Command2->isEnabled());
  w->Command13_Click();
  EXPECT_TRUE(w->Command2->isEnabled());
  EXPECT_TRUE(w->Menu_Options->isEnabled());
}

// "Detectar bordes" pressed again while its ffmpeg still runs (a large file
// on a slow disk): the second press waits its turn quietly, and the first one
// still feeds the crop.
TEST_F(EditingProfileWindowTest, BorderDetectionPressedAgainWhileItRunsSaysNothingWentWrong) {
  Session::State().FileList = {
      MakeClip("padded.mkv", {"color=c=white:size=128x96:rate=10"},
               {"-t", "2", "-vf", "pad=160:120:16:12:black", "-c:v", "ffv1"})};
  EditingProfileWindow* w = Open();
  w->List1->setCurrentRow(1);
  w->Opt_CutGrap_Click();
  ASSERT_TRUE(w->PicExploreStream->isVisibleTo(w));
  const QString go = Folder() + "/go";
  FfmpegTools::State().FfmpegPath = WriteWaitingTool("tools/ffmpeg", go, "exec ffmpeg \"$@\"\n");

  ScriptedDialogs dialogs;
  WhenReady pressedAgain([] { return ToolRunner::GetState() != ToolRunner::Idle; },
                         [&] {
                           w->Command8_Click();
                           QFile(go).open(QIODevice::WriteOnly);
                         });
  w->Command8_Click();
  ASSERT_TRUE(pressedAgain.Done());
  EXPECT_TRUE(dialogs.Messages().isEmpty()) << dialogs.Messages().join('|').toStdString();
  EXPECT_DOUBLE_EQ(w->Shape4->Width, 0.8f);
  w->Command5_Click();
}

// "Reproducir" pressed while the frame of a new position is still being
// taken (a large file on a slow disk): the press waits quietly. A player shown
// meanwhile could play nothing and never close, as it would wait for the
// frame grab to end and the frame grab for it.
TEST_F(EditingProfileWindowTest, PlayPressedWhileAFrameIsTakenOpensNoPlayer) {
  Session::State().FileList = {
      MakeClip("pictures.mkv", {"testsrc=size=128x96:rate=10"}, {"-t", "2", "-c:v", "ffv1"})};
  FfmpegTools::State().FfplayPath = FakePlayer();
  QFile::setPermissions(FfmpegTools::State().FfplayPath,
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EditingProfileWindow* w = Open();
  w->List1->setCurrentRow(0);
  w->Opt_CutGrap_Click();
  ASSERT_TRUE(w->PicExploreStream->isVisibleTo(w));
  const QString go = Folder() + "/go";
  FfmpegTools::State().FfmpegPath = WriteWaitingTool("tools/ffmpeg", go, "exec ffmpeg \"$@\"\n");

  bool playerShown = false;
  // Such a player is put away here as no user could.
  WhenReady putAway([] { return PlayerWindow::Instance() && PlayerWindow::Instance()->isVisible(); },
                    [&] {
                      playerShown = true;
                      PlayerWindow::Instance()->hide();
                    });
  WhenReady pressedPlay([] { return ToolRunner::GetState() != ToolRunner::Idle; },
                        [&] {
                          w->Command6_Click();
                          QFile(go).open(QIODevice::WriteOnly);
                        });
  w->Picture4_MouseUp(0.5);
  ASSERT_TRUE(pressedPlay.Done());
  EXPECT_FALSE(playerShown);
  EXPECT_EQ(ToolRunner::GetState(), ToolRunner::Idle);
  EXPECT_TRUE(w->Picture1->isEnabled());
  w->Command5_Click();
}

TEST_F(EditingProfileWindowTest, BorderDetectionFeedsTheCropBoxesWithTheDetectedPixels) {
  Session::State().FileList = {
      MakeClip("padded.mkv", {"color=c=white:size=128x96:rate=10"},
               {"-t", "2", "-vf", "pad=160:120:16:12:black", "-c:v", "ffv1"})};
  EditingProfileWindow* w = Open();
  w->List1->setCurrentRow(1);
  w->Opt_CutGrap_Click();
  ASSERT_TRUE(w->PicExploreStream->isVisibleTo(w));
  w->Command8_Click();
  EXPECT_DOUBLE_EQ(w->Shape4->Width, 0.8f);
  w->Command4_Click();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropWidth, "128");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropHeight, "96");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropLeft, "16");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropTop, "12");

  // A drag that crosses back over its start keeps the rectangle between both points.
  w->Opt_CutGrap_Click();
  w->Picture1_MouseDown(0.6, 0.6);
  w->Picture1_MouseMove(0.2, 1.4);
  w->Picture1_MouseUp();
  EXPECT_DOUBLE_EQ(w->Shape4->Left, 0.2);
  EXPECT_NEAR(w->Shape4->Top, 0.6, 1e-6);
  EXPECT_NEAR(w->Shape4->Height, 0.4, 1e-6);
  w->Command5_Click();
}

TEST_F(EditingProfileWindowTest, ACloseRequestClosesAnOpenPanelFirst) {
  EditingProfileWindow* w = Open();
  w->Command2_Click();
  EXPECT_FALSE(w->close());
  EXPECT_FALSE(w->PicSelTestFile->isVisibleTo(w));
  EXPECT_TRUE(w->Command3->isEnabled());
  w->Picture7->show();
  EXPECT_FALSE(w->close());
  w->Picture7->hide();
  ToolRunner::State().ConsoleState = ToolRunner::Running;  // a frame grab under way
  EXPECT_FALSE(w->close());
  ToolRunner::Reset();
  EXPECT_TRUE(w->close());
}

TEST_F(EditingProfileWindowTest, ThePreviewPlaysTheTestFileWithTheOperationApplied) {
  FfmpegTools::State().FfplayPath = FakePlayer();
  QFile::setPermissions(FfmpegTools::State().FfplayPath,
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EditingProfileWindow* w = Open();
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    w->List1->setCurrentRow(3);
    w->Opt_Preview_Click();
    EXPECT_EQ(dialogs.Messages(), QStringList{"Seleccione un archivo de prueba"});
  }
  w->TestFile = AudioClip();
  w->Text26->setText("150");
  const auto closer = ClosePlayerOnceItEnded();
  w->Opt_Preview_Click();
  QFile args(Folder() + "/tools/play-args.txt");
  ASSERT_TRUE(args.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(args.readAll()).split('\n', Qt::SkipEmptyParts),
            (QStringList{"-af", "volume=1.5", "-i", w->TestFile}));
}

TEST_F(EditingProfileWindowTest, ScratchModeAcceptWritesTheScratchProfile) {
  QTimer::singleShot(0, [] {
    EditingProfileWindow* w = EditingProfileWindow::Instance();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->Picture6->isVisibleTo(w));
    EXPECT_FALSE(w->File_Open->isVisible());
    EXPECT_EQ(EditingProfileEditor::State().ScratchMode, 1);
    EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[0], "31");
    w->Text26->setText("90");
    w->Command3->click();
  });
  EditingProfileWindow::ShowEditor("*", 1);
  EditProfileRec written;
  ASSERT_EQ(RecordFile::Read(EditingProfileEditor::ScratchProfilePath(), written),
            RecordFile::Result::Ok);
  EXPECT_EQ(written.Volume, "90");
  EXPECT_EQ(EditingProfileEditor::State().ScratchMode, 0);
  EXPECT_TRUE(EditingProfileEditor::State().CurrentPath.isEmpty());
  EXPECT_FALSE(EditingProfileWindow::Instance());
}

TEST_F(EditingProfileWindowTest, ScratchModeCloseAsksWithoutAName) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(2).ExpectMessage(6);
  QTimer::singleShot(0, [] {
    EditingProfileWindow* w = EditingProfileWindow::Instance();
    w->Text26->setText("70");
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->close());
  });
  EditingProfileWindow::ShowEditor("*", 1);
  EXPECT_EQ(dialogs.Messages(), QStringList(2, "El archivo ha cambiado, ¿guardar cambios?"));
  EditProfileRec written;
  ASSERT_EQ(RecordFile::Read(EditingProfileEditor::ScratchProfilePath(), written),
            RecordFile::Result::Ok);
  EXPECT_EQ(written.Volume, "70");
}

TEST_F(EditingProfileWindowTest, WithoutANameTheWindowShowsTheProfileHeldByTheEditor) {
  EditingProfileEditor::State().CurrentProfile.Volume = "55";
  EditingProfileEditor::State().SavedProfile = EditingProfileEditor::State().CurrentProfile;
  QTimer::singleShot(0, [] {
    EditingProfileWindow* w = EditingProfileWindow::Instance();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->Text26->text(), "55");
    EXPECT_EQ(w->Text14[0]->text(), "31");
    EXPECT_FALSE(w->Picture6->isVisible());
    EXPECT_TRUE(w->close());
  });
  EditingProfileWindow::ShowEditor(QString(), 0);
  EXPECT_FALSE(EditingProfileWindow::Instance());
  EXPECT_TRUE(EditingProfileEditor::State().CurrentProfile.Volume.isEmpty());
}

TEST_F(EditingProfileWindowTest, TheTestFileComesFromTheListOrFromTheOpenDialog) {
  const QString video = VideoClip();
  const QString audio = AudioClip();
  Session::State().FileList = {video, audio};
  EditingProfileWindow* w = Open();
  w->Command2_Click();
  EXPECT_EQ(w->SubPanelOpen, 1);
  EXPECT_FALSE(w->Command3->isEnabled());
  w->Combo13->setCurrentIndex(1);
  emit w->Combo13->activated(1);
  EXPECT_EQ(w->TestFile, audio);
  EXPECT_EQ(w->Text13->text(), audio);
  w->Combo13->setEditText("typed");
  EXPECT_EQ(w->Combo13->currentText(), audio);

  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, QStringList{video}).ExpectMessage();
  w->Command9_Click();
  EXPECT_EQ(w->TestFile, video);
  EXPECT_FALSE(w->Picture7->isVisible());
  EXPECT_TRUE(w->PicSelTestFile->isVisibleTo(w));
  w->Command13_Click();
  EXPECT_EQ(w->SubPanelOpen, 0);
  EXPECT_TRUE(w->Menu_Options->isEnabled());

  // "Ir a" with a time the parser refuses plays nothing.
  w->Text31->setText("1:2:3:4");
  w->Command1_Click();
  w->TestFile.clear();
  w->Command11_Click();
  EXPECT_EQ(dialogs.Messages(), QStringList{"Seleccione un archivo de prueba"});
}

TEST_F(EditingProfileWindowTest, InScratchModeLoadingAProfileAndCancellingLeavesTheScratchFile) {
  EditProfileRec other;
  other.Volume = "60";
  WriteFile("appfiles/editp/other.qep", RecordFile::Encode(other));
  QTimer::singleShot(0, [] {
    EditingProfileWindow* w = EditingProfileWindow::Instance();
    WhenFileManagerShown([](FileManagerWindow* manager) {
      manager->nameEdit->setText("other");
      manager->acceptButton->click();
    });
    w->Command15->click();
    EXPECT_EQ(w->Text26->text(), "60");
    EXPECT_TRUE(EditingProfileEditor::IsDirty());
    w->Command14->click();
  });
  EditingProfileWindow::ShowEditor("*", 1);
  EXPECT_FALSE(QFile::exists(EditingProfileEditor::ScratchProfilePath()));
  EXPECT_FALSE(EditingProfileWindow::Instance());
}

TEST_F(EditingProfileWindowTest, SaveAsAsksTheFileManagerForAName) {
  EditingProfileWindow* w = Open();
  w->Text26->setText("75");
  WhenFileManagerShown([](FileManagerWindow* manager) {
    manager->nameEdit->setText("nuevo");
    manager->acceptButton->click();
  });
  w->File_SaveAs->trigger();
  const QString path = ProgramFolder::AppFiles("editp/nuevo.qep");
  EXPECT_EQ(EditingProfileEditor::State().CurrentPath, path);
  EditProfileRec written;
  ASSERT_EQ(RecordFile::Read(path, written), RecordFile::Result::Ok);
  EXPECT_EQ(written.Volume, "75");
  EXPECT_FALSE(EditingProfileEditor::IsDirty());
}

TEST_F(EditingProfileWindowTest, ANumberBeyondSinglePrecisionIsReportedAndNotStored) {
  EditingProfileWindow* w = Open();
  w->Text17->setText("12");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  w->Text17->setText("1" + QString(45, '0'));
  EXPECT_EQ(dialogs.Messages(), QStringList{"Error 6\nDesbordamiento"});
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropWidth, "12");
}

TEST_F(EditingProfileWindowTest, PlayingTheMarkedRangeSeeksAndLimitsThePlayer) {
  FfmpegTools::State().FfplayPath = FakePlayer();
  QFile::setPermissions(FfmpegTools::State().FfplayPath,
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  Session::State().FileList = {AudioClip()};
  EditingProfileWindow* w = Open();
  w->List1->setCurrentRow(0);
  w->Opt_CutGrap_Click();
  w->Shape3->SetGeometry(0.25, 0, 0.5, 1);
  const auto closer = ClosePlayerOnceItEnded();
  w->Command6_Click();
  QFile args(Folder() + "/tools/play-args.txt");
  ASSERT_TRUE(args.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(args.readAll()).split('\n', Qt::SkipEmptyParts),
            (QStringList{"-ss", "0.5", "-t", "1", "-i", w->TestFile}));
  w->Command5_Click();
}

TEST_F(EditingProfileWindowTest, ChoosingAnotherOperationClosesTheFfmpegHelp) {
  EditingProfileWindow* w = Open();
  w->List1->setCurrentRow(8);
  QString shown;
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, w, &shown] {
    TextViewerWindow* viewer = TextViewerWindow::Instance();
    if (!viewer || !viewer->waitFrame->isHidden()) return;
    poll->stop();
    poll->deleteLater();
    shown = viewer->outputText->toPlainText();
    w->List1->setCurrentRow(3);
  });
  poll->start(10);
  w->Opt_Helpff->trigger();
  EXPECT_TRUE(shown.contains("-codecs")) << shown.left(200).toStdString();
  EXPECT_FALSE(TextViewerWindow::Instance());
  EXPECT_TRUE(w->PicAjustarVol->isVisibleTo(w));
}

// The heading over the operations and the test file's caption read as
// labels: the window's background, and the focus goes past them.
TEST_F(EditingProfileWindowTest, CaptionsLookAndBehaveAsLabels) {
  EditingProfileWindow* w = Open();
  w->show();
  w->activateWindow();
  ASSERT_TRUE(WaitFor([] { return QApplication::focusWidget() != nullptr; }));
  for (QLineEdit* caption : {w->Text28, w->Text12}) {
    SCOPED_TRACE(caption->objectName().toStdString());
    EXPECT_NE(QApplication::focusWidget(), caption);
    EXPECT_EQ(caption->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(caption->hasFrame());
    EXPECT_EQ(caption->palette().color(QPalette::Base), w->palette().color(QPalette::Window));
  }
  EXPECT_EQ(w->Text12->text(), "Seleccionar archivo de prueba");
}

}  // namespace
