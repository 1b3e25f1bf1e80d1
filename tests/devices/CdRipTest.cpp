#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <functional>
#include <memory>

#include "DeviceFixture.h"
#include "InstalledTools.h"
#include "Keyboard.h"
#include "core/convert/CommandTable.h"
#include "core/convert/ConversionState.h"
#include "core/devices/CdRipper.h"
#include "core/frame/Session.h"
#include "core/ground/ToolRunner.h"
#include "gui/app/MainWindow.h"
#include "gui/convert/ProgressWindow.h"
#include "gui/devices/CdRipWindow.h"

namespace {

QString OnlySubfolder(const QString& folder) {
  const QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  return names.size() == 1 ? folder + "/" + names.first() : QString();
}

// What cdda2wav prints for a bus scan on Linux: a disk on bus 0, the drive on bus 1.
const char* const kBusScan =
    "Linux sg driver version: 3.5.36\n"
    "Using libusal version 'Cdrkit-1.1.11'.\n"
    "scsibus0:\n"
    "\t0,0,0\t  0) 'ATA     ' 'ST500DM002-1BD14' 'KC45' Disk\n"
    "\t0,1,0\t  1) *\n"
    "scsibus1:\n"
    "\t1,0,0\t100) 'HL-DT-ST' 'DVDRAM GH24NSD1 ' 'LG00' Removable CD-ROM\n"
    "\t1,1,0\t101) *\n";

TEST(CdBusScan, FindsTheDrivesOfEveryBus) {
  struct Case {
    const char* name;
    const char* listing;
    QStringList ids;
  } cases[] = {
      {"drive on bus 1", kBusScan, {"1,0,0"}},
      {"header on the first line",
       "scsibus0:\n\t0,0,0\t  0) 'TSSTcorp' 'CDDVDW SH-224DB ' 'SB00' Removable CD-ROM\n",
       {"0,0,0"}},
      {"buses 0 and 2, none numbered 1",
       "x\nscsibus0:\n\t0,0,0\t  0) 'ATA' 'Disk' 'KC45' Disk\nscsibus2:\n"
       "\t2,0,0\t200) 'HL-DT-ST' 'DVD' 'LG00' Removable CD-ROM\n",
       {"2,0,0"}},
      {"marker in other case, drive second on its bus",
       "x\nscsibus0:\n\t0,0,0\t  0) 'ATA' 'Disk' 'KC45' Disk\n"
       "\t0,1,0\t  1) 'LITE-ON' 'DVD' '1.0' Removable CD-Rom\n",
       {"0,1,0"}},
      {"two drives",
       "x\nscsibus0:\n\t0,0,0\t0) 'A' 'B' 'C' Removable CD-ROM\n"
       "\t0,1,0\t1) 'D' 'E' 'F' Removable CD-ROM\n",
       {"0,0,0", "0,1,0"}},
      {"no drive", "x\nscsibus0:\n\t0,0,0\t  0) 'ATA' 'Disk' 'KC45' Disk\n", {}},
      {"no header", "\t0,0,0\t0) 'A' 'B' 'C' Removable CD-ROM\n", {}},
      {"header without its line end",
       "x\nscsibus0: \t0,0,0\t0) 'A' 'B' 'C' Removable CD-ROM\n",
       {}},
      {"nothing", "", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CdRipper::ParseBusScan(QString::fromUtf8(c.listing)), c.ids) << c.name;
  }
}

QString TitleListing(int tracks) {
  QString text = "CDDB discid: 0x8c0a6b0c\nCD-Text: detected\n";
  for (int track = 1; track <= tracks; ++track)
    text += QString("Track %1: 'Song %2'\n").arg(track, 2).arg(track);
  return text;
}

TEST(CdTrackTitles, ReadsTitlesUpToTheFirstMissingTrack) {
  struct Case {
    const char* name;
    QString listing;
    QStringList titles;
  } cases[] = {
      {"one title", "Tracks:1 3:20.00\nTrack  1: 'Intro'\n", {"Intro"}},
      {"empty title", "x\nTrack  1: 'Intro'\nTrack  2: ''\n", {"Intro", "Track  2"}},
      {"no closing quote", "x\nTrack  1: 'Intro\n", {"Track  1"}},
      {"apostrophe and performer",
       "x\nTrack  1: 'Don't Stop' [from Guns N' Roses]\nTrack  2: 'Rock'\t[from A]\n",
       {"Don't Stop", "Rock"}},
      {"gap after track 1", "x\nTrack  1: 'A'\nTrack  3: 'C'\n", {"A"}},
      {"marker must start a line", "xTrack  1: 'A'\n", {}},
      {"title on the first line", "Track  1: 'A'\n", {"A"}},
      {"no titles", "Tracks:12 61:16.05\n", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(CdRipper::ParseTrackTitles(c.listing), c.titles) << c.name;

  const QStringList twelve = CdRipper::ParseTrackTitles(TitleListing(12));
  ASSERT_EQ(twelve.size(), 12);
  EXPECT_EQ(twelve.first(), "Song 1");
  EXPECT_EQ(twelve.last(), "Song 12");
  EXPECT_EQ(CdRipper::ParseTrackTitles(TitleListing(99)).size(), 99);
}

TEST(CdRipArguments, EndWithSilenceRemovalAndTheTrackRange) {
  EXPECT_EQ(CdRipper::RipArguments(" -D 1,0,0", "wav", true, 2),
            QStringList({"-D", "1,0,0", "-B", "-x", "-s", "-H", "-no-infofile", "-O", "wav", "-w",
                         "-t", "2+2"}));
  EXPECT_EQ(CdRipper::RipArguments(" -D 0,0,0", "aiff", false, 12).mid(7),
            QStringList({"-O", "aiff", "-t", "12+12"}));
}

// A stand-in for cdda2wav: a drive on bus 1 with six titled tracks. A rip
// copies a short wav made by ffmpeg to audio.<format> in its working folder;
// track 4 is never written; track 6 is cut short by a write error (code 4). Every call's arguments
// go to a log.
class CdRipTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    CdRipper::Reset();
    Session::State().FileList.clear();
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    ASSERT_FALSE(ffmpeg.isEmpty());
    wav_ = Folder() + "/fixture/track.wav";
    QDir().mkpath(Folder() + "/fixture");
    ASSERT_EQ(QProcess::execute(ffmpeg, {"-v", "error", "-f", "lavfi", "-i", "sine=d=0.2", wav_}),
              0);
    WriteFile("fixture/scan.txt", kBusScan);
    SetTitles(
        "CD-Text: detected\nTrack  1: 'Intro'\nTrack  2: 'Blue'\nTrack  3: 'Blue'\n"
        "Track  4: 'Lost'\nTrack  5: 'Fifth'\nTrack  6: ''\n");
    CdRipper::State().Cdda2wavPath = MadeExecutable(WriteFile(
        "tools/cdda2wav", QString("#!/bin/sh\n"
                                  "F='%1/fixture'\n"
                                  "echo \"$*\" >> \"$F/log.txt\"\n"
                                  "case \"$1\" in\n"
                                  "  -scanbus) cat \"$F/scan.txt\"; exit 0 ;;\n"
                                  "  -N) [ -f \"$F/slowtitles\" ] && exec sleep 10; cat "
                                  "\"$F/titles.txt\" >&2; exit 0 ;;\n"
                                  "esac\n"
                                  "while [ $# -gt 2 ]; do [ \"$1\" = -O ] && fmt=$2; shift; done\n"
                                  "track=${2%%+*}\n"
                                  "[ -f \"$F/slow\" ] && exec sleep 10\n"
                                  "if [ -f \"$F/partial$track\" ]; then\n"
                                  "  head -c 1000 \"$F/track.wav\" > \"audio.$fmt\"\n"
                                  "  echo \"track $track: part written\" >&2; exec sleep 30\n"
                                  "fi\n"
                                  "[ \"$track\" = 4 ] && exit 1\n"
                                  "[ \"$track\" = 6 ] && { head -c 100 \"$F/track.wav\" > "
                                  "\"audio.$fmt\"; echo 'write error' >&2; exit 4; }\n"
                                  "echo \"100%%  track $track recorded successfully\" >&2\n"
                                  "cp \"$F/track.wav\" \"audio.$fmt\"\n")
                              .arg(Folder())
                              .toUtf8()));
    main_ = std::make_unique<MainWindow>();
    main_->show();
  }
  void TearDown() override {
    if (CdRipWindow* window = CdRipWindow::Instance()) {
      CdRipper::State().CDRipBusy = false;
      delete window;
    }
    main_.reset();
    CdRipper::State().Cdda2wavPath.clear();
    Session::State().FileList.clear();
    TestEnv::TearDown();
  }
  void SetTitles(const char* text) { WriteFile("fixture/titles.txt", text); }
  QStringList Log() const {
    QFile file(Folder() + "/fixture/log.txt");
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  }
  static void Tick(const QList<int>& rows) {
    for (int row : rows) CdRipWindow::Instance()->trackList->item(row)->setCheckState(Qt::Checked);
  }
  static CdRipWindow* OpenRipWindow() {
    CdRipWindow::OpenCDRip();
    return CdRipWindow::Instance();
  }
  // The rip window opened over the fake drive, ripping into the folder out.
  CdRipWindow* OpenRippingIntoOut() {
    CdRipWindow* window = OpenRipWindow();
    CdRipper::State().CDRipOutputDir = Folder() + "/out";
    QDir().mkpath(Folder() + "/out");
    return window;
  }
  static QStringList Names(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
  }

  QString wav_;
  std::unique_ptr<MainWindow> main_;
};

TEST_F(CdRipTest, MissingCdda2wavIsReportedAndNoWindowOpens) {
  CdRipper::State().Cdda2wavPath = Folder() + "/tools/none";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  CdRipWindow::OpenCDRip();
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se encuentra el archivo cdda2wav"}));
  EXPECT_EQ(CdRipWindow::Instance(), nullptr);
  EXPECT_TRUE(main_->isVisible());
}

TEST_F(CdRipTest, OpeningListsTheDriveTitlesAndHidesTheMainWindow) {
  CdRipWindow* window = OpenRipWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(main_->isVisible());
  ASSERT_EQ(window->trackList->count(), 6);
  EXPECT_EQ(window->trackList->item(0)->text(), "Intro");
  EXPECT_EQ(window->trackList->item(5)->text(), "Track  6");
  EXPECT_EQ(window->trackList->item(0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(CdRipper::State().CDRipDevice, " -D 1,0,0");
  EXPECT_EQ(Log(), QStringList({"-scanbus", "-N -D 1,0,0"}));
  EXPECT_TRUE(window->extractButton->isVisibleTo(window));
  EXPECT_FALSE(window->stopButton->isVisibleTo(window));
  EXPECT_FALSE(window->busyFrame->isVisibleTo(window));
  EXPECT_TRUE(window->console->toPlainText().isEmpty());
  EXPECT_EQ(window->formatCombo->currentText(), "wav");
  EXPECT_TRUE(window->outputFolder->isEnabled());

  window->close();
  Flush();
  EXPECT_EQ(CdRipWindow::Instance(), nullptr);
  EXPECT_TRUE(main_->isVisible());
}

TEST_F(CdRipTest, NoTitlesClosesTheWindowWithAMessage) {
  SetTitles("Tracks:12 61:16.05\n");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  CdRipWindow::OpenCDRip();
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se pudo obtener la lista de Tracks"}));
  Flush();
  EXPECT_EQ(CdRipWindow::Instance(), nullptr);
  EXPECT_TRUE(main_->isVisible());
}

TEST_F(CdRipTest, RipsTickedTracksIntoANewCdRipFolderNamedAfterTheirTitles) {
  CdRipWindow* window = OpenRipWindow();
  ASSERT_NE(window, nullptr);
  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::Folder, Folder() + "/out");
  QDir().mkpath(Folder() + "/out");
  window->browseFolderButton->click();
  EXPECT_EQ(window->outputFolder->text(), Folder() + "/out");

  window->removeSilenceCheck->setChecked(true);
  Tick({1, 4});
  window->extractButton->click();
  const QStringList log = Log();
  ASSERT_EQ(log.size(), 4);
  EXPECT_TRUE(log[2].endsWith("-O wav -w -t 2+2")) << log[2].toStdString();
  EXPECT_TRUE(log[3].endsWith("-O wav -w -t 5+5")) << log[3].toStdString();
  EXPECT_EQ(Names(Folder() + "/out/CDRip"), QStringList({"Blue.wav", "Fifth.wav"}));
  EXPECT_TRUE(window->console->toPlainText().contains("track 5 recorded successfully"));
  EXPECT_TRUE(window->extractButton->isVisibleTo(window));
  EXPECT_FALSE(window->busyFrame->isVisibleTo(window));
  EXPECT_FALSE(CdRipper::State().CDRipBusy);

  // The ticks stay; same titles, a skipped track, and a second rip into the same folder.
  window->removeSilenceCheck->setChecked(false);
  window->formatCombo->setCurrentText("aiff");
  Tick({2, 3});
  window->extractButton->click();
  EXPECT_EQ(Names(Folder() + "/out/CDRip (2)"),
            QStringList({"Blue (2).aiff", "Blue.aiff", "Fifth.aiff"}));
  EXPECT_TRUE(Log().last().endsWith("-O aiff -t 5+5"));
}

TEST_F(CdRipTest, ATrackCutShortByAnErrorIsNeitherKeptNorAdded) {
  CdRipWindow* window = OpenRippingIntoOut();
  ASSERT_NE(window, nullptr);
  Tick({0, 5});
  window->extractButton->click();
  EXPECT_EQ(Log().filter("-t 6+6").size(), 1);
  EXPECT_EQ(Names(Folder() + "/out/CDRip"), QStringList({"Intro.wav"}));
  window->close();
  Flush();

  CdRipper::State().CDRipAddToList = true;
  CdRipWindow::OpenCDRip();
  ASSERT_NE(CdRipWindow::Instance(), nullptr);
  Tick({0, 5});
  CdRipWindow::Instance()->extractButton->click();
  Flush();
  ASSERT_EQ(Session::State().FileList.size(), 1);
  EXPECT_EQ(QFileInfo(Session::State().FileList[0]).fileName(), "Intro.wav");
}

TEST_F(CdRipTest, ARowRenamedToAnotherTitleGetsTheNextFreeNumber) {
  CdRipWindow* window = OpenRippingIntoOut();
  ASSERT_NE(window, nullptr);
  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::Input, QString("Intro"));
  window->trackList->setCurrentRow(1);
  window->renameButton->click();
  EXPECT_EQ(window->trackList->item(1)->text(), "Intro");
  Tick({0, 1});
  window->extractButton->click();
  EXPECT_EQ(Names(Folder() + "/out/CDRip"), QStringList({"Intro (2).wav", "Intro.wav"}));
}

// A title that differs from cdda2wav's own "audio" file only in letter case
// names its own track and never takes the next track's file.
TEST_F(CdRipTest, ATitleSpelledLikeTheRipFileKeepsItsTrackAndTheNextTracksToo) {
  SetTitles("Track  1: 'Audio'\nTrack  2: 'AUDIO'\nTrack  3: 'Blue'\n");
  CdRipWindow* window = OpenRippingIntoOut();
  ASSERT_NE(window, nullptr);
  Tick({0, 1, 2});
  window->extractButton->click();
  EXPECT_EQ(Names(Folder() + "/out/CDRip"), QStringList({"AUDIO.wav", "Audio.wav", "Blue.wav"}));
}

TEST_F(CdRipTest, RenameWithoutASelectedRowAsksNothing) {
  CdRipWindow* window = OpenRipWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ShowActive(window));
  // Tabbing into the list makes its first row current, unselected.
  window->formatCombo->setFocus(Qt::TabFocusReason);
  window->trackList->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(WaitFor([window] { return window->trackList->currentItem() != nullptr; }));
  ScriptedDialogs dialogs;  // a name asked for the current, unselected row would be unexpected
  window->renameButton->click();
  EXPECT_TRUE(dialogs.Shown().isEmpty());
}

TEST(CdTitleFileNames, SlashAndNulBecomeLookAlikes) {
  EXPECT_EQ(CdRipper::TitleAsFileName("Rock/Pop Mix"), QString::fromUtf8("Rock\u2215Pop Mix"));
  EXPECT_EQ(CdRipper::TitleAsFileName(QString("a") + QChar(0) + "b//c"),
            QString::fromUtf8("a\u2400b\u2215\u2215c"));
  EXPECT_EQ(CdRipper::TitleAsFileName("Don't Stop: \"Live\" $(x)"), "Don't Stop: \"Live\" $(x)");
}

TEST_F(CdRipTest, ATitleWithASlashIsRippedUnderALookAlikeAndTheRipGoesOn) {
  SetTitles(
      "Track  1: 'Intro'\nTrack  2: 'Rock/Pop Mix'\nTrack  3: '/'\nTrack  4: 'x'\n"
      "Track  5: 'Last'\n");
  CdRipWindow* window = OpenRippingIntoOut();
  ASSERT_NE(window, nullptr);
  Tick({0, 1, 2, 4});
  ScriptedDialogs dialogs;
  window->extractButton->click();
  EXPECT_TRUE(dialogs.Messages().isEmpty());
  EXPECT_EQ(Names(Folder() + "/out/CDRip"),
            QStringList({"Intro.wav", "Last.wav", QString::fromUtf8("Rock\u2215Pop Mix.wav"),
                         QString::fromUtf8("\u2215.wav")}));
  EXPECT_EQ(Log().filter("-t 5+5").size(), 1);
}

// The fake drive writes a part of the track, then waits to be stopped.
TEST_F(CdRipTest, ATrackStoppedByDetenerIsRemovedAndTheTracksBeforeItStay) {
  for (const int addToList : {0, 1}) {
    SCOPED_TRACE(addToList);
    CdRipper::State().CDRipAddToList = addToList;
    Session::State().FileList.clear();
    CdRipWindow* window = OpenRippingIntoOut();
    ASSERT_NE(window, nullptr);
    WriteFile("fixture/partial2", "");
    Tick({0, 1, 4});
    When([window] { return window->console->toPlainText().contains("track 2: part written"); },
         [window] { window->stopButton->click(); });
    ScriptedDialogs dialogs;
    window->extractButton->click();
    EXPECT_TRUE(dialogs.Messages().isEmpty());
    EXPECT_EQ(Log().filter("-t 5+5").size(), 0);
    EXPECT_TRUE(Session::State().FileList.isEmpty());
    ASSERT_EQ(CdRipWindow::Instance(), window);
    EXPECT_TRUE(window->extractButton->isVisibleTo(window));
    const QString folder = addToList ? OnlySubfolder(OnlySubfolder(Folder() + "/appfiles/temp"))
                                     : Folder() + "/out/CDRip";
    EXPECT_EQ(Names(folder), QStringList({"Intro.wav"})) << folder.toStdString();
    window->close();
    Flush();
    QFile::remove(Folder() + "/fixture/partial2");
  }
}

TEST_F(CdRipTest, CloseDuringTheTitleReadStopsItAndUnloads) {
  WriteFile("fixture/slowtitles", "");
  main_->setAttribute(Qt::WA_Moved, false);  // as placed by the window manager, not by us
  const QPoint place = main_->pos();
  WhenReady close([this] { return CdRipWindow::Instance() && Log().size() == 2; },
                  [] { CdRipWindow::Instance()->close(); });
  CdRipWindow::OpenCDRip();
  ASSERT_TRUE(close.Done());
  Flush();
  EXPECT_EQ(CdRipWindow::Instance(), nullptr);
  EXPECT_TRUE(main_->isVisible());
  // Back where it stood, a place of its own that no window manager moves.
  EXPECT_EQ(main_->pos(), place);
  EXPECT_TRUE(main_->testAttribute(Qt::WA_Moved));
  EXPECT_FALSE(CdRipper::State().CDRipCancel);
}

// The busy panel lies over the track frame as a sheet: nothing of the frame,
// its caption included, shows through while the titles are read.
TEST_F(CdRipTest, TheBusyPanelCoversTheTrackFrameWhole) {
  WriteFile("fixture/slowtitles", "");
  bool coveredWhole = false;
  WhenReady look([this] { return CdRipWindow::Instance() && Log().size() == 2; },
                 [&coveredWhole] {
                   CdRipWindow* window = CdRipWindow::Instance();
                   const QImage before = window->grab().toImage();
                   window->tracksFrame->setTitle("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
                   coveredWhole = window->grab().toImage() == before;
                   window->close();
                 });
  CdRipWindow::OpenCDRip();
  ASSERT_TRUE(look.Done());
  Flush();
  EXPECT_TRUE(coveredWhole) << "the track frame's caption shows through the busy panel";
}

// The title read on its own: what it finds, and a stop while it reads.
TEST_F(CdRipTest, ReadingTheTracksListsTitlesReportsNoneAndTakesAStop) {
  CdRipper::TrackRead read = CdRipper::ReadTracks();
  EXPECT_EQ(read.Result, CdRipper::TrackRead::Outcome::Listed);
  EXPECT_EQ(read.Titles.size(), 6);
  EXPECT_EQ(read.Titles.value(1), "Blue");
  EXPECT_FALSE(CdRipper::State().CDRipBusy);

  SetTitles("Tracks:12 61:16.05\n");
  read = CdRipper::ReadTracks();
  EXPECT_EQ(read.Result, CdRipper::TrackRead::Outcome::NoTracks);
  EXPECT_TRUE(read.Titles.isEmpty());

  WriteFile("fixture/slowtitles", "");
  bool busyWhileReading = false;
  WhenReady stop([this] { return Log().size() == 6; },
                 [&busyWhileReading] {
                   busyWhileReading = CdRipper::State().CDRipBusy;
                   CdRipper::Stop();
                 });
  read = CdRipper::ReadTracks();
  ASSERT_TRUE(stop.Done());
  EXPECT_TRUE(busyWhileReading);
  EXPECT_EQ(read.Result, CdRipper::TrackRead::Outcome::Cancelled);
  EXPECT_FALSE(CdRipper::State().CDRipCancel);
  EXPECT_FALSE(CdRipper::State().CDRipBusy);
}

// Opening the rip window while another tool runs (the text viewer's ffmpeg):
// cdda2wav could not read the disc, so no window opens and no "no tracks"
// failure stands for a read that never ran; the user is told once why.
TEST_F(CdRipTest, OpeningWhileAnotherToolRunsSaysSoOnceAndOpensNothing) {
  Session::State().FileList << "/data/first.mkv";
  const std::pair<const char*, std::function<void()>> openings[] = {
      {"Extraer pistas de CD", [this] { main_->ripCdAction->trigger(); }},
      {"Agregar pistas de CD", [this] { main_->addCdTracksAction->trigger(); }},
      {"the window's own opening", [] { CdRipWindow::OpenCDRip(); }},
  };
  for (const auto& opening : openings) {
    SCOPED_TRACE(opening.first);
    ASSERT_NO_FATAL_FAILURE(
        ExpectOpeningWhileAnotherToolRunsSaysSoOnce(opening.second, *main_, "Form2"));
    EXPECT_EQ(CdRipWindow::Instance(), nullptr);
    EXPECT_EQ(Log(), QStringList()) << "cdda2wav ran";
    EXPECT_EQ(Session::State().FileList, QStringList{"/data/first.mkv"});
  }
  // Once the other tool has ended, the same item reads the disc.
  main_->ripCdAction->trigger();
  ASSERT_NE(CdRipWindow::Instance(), nullptr);
  EXPECT_EQ(CdRipWindow::Instance()->trackList->count(), 6);
}

// "Extraer" while another tool runs: nothing is ripped and no folder made,
// the user is told once why, and the window stays as it was, ticks and all.
TEST_F(CdRipTest, ExtraerWhileAnotherToolRunsSaysSoOnceAndMakesNothing) {
  CdRipper::State().CDRipOutputDir = Folder() + "/out";
  QDir().mkpath(Folder() + "/out");
  for (const int addToList : {0, 1}) {
    SCOPED_TRACE(addToList);
    CdRipper::State().CDRipAddToList = addToList;
    CdRipWindow* window = OpenRipWindow();
    ASSERT_NE(window, nullptr);
    Tick({0, 4});
    const QStringList logBefore = Log();
    const QStringList before = FilesBelow(Folder());
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    ASSERT_TRUE(WhileAnotherToolRuns([window] { window->extractButton->click(); }));
    Flush();
    EXPECT_EQ(dialogs.Messages(), QStringList{kAnotherToolRuns});
    EXPECT_EQ(Log(), logBefore) << "cdda2wav ran";
    EXPECT_EQ(FilesBelow(Folder()), before);
    ASSERT_EQ(CdRipWindow::Instance(), window);
    EXPECT_TRUE(window->extractButton->isVisibleTo(window));
    EXPECT_FALSE(window->busyFrame->isVisibleTo(window));
    EXPECT_EQ(window->trackList->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(window->trackList->item(4)->checkState(), Qt::Checked);
    EXPECT_TRUE(Session::State().FileList.isEmpty());
    EXPECT_FALSE(CdRipper::State().CDRipBusy);
    window->close();
    Flush();
  }
}

// The read and the rip on their own while another tool keeps the runner:
// they say "busy", never "no drive" or "no tracks", and rip nothing.
TEST_F(CdRipTest, WhileAnotherToolRunsTheReadAndTheRipSayBusyAndDoNothing) {
  const QString folder = Folder() + "/out";
  QDir().mkpath(folder);
  CdRipper::DriveScan scan;
  CdRipper::TrackRead read;
  CdRipper::RipResult rip;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    scan = CdRipper::ScanBus();
    read = CdRipper::ReadTracks();
    rip = CdRipper::RipTracks({{1, "Intro"}, {2, "Blue"}}, folder, "wav", false, true, {}, {});
  }));
  EXPECT_TRUE(scan.RunnerBusy);
  EXPECT_TRUE(scan.Ids.isEmpty());
  EXPECT_EQ(read.Result, CdRipper::TrackRead::Outcome::RunnerBusy);
  EXPECT_TRUE(rip.RunnerBusy);
  EXPECT_FALSE(rip.Completed);
  EXPECT_TRUE(rip.Ripped.isEmpty());
  EXPECT_TRUE(rip.FilesToAdd.isEmpty());
  EXPECT_EQ(Names(folder), QStringList());
  EXPECT_EQ(Log(), QStringList());
  EXPECT_FALSE(CdRipper::State().CDRipBusy);
  EXPECT_FALSE(CdRipper::State().CDRipCancel);

  const CdRipper::DriveScan free = CdRipper::ScanBus();
  EXPECT_FALSE(free.RunnerBusy);
  EXPECT_EQ(free.Ids, QStringList{"1,0,0"});
}

TEST_F(CdRipTest, RefusesWithoutTicksOrFolder) {
  CdRipWindow* window = OpenRipWindow();
  ASSERT_NE(window, nullptr);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage().ExpectMessage();
  window->extractButton->click();
  Tick({0});
  window->extractButton->click();
  CdRipper::State().CDRipOutputDir = Folder() + "/missing/deeper";
  window->extractButton->click();
  EXPECT_EQ(dialogs.Messages(),
            QStringList({"No se seleccionó ningún track", "Ingrese un directorio de salida",
                         "No se pudo crear el directorio " + Folder() + "/missing/deeper/CDRip"}));
  EXPECT_EQ(Log().size(), 2);
}

TEST_F(CdRipTest, CheckAllTicksAndClearsEveryRow) {
  CdRipWindow* window = OpenRipWindow();
  ASSERT_NE(window, nullptr);
  window->tickAllCheck->click();
  for (int row = 0; row < 6; ++row)
    EXPECT_EQ(window->trackList->item(row)->checkState(), Qt::Checked);
  window->tickAllCheck->click();
  for (int row = 0; row < 6; ++row)
    EXPECT_EQ(window->trackList->item(row)->checkState(), Qt::Unchecked);
}

TEST_F(CdRipTest, AddToListModeAppendsTheRippedFilesAndCloses) {
  Session::State().FileList << "/data/first.mkv";
  CdRipper::State().CDRipAddToList = true;
  CdRipWindow* window = OpenRipWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(window->outputFolder->isEnabled());
  EXPECT_FALSE(window->formatCombo->isEnabled());
  EXPECT_FALSE(window->browseFolderButton->isEnabled());
  Tick({0, 4});
  window->extractButton->click();
  Flush();
  EXPECT_EQ(CdRipWindow::Instance(), nullptr);
  EXPECT_TRUE(main_->isVisible());
  ASSERT_EQ(Session::State().FileList.size(), 3);
  EXPECT_TRUE(Session::State().FileList[1].startsWith(Folder() + "/appfiles/temp/"));
  QStringList names;
  for (const QString& file : Session::State().FileList.mid(1)) names << QFileInfo(file).fileName();
  names.sort();
  EXPECT_EQ(names, QStringList({"Fifth.wav", "Intro.wav"}));
  EXPECT_EQ(main_->fileList->count(), 3);
}

// The tracks added to the list lie in the program's working folders, which
// go when it closes. Converted in the main window's first output choice,
// beside themselves, they would go too: "Convertir" refuses before anything
// runs, and with a chosen folder the outputs outlive the program.
TEST_F(CdRipTest, AddedTracksAreNeverConvertedIntoTheFoldersThatGoAtClose) {
  UseInstalledTools();
  Conversion::State().Choices = {.ExtensionText = "mp3"};
  Session::State().OutputFolder.clear();
  main_->outputModeCombo->setCurrentIndex(Conversion::OutputSourceFolders);
  main_->OnOutputModeChosen();
  const QString mine = Folder() + "/music/song.wav";
  QDir().mkpath(Folder() + "/music");
  ASSERT_TRUE(QFile::copy(wav_, mine));
  Session::AppendFiles({mine});
  main_->addCdTracksAction->trigger();
  ASSERT_NE(CdRipWindow::Instance(), nullptr);
  Tick({0, 4});
  CdRipWindow::Instance()->extractButton->click();
  Flush();
  ASSERT_EQ(CdRipWindow::Instance(), nullptr);
  ASSERT_EQ(Session::State().FileList.size(), 3);
  const QString ripped = QFileInfo(Session::State().FileList[1]).path();

  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    main_->convertButton->click();
    EXPECT_EQ(dialogs.Messages(),
              QStringList{"Los archivos convertidos quedarían en el directorio temporal del "
                          "programa, que se borra al cerrarlo. Elija 'Guardar en el directorio' "
                          "y un directorio de salida"});
  }
  EXPECT_EQ(ProgressWindow::Instance(), nullptr);
  EXPECT_TRUE(main_->isVisible());
  EXPECT_EQ(Names(ripped), QStringList({"Fifth.wav", "Intro.wav"}));
  EXPECT_EQ(Names(Folder() + "/music"), QStringList{"song.wav"});

  const QString out = Folder() + "/out";
  QDir().mkpath(out);
  main_->outputModeCombo->setCurrentIndex(Conversion::OutputChosenFolder);
  main_->OnOutputModeChosen();
  main_->outputPath->setText(out);
  {
    ScriptedDialogs dialogs;
    main_->convertButton->click();
    ASSERT_NE(ProgressWindow::Instance(), nullptr);
    EXPECT_EQ(ProgressWindow::Instance()->errorCountBox->text(), "Errores: 0");
    ProgressWindow::Instance()->Done();
    Flush();
  }
  main_->close();
  EXPECT_FALSE(QFileInfo::exists(ripped)) << "the working folders went at close";
  EXPECT_EQ(Names(out), QStringList({"Fifth.mp3", "Intro.mp3", "song.mp3"}));
  for (const QString& name : Names(out)) {
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-show_entries", "stream=codec_name", "-of", "csv=p=0",
                            out + "/" + name});
    ASSERT_TRUE(probe.waitForFinished());
    EXPECT_EQ(QString::fromUtf8(probe.readAll()).trimmed(), "mp3") << name.toStdString();
  }
  Conversion::State().Choices = {};
  Session::State().OutputFolder.clear();
  FfmpegTools::State().FfmpegPath.clear();
  FfmpegTools::State().FfprobePath.clear();
  FfmpegTools::State().FfplayPath.clear();
}

// Without a window: the rip hands back the files for the input list and
// leaves the list itself to its caller.
TEST_F(CdRipTest, ARipForTheListReturnsItsFilesAndTouchesNoList) {
  ASSERT_EQ(CdRipper::GetTrackList().Titles.size(), 6);
  const QList<CdRipper::Track> tracks{{1, "Intro"}, {4, "Lost"}, {6, "Cut"}, {5, "Fifth"}};
  const QString temp = CdRipper::RipFolder(true).Folder;
  ASSERT_FALSE(temp.isEmpty());
  const CdRipper::RipResult forList = CdRipper::RipTracks(tracks, temp, "wav", false, true, {}, {});
  EXPECT_TRUE(forList.Completed);
  EXPECT_EQ(forList.Ripped, QStringList({temp + "/Intro.wav", temp + "/Fifth.wav"}));
  QStringList names;
  for (const QString& file : forList.FilesToAdd) names << QFileInfo(file).fileName();
  names.sort();
  EXPECT_EQ(names, QStringList({"Fifth.wav", "Intro.wav"}));
  EXPECT_TRUE(Session::State().FileList.isEmpty());
  EXPECT_FALSE(CdRipper::State().CDRipBusy);

  ScriptedDialogs dialogs;
  EXPECT_EQ(CdRipper::RipFolder(false).Refused, CdRipper::RipTarget::Problem::NoOutputDir);
  CdRipper::State().CDRipOutputDir = Folder() + "/out";
  QDir().mkpath(Folder() + "/out");
  const CdRipper::RipTarget target = CdRipper::RipFolder(false);
  EXPECT_EQ(target.Refused, CdRipper::RipTarget::Problem::None);
  const QString folder = target.Folder;
  EXPECT_EQ(folder, Folder() + "/out/CDRip");
  const CdRipper::RipResult toFolder =
      CdRipper::RipTracks({{2, "Blue"}}, folder, "wav", false, false, {}, {});
  EXPECT_TRUE(toFolder.Completed);
  EXPECT_EQ(toFolder.Ripped, QStringList({folder + "/Blue.wav"}));
  EXPECT_TRUE(toFolder.FilesToAdd.isEmpty());
  EXPECT_EQ(Names(folder), QStringList({"Blue.wav"}));
  EXPECT_TRUE(dialogs.Shown().isEmpty());
}

TEST_F(CdRipTest, StopDuringARipAppendsNothingAndKeepsTheWindow) {
  CdRipper::State().CDRipAddToList = true;
  CdRipWindow* window = OpenRipWindow();
  ASSERT_NE(window, nullptr);
  WriteFile("fixture/slow", "");
  Tick({0, 1});
  bool refusedClose = false;
  WhenReady close([this] { return Log().size() == 3; },
                  [&] {
                    window->close();
                    refusedClose = CdRipWindow::Instance() != nullptr && window->isVisible();
                  });
  window->extractButton->click();
  ASSERT_TRUE(close.Done());
  Flush();
  EXPECT_TRUE(refusedClose);
  ASSERT_EQ(CdRipWindow::Instance(), window);
  EXPECT_TRUE(Session::State().FileList.isEmpty());
  EXPECT_EQ(Log().size(), 3);
  EXPECT_TRUE(window->extractButton->isVisibleTo(window));
  EXPECT_FALSE(window->stopButton->isVisibleTo(window));
  EXPECT_FALSE(CdRipper::State().CDRipCancel);
  EXPECT_FALSE(CdRipper::State().CDRipBusy);

  // Detener works the same way.
  WhenReady stop([this] { return Log().size() == 4; }, [&] { window->stopButton->click(); });
  window->extractButton->click();
  ASSERT_TRUE(stop.Done());
  EXPECT_EQ(Log().size(), 4);
  EXPECT_TRUE(Session::State().FileList.isEmpty());
}

TEST_F(CdRipTest, ClosingTheProgramEndsARipAndNamesNothingAfterIt) {
  CdRipWindow* window = OpenRippingIntoOut();
  ASSERT_NE(window, nullptr);
  WriteFile("fixture/partial2", "");
  Tick({0, 1, 4});
  QList<qint64> drives;
  // The drive says "part written" just before it turns into the waiting sleep.
  WhenRunning(
      "sleep",
      [window] { return window->console->toPlainText().contains("track 2: part written"); },
      [&](const QList<qint64>& sleeping) {
        drives = sleeping;
        main_->close();
      });
  ScriptedDialogs dialogs;
  window->extractButton->click();
  EXPECT_EQ(drives.size(), 1);
  EXPECT_TRUE(AllEnd(drives));
  EXPECT_TRUE(dialogs.Messages().isEmpty());
  EXPECT_EQ(Names(Folder() + "/out/CDRip"), QStringList({"Intro.wav"}));
  EXPECT_EQ(Log().filter("-t 5+5").size(), 0);
}

}  // namespace
