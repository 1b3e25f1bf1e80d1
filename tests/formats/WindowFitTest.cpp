#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <functional>
#include <memory>

#include "CodecTestSupport.h"
#include "FormatEditorFixture.h"
#include "WindowFit.h"
#include "core/formats/ExternalCodecEditor.h"
#include "core/lang/Lang.h"
#include "gui/formats/CodecEditorWindow.h"
#include "gui/formats/CodecViewerWindow.h"
#include "gui/formats/FormatEditorWindow.h"

// The windows of the formats at one and a half times the default font, in each
// state a user can bring them to and in each language: each lies within the
// free area of its screen, every control it shows can be reached, and no
// caption is cut. A larger font may come from the desktop's font or from its
// resolution (QT_FONT_DPI=144 scales the whole desktop by 1.5); the test runs
// on this program's screen, and again on a 1366x768 screen in both ways.

namespace {

using namespace codec_test;
using namespace window_fit;

constexpr double kScale = 1.5;

// What the shown window gets wrong: its frame outside the free area, a control
// out of reach, a caption cut.
QStringList Faults(QWidget* window) {
  QStringList faults;
  const QRect free = window->screen()->availableGeometry();
  if (!free.contains(window->frameGeometry())) {
    faults << QString("the window, %1x%2, is outside the free area of %3x%4")
                  .arg(window->frameGeometry().width())
                  .arg(window->frameGeometry().height())
                  .arg(free.width())
                  .arg(free.height());
  }
  for (QWidget* control : window->findChildren<QWidget*>()) {
    // The program's controls carry their design names; the rest is Qt's own.
    if (control->window() != window || !control->isVisibleTo(window) ||
        control->objectName().isEmpty() || control->objectName().startsWith("qt_") ||
        control->objectName() == "ScreenFitArea") {
      continue;
    }
    const QString name = control->objectName();
    if (!Reachable(control, window)) faults << name + " is out of reach";
    for (const Cut& cut : CaptionCuts(control)) {
      faults << name + " has its caption cut: " + Describe(cut);
    }
  }
  return faults;
}

// A window in a state a user brings it to, not shown yet.
struct State {
  const char* name;
  std::function<QWidget*()> open;
};

FormatEditorWindow* FormatEditorOn(FormatEditor::Category category) {
  auto* window = new FormatEditorWindow;
  window->Load();
  FormatEditor::State().CurrentCategory = category;
  FormatEditor::BuildCategoryParams(category);
  return window;
}

// The editor on "<Manual>", with its buttons, and a panel shown by the way a user opens it.
FormatEditorWindow* ScratchEditorWith(const std::function<void(FormatEditorWindow*)>& openPanel) {
  FormatEditorWindow* window = FormatEditorOn(FormatEditor::Category::OutputGeneral);
  window->ShowButtonStrip(true);
  openPanel(window);
  return window;
}

CodecEditorWindow* CodecEditorWith(const std::function<void(CodecEditorWindow*)>& open) {
  auto* window = new CodecEditorWindow;
  window->Load();
  ExternalCodecEditor::RecordToControls();
  open(window);
  return window;
}

class WindowFitTest : public FormatEditorWindowFixture {
 protected:
  void SetUp() override {
    FormatEditorWindowFixture::SetUp();
    ExternalCodecEditor::Reset();
    normalFont_ = QApplication::font();
  }
  void TearDown() override {
    QApplication::setFont(normalFont_);
    Lang::State().Msg.clear();
    Lang::State().LanguageName.clear();
    Lang::LoadQtTranslation(QString());
    ExternalCodecEditor::Reset();
    FormatEditorWindowFixture::TearDown();
  }
  // A clip whose probe fills the editor's import panel.
  QString Clip() {
    const QString clip = Folder() + "/clip.mkv";
    QProcess make;
    make.start(QStandardPaths::findExecutable("ffmpeg"),
               {"-v", "error", "-f", "lavfi", "-i", "sine=d=1", "-f", "lavfi", "-i",
                "testsrc=size=160x120:rate=10", "-t", "1", clip});
    EXPECT_TRUE(make.waitForFinished(30000));
    return clip;
  }

  QFont normalFont_;
};

TEST_F(WindowFitTest, AtOneAndAHalfTimesTheFontEveryControlIsReachableAndNoCaptionIsCut) {
  WriteRecord(ProgramFolder::AppFiles("ecodec") + "/lame.qca", LameCodec());
  FfmpegTools::State().FfprobePath = QStandardPaths::findExecutable("ffprobe");
  const QString clip = Clip();
  // A desktop already scaled by its resolution shows the default font larger by as much.
  const double fontScale = kScale / QApplication::primaryScreen()->devicePixelRatio();
  QFont larger = normalFont_;
  larger.setPointSizeF(normalFont_.pointSizeF() * fontScale);
  QApplication::setFont(larger);

  const State states[] = {
      {"format editor, input rows", [] { return FormatEditorOn(FormatEditor::Category::Input); }},
      {"format editor, general rows",
       [] { return FormatEditorOn(FormatEditor::Category::OutputGeneral); }},
      {"format editor, audio rows",
       [] { return FormatEditorOn(FormatEditor::Category::OutputAudio); }},
      {"format editor, video rows",
       [] { return FormatEditorOn(FormatEditor::Category::OutputVideo); }},
      {"format editor on <Manual>", [] { return ScratchEditorWith([](FormatEditorWindow*) {}); }},
      {"its container panel",
       [] { return ScratchEditorWith([](auto* w) { w->formatOptionsAction->trigger(); }); }},
      {"its codec panel",
       [] { return ScratchEditorWith([](auto* w) { w->codecOptionsAction->trigger(); }); }},
      {"its about panel",
       [] { return ScratchEditorWith([](auto* w) { w->ShowCodecAbout(false); }); }},
      {"its command-line panel",
       [] { return ScratchEditorWith([](auto* w) { w->importCommandLineAction->trigger(); }); }},
      {"its probed-file panel",
       [&] {
         return ScratchEditorWith([&](auto* w) {
           ScriptedDialogs dialogs;
           dialogs.Expect(Dialogs::Kind::OpenFile, QStringList{clip});
           w->importFromFileAction->trigger();
         });
       }},
      {"its wait", [] { return ScratchEditorWith([](auto* w) { w->ShowWaiting(true); }); }},
      {"codec editor", [] { return CodecEditorWith([](CodecEditorWindow*) {}); }},
      {"its general section",
       [] { return CodecEditorWith([](auto* w) { w->generalButton->click(); }); }},
      {"its codec section",
       [] { return CodecEditorWith([](auto* w) { w->codecParamsButton->click(); }); }},
      {"its ffmpeg section",
       [] { return CodecEditorWith([](auto* w) { w->ffmpegParamsButton->click(); }); }},
      {"its parameter frame",
       [] {
         return CodecEditorWith([](auto* w) {
           w->codecParamsButton->click();
           w->addParamButton->click();
         });
       }},
      {"codec list",
       [] {
         auto* window = new CodecViewerWindow;
         window->Load();
         window->ListAllCodecs();
         return window;
       }},
      {"one codec",
       [] {
         auto* window = new CodecViewerWindow;
         window->Load();
         window->ShowCodec(ProgramFolder::AppFiles("ecodec") + "/lame.qca", false);
         return window;
       }},
  };
  for (const char* language : {"<Spanish>", "<English>", "<Portuguese>"}) {
    Lang::LoadLanguage(language);
    for (const State& state : states) {
      SCOPED_TRACE(std::string(language) + " " + state.name);
      std::unique_ptr<QWidget> window(state.open());
      window->show();
      QApplication::processEvents();
      EXPECT_EQ(Faults(window.get()), QStringList());
    }
  }
}

// The screen of a 1366x768 laptop, given to the offscreen platform; the test
// above runs there in a program of its own, once with a font 1.5 times the
// default, once with the whole desktop scaled by 1.5.
TEST_F(WindowFitTest, OnA1366x768ScreenTooEveryControlIsReachableAndNoCaptionIsCut) {
  for (const char* fontDpi : {"", "144"}) {
    SCOPED_TRACE(std::string("QT_FONT_DPI=") + fontDpi);
    RunOnLaptopScreen(Folder(), {.fontDpi = fontDpi,
                                 .highDpiScaling = "",
                                 .test = "WindowFitTest.AtOneAndAHalfTimesTheFont*"});
  }
}

}  // namespace
