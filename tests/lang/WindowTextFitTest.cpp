#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <functional>
#include <memory>
#include <vector>

#include "LangFixture.h"
#include "WindowFit.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/ProgramFolder.h"
#include "gui/app/MainWindow.h"
#include "gui/app/ToolPathsWindow.h"
#include "gui/convert/CommandViewerWindow.h"
#include "gui/convert/ProgressWindow.h"
#include "gui/devices/CdRipWindow.h"
#include "gui/devices/RecorderWindow.h"
#include "gui/devices/StreamerWindow.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/FilterEditorWindow.h"
#include "gui/formats/CodecEditorWindow.h"
#include "gui/formats/CodecViewerWindow.h"
#include "gui/formats/FormatEditorWindow.h"
#include "gui/frame/AboutBox.h"
#include "gui/frame/FileManagerWindow.h"
#include "gui/frame/LanguageWindow.h"
#include "gui/frame/PlayerWindow.h"
#include "gui/frame/ScreenFit.h"
#include "gui/frame/TextViewerWindow.h"
#include "gui/frame/WaitWindow.h"

namespace {

using namespace window_fit;

// A shown control that reaches past the edge of a widget it lies in, up to
// limit or up to the content of a scroll area, which scrolls, is cut by that widget.
void CheckInsideParents(QWidget* control, const QWidget* limit, QList<Cut>& cuts) {
  QRect area = control->geometry();
  for (QWidget* parent = control->parentWidget(); parent; parent = parent->parentWidget()) {
    if (!parent->rect().contains(area)) {
      const bool wide = area.right() >= parent->width();
      cuts << Cut{control->objectName() + " inside " + parent->objectName(), "(its place)",
                  wide ? area.right() + 1 : area.bottom() + 1,
                  wide ? parent->width() : parent->height()};
      return;
    }
    if (parent == limit || AreaShowing(parent)) return;
    area.translate(parent->pos());
  }
}

bool ShowsText(QWidget* control) {
  auto* box = qobject_cast<QLineEdit*>(control);
  return qobject_cast<QAbstractButton*>(control) || qobject_cast<QLabel*>(control) ||
         qobject_cast<QGroupBox*>(control) || qobject_cast<QListWidget*>(control) ||
         qobject_cast<QComboBox*>(control) || (box && box->isReadOnly());
}

// The window's own controls that show a text, shown or hidden.
QList<QWidget*> TextControls(QWidget* window, bool shown) {
  QList<QWidget*> controls;
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (control->window() == window && ShowsText(control) && control->isVisibleTo(window) == shown)
      controls << control;
  }
  return controls;
}

// How far up a control's place is checked: the window; for a control in a
// panel the window keeps hidden, that panel, which may show only in a larger window.
const QWidget* PlaceLimit(QWidget* control, QWidget* window, const QList<QWidget*>& revealed) {
  const QWidget* limit = window;
  for (QWidget* parent = control->parentWidget(); parent != window; parent = parent->parentWidget())
    if (revealed.contains(parent)) limit = parent;
  return limit;
}

// Where a control lies is checked only with checkPlaces.
QList<Cut> CutTexts(const QList<QWidget*>& controls, QWidget* window,
                    const QList<QWidget*>& revealed = {}, bool checkPlaces = true) {
  QList<Cut> cuts;
  for (QWidget* control : controls) {
    cuts << CaptionCuts(control);
    if (checkPlaces && control->isVisibleTo(window))
      CheckInsideParents(control, PlaceLimit(control, window, revealed), cuts);
  }
  return cuts;
}

// The shown page that shares its grid cell with this hidden one, or nullptr:
// the window shows one of them at a time.
QWidget* PageInPlaceOf(const QWidget* panel) {
  const QWidget* parent = panel->parentWidget();
  auto* grid = parent ? qobject_cast<QGridLayout*>(parent->layout()) : nullptr;
  const int index = grid ? grid->indexOf(panel) : -1;
  if (index < 0) return nullptr;
  int row = 0, column = 0, rows = 0, columns = 0;
  grid->getItemPosition(index, &row, &column, &rows, &columns);
  for (int other = 0; other < grid->count(); ++other) {
    int otherRow = 0, otherColumn = 0;
    grid->getItemPosition(other, &otherRow, &otherColumn, &rows, &columns);
    QWidget* sibling = grid->itemAt(other)->widget();
    if (other != index && otherRow == row && otherColumn == column && sibling &&
        !sibling->isHidden())
      return sibling;
  }
  return nullptr;
}

// Shows every panel that a window keeps hidden, so that the controls in it are
// laid out; returns those panels.
QList<QWidget*> RevealPanels(QWidget* window) {
  QList<QWidget*> revealed;
  for (QWidget* panel : window->findChildren<QWidget*>()) {
    const bool container = panel->metaObject() == &QWidget::staticMetaObject ||
                           panel->metaObject() == &QFrame::staticMetaObject ||
                           qobject_cast<QGroupBox*>(panel);
    if (container && panel->window() == window && panel->isHidden()) {
      // A page is revealed in place of the one shown, as the window shows it.
      if (QWidget* shown = PageInPlaceOf(panel)) shown->hide();
      panel->show();
      revealed << panel;
    }
  }
  return revealed;
}

bool IsPanel(const QWidget* widget) {
  return widget->metaObject() == &QWidget::staticMetaObject ||
         widget->metaObject() == &QFrame::staticMetaObject ||
         qobject_cast<const QGroupBox*>(widget);
}

// The hidden panel nearest above a control (the control itself when it is
// one), or nullptr when the window shows it.
QWidget* NearestHiddenPanel(QWidget* control, const QWidget* window) {
  for (QWidget* widget = control; widget && widget != window; widget = widget->parentWidget())
    if (IsPanel(widget) && widget->isHidden()) return widget;
  return nullptr;
}

// The texts cut in the panels a window keeps hidden, each panel shown alone,
// with the hidden panels that hold it and in place of a page sharing its
// place, as the window shows it; the window fits itself to it meanwhile.
QList<Cut> CutTextsInHiddenPanels(QWidget* window) {
  QHash<QWidget*, QList<QWidget*>> textsOf;
  for (QWidget* control : TextControls(window, false))
    if (QWidget* panel = NearestHiddenPanel(control, window)) textsOf[panel] << control;
  QList<Cut> cuts;
  for (auto each = textsOf.cbegin(); each != textsOf.cend(); ++each) {
    QList<QWidget*> revealed;
    QList<QWidget*> replaced;
    for (QWidget* panel = each.key(); panel != window; panel = panel->parentWidget()) {
      if (!IsPanel(panel) || !panel->isHidden()) continue;
      if (QWidget* page = PageInPlaceOf(panel)) {
        page->hide();
        replaced << page;
      }
      panel->show();
      revealed << panel;
    }
    ScreenFit::Fit(window);
    QApplication::processEvents();
    for (QWidget* control : each.value()) {
      cuts << CutTexts({control}, window, revealed, control != each.key());
    }
    for (QWidget* panel : revealed) panel->hide();
    for (QWidget* page : replaced) page->show();
  }
  return cuts;
}

// The texts an open window cuts: its shown controls, then the controls that
// its hidden panels hold.
QList<Cut> CutTexts(QWidget* window) {
  window->show();
  QApplication::processEvents();
  QList<Cut> cuts = CutTexts(TextControls(window, true), window);
  const QList<QWidget*> hidden = TextControls(window, false);
  const QList<QWidget*> revealed = RevealPanels(window);
  QApplication::processEvents();
  cuts << CutTexts(hidden, window, revealed);
  return cuts;
}

template <class W, class... Args>
W* Loaded(Args... args) {
  auto* window = new W(args...);
  window->Load();
  return window;
}

// The format editor showing the rows of a category.
FormatEditorWindow* FormatEditorOn(FormatEditor::Category category) {
  auto* window = new FormatEditorWindow;
  window->Load();
  FormatEditor::State().CurrentCategory = category;
  FormatEditor::BuildCategoryParams(category);
  return window;
}

// Every window, opened as the program opens it, and the states that change its size.
struct Window {
  const char* name;
  std::function<QWidget*(QWidget* main)> open;
};

const Window kWindows[] = {
    {"Form1", [](QWidget* main) { return main; }},
    {"Form2", [](QWidget*) { return Loaded<CdRipWindow>(); }},
    {"Form3", [](QWidget*) { return new FileManagerWindow(); }},
    {"Form4", [](QWidget*) { return Loaded<FilterEditorWindow>(); }},
    {"Form5", [](QWidget*) { return Loaded<CodecEditorWindow>(); }},
    {"Form6", [](QWidget*) { return Loaded<TextViewerWindow>(); }},
    {"Form7 input rows", [](QWidget*) { return FormatEditorOn(FormatEditor::Category::Input); }},
    {"Form7 general rows",
     [](QWidget*) { return FormatEditorOn(FormatEditor::Category::OutputGeneral); }},
    {"Form7 audio rows",
     [](QWidget*) { return FormatEditorOn(FormatEditor::Category::OutputAudio); }},
    {"Form7 video rows",
     [](QWidget*) { return FormatEditorOn(FormatEditor::Category::OutputVideo); }},
    {"Form7 with its buttons",
     [](QWidget*) {
       auto* window = new FormatEditorWindow;
       window->Load();
       window->ShowButtonStrip(true);
       return window;
     }},
    {"Form8", [](QWidget*) { return Loaded<EditingProfileWindow>(); }},
    {"Form8 with its buttons",
     [](QWidget*) {
       auto* window = new EditingProfileWindow();
       window->Load();
       window->SetScratchLayout();
       return window;
     }},
    {"Form9", [](QWidget* main) { return Loaded<ToolPathsWindow>(main); }},
    {"Form10", [](QWidget* main) { return new CommandViewerWindow(main); }},
    {"Form11", [](QWidget* main) { return Loaded<CodecViewerWindow>(main); }},
    {"Form12", [](QWidget*) { return Loaded<ProgressWindow>(); }},
    {"Form12 with its errors",
     [](QWidget*) {
       auto* window = Loaded<ProgressWindow>();
       window->ShowErrors();
       return window;
     }},
    {"Form13", [](QWidget* main) { return Loaded<LanguageWindow>(main); }},
    {"Form13 with its language maker",
     [](QWidget* main) {
       auto* window = Loaded<LanguageWindow>(main);
       window->OpenMaker();
       return window;
     }},
    {"Form14", [](QWidget*) { return Loaded<RecorderWindow>(); }},
    {"Form15", [](QWidget*) { return Loaded<StreamerWindow>(); }},
    {"Form16", [](QWidget* main) { return Loaded<AboutBox>(main); }},
    {"Form17", [](QWidget*) { return Loaded<WaitWindow>(); }},
    {"Form18", [](QWidget*) { return new PlayerWindow(); }},
};

class WindowTextFitTest : public MainWindowLangTest {
 protected:
  void SetUp() override {
    MainWindowLangTest::SetUp();
    FfmpegTools::InitOptionNames();
  }
  void TearDown() override {
    MainWindowLangTest::TearDown();
    FormatEditor::ResetEditState();
  }
};

// Each caption, button, check box, option, frame title, list item and label of
// every window shows its whole text in each built-in language, at the font of
// the desktop the test runs on.
TEST_F(WindowTextFitTest, EveryWindowShowsItsTextsWholeInEachLanguage) {
  for (const char* language : {"<Spanish>", "<English>", "<Portuguese>"}) {
    Lang::LoadLanguage(language);
    for (const Window& each : kWindows) {
      QWidget* window = each.open(main_.get());
      std::unique_ptr<QWidget> owned(window == main_.get() ? nullptr : window);
      for (const Cut& cut : CutTexts(window)) {
        ADD_FAILURE() << language << " " << each.name << ", " << Describe(cut).toStdString();
      }
      window->hide();
    }
  }
}

// With the desktop's font made larger, each window still lies within the free
// area of its screen, and every button it shows can be reached.
TEST_F(WindowTextFitTest, EveryWindowFitsItsScreenAtLargerFonts) {
  const QFont normal = QApplication::font();
  for (const double scale : {1.5, 2.0}) {
    SCOPED_TRACE(scale);
    QFont larger = normal;
    larger.setPointSizeF(normal.pointSizeF() * scale);
    QApplication::setFont(larger);
    for (const Window& each : kWindows) {
      SCOPED_TRACE(each.name);
      QWidget* window = each.open(main_.get());
      std::unique_ptr<QWidget> owned(window == main_.get() ? nullptr : window);
      window->show();
      QApplication::processEvents();
      const QRect free = window->screen()->availableGeometry();
      EXPECT_TRUE(free.contains(window->frameGeometry()))
          << window->frameGeometry().width() << "x" << window->frameGeometry().height()
          << " on a free area of " << free.width() << "x" << free.height();
      for (QAbstractButton* button : window->findChildren<QPushButton*>()) {
        if (button->isVisibleTo(window) && button->window() == window) {
          EXPECT_TRUE(Reachable(button, window)) << button->objectName().toStdString();
        }
      }
      window->hide();
    }
  }
  QApplication::setFont(normal);
}

// A window in one of its states: opened, shown, then put in the state.
struct WindowState {
  const char* name;
  std::function<QWidget*(QWidget* main)> open;
  std::function<void(QWidget* window)> enter = [](QWidget*) {};
};

template <class W>
std::function<void(QWidget*)> Then(void (W::*handler)()) {
  return [handler](QWidget* window) { (static_cast<W*>(window)->*handler)(); };
}

std::function<void(QWidget*)> Click(const char* button) {
  return [button](QWidget* window) { window->findChild<QAbstractButton*>(button)->click(); };
}

// The file manager over the test's formats in a mode, as it is set up to show.
FileManagerWindow* FileManagerIn(DataFolderManager::Mode mode) {
  DataFolderManager::Prepare(ProgramFolder::AppFiles("formats"), "qfm", mode);
  auto* window = new FileManagerWindow;
  EXPECT_TRUE(window->SetUp());
  return window;
}

// Each window and each state of it that shows other controls or changes its size.
std::vector<WindowState> ScreenStates() {
  std::vector<WindowState> states;
  for (const Window& each : kWindows) states.push_back({each.name, each.open});
  const auto operations = [](int row) {
    return [row](QWidget* window) { window->findChild<QListWidget*>("List1")->setCurrentRow(row); };
  };
  static const char* const kOperations[] = {"Form8 crop",      "Form8 size",        "Form8 volume",
                                            "Form8 filters",   "Form8 border",      "Form8 tracks",
                                            "Form8 equaliser", "Form8 command line"};
  for (int row = 1; row <= 8; ++row) {
    states.push_back({kOperations[row - 1], [](QWidget*) { return Loaded<EditingProfileWindow>(); },
                      operations(row)});
  }
  const std::vector<WindowState> more = {
      {"Form3 to open", [](QWidget*) { return FileManagerIn(DataFolderManager::Mode::Open); }},
      {"Form3 to save", [](QWidget*) { return FileManagerIn(DataFolderManager::Mode::SaveAs); }},
      {"Form3 to administer",
       [](QWidget*) { return FileManagerIn(DataFolderManager::Mode::Administer); }},
      {"Form4 running its test", [](QWidget*) { return Loaded<FilterEditorWindow>(); },
       Then(&FilterEditorWindow::ShowRunPanel)},
      {"Form5 general", [](QWidget*) { return Loaded<CodecEditorWindow>(); },
       [](QWidget* window) {
         static_cast<CodecEditorWindow*>(window)->ShowSection(CodecEditorWindow::Section::General);
       }},
      {"Form5 ffmpeg", [](QWidget*) { return Loaded<CodecEditorWindow>(); },
       [](QWidget* window) {
         static_cast<CodecEditorWindow*>(window)->ShowSection(CodecEditorWindow::Section::Ffmpeg);
       }},
      {"Form5 codec parameters", [](QWidget*) { return Loaded<CodecEditorWindow>(); },
       [](QWidget* window) {
         static_cast<CodecEditorWindow*>(window)->ShowSection(
             CodecEditorWindow::Section::CodecParameters);
       }},
      {"Form5 editing a parameter", [](QWidget*) { return Loaded<CodecEditorWindow>(); },
       [](QWidget* window) {
         auto* editor = static_cast<CodecEditorWindow*>(window);
         editor->ShowSection(CodecEditorWindow::Section::CodecParameters);
         editor->EditParameter(true);
       }},
      {"Form6 with its output", [](QWidget*) { return Loaded<TextViewerWindow>(); },
       [](QWidget* window) { static_cast<TextViewerWindow*>(window)->ShowOutput("ffmpeg\n"); }},
      {"Form7 waiting for ffmpeg's lists", [](QWidget*) { return Loaded<FormatEditorWindow>(); },
       [](QWidget* window) { static_cast<FormatEditorWindow*>(window)->ShowWaiting(true); }},
      {"Form10 on its second page", [](QWidget* main) { return new CommandViewerWindow(main); },
       Click("Command1")},
      {"Form11 showing a codec", [](QWidget* main) { return Loaded<CodecViewerWindow>(main); },
       [](QWidget* window) {
         static_cast<CodecViewerWindow*>(window)->ShowDetails("codec", "about", "gone/program");
       }},
      {"Form12 started", [](QWidget*) { return Loaded<ProgressWindow>(); },
       Then(&ProgressWindow::ShowStarted)},
      {"Form13 opening its language maker",
       [](QWidget* main) { return Loaded<LanguageWindow>(main); },
       Then(&LanguageWindow::OpenMaker)},
      {"Form13 closing its language maker",
       [](QWidget* main) { return Loaded<LanguageWindow>(main); },
       [](QWidget* window) {
         auto* chooser = static_cast<LanguageWindow*>(window);
         chooser->OpenMaker();
         QApplication::processEvents();
         chooser->MayClose();
       }},
  };
  states.insert(states.end(), more.begin(), more.end());
  return states;
}

// What a window manager adds around a window where the platform tells none:
// a title bar and thin borders.
QMargins AssumedFrame(const QWidget* window) {
  const int border = 4;
  return {border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border};
}

// The window lies within the free area of its screen, and would with its
// frame, at least the assumed one, wherever the window manager puts it.
bool FitsFreeArea(const QWidget* window, QString& why) {
  const QRect free = window->screen()->availableGeometry();
  const QRect inner = window->geometry();
  const QRect framed = window->frameGeometry();
  const QMargins assumed = AssumedFrame(window);
  const QSize outer(
      inner.width() + qMax(framed.width() - inner.width(), assumed.left() + assumed.right()),
      inner.height() + qMax(framed.height() - inner.height(), assumed.top() + assumed.bottom()));
  why = QString("%1x%2 with its frame, at %3,%4, on a free area of %5x%6")
            .arg(outer.width())
            .arg(outer.height())
            .arg(framed.left())
            .arg(framed.top())
            .arg(free.width())
            .arg(free.height());
  return free.contains(framed) && outer.width() <= free.width() && outer.height() <= free.height();
}

// The controls the program made and named in the window, shown in its state.
QList<QWidget*> ShownControls(QWidget* window) {
  QList<QWidget*> controls;
  for (QWidget* control : window->findChildren<QWidget*>()) {
    const QString name = control->objectName();
    if (control->window() != window || !control->isVisibleTo(window) || name.isEmpty() ||
        name.startsWith("qt_") || qobject_cast<QScrollArea*>(control))
      continue;
    controls << control;
  }
  return controls;
}

// At 1.5 times the default font, in Spanish, on a 1366x768 screen, every
// window in each of its states lies within the screen with its title bar,
// every control it shows can be reached (within the window, or in a scroll
// area that brings it into view), and no caption is cut.
TEST_F(WindowTextFitTest, AtALargerFontOnALaptopScreenEveryControlIsReachableAndWhole) {
  if (!InScreenRun()) {
    RunOnLaptopScreen(Folder());
    return;
  }
  ASSERT_EQ(QApplication::primaryScreen()->size(), QSize(1366, 768));
  ASSERT_EQ(QApplication::primaryScreen()->logicalDotsPerInch(), 144);
  Lang::LoadLanguage("<Spanish>");
  WriteFile("appfiles/formats/a.qfm", "a");
  for (const WindowState& state : ScreenStates()) {
    SCOPED_TRACE(state.name);
    QWidget* window = state.open(main_.get());
    std::unique_ptr<QWidget> owned(window == main_.get() ? nullptr : window);
    window->show();
    QApplication::processEvents();
    state.enter(window);
    QApplication::processEvents();
    QString why;
    EXPECT_TRUE(FitsFreeArea(window, why)) << why.toStdString();
    for (QWidget* control : ShownControls(window)) {
      EXPECT_TRUE(Reachable(control, window))
          << control->objectName().toStdString() << " at " << control->mapTo(window, QPoint()).y()
          << " of " << window->height();
    }
    // Where each shown control lies is what Reachable judges; the controls of
    // the panels the window keeps hidden must lie within their panels.
    // Where a hidden panel itself shows is what the states above judge.
    QList<Cut> cuts = CutTexts(TextControls(window, true), window, {}, false);
    cuts << CutTextsInHiddenPanels(window);
    for (const Cut& cut : cuts) ADD_FAILURE() << Describe(cut).toStdString();
    window->hide();
  }
}

}  // namespace
