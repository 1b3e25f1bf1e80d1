#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
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
#include <csignal>
#include <functional>
#include <memory>
#include <optional>

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
    window_->Load();
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
  // The explorer opened over the operation at row, the first two only having one.
  EditingProfileWindow* OpenExplorerAt(int row) {
    EditingProfileWindow* w = Open();
    w->operationList->setCurrentRow(row);
    w->OpenExplorer();
    return w;
  }
  // The real ffmpeg, started only once the file go exists: a slow disk.
  QString FfmpegWaitingFor(const QString& go) const {
    return WriteWaitingTool("tools/ffmpeg", go, "exec ffmpeg \"$@\"\n");
  }
  QString WriteFilter(const QString& name, FilterType type) const {
    return WriteFile("appfiles/filters/" + name + ".qfl",
                     RecordFile::Encode(FilterDef{type, false, "x"}));
  }
  // The player window stays until it is closed: close it once the player has run.
  static std::unique_ptr<QTimer> ClosePlayerOnceItEnded() {
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == "Form18" && top->isVisible() &&
            ToolRunner::GetState() == ToolRunner::RunState::Idle &&
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
  EXPECT_EQ(w->testFile, Session::State().FileList.first());
  EXPECT_EQ(w->testWidth, 160);
  EXPECT_EQ(w->testHeight, 120);
  EXPECT_FLOAT_EQ(w->testDuration, 2);
  EXPECT_TRUE(w->testHasAudio);
  EXPECT_TRUE(w->framePicture->HasPicture());
  EXPECT_TRUE(w->framePicture->isEnabled());
  EXPECT_TRUE(w->muteCheck->isChecked());
  EXPECT_EQ(w->testFileBox->text(), w->testFile);
  EXPECT_EQ(w->testFileCombo->count(), 1);
  EXPECT_TRUE(QFile::exists(w->tempFolder + "/frame.jpg"));
  EXPECT_TRUE(w->fileMenu->isEnabled());
  EXPECT_FALSE(w->waitPanel->isVisible());

  const QString temp = w->tempFolder;
  EXPECT_TRUE(w->close());
  EXPECT_FALSE(QDir(temp).exists());
}

// Without ffprobe the first listed file cannot be probed: the editor says so
// and loads no test file, rather than one without pictures, sound or length.
TEST_F(EditingProfileWindowTest, WithoutFfprobeTheListedFileIsNotTakenAsTheTestFile) {
  Session::State().FileList = {VideoClip()};
  FfmpegTools::State().FfprobePath = Folder() + "/tools/ffprobe";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EditingProfileWindow* w = Open();
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra ffprobe"});
  EXPECT_EQ(w->testFile, "");
  EXPECT_EQ(w->testFileBox->text(), "");
  EXPECT_FALSE(w->framePicture->HasPicture());
  EXPECT_TRUE(w->fileMenu->isEnabled());
  EXPECT_FALSE(w->waitPanel->isVisible());
}

TEST_F(EditingProfileWindowTest, AFileWithoutPicturesShowsAFlatLineAndAnimatesItsAudition) {
  UseFakePlayer();
  Session::State().FileList = {AudioClip()};
  EditingProfileWindow* w = Open();
  EXPECT_FALSE(w->framePicture->isEnabled());
  EXPECT_EQ(w->framePicture->Line(), (QList<QPointF>{{0, 0.5}, {1, 0.5}}));
  EXPECT_TRUE(w->timeLine->isEnabled());
  EXPECT_FALSE(w->muteCheck->isChecked());

  w->operationList->setCurrentRow(1);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  w->OpenExplorer();
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pueden extraer cuadros del archivo de prueba"});
  EXPECT_FALSE(w->explorerPanel->isVisible());

  w->OnTimeLineClicked(0.5);
  EXPECT_DOUBLE_EQ(w->positionMarker->Left + w->positionMarker->Width, 0.5);
  EXPECT_TRUE(w->auditionTimer->isActive());
  for (int tick = 0; tick < 70; ++tick) w->OnAuditionTimer();
  EXPECT_TRUE(w->auditionTimer->isActive());
  EXPECT_GT(w->framePicture->Line().size(), 90);
  w->OnAuditionTimer();
  EXPECT_FALSE(w->auditionTimer->isActive());
  EXPECT_EQ(w->auditionElapsed, 0);
  EXPECT_EQ(w->framePicture->Line().size(), 2);
}

// The audition is stopped before the editor goes, so it cannot end on its
// own however slow the machine: only the end the editor gives it (a kill once
// a terminate is not answered) takes it away.
TEST_F(EditingProfileWindowTest, TheAuditionEndsWithTheEditor) {
  qputenv("SDL_AUDIODRIVER", "dummy");
  Session::State().FileList = {MakeClip("long tone.wav", {"sine=d=30"})};
  EditingProfileWindow* w = Open();
  w->OnTimeLineClicked(0.1);
  ASSERT_TRUE(WaitFor([] { return !ChildProcesses("ffplay").isEmpty(); }));
  const QList<qint64> auditions = ChildProcesses("ffplay");
  ASSERT_EQ(auditions.size(), 1);
  ASSERT_EQ(::kill(pid_t(auditions.first()), SIGSTOP), 0);
  ASSERT_TRUE(WaitFor([&auditions] { return ProcessState(auditions.first()) == "T"; }));
  delete window_;  // as the editor's opener does once it is closed
  EXPECT_TRUE(AllEnd(auditions));
}

TEST_F(EditingProfileWindowTest, NumericBoxesTakeKeysByTheirRuleAndStoreNormalisedValues) {
  EditingProfileWindow* w = Open();
  // Typed one after another: a box keeps what was typed into it before.
  const struct {
    QLineEdit* box;
    const char* keys;
    std::optional<QString> shown;  // the box's text once typed, where it matters
    QString EditProfileRec::*field;
    QString stored;
    std::optional<QString> shownOnLeaving;  // the focus leaves the box where there is one
  } typings[] = {
      {w->cropWidth, "007.50.", "007.50", &EditProfileRec::CropWidth, "7.5", "7.5"},
      {w->volumePercent, "1.5-0", {}, &EditProfileRec::Volume, "150", {}},
      {w->startPosition, "1:30.5x", {}, &EditProfileRec::StartPos, "1:30.5", {}},
      {w->startPosition, ":4:5", "1:30.5:4:5", &EditProfileRec::StartPos, "1:30.5:4", "1:30.5:4"},
      {w->cropHeight, "0", {}, &EditProfileRec::CropHeight, "", {}},
  };
  for (const auto& t : typings) {
    SCOPED_TRACE(t.box->objectName().toStdString() + " typed " + t.keys);
    Type(t.box, t.keys);
    if (t.shown) {
      EXPECT_EQ(t.box->text(), *t.shown);
    }
    EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.*t.field, t.stored);
    if (!t.shownOnLeaving) continue;
    Leave(t.box);
    EXPECT_EQ(t.box->text(), *t.shownOnLeaving);
  }
  Type(w->cropHeight, "\b");
  w->gainBoxes[2]->clear();
  Type(w->gainBoxes[2], "-3-.25");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[7], "-3.2");

  w->durationOption->setChecked(true);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.EndMode, TrimEnd::AfterDuration);
  EXPECT_TRUE(w->durationBox->isEnabled());
  EXPECT_FALSE(w->endPosition->isEnabled());
  w->durationUnitCombo->setCurrentIndex(int(LengthUnit::Frames));
  Type(w->durationBox, "2:5.0");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Duration[1], "250");
  w->durationUnitCombo->setCurrentIndex(int(LengthUnit::Time));
  EXPECT_EQ(w->durationBox->text(), "");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Duration[1], "250");
}

TEST_F(EditingProfileWindowTest, AnOpenedProfileFillsEveryPanelWithoutWritingBack) {
  WriteFilter("eco", FilterType::Audio);
  WriteFilter("espejo", FilterType::Video);
  EditProfileRec stored;
  stored.StartPos = "10";
  stored.EndMode = TrimEnd::AfterDuration;
  stored.Duration = {"5", "125", ""};
  stored.DurationUnit = LengthUnit::Frames;
  stored.CropWidth = "0.5";
  stored.CropWidthUnit = SizeUnit::InputWidth;
  stored.AspectMode = AspectSetting::FromRatio;
  stored.AspectRatio = "1.5";
  stored.Filters = {1, {"ESPEJO", "gone"}};
  stored.BorderColor = "FF8000";
  stored.RemoveVideo = true;
  stored.Equalizer[1] = "12";
  stored.InputParams = "-re";
  const QString path = WriteFile("appfiles/editp/full.qep", RecordFile::Encode(stored));
  EditingProfileWindow* w = Open();
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EditingProfileEditor::OpenProfile(path);
  EXPECT_EQ(dialogs.Messages(), QStringList{"Los siguientes filtros no se encuentran:\ngone"});
  EXPECT_EQ(w->startPosition->text(), "10");
  EXPECT_TRUE(w->durationOption->isChecked());
  EXPECT_EQ(w->durationUnitCombo->currentIndex(), int(LengthUnit::Frames));
  EXPECT_EQ(w->durationBox->text(), "125");
  EXPECT_EQ(w->cropWidth->text(), "0.5");
  EXPECT_EQ(w->cropWidthUnitCombo->currentIndex(), int(SizeUnit::InputWidth));
  EXPECT_TRUE(w->setAspectOption->isChecked());
  EXPECT_TRUE(w->aspectRatio->isEnabled());
  EXPECT_EQ(w->videoFilterList->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(w->audioFilterList->item(0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(w->borderColorSwatch->palette().color(QPalette::Window), QColor(255, 128, 0));
  EXPECT_TRUE(w->removeVideoCheck->isChecked());
  EXPECT_EQ(w->gainBoxes[0]->text(), "12");
  EXPECT_DOUBLE_EQ(w->gainMarkers[0]->Top, 0);
  EXPECT_EQ(w->frequencyBoxes[9]->text(), "16000");
  EXPECT_EQ(w->inputParams->text(), "-re");
  // Only the missing filter was dropped, so the profile counts as changed.
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Filters.Items, QStringList{"ESPEJO"});
  EXPECT_TRUE(EditingProfileEditor::IsDirty());
}

TEST_F(EditingProfileWindowTest, FilterTicksAreStoredByListThenPosition) {
  WriteFilter("eco", FilterType::Audio);
  WriteFilter("espejo", FilterType::Video);
  WriteFilter("mezcla", FilterType::Complex);
  EditingProfileWindow* w = Open();
  EXPECT_EQ(w->audioFilterList->count(), 1);
  EXPECT_EQ(w->videoFilterList->count(), 1);
  EXPECT_EQ(w->complexFilterList->count(), 1);
  w->videoFilterList->item(0)->setCheckState(Qt::Checked);
  w->audioFilterList->item(0)->setCheckState(Qt::Checked);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Filters.Items,
            (QStringList{"eco", "espejo"}));
  w->operationList->setCurrentRow(4);
  w->ClearCurrentValues();
  EXPECT_TRUE(EditingProfileEditor::State().CurrentProfile.Filters.IsEmpty());
}

// A filter folder unpacked from an archive may hold a named pipe or a link to
// a device beside the filters: the window lists the filters and leaves those
// out, without waiting on the pipe or reading the device.
TEST_F(EditingProfileWindowTest, APipeOrADeviceAmongTheFiltersIsLeftOutWithoutWaiting) {
  WriteFilter("eco", FilterType::Audio);
  WriteFilter("espejo", FilterType::Video);
  const QString filters = ProgramFolder::AppFiles("filters");
  ASSERT_EQ(mkfifo(QFile::encodeName(filters + "/pipe.qfl").constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", filters + "/zero.qfl"));
  const HangGuard guard("the editing-profile window listing its filters");
  EditingProfileWindow* w = Open();
  ASSERT_EQ(w->audioFilterList->count(), 1);
  EXPECT_EQ(w->audioFilterList->item(0)->text(), "eco");
  ASSERT_EQ(w->videoFilterList->count(), 1);
  EXPECT_EQ(w->videoFilterList->item(0)->text(), "espejo");
  EXPECT_EQ(w->complexFilterList->count(), 0);
}

TEST_F(EditingProfileWindowTest, OperationsShowTheirPanelAndMenuItems) {
  EditingProfileWindow* w = Open();
  w->show();
  const struct {
    int row;
    QWidget* panel;
    QList<QAction*> shown;
  } rows[] = {
      {0, w->trimPanel, {w->explorerAction}},
      {2, w->resizePanel, {w->sizePresetMenu->menuAction(), w->previewAction}},
      {7, w->equalizerPanel, {w->equalizerPresetMenu->menuAction(), w->restoreMenu->menuAction()}},
      {8, w->commandLinePanel, {w->ffmpegHelpAction}},
  };
  for (const auto& row : rows) {
    w->operationList->setCurrentRow(row.row);
    EXPECT_TRUE(row.panel->isVisible()) << row.row;
    for (QAction* item : row.shown) EXPECT_TRUE(item->isVisible()) << row.row;
    EXPECT_EQ(w->previewAction->isVisible(), row.row == 2 || row.row == 7) << row.row;
  }
  w->operationList->setCurrentRow(4);
  EXPECT_FALSE(w->optionsSeparator->isVisible());
  EXPECT_TRUE(w->clearAllAction->isVisible());
}

TEST_F(EditingProfileWindowTest, PresetsAndRestoreCommandsWriteTheBandsThroughTheirBoxes) {
  EditingProfileEditor::NormalizeEqualizer();
  EditingProfileWindow* w = Open();
  EditingProfileEditor::RecordToForm();
  w->operationList->setCurrentRow(7);
  w->frequencyBoxes[3]->setText("300");
  w->bandwidthBoxes[3]->setText("2");
  w->ApplyEqualizerPreset(11);  // "Pop"
  const char* gains[] = {"-0.5", "2.3", "4.1", "4.7", "2.9", "0", "-1.1", "-1.1", "-0.5", "-0.5"};
  for (int band = 0; band < 10; ++band) {
    EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[band * 3 + 1], gains[band]);
    EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[band * 3 + 2], "1");
  }
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[9], "250");
  w->RestoreAllBands();
  EXPECT_FALSE(EditingProfileEditor::IsDirty());

  w->OnGainSliderClicked(0, Qt::LeftButton, 0.0);
  EXPECT_EQ(w->gainBoxes[0]->text(), "12");
  w->OnGainSliderKey(0, Qt::Key_Up);
  EXPECT_EQ(w->gainBoxes[0]->text(), "12");
  w->OnGainSliderClicked(0, Qt::RightButton, 0.9);
  w->OnGainSliderKey(0, Qt::Key_Down);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[1], "-0.1");
  w->gainBoxes[1]->setText("");
  Leave(w->gainBoxes[1]);
  EXPECT_EQ(w->gainBoxes[1]->text(), "0");
  EXPECT_DOUBLE_EQ(w->gainMarkers[1]->Top, 0.5);
  w->bandwidthBoxes[1]->setText("0");
  Leave(w->bandwidthBoxes[1]);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[5], "1");

  w->bandScroll->setValue(6);
  EXPECT_FALSE(w->frequencyBoxes[0]->isVisibleTo(w));
  EXPECT_TRUE(w->frequencyBoxes[9]->isVisibleTo(w));
}

TEST_F(EditingProfileWindowTest, ClearingOneOperationLeavesTheOthers) {
  EditingProfileWindow* w = Open();
  w->rightBorder->setText("48");
  w->rightBorderUnitCombo->setCurrentIndex(int(SizeUnit::InputHeight));
  w->volumePercent->setText("80");
  w->operationList->setCurrentRow(5);
  w->ClearValues(false);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderRight, "");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderRightUnit, SizeUnit::Pixels);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderColor, "000000");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Volume, "80");
  w->removeAudioCheck->setChecked(true);
  w->gainBoxes[4]->setText("5");
  w->ClearValues(true);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Volume, "");
  EXPECT_FALSE(EditingProfileEditor::State().CurrentProfile.RemoveAudio);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[13], "0");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.AspectMode, AspectSetting::Keep);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.EndMode, TrimEnd::AtPosition);
}

TEST_F(EditingProfileWindowTest, SizePresetsColourAndTestFileValuesFillTheirBoxes) {
  EditingProfileWindow* w = Open();
  w->resizeWidthUnitCombo->setCurrentIndex(int(SizeUnit::InputHeight));
  w->ApplySizePreset(13);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.ResizeWidth, "1920");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.ResizeHeight, "1200");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.ResizeWidthUnit, SizeUnit::Pixels);

  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Color, 0xFF000A).Expect(Kind::Color, -1).ExpectMessage();
  w->ChooseBorderColor();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderColor, "0A00FF");
  w->ChooseBorderColor();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderColor, "0A00FF");

  w->CopyTestFileAspect();
  EXPECT_EQ(dialogs.Messages(), QStringList{"Seleccione un archivo de prueba"});
  w->testFile = "/x.avi";
  w->testWidth = 640;
  w->testHeight = 480;
  w->testAspect = 16.0f / 9;
  w->CopyTestFileAspect();
  EXPECT_TRUE(w->setAspectOption->isChecked());
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.AspectRatio, "1.777778");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.AspectMode, AspectSetting::FromRatio);
  w->CopyTestFileSize();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.ResizeWidth, "640");

  w->operationList->setCurrentRow(5);
  w->rightBorder->setText("48");
  w->topBorder->setText("64");
  w->ConvertToRelativeSizes();
  EXPECT_EQ(w->rightBorder->text(), "0.1");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderRightUnit, SizeUnit::InputHeight);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderTop, "0.1");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.BorderTopUnit, SizeUnit::InputWidth);
}

TEST_F(EditingProfileWindowTest, TheExplorerHandsTheMarkedRangeToTheTrimBoxes) {
  EditingProfileWindow* w = Open();
  w->testFile = "/x.avi";
  w->testDuration = 60;
  w->timeLine->setEnabled(true);
  w->operationList->setCurrentRow(0);
  w->OpenExplorer();
  EXPECT_TRUE(w->explorerPanel->isVisibleTo(w));
  EXPECT_TRUE(w->subPanelOpen);
  EXPECT_FALSE(w->fileMenu->isEnabled());
  w->positionMarker->Left = 0.75 - 2;
  w->MarkFirstPosition();
  w->positionMarker->Left = 0.25 - 2;
  w->MarkSecondPosition();
  EXPECT_DOUBLE_EQ(w->rangeBar->Left, 0.25);
  EXPECT_DOUBLE_EQ(w->rangeBar->Width, 0.5);
  w->AcceptExplorer();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.StartPos, "15");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.EndPos, "45");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.EndMode, TrimEnd::AtPosition);
  EXPECT_FALSE(w->explorerPanel->isVisibleTo(w));
  EXPECT_FALSE(w->subPanelOpen);
  EXPECT_FLOAT_EQ(w->rangeStart, 0.25f);

  // Only the first mark set: the end box empties.
  w->OpenExplorer();
  w->MarkFirstPosition();
  w->AcceptExplorer();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.StartPos, "15");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.EndPos, "");
}

// A song with one still picture: the time line spans all its sound, so a
// click in its middle is the middle of the song.
TEST_F(EditingProfileWindowTest, TheExplorersTimeLineSpansTheWholeFileNotItsFirstStream) {
  Session::State().FileList = {ProbeClips::StillOverSong(Folder())};
  ASSERT_FALSE(Session::State().FileList.first().isEmpty());
  EditingProfileWindow* w = Open();
  EXPECT_NEAR(w->testDuration, 7, 0.1);
  w->operationList->setCurrentRow(0);
  w->OpenExplorer();
  ASSERT_TRUE(w->explorerPanel->isVisibleTo(w));
  w->OnTimeLineClicked(0.5);
  w->MarkFirstPosition();
  w->AcceptExplorer();
  EXPECT_NEAR(EditingProfileEditor::State().CurrentProfile.StartPos.toDouble(), 3.5, 0.05)
      << EditingProfileEditor::State().CurrentProfile.StartPos.toStdString();
}

// A phone's portrait clip, stored 320x240 and shown upright at 240x320: the
// crop and the copied size and aspect are those of the picture on screen.
TEST_F(EditingProfileWindowTest, APortraitClipIsCroppedAndCopiedAsItIsSeen) {
  Session::State().FileList = {ProbeClips::TurnedClip(Folder())};
  ASSERT_FALSE(Session::State().FileList.first().isEmpty());
  EditingProfileWindow* w = Open();
  EXPECT_EQ(w->testWidth, 240);
  EXPECT_EQ(w->testHeight, 320);
  w->operationList->setCurrentRow(1);
  w->OpenExplorer();
  ASSERT_TRUE(w->explorerPanel->isVisibleTo(w));
  w->StartCropDrag(0.25, 0.25);
  w->DragCrop(0.75, 0.75);
  w->EndCropDrag();
  w->AcceptExplorer();
  const EditProfileRec& profile = EditingProfileEditor::State().CurrentProfile;
  EXPECT_EQ(profile.CropWidth, "120");
  EXPECT_EQ(profile.CropHeight, "160");
  EXPECT_EQ(profile.CropLeft, "60");
  EXPECT_EQ(profile.CropTop, "80");

  w->CopyTestFileSize();
  EXPECT_EQ(profile.ResizeWidth, "240");
  EXPECT_EQ(profile.ResizeHeight, "320");
  w->CopyTestFileAspect();
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
  EXPECT_EQ(w->testFile, "");
  EXPECT_EQ(w->testFileBox->text(), "");

  const QString video = VideoClip();
  const QString cut = ProbeClips::CutMp4(Folder());
  dialogs.Expect(Kind::OpenFile, QStringList{video})
      .Expect(Kind::OpenFile, QStringList{cut})
      .ExpectMessage();
  w->BrowseForTestFile();
  w->BrowseForTestFile();
  EXPECT_EQ(dialogs.Messages().last(), "No se pudo leer el archivo " + cut + reason);
  EXPECT_EQ(w->testFile, video);
  EXPECT_EQ(w->testFileBox->text(), video);
  EXPECT_EQ(w->testWidth, 160);
  EXPECT_FLOAT_EQ(w->testDuration, 2);
  EXPECT_FALSE(w->waitPanel->isVisible());
}

// A test file chosen while another tool still runs (ffmpeg's help in the
// viewer): the choice waits quietly. The file loaded stays whole, never
// replaced by the new one without its pictures, sound and length.
TEST_F(EditingProfileWindowTest, ATestFileChosenWhileAnotherToolRunsLeavesTheLoadedOneAlone) {
  const QString video = VideoClip();
  Session::State().FileList = {video, AudioClip()};
  EditingProfileWindow* w = Open();
  ASSERT_EQ(w->testFile, video);
  w->OpenTestFileChooser();
  ScriptedDialogs dialogs;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    w->testFileCombo->setCurrentIndex(1);
    emit w->testFileCombo->activated(1);
  }));
  EXPECT_EQ(w->testFile, video);
  EXPECT_EQ(w->testFileBox->text(), video);
  EXPECT_EQ(w->testFileCombo->currentText(), video);
  EXPECT_TRUE(w->testHasVideo);
  EXPECT_FLOAT_EQ(w->testDuration, 2);
  EXPECT_TRUE(w->framePicture->isEnabled());
  EXPECT_TRUE(dialogs.Messages().isEmpty()) << dialogs.Messages().join('|').toStdString();
  w->CloseTestFileChooser();
}

// Asked for while another tool runs, from wherever (a menu, the file manager),
// the editor says so and does not open over that tool's run.
TEST_F(EditingProfileWindowTest, TheEditorAskedForWhileAnotherToolRunsSaysSoAndStaysClosed) {
  Session::State().FileList = {AudioClip()};
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  bool opened = true;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    EditingProfileWindow::ShowEditor("", false);
    opened = EditingProfileWindow::Instance() != nullptr;
  }));
  EXPECT_EQ(dialogs.Messages(),
            QStringList{"Otra herramienta está en ejecución; espere a que termine"});
  EXPECT_FALSE(opened);
}

// Presses that would open the player, the viewer or a file to probe, made while
// another tool holds the runner: each says so once, and nothing opens or changes.
TEST_F(EditingProfileWindowTest, PressesThatWouldOpenSomethingSayOnceThatAnotherToolRuns) {
  UseFakePlayer();
  const QString clip = AudioClip();
  Session::State().FileList = {clip};
  EditingProfileWindow* w = Open();
  ASSERT_EQ(w->testFile, clip);
  w->startPosition->setText("0.5");
  w->endPosition->setText("1");
  const struct {
    const char* press;
    int operation;
    std::function<void()> act;
  } presses[] = {
      {"Vista previa", 3, [w] { w->previewAction->trigger(); }},
      {"Vista previa of the equaliser", 7, [w] { w->previewAction->trigger(); }},
      {"Ir a beside the start", 0, [w] { w->playFromStartButton->click(); }},
      {"Ir a beside the end", 0, [w] { w->playFromEndButton->click(); }},
      {"Ver ayuda de ffmpeg", 8, [w] { w->ffmpegHelpAction->trigger(); }},
      {"... of the test file chooser", 0, [w] { w->browseTestFileButton->click(); }},
  };
  for (const auto& press : presses) {
    SCOPED_TRACE(press.press);
    w->operationList->setCurrentRow(press.operation);
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    bool opened = true;
    ASSERT_TRUE(WhileAnotherToolRuns([&] {
      press.act();
      opened = (PlayerWindow::Instance() && PlayerWindow::Instance()->isVisible()) ||
               (TextViewerWindow::Instance() && TextViewerWindow::Instance()->isVisible());
    }));
    EXPECT_EQ(dialogs.Messages(),
              QStringList{"Otra herramienta está en ejecución; espere a que termine"});
    EXPECT_FALSE(opened);
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(w->testFile, clip);
    EXPECT_EQ(w->testFileBox->text(), clip);
    EXPECT_FALSE(QFile::exists(Folder() + "/tools/play-args.txt"));
  }
}

// Presses in the explorer while another tool (a frame still being taken)
// holds the runner wait their turn quietly: the marker, the crop rectangle and
// the frame stay as they were, and no player opens.
TEST_F(EditingProfileWindowTest, ExplorerPressesWhileAnotherToolRunsWaitQuietly) {
  UseFakePlayer();
  Session::State().FileList = {PaddedClip()};
  EditingProfileWindow* w = OpenExplorerAt(1);
  ASSERT_TRUE(w->explorerPanel->isVisibleTo(w));
  const QString frame = w->tempFolder + "/frame.jpg";
  ASSERT_TRUE(QFile::remove(frame));
  const double markerLeft = w->positionMarker->Left;
  const struct {
    const char* press;
    std::function<void()> act;
  } presses[] = {
      {"a click on the time line", [w] { emit w->timeLine->MouseUp(Qt::LeftButton, 0.5, 0.5); }},
      {"Detectar bordes", [w] { w->detectBordersButton->click(); }},
      {"Reproducir", [w] { w->playButton->click(); }},
  };
  for (const auto& press : presses) {
    SCOPED_TRACE(press.press);
    ScriptedDialogs dialogs;
    ASSERT_TRUE(WhileAnotherToolRuns(press.act));
    EXPECT_TRUE(dialogs.Messages().isEmpty()) << dialogs.Messages().join('|').toStdString();
    EXPECT_DOUBLE_EQ(w->positionMarker->Left, markerLeft);
    EXPECT_DOUBLE_EQ(w->cropRect->Width, 1) << "the whole frame, as the explorer opened";
    EXPECT_DOUBLE_EQ(w->cropRect->Height, 1);
    EXPECT_FALSE(QFile::exists(frame));
    EXPECT_FALSE(QFile::exists(Folder() + "/tools/play-args.txt"));
    EXPECT_TRUE(w->framePicture->HasPicture());
  }
  w->CancelExplorer();
}

// A click on the time line of a sound while another tool runs (ffmpeg's help
// in the viewer) waits its turn quietly, as over a picture: no audition plays
// beside that tool, and the marker stays where it was.
TEST_F(EditingProfileWindowTest, ATimeLineClickOnASoundWhileAnotherToolRunsWaitsQuietly) {
  UseFakePlayer();
  Session::State().FileList = {AudioClip()};
  EditingProfileWindow* w = Open();
  ASSERT_TRUE(w->timeLine->isEnabled());
  ASSERT_FALSE(w->testHasVideo);
  const double markerLeft = w->positionMarker->Left;
  ScriptedDialogs dialogs;
  ASSERT_TRUE(WhileAnotherToolRuns([w] { emit w->timeLine->MouseUp(Qt::LeftButton, 0.5, 0.5); }));
  EXPECT_TRUE(dialogs.Messages().isEmpty()) << dialogs.Messages().join('|').toStdString();
  EXPECT_DOUBLE_EQ(w->positionMarker->Left, markerLeft);
  EXPECT_FALSE(w->auditionTimer->isActive());
  EXPECT_FALSE(QFile::exists(Folder() + "/tools/play-args.txt"));
}

TEST_F(EditingProfileWindowTest, TheTestFilesButtonWaitsWhileAPanelIsOpen) {
  EditingProfileWindow* w = Open();
  w->testFile = "/x.avi";
  w->testDuration = 60;
  w->operationList->setCurrentRow(0);
  w->OpenExplorer();
  ASSERT_TRUE(w->explorerPanel->isVisibleTo(w));
  w->chooseTestFileButton->click();
  EXPECT_FALSE(w->testFileChooser->isVisibleTo(w));
  EXPECT_FALSE(w->optionsMenu->isEnabled());
  EXPECT_TRUE(w->subPanelOpen);
  w->CancelExplorer();
  EXPECT_TRUE(w->chooseTestFileButton->isEnabled());

  w->chooseTestFileButton->click();
  ASSERT_TRUE(w->testFileChooser->isVisibleTo(w));
  EXPECT_FALSE(w->chooseTestFileButton->isEnabled());
  w->CloseTestFileChooser();
  EXPECT_TRUE(w->chooseTestFileButton->isEnabled());
  EXPECT_TRUE(w->optionsMenu->isEnabled());
}

// "Detectar bordes" pressed again while its ffmpeg still runs (a large file
// on a slow disk): the second press waits its turn quietly, and the first one
// still feeds the crop.
TEST_F(EditingProfileWindowTest, BorderDetectionPressedAgainWhileItRunsSaysNothingWentWrong) {
  Session::State().FileList = {PaddedClip()};
  EditingProfileWindow* w = OpenExplorerAt(1);
  ASSERT_TRUE(w->explorerPanel->isVisibleTo(w));
  const QString go = Folder() + "/go";
  FfmpegTools::State().FfmpegPath = FfmpegWaitingFor(go);

  ScriptedDialogs dialogs;
  WhenReady pressedAgain([] { return ToolRunner::GetState() != ToolRunner::RunState::Idle; },
                         [&] {
                           w->DetectBorders();
                           QFile(go).open(QIODevice::WriteOnly);
                         });
  w->DetectBorders();
  ASSERT_TRUE(pressedAgain.Done());
  EXPECT_TRUE(dialogs.Messages().isEmpty()) << dialogs.Messages().join('|').toStdString();
  EXPECT_DOUBLE_EQ(w->cropRect->Width, 0.8f);
  w->CancelExplorer();
}

// "Reproducir" pressed while the frame of a new position is still being
// taken (a large file on a slow disk): the press waits quietly. A player shown
// meanwhile could play nothing and never close, as it would wait for the
// frame grab to end and the frame grab for it.
TEST_F(EditingProfileWindowTest, PlayPressedWhileAFrameIsTakenOpensNoPlayer) {
  Session::State().FileList = {
      MakeClip("pictures.mkv", {"testsrc=size=128x96:rate=10"}, {"-t", "2", "-c:v", "ffv1"})};
  UseFakePlayer();
  EditingProfileWindow* w = OpenExplorerAt(0);
  ASSERT_TRUE(w->explorerPanel->isVisibleTo(w));
  const QString go = Folder() + "/go";
  FfmpegTools::State().FfmpegPath = FfmpegWaitingFor(go);

  bool playerShown = false;
  // Such a player is put away here as no user could.
  WhenReady putAway(
      [] { return PlayerWindow::Instance() && PlayerWindow::Instance()->isVisible(); },
      [&] {
        playerShown = true;
        PlayerWindow::Instance()->hide();
      });
  WhenReady pressedPlay([] { return ToolRunner::GetState() != ToolRunner::RunState::Idle; },
                        [&] {
                          w->PlayExplored();
                          QFile(go).open(QIODevice::WriteOnly);
                        });
  w->OnTimeLineClicked(0.5);
  ASSERT_TRUE(pressedPlay.Done());
  EXPECT_FALSE(playerShown);
  EXPECT_EQ(ToolRunner::GetState(), ToolRunner::RunState::Idle);
  EXPECT_TRUE(w->framePicture->isEnabled());
  w->CancelExplorer();
}

TEST_F(EditingProfileWindowTest, BorderDetectionFeedsTheCropBoxesWithTheDetectedPixels) {
  Session::State().FileList = {PaddedClip()};
  EditingProfileWindow* w = OpenExplorerAt(1);
  ASSERT_TRUE(w->explorerPanel->isVisibleTo(w));
  w->DetectBorders();
  EXPECT_DOUBLE_EQ(w->cropRect->Width, 0.8f);
  w->AcceptExplorer();
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropWidth, "128");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropHeight, "96");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropLeft, "16");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropTop, "12");

  // A drag that crosses back over its start keeps the rectangle between both points.
  w->OpenExplorer();
  w->StartCropDrag(0.6, 0.6);
  w->DragCrop(0.2, 1.4);
  w->EndCropDrag();
  EXPECT_DOUBLE_EQ(w->cropRect->Left, 0.2);
  EXPECT_NEAR(w->cropRect->Top, 0.6, 1e-6);
  EXPECT_NEAR(w->cropRect->Height, 0.4, 1e-6);
  w->CancelExplorer();
}

TEST_F(EditingProfileWindowTest, ACloseRequestClosesAnOpenPanelFirst) {
  EditingProfileWindow* w = Open();
  w->OpenTestFileChooser();
  EXPECT_FALSE(w->close());
  EXPECT_FALSE(w->testFileChooser->isVisibleTo(w));
  EXPECT_TRUE(w->acceptButton->isEnabled());
  w->waitPanel->show();
  EXPECT_FALSE(w->close());
  w->waitPanel->hide();
  ToolRunner::State().ConsoleState = ToolRunner::RunState::Running;  // a frame grab under way
  EXPECT_FALSE(w->close());
  ToolRunner::Reset();
  EXPECT_TRUE(w->close());
}

TEST_F(EditingProfileWindowTest, ThePreviewPlaysTheTestFileWithTheOperationApplied) {
  UseFakePlayer();
  EditingProfileWindow* w = Open();
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    w->operationList->setCurrentRow(3);
    w->Preview();
    EXPECT_EQ(dialogs.Messages(), QStringList{"Seleccione un archivo de prueba"});
  }
  w->testFile = AudioClip();
  w->volumePercent->setText("150");
  const auto closer = ClosePlayerOnceItEnded();
  w->Preview();
  QFile args(Folder() + "/tools/play-args.txt");
  ASSERT_TRUE(args.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(args.readAll()).split('\n', Qt::SkipEmptyParts),
            (QStringList{"-af", "volume=1.5", "-i", w->testFile}));
}

TEST_F(EditingProfileWindowTest, ScratchModeAcceptWritesTheScratchProfile) {
  QTimer::singleShot(0, [] {
    EditingProfileWindow* w = EditingProfileWindow::Instance();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->scratchButtonStrip->isVisibleTo(w));
    EXPECT_FALSE(w->openAction->isVisible());
    EXPECT_TRUE(EditingProfileEditor::State().ScratchMode);
    EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[0], "31");
    w->volumePercent->setText("90");
    w->acceptButton->click();
  });
  EditingProfileWindow::ShowEditor("*", true);
  EditProfileRec written;
  ASSERT_EQ(RecordFile::Read(EditingProfileEditor::ScratchProfilePath(), written),
            RecordFile::Result::Ok);
  EXPECT_EQ(written.Volume, "90");
  EXPECT_FALSE(EditingProfileEditor::State().ScratchMode);
  EXPECT_TRUE(EditingProfileEditor::State().CurrentPath.isEmpty());
  EXPECT_FALSE(EditingProfileWindow::Instance());
}

TEST_F(EditingProfileWindowTest, ScratchModeCloseAsksWithoutAName) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::Cancel).ExpectMessage(Dialogs::Button::Yes);
  QTimer::singleShot(0, [] {
    EditingProfileWindow* w = EditingProfileWindow::Instance();
    w->volumePercent->setText("70");
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->close());
  });
  EditingProfileWindow::ShowEditor("*", true);
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
    EXPECT_EQ(w->volumePercent->text(), "55");
    EXPECT_EQ(w->frequencyBoxes[0]->text(), "31");
    EXPECT_FALSE(w->scratchButtonStrip->isVisible());
    EXPECT_TRUE(w->close());
  });
  EditingProfileWindow::ShowEditor(QString(), false);
  EXPECT_FALSE(EditingProfileWindow::Instance());
  EXPECT_TRUE(EditingProfileEditor::State().CurrentProfile.Volume.isEmpty());
}

TEST_F(EditingProfileWindowTest, TheTestFileComesFromTheListOrFromTheOpenDialog) {
  const QString video = VideoClip();
  const QString audio = AudioClip();
  Session::State().FileList = {video, audio};
  EditingProfileWindow* w = Open();
  w->OpenTestFileChooser();
  EXPECT_TRUE(w->subPanelOpen);
  EXPECT_FALSE(w->acceptButton->isEnabled());
  w->testFileCombo->setCurrentIndex(1);
  emit w->testFileCombo->activated(1);
  EXPECT_EQ(w->testFile, audio);
  EXPECT_EQ(w->testFileBox->text(), audio);
  w->testFileCombo->setEditText("typed");
  EXPECT_EQ(w->testFileCombo->currentText(), audio);

  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, QStringList{video}).ExpectMessage();
  w->BrowseForTestFile();
  EXPECT_EQ(w->testFile, video);
  EXPECT_FALSE(w->waitPanel->isVisible());
  EXPECT_TRUE(w->testFileChooser->isVisibleTo(w));
  w->CloseTestFileChooser();
  EXPECT_FALSE(w->subPanelOpen);
  EXPECT_TRUE(w->optionsMenu->isEnabled());

  // "Ir a" with a time the parser refuses plays nothing.
  w->startPosition->setText("1:2:3:4");
  w->PlayFromStartPosition();
  w->testFile.clear();
  w->PlayFromEndPosition();
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
    w->loadButton->click();
    EXPECT_EQ(w->volumePercent->text(), "60");
    EXPECT_TRUE(EditingProfileEditor::IsDirty());
    w->cancelButton->click();
  });
  EditingProfileWindow::ShowEditor("*", true);
  EXPECT_FALSE(QFile::exists(EditingProfileEditor::ScratchProfilePath()));
  EXPECT_FALSE(EditingProfileWindow::Instance());
}

TEST_F(EditingProfileWindowTest, SaveAsAsksTheFileManagerForAName) {
  EditingProfileWindow* w = Open();
  w->volumePercent->setText("75");
  WhenFileManagerShown([](FileManagerWindow* manager) {
    manager->nameEdit->setText("nuevo");
    manager->acceptButton->click();
  });
  w->saveAsAction->trigger();
  const QString path = ProgramFolder::AppFiles("editp/nuevo.qep");
  EXPECT_EQ(EditingProfileEditor::State().CurrentPath, path);
  EditProfileRec written;
  ASSERT_EQ(RecordFile::Read(path, written), RecordFile::Result::Ok);
  EXPECT_EQ(written.Volume, "75");
  EXPECT_FALSE(EditingProfileEditor::IsDirty());
}

TEST_F(EditingProfileWindowTest, ANumberBeyondSinglePrecisionIsReportedAndNotStored) {
  EditingProfileWindow* w = Open();
  w->cropWidth->setText("12");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  w->cropWidth->setText("1" + QString(45, '0'));
  EXPECT_EQ(dialogs.Messages(), QStringList{"Error 6\nDesbordamiento"});
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropWidth, "12");
}

TEST_F(EditingProfileWindowTest, PlayingTheMarkedRangeSeeksAndLimitsThePlayer) {
  UseFakePlayer();
  Session::State().FileList = {AudioClip()};
  EditingProfileWindow* w = OpenExplorerAt(0);
  w->rangeBar->SetGeometry(0.25, 0, 0.5, 1);
  const auto closer = ClosePlayerOnceItEnded();
  w->PlayExplored();
  QFile args(Folder() + "/tools/play-args.txt");
  ASSERT_TRUE(args.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(args.readAll()).split('\n', Qt::SkipEmptyParts),
            (QStringList{"-ss", "0.5", "-t", "1", "-i", w->testFile}));
  w->CancelExplorer();
}

TEST_F(EditingProfileWindowTest, ChoosingAnotherOperationClosesTheFfmpegHelp) {
  EditingProfileWindow* w = Open();
  w->operationList->setCurrentRow(8);
  QString shown;
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, w, &shown] {
    TextViewerWindow* viewer = TextViewerWindow::Instance();
    if (!viewer || !viewer->waitFrame->isHidden()) return;
    poll->stop();
    poll->deleteLater();
    shown = viewer->outputText->toPlainText();
    w->operationList->setCurrentRow(3);
  });
  poll->start(10);
  w->ffmpegHelpAction->trigger();
  EXPECT_TRUE(shown.contains("-codecs")) << shown.left(200).toStdString();
  EXPECT_FALSE(TextViewerWindow::Instance());
  EXPECT_TRUE(w->volumePanel->isVisibleTo(w));
}

// The heading over the operations and the test file's caption read as
// labels: the window's background, and the focus goes past them.
TEST_F(EditingProfileWindowTest, CaptionsLookAndBehaveAsLabels) {
  EditingProfileWindow* w = Open();
  w->show();
  w->activateWindow();
  ASSERT_TRUE(WaitFor([] { return QApplication::focusWidget() != nullptr; }));
  for (QLineEdit* caption : {w->operationsCaption, w->testFileCaption}) {
    SCOPED_TRACE(caption->objectName().toStdString());
    EXPECT_NE(QApplication::focusWidget(), caption);
    EXPECT_EQ(caption->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(caption->hasFrame());
    EXPECT_EQ(caption->palette().color(QPalette::Base), w->palette().color(QPalette::Window));
  }
  EXPECT_EQ(w->testFileCaption->text(), "Seleccionar archivo de prueba");
}

}  // namespace
