#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>

#include "EditingFixture.h"
#include "Keyboard.h"
#include "core/editing/EditingProfileEditor.h"
#include "gui/editing/EditingProfileWindow.h"

// The numeric boxes of the editing-profile window take text only by the keys
// of their rule: no paste of any kind reaches them.

namespace {

class NumericPasteTest : public EditingTest {
 protected:
  void TearDown() override {
    delete window_;
    EditingTest::TearDown();
  }
  // The crop panel shown in the active window, its width box focused.
  QLineEdit* CropWidthBox() {
    window_ = new EditingProfileWindow;
    window_->Load();
    window_->operationList->setCurrentRow(1);
    EXPECT_TRUE(ShowActive(window_));
    QLineEdit* box = window_->cropWidth;
    box->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(WaitFor([box] { return box->hasFocus(); }));
    return box;
  }
  QPointer<EditingProfileWindow> window_;
};

TEST_F(NumericPasteTest, PastedTextNeverReachesACropBox) {
  QLineEdit* box = CropWidthBox();
  QTest::keyClicks(box, "12");
  ASSERT_EQ(box->text(), QString("12")) << "typing keeps its rule";

  const QString pasted = "abc,+x";
  QGuiApplication::clipboard()->setText(pasted);
  if (QGuiApplication::clipboard()->supportsSelection())
    QGuiApplication::clipboard()->setText(pasted, QClipboard::Selection);

  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
  // The X11 selection: pasted only on a platform that has one (-platform xcb).
  QTest::mouseClick(box, Qt::MiddleButton);
  QInputMethodEvent commit;
  commit.setCommitString(pasted);
  QApplication::sendEvent(box, &commit);
  QContextMenuEvent menu(QContextMenuEvent::Mouse, box->rect().center(),
                         box->mapToGlobal(box->rect().center()));
  QApplication::sendEvent(box, &menu);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu offers to paste";

  EXPECT_EQ(box->text(), QString("12"));
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.CropWidth, QString("12"));
  QTest::keyClicks(box, "\b5");
  EXPECT_EQ(box->text(), QString("15"));
}

}  // namespace
