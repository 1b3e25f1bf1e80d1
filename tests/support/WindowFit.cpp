#include "WindowFit.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>

namespace window_fit {

namespace {

// Set in the test program that RunOnLaptopScreen starts.
constexpr char kScreenRun[] = "QUILLMOOR_SCREEN_RUN";

// Whether the scroll area can bring a place in its content into view.
bool ScrollsTo(const QScrollArea* area, const QRect& place) {
  const QSize view = area->viewport()->size();
  return area->horizontalScrollBar()->maximum() >= place.right() + 1 - view.width() &&
         area->verticalScrollBar()->maximum() >= place.bottom() + 1 - view.height();
}

QString ScreenDescription(bool windowFrameMargins) {
  return QString(R"({"windowFrameMargins": %1, "screens": [{"name": "laptop", "x": 0, "y": 0,
                    "width": 1366, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96,
                    "dpr": 1}]})")
      .arg(windowFrameMargins ? "true" : "false");
}

}  // namespace

int TextWidth(const QWidget* widget, const QString& text) {
  return widget->fontMetrics().size(Qt::TextShowMnemonic, text).width();
}

void CheckButton(const QAbstractButton* button, QList<Cut>& cuts) {
  if (button->text().isEmpty()) return;
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  option.icon = button->icon();
  option.iconSize = button->iconSize();
  QStyle::SubElement contents = QStyle::SE_PushButtonContents;
  if (qobject_cast<const QCheckBox*>(button)) contents = QStyle::SE_CheckBoxContents;
  if (qobject_cast<const QRadioButton*>(button)) contents = QStyle::SE_RadioButtonContents;
  const int available = button->style()->subElementRect(contents, &option, button).width();
  int needed = TextWidth(button, button->text());
  if (!button->icon().isNull()) needed += button->iconSize().width() + 4;
  if (needed > available) cuts << Cut{button->objectName(), button->text(), needed, available};
}

void CheckLabel(const QLabel* label, QList<Cut>& cuts) {
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

void CheckGroupTitle(const QGroupBox* group, QList<Cut>& cuts) {
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
void CheckList(const QListWidget* list, QList<Cut>& cuts) {
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
void CheckCaptionBox(const QLineEdit* box, QList<Cut>& cuts) {
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
void CheckCombo(const QComboBox* combo, QList<Cut>& cuts) {
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

QList<Cut> CaptionCuts(const QWidget* control) {
  QList<Cut> cuts;
  if (auto* button = qobject_cast<const QAbstractButton*>(control)) CheckButton(button, cuts);
  if (auto* label = qobject_cast<const QLabel*>(control)) CheckLabel(label, cuts);
  if (auto* group = qobject_cast<const QGroupBox*>(control)) CheckGroupTitle(group, cuts);
  if (auto* list = qobject_cast<const QListWidget*>(control)) CheckList(list, cuts);
  if (auto* box = qobject_cast<const QLineEdit*>(control)) CheckCaptionBox(box, cuts);
  if (auto* combo = qobject_cast<const QComboBox*>(control)) CheckCombo(combo, cuts);
  return cuts;
}

QString Describe(const Cut& cut) {
  return QString("%1: \"%2\" needs %3 px, has %4")
      .arg(cut.control, cut.text)
      .arg(cut.needed)
      .arg(cut.available);
}

const QScrollArea* AreaShowing(const QWidget* content) {
  const QWidget* viewport = content->parentWidget();
  auto* area = viewport ? qobject_cast<const QScrollArea*>(viewport->parentWidget()) : nullptr;
  return area && area->widget() == content ? area : nullptr;
}

bool Reachable(const QWidget* control, const QWidget* window) {
  QRect place = control->geometry();
  for (const QWidget* parent = control->parentWidget(); parent; parent = parent->parentWidget()) {
    if (!parent->rect().contains(place)) return false;
    if (parent == window) return true;
    if (const QScrollArea* area = AreaShowing(parent)) {
      return ScrollsTo(area, place) && Reachable(area, window);
    }
    place.translate(parent->pos());
  }
  return false;
}

bool InScreenRun() { return qEnvironmentVariable(kScreenRun) == "1"; }

void RunOnLaptopScreen(const QString& folder, const ScreenRun& run) {
  const QString config = folder + "/screen.json";
  QFile file(config);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(ScreenDescription(run.windowFrameMargins).toUtf8());
  file.close();
  const ::testing::TestInfo* current = ::testing::UnitTest::GetInstance()->current_test_info();
  const QString test = run.test.isEmpty()
                           ? QString("%1.%2").arg(current->test_suite_name(), current->name())
                           : run.test;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("QT_FONT_DPI");
  if (*run.fontDpi) environment.insert("QT_FONT_DPI", run.fontDpi);
  if (*run.highDpiScaling) environment.insert("QT_ENABLE_HIGHDPI_SCALING", run.highDpiScaling);
  environment.insert(kScreenRun, "1");
  QProcess program;
  program.setProcessEnvironment(environment);
  program.setProcessChannelMode(QProcess::MergedChannels);
  program.start(QCoreApplication::applicationFilePath(),
                {"-platform", "offscreen:configfile=" + config, "--gtest_filter=" + test});
  // The limit only tells a hung program from one that ran its windows through.
  ASSERT_TRUE(program.waitForFinished(240000));
  const QString output = QString::fromUtf8(program.readAll());
  EXPECT_EQ(program.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.toStdString();
}

}  // namespace window_fit
