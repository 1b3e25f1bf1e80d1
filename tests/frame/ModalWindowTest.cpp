#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "TestEnv.h"
#include "gui/ground/ModalWindow.h"

namespace {

class ModalWindowTest : public TestEnv {};

TEST_F(ModalWindowTest, HidesTheOthersWaitsForTheToolAndRestoresThem) {
  QWidget main;
  main.show();
  QWidget hiddenBefore;  // not visible before: stays hidden afterwards
  auto* outerTool = new QWidget;
  outerTool->setAttribute(Qt::WA_DeleteOnClose);
  QPointer<QWidget> outer(outerTool);
  auto* innerTool = new QWidget;
  innerTool->setAttribute(Qt::WA_DeleteOnClose);

  bool mainHiddenDuringTool = false;
  bool outerHiddenDuringInner = false;
  bool outerBackAfterInner = false;
  QTimer::singleShot(0, [&] {
    mainHiddenDuringTool = !main.isVisible();
    QTimer::singleShot(0, [&] {
      outerHiddenDuringInner = outer && !outer->isVisible();
      innerTool->close();
    });
    ModalWindow::Run(innerTool);  // nested: the outer tool is hidden, not closed
    outerBackAfterInner = outer && outer->isVisible();
    outer->close();
  });
  ModalWindow::Run(outerTool);

  EXPECT_TRUE(mainHiddenDuringTool);
  EXPECT_TRUE(outerHiddenDuringInner);
  EXPECT_TRUE(outerBackAfterInner);
  EXPECT_FALSE(outer && outer->isVisible());
  EXPECT_TRUE(main.isVisible());
  EXPECT_FALSE(hiddenBefore.isVisible());
}

// The main window is placed by the window manager when it first shows. Shown
// again after a tool, it must stand where it stood, and say so to the window
// manager (a window without a place of its own is put wherever the window
// manager likes, so it would hop around the screen after every tool).
TEST_F(ModalWindowTest, AWindowShownAgainStandsWhereItStood) {
  QWidget main;
  main.resize(300, 200);
  main.show();
  ASSERT_FALSE(main.testAttribute(Qt::WA_Moved)) << "placed by the window manager";
  const QPoint place = main.pos();
  QWidget tool;
  QTimer::singleShot(0, [&] { tool.close(); });
  ModalWindow::Run(&tool);
  ASSERT_TRUE(main.isVisible());
  EXPECT_EQ(main.pos(), place);
  EXPECT_TRUE(main.testAttribute(Qt::WA_Moved)) << "its place is left to the window manager";
}

TEST_F(ModalWindowTest, AWindowDestroyedWhileHiddenIsNotRestored) {
  auto* other = new QWidget;
  other->show();
  QPointer<QWidget> watch(other);
  QWidget tool;
  QTimer::singleShot(0, [&] {
    delete other;
    tool.close();
  });
  ModalWindow::Run(&tool);
  EXPECT_TRUE(watch.isNull());
}

}  // namespace
