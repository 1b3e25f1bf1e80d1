#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

#include "FormatEditorFixture.h"
#include "Keyboard.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "gui/formats/FormatEditorWindow.h"

// A row of the format editor that takes only a value of its list shows that
// value, whatever the user types into it.

namespace {

class ListOnlyRowTest : public FormatEditorWindowFixture {
 protected:
  // The editor on the video rows, active, with "Eliminar video" set to 1.
  QComboBox* RemoveVideoRow() {
    Load();
    FormatEditor::State().CurrentFormat.RemoveVideo = true;
    Show(FormatEditor::Category::OutputVideo);
    EXPECT_TRUE(ShowActive(window_));
    window_->rowScroll->setValue(window_->rowScroll->maximum());  // the last rows in view
    for (int i = 0; i < window_->rowCaptions.size(); ++i) {
      if (window_->rowCaptions[i]->text() == "Eliminar video") return window_->rowValueCombos[i];
    }
    ADD_FAILURE() << "no row \"Eliminar video\"";
    return nullptr;
  }
};

TEST_F(ListOnlyRowTest, TypedOrPastedTextIsUndoneOnShow) {
  QComboBox* row = RemoveVideoRow();
  ASSERT_NE(row, nullptr);
  ASSERT_EQ(row->currentText(), QString("1"));
  row->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(WaitFor([row] { return row->hasFocus(); }));
  QWidget* typedInto = QApplication::focusWidget();

  QTest::keyClicks(typedInto, "abc");
  EXPECT_EQ(row->currentText(), QString("1"));
  QGuiApplication::clipboard()->setText("abc,+x");
  QTest::keyClick(typedInto, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(typedInto, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(row->currentText(), QString("1"));
  // Pastes that come by no key: the context menu's and, on a platform with an
  // X11 selection (-platform xcb), the middle button's.
  row->lineEdit()->paste();
  EXPECT_EQ(row->currentText(), QString("1"));
  if (QGuiApplication::clipboard()->supportsSelection())
    QGuiApplication::clipboard()->setText("abc,+x", QClipboard::Selection);
  QTest::mouseClick(row->lineEdit(), Qt::MiddleButton);
  EXPECT_EQ(row->currentText(), QString("1"));
  EXPECT_TRUE(FormatEditor::State().CurrentFormat.RemoveVideo);

  // Picking from the list with the keyboard still changes the value, and
  // typing after it keeps the picked one.
  QTest::keyClick(typedInto, Qt::Key_Up);
  EXPECT_EQ(row->currentText(), QString("0"));
  QTest::keyClicks(typedInto, "7");
  EXPECT_EQ(row->currentText(), QString("0"));
  EXPECT_FALSE(FormatEditor::State().CurrentFormat.RemoveVideo);
}

}  // namespace
