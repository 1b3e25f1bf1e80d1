#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOption>
#include <functional>
#include <memory>

#include "CodecTestSupport.h"
#include "FormatEditorFixture.h"
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

constexpr double kScale = 1.5;

int TextWidth(const QWidget* widget, const QString& text) {
  return widget->fontMetrics().size(Qt::TextShowMnemonic, text).width();
}

// The caption of a button, check box or option that its control does not show whole.
bool ButtonCut(const QAbstractButton* button) {
  if (button->text().isEmpty()) return false;
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  QStyle::SubElement contents = QStyle::SE_PushButtonContents;
  if (qobject_cast<const QCheckBox*>(button)) contents = QStyle::SE_CheckBoxContents;
  if (qobject_cast<const QRadioButton*>(button)) contents = QStyle::SE_RadioButtonContents;
  return TextWidth(button, button->text()) >
         button->style()->subElementRect(contents, &option, button).width();
}

bool LabelCut(const QLabel* label) {
  if (label->text().isEmpty()) return false;
  if (label->wordWrap()) return label->heightForWidth(label->width()) > label->height();
  const QSize needed = label->fontMetrics().size(Qt::TextShowMnemonic, label->text());
  const QRect room = label->contentsRect();
  return needed.width() > room.width() || needed.height() > room.height();
}

bool TitleCut(const QGroupBox* group) {
  if (group->title().isEmpty()) return false;
  QStyleOptionGroupBox option;
  option.initFrom(group);
  option.text = group->title();
  option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  const QRect label =
      group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
  return label.left() + TextWidth(group, group->title()) > group->width();
}

// A combo of fixed choices shows each of them whole.
bool ChoiceCut(const QComboBox* combo) {
  if (combo->isEditable()) return false;
  QStyleOptionComboBox option;
  option.initFrom(combo);
  const int room =
      combo->style()
          ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
          .width();
  for (int i = 0; i < combo->count(); ++i) {
    if (TextWidth(combo, combo->itemText(i)) > room) return true;
  }
  return false;
}

bool CaptionCut(const QWidget* control) {
  if (auto* button = qobject_cast<const QAbstractButton*>(control)) return ButtonCut(button);
  if (auto* label = qobject_cast<const QLabel*>(control)) return LabelCut(label);
  if (auto* group = qobject_cast<const QGroupBox*>(control)) return TitleCut(group);
  if (auto* combo = qobject_cast<const QComboBox*>(control)) return ChoiceCut(combo);
  return false;
}

// The scroll area whose content this widget is, if any.
const QScrollArea* AreaShowing(const QWidget* content) {
  const QWidget* viewport = content->parentWidget();
  auto* area = viewport ? qobject_cast<const QScrollArea*>(viewport->parentWidget()) : nullptr;
  return area && area->widget() == content ? area : nullptr;
}

// No widget the control lies in cuts it, up to the window or up to the content
// of a scroll area that brings it into view, which area lies in the window.
bool Reachable(const QWidget* control, const QWidget* window) {
  QRect place = control->geometry();
  for (const QWidget* parent = control->parentWidget(); parent; parent = parent->parentWidget()) {
    if (!parent->rect().contains(place)) return false;
    if (parent == window) return true;
    if (const QScrollArea* area = AreaShowing(parent)) {
      return window->rect().contains(QRect(area->mapTo(window, QPoint(0, 0)), area->size()));
    }
    place.translate(parent->pos());
  }
  return false;
}

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
    if (CaptionCut(control)) faults << name + " has its caption cut";
  }
  return faults;
}

// A window in a state a user brings it to, not shown yet.
struct State {
  const char* name;
  std::function<QWidget*()> open;
};

FormatEditorWindow* FormatEditorOn(uint8_t category) {
  auto* window = new FormatEditorWindow;
  window->Load();
  FormatEditor::State().CurrentCategory = category;
  FormatEditor::BuildCategoryParams(category);
  return window;
}

// The editor on "<Manual>", with its buttons, and a panel shown by the way a user opens it.
FormatEditorWindow* ScratchEditorWith(const std::function<void(FormatEditorWindow*)>& openPanel) {
  FormatEditorWindow* window = FormatEditorOn(FormatEditor::OutputGeneral);
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
      {"format editor, input rows", [] { return FormatEditorOn(FormatEditor::Input); }},
      {"format editor, general rows", [] { return FormatEditorOn(FormatEditor::OutputGeneral); }},
      {"format editor, audio rows", [] { return FormatEditorOn(FormatEditor::OutputAudio); }},
      {"format editor, video rows", [] { return FormatEditorOn(FormatEditor::OutputVideo); }},
      {"format editor on <Manual>", [] { return ScratchEditorWith([](FormatEditorWindow*) {}); }},
      {"its container panel",
       [] { return ScratchEditorWith([](auto* w) { w->formatOptionsAction->trigger(); }); }},
      {"its codec panel",
       [] { return ScratchEditorWith([](auto* w) { w->codecOptionsAction->trigger(); }); }},
      {"its about panel", [] { return ScratchEditorWith([](auto* w) { w->ShowCodecAbout(0); }); }},
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
         window->ShowCodec(ProgramFolder::AppFiles("ecodec") + "/lame.qca", 0);
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
  const QString screen = WriteFile(
      "screen.json",
      R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768}]})");
  for (const char* fontDpi : {"", "144"}) {
    SCOPED_TRACE(std::string("QT_FONT_DPI=") + fontDpi);
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_FONT_DPI");
    if (*fontDpi) environment.insert("QT_FONT_DPI", fontDpi);
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QCoreApplication::applicationFilePath(),
              {"-platform", "offscreen:configfile=" + screen,
               "--gtest_filter=WindowFitTest.AtOneAndAHalfTimesTheFont*"});
    ASSERT_TRUE(run.waitForFinished(120000));
    const QString output = QString::fromUtf8(run.readAll());
    EXPECT_EQ(run.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
  }
}

}  // namespace
