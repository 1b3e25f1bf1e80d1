#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <variant>

#include "TestEnv.h"
#include "gui/ground/WidgetDialogs.h"

namespace {

using Dialogs::Button;
using Dialogs::Buttons;
using Dialogs::Icon;

// What the real message box showed and how the test answered it.
struct Shown {
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
};

// Shows the real box for style and, once it is up, presses press on it; with
// NoButton the box is closed as the window's X closes it.
Dialogs::Answer AnswerBox(Dialogs::MessageStyle style, QMessageBox::StandardButton press,
                          Shown& shown) {
  When([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
       [press, &shown] {
         auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
         shown = {box->standardButtons(), box->icon(), box->windowTitle(), box->text()};
         if (press == QMessageBox::NoButton)
           box->close();
         else
           box->button(press)->click();
       });
  Dialogs::Request request;
  request.style = style;
  request.title = "Quillmoor 2.0";
  request.text = "¿Seguro?";
  return WidgetDialogs().Respond(request);
}

// Each style shows its buttons and icon; each button answers as itself, and
// closing the box answers Cancel where there is one, No on a Yes/No box and
// OK on a box with OK alone.
TEST(WidgetDialogsTest, AMessageBoxShowsItsStyleAndAnswersWithTheButtonPressed) {
  using B = QMessageBox;
  const QMessageBox::StandardButtons okCancel = B::Ok | B::Cancel;
  const QMessageBox::StandardButtons yesNoCancel = B::Yes | B::No | B::Cancel;
  const QMessageBox::StandardButtons yesNo = B::Yes | B::No;
  const struct Row {
    Dialogs::MessageStyle style;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton press;  // NoButton: closed with the window's X
    Button answer;
  } rows[] = {
      {{Buttons::Ok, Icon::None}, B::Ok, B::NoIcon, B::Ok, Button::Ok},
      {{Buttons::Ok, Icon::Information}, B::Ok, B::Information, B::NoButton, Button::Ok},
      {{Buttons::OkCancel, Icon::Stop}, okCancel, B::Critical, B::Ok, Button::Ok},
      {{Buttons::OkCancel, Icon::Stop}, okCancel, B::Critical, B::Cancel, Button::Cancel},
      {{Buttons::OkCancel, Icon::None}, okCancel, B::NoIcon, B::NoButton, Button::Cancel},
      {{Buttons::YesNoCancel, Icon::None}, yesNoCancel, B::NoIcon, B::Yes, Button::Yes},
      {{Buttons::YesNoCancel, Icon::None}, yesNoCancel, B::NoIcon, B::No, Button::No},
      {{Buttons::YesNoCancel, Icon::None}, yesNoCancel, B::NoIcon, B::Cancel, Button::Cancel},
      {{Buttons::YesNoCancel, Icon::Question},
       yesNoCancel,
       B::Question,
       B::NoButton,
       Button::Cancel},
      {{Buttons::YesNo, Icon::Question}, yesNo, B::Question, B::Yes, Button::Yes},
      {{Buttons::YesNo, Icon::Exclamation}, yesNo, B::Warning, B::No, Button::No},
      {{Buttons::YesNo, Icon::None}, yesNo, B::NoIcon, B::NoButton, Button::No},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.style) + " pressing " + std::to_string(row.press));
    Shown shown;
    const Dialogs::Answer answer = AnswerBox(row.style, row.press, shown);
    ASSERT_TRUE(std::holds_alternative<Button>(answer));
    EXPECT_EQ(std::get<Button>(answer), row.answer);
    EXPECT_EQ(shown.buttons, row.buttons);
    EXPECT_EQ(shown.icon, row.icon);
    EXPECT_EQ(shown.title, "Quillmoor 2.0");
    EXPECT_EQ(shown.text, "¿Seguro?");
  }
}

}  // namespace
