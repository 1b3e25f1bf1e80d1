#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOption>
#include <functional>
#include <memory>

#include "LangFixture.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
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
#include "gui/frame/TextViewerWindow.h"
#include "gui/frame/WaitWindow.h"

namespace {

// A text that its control does not show whole.
struct Cut {
  QString control;
  QString text;
  int needed = 0;     // pixels the text needs
  int available = 0;  // pixels the control gives it
};

// The width a text takes in a widget's own font, mnemonics and line breaks included.
int TextWidth(const QWidget* widget, const QString& text) {
  return widget->fontMetrics().size(Qt::TextShowMnemonic, text).width();
}

void CheckButton(QAbstractButton* button, QList<Cut>& cuts) {
  if (button->text().isEmpty()) return;
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  option.icon = button->icon();
  option.iconSize = button->iconSize();
  QStyle::SubElement contents = QStyle::SE_PushButtonContents;
  if (qobject_cast<QCheckBox*>(button)) contents = QStyle::SE_CheckBoxContents;
  if (qobject_cast<QRadioButton*>(button)) contents = QStyle::SE_RadioButtonContents;
  const int available = button->style()->subElementRect(contents, &option, button).width();
  int needed = TextWidth(button, button->text());
  if (!button->icon().isNull()) needed += button->iconSize().width() + 4;
  if (needed > available) cuts << Cut{button->objectName(), button->text(), needed, available};
}

void CheckLabel(QLabel* label, QList<Cut>& cuts) {
  if (label->text().isEmpty() || label->textFormat() == Qt::RichText) return;
  if (label->wordWrap()) {
    const int needed = label->heightForWidth(label->width());
    if (needed > label->height())
      cuts << Cut{label->objectName() + " (height)", label->text(), needed, label->height()};
    return;
  }
  const int margin = label->margin() + label->indent();
  const QRect room = label->contentsRect().adjusted(margin, 0, -margin, 0);
  const QSize needed = label->fontMetrics().size(Qt::TextShowMnemonic, label->text());
  if (needed.width() > room.width())
    cuts << Cut{label->objectName(), label->text(), needed.width(), room.width()};
  if (needed.height() > room.height())
    cuts << Cut{label->objectName() + " (height)", label->text(), needed.height(), room.height()};
}

void CheckGroupTitle(QGroupBox* group, QList<Cut>& cuts) {
  if (group->title().isEmpty()) return;
  QStyleOptionGroupBox option;
  option.initFrom(group);
  option.text = group->title();
  option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  const QRect label =
      group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
  const int needed = label.left() + TextWidth(group, group->title());
  if (needed > group->width())
    cuts << Cut{group->objectName(), group->title(), needed, group->width()};
}

// An item's text starts after the style's margin (and its check box) and must end in the list.
void CheckList(QListWidget* list, QList<Cut>& cuts) {
  QStyleOptionViewItem option;
  option.initFrom(list);
  const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, list) + 1;
  const int indicator = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, list);
  for (int row = 0; row < list->count(); ++row) {
    const QListWidgetItem* item = list->item(row);
    int needed = margin + TextWidth(list, item->text());
    if (item->flags() & Qt::ItemIsUserCheckable) needed += indicator + 2 * margin;
    if (needed > list->viewport()->width())
      cuts << Cut{list->objectName() + QString("[%1]").arg(row), item->text(), needed,
                  list->viewport()->width()};
  }
}

// A read-only box holds a caption; its text keeps two pixels on each side.
void CheckCaptionBox(QLineEdit* box, QList<Cut>& cuts) {
  if (!box->isReadOnly() || box->text().isEmpty()) return;
  QStyleOptionFrame option;
  option.initFrom(box);
  option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
  const QMargins margins = box->textMargins();
  const int available =
      box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() -
      margins.left() - margins.right();
  const int needed = TextWidth(box, box->text()) + 2 * 2;
  if (needed > available) cuts << Cut{box->objectName(), box->text(), needed, available};
}

// A combo that offers fixed choices shows each of them whole.
void CheckCombo(QComboBox* combo, QList<Cut>& cuts) {
  if (combo->isEditable()) return;
  QStyleOptionComboBox option;
  option.initFrom(combo);
  const int available =
      combo->style()
          ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
          .width();
  for (int i = 0; i < combo->count(); ++i) {
    const int needed = TextWidth(combo, combo->itemText(i));
    if (needed > available)
      cuts << Cut{combo->objectName() + QString("[%1]").arg(i), combo->itemText(i), needed,
                  available};
  }
}

// A shown control that reaches past the edge of a widget it lies in, up to
// limit, is cut by that widget.
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
    if (parent == limit) return;
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

QList<Cut> CutTexts(const QList<QWidget*>& controls, QWidget* window,
                    const QList<QWidget*>& revealed = {}) {
  QList<Cut> cuts;
  for (QWidget* control : controls) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) CheckButton(button, cuts);
    if (auto* label = qobject_cast<QLabel*>(control)) CheckLabel(label, cuts);
    if (auto* group = qobject_cast<QGroupBox*>(control)) CheckGroupTitle(group, cuts);
    if (auto* list = qobject_cast<QListWidget*>(control)) CheckList(list, cuts);
    if (auto* box = qobject_cast<QLineEdit*>(control)) CheckCaptionBox(box, cuts);
    if (auto* combo = qobject_cast<QComboBox*>(control)) CheckCombo(combo, cuts);
    if (control->isVisibleTo(window))
      CheckInsideParents(control, PlaceLimit(control, window, revealed), cuts);
  }
  return cuts;
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
      panel->show();
      revealed << panel;
    }
  }
  return revealed;
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
  window->Form_Load();
  return window;
}

ToolPathsWindow* LoadedToolPaths(QWidget* main) {
  auto* window = new ToolPathsWindow(main);
  window->Load();
  return window;
}

ProgressWindow* LoadedProgress() {
  auto* window = new ProgressWindow;
  window->Load();
  return window;
}

// The format editor showing the rows of a category.
FormatEditorWindow* FormatEditorOn(FormatEditor::Category category) {
  auto* window = Loaded<FormatEditorWindow>();
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
    {"Form7 input rows", [](QWidget*) { return FormatEditorOn(FormatEditor::Input); }},
    {"Form7 general rows", [](QWidget*) { return FormatEditorOn(FormatEditor::OutputGeneral); }},
    {"Form7 audio rows", [](QWidget*) { return FormatEditorOn(FormatEditor::OutputAudio); }},
    {"Form7 video rows", [](QWidget*) { return FormatEditorOn(FormatEditor::OutputVideo); }},
    {"Form7 with its buttons",
     [](QWidget*) {
       auto* window = Loaded<FormatEditorWindow>();
       window->ShowButtonStrip(true);
       return window;
     }},
    {"Form8", [](QWidget*) { return Loaded<EditingProfileWindow>(); }},
    {"Form8 with its buttons",
     [](QWidget*) {
       auto* window = Loaded<EditingProfileWindow>();
       window->SetScratchLayout();
       return window;
     }},
    {"Form9", [](QWidget* main) { return LoadedToolPaths(main); }},
    {"Form10", [](QWidget* main) { return new CommandViewerWindow(main); }},
    {"Form11", [](QWidget* main) { return Loaded<CodecViewerWindow>(main); }},
    {"Form12", [](QWidget*) { return LoadedProgress(); }},
    {"Form12 with its errors",
     [](QWidget*) {
       auto* window = LoadedProgress();
       window->ShowErrors();
       return window;
     }},
    {"Form13", [](QWidget* main) { return Loaded<LanguageWindow>(main); }},
    {"Form13 with its language maker",
     [](QWidget* main) {
       auto* window = Loaded<LanguageWindow>(main);
       window->Command1_Click();
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
        ADD_FAILURE() << language << " " << each.name << ", " << cut.control.toStdString() << ": \""
                      << cut.text.toStdString() << "\" needs " << cut.needed << " px, has "
                      << cut.available;
      }
      window->hide();
    }
  }
}

// The scroll area whose content widget this is, if any.
const QScrollArea* AreaShowing(const QWidget* content) {
  const QWidget* viewport = content->parentWidget();
  auto* area = viewport ? qobject_cast<const QScrollArea*>(viewport->parentWidget()) : nullptr;
  return area && area->widget() == content ? area : nullptr;
}

// A control the user can reach in its window: no widget it lies in cuts it,
// up to the window or up to the content of a scroll area that brings it into
// view, which area must lie in the window.
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

}  // namespace
