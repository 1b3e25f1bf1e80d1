// The command viewer's two pages and the boxes its filler writes.

#include <QApplication>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QtMath>

#include "../lang/LangFixture.h"
#include "gui/convert/CommandViewerWindow.h"

namespace {

class CommandViewerWindowTest : public LangTest {};

TEST_F(CommandViewerWindowTest, EitherButtonFlipsBetweenTwoPagesInTheSamePlace) {
  CommandViewerWindow viewer(nullptr);
  viewer.show();
  EXPECT_TRUE(viewer.commandsPage->isVisible());
  EXPECT_FALSE(viewer.outputPage->isVisible());
  EXPECT_EQ(viewer.commandsPage->geometry(), viewer.outputPage->geometry());
  for (QPushButton* button : {viewer.nextPageButton, viewer.previousPageButton}) {
    button->click();
    EXPECT_FALSE(viewer.commandsPage->isVisible());
    EXPECT_TRUE(viewer.outputPage->isVisible());
    EXPECT_EQ(viewer.commandsPage->geometry(), viewer.outputPage->geometry());
    button->click();
    EXPECT_TRUE(viewer.commandsPage->isVisible());
    EXPECT_FALSE(viewer.outputPage->isVisible());
  }
}

TEST_F(CommandViewerWindowTest, EveryCellGoesToItsBox) {
  CommandViewerWindow viewer(nullptr);
  viewer.ShowTable([](int row, int column) { return QString("r%1c%2").arg(row).arg(column); },
                   false, true);
  const std::pair<int, QString> boxes[] = {{1, "r1c2"},  {3, "r1c3"},  {5, "r2c2"},  {6, "r2c3"},
                                           {7, "r4c2"},  {8, "r4c3"},  {9, "r5c2"},  {10, "r5c3"},
                                           {11, "r7c2"}, {12, "r7c3"}, {13, "r2c1"}, {14, "r5c1"},
                                           {15, "r7c4"}, {16, "True"}};
  for (const auto& [box, text] : boxes) EXPECT_EQ(viewer.boxes[box]->toPlainText(), text) << box;
  EXPECT_EQ(viewer.boxes[2]->toPlainText(), "Parámetros de entrada");
  EXPECT_EQ(viewer.boxes[4]->toPlainText(), "Parámetros de salida");
}

// The boxes over the two columns say which column is which, and a box that
// shows a two-pass stage shows both its lines above the scroll bar a long
// command brings: at the desktop's font and at one and a half times it, in
// each language.
TEST_F(CommandViewerWindowTest, ColumnCaptionsShowWholeAndEachBoxShowsItsTwoLines) {
  const QFont normal = QApplication::font();
  const QString longCommand = QString("-i input.wav ").repeated(40);
  for (const double scale : {1.0, 1.5}) {
    QFont font = normal;
    font.setPointSizeF(normal.pointSizeF() * scale);
    QApplication::setFont(font);
    for (const char* language : {"<Spanish>", "<English>", "<Portuguese>"}) {
      SCOPED_TRACE(std::string(language) + " at " + std::to_string(scale));
      Lang::LoadLanguage(language);
      CommandViewerWindow viewer(nullptr);
      viewer.boxes[9]->setPlainText(longCommand + "\n" + longCommand);
      viewer.show();
      QApplication::processEvents();
      for (int caption : {2, 4}) {
        const QPlainTextEdit* box = viewer.boxes[caption];
        const int margin = qCeil(box->document()->documentMargin());
        EXPECT_LE(box->fontMetrics().horizontalAdvance(box->toPlainText()) + 2 * margin,
                  box->viewport()->width())
            << box->toPlainText().toStdString();
      }
      const QPlainTextEdit* twoLines = viewer.boxes[9];
      ASSERT_TRUE(twoLines->horizontalScrollBar()->isVisible());
      EXPECT_LE(2 * twoLines->fontMetrics().lineSpacing(), twoLines->viewport()->height());
      EXPECT_EQ(twoLines->verticalScrollBar()->maximum(), 0);
    }
  }
  QApplication::setFont(normal);
}

}  // namespace
