#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <variant>

class QWidget;

// Every message box, input box and file, folder or colour dialog of the
// program goes through here. The windows install a responder that shows the
// real dialogs; a test installs one that answers from a script and records
// what was shown, so that no test ever waits on a window.
namespace Dialogs {

// Open: a document or web address handed to the desktop's associated program.
enum class Kind { Message, Input, OpenFile, SaveFile, Folder, Color, Open };

// The buttons and the icon of a message box.
enum class Buttons { Ok, OkCancel, YesNoCancel, YesNo };
enum class Icon { None, Stop, Question, Exclamation, Information };
struct MessageStyle {
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  bool operator==(const MessageStyle&) const = default;
};

// The button that answered a message box.
enum class Button { Ok, Cancel, Yes, No };

// What a dialog was asked to show.
struct Request {
  Kind kind = Kind::Message;
  MessageStyle style;  // message box: its buttons and icon, as the caller gave them
  QString title;
  QString text;         // message, prompt, or the dialog's starting folder
  QString defaultText;  // input box default, default file name
  QString filter;       // file dialogs: "Description|*.ext|..." pairs
  bool multiSelect = false;
  bool overwritePrompt = true;  // save dialog: ask before replacing a file
  QWidget* owner = nullptr;     // the window a file or colour dialog belongs to
};

// A message box answers with the button pressed, an input box, save dialog or
// folder dialog with a text ("" = cancelled), an open dialog with a list of
// paths (empty = cancelled), a colour dialog with a number (0x00BBGGRR, -1 =
// cancelled), a desktop open with whether a program took the target.
using Answer = std::variant<int, QString, QStringList, Button, bool>;

class Responder {
 public:
  virtual ~Responder() = default;
  virtual Answer Respond(const Request& request) = 0;
};

// The responder used when none is set: the real dialogs, which the windows
// install at start-up. Without either, every dialog answers as cancelled.
void SetDefaultResponder(std::unique_ptr<Responder> responder);
// nullptr restores the default responder.
void SetResponder(Responder* responder);

// The answer a cancelled dialog of this kind gives.
Answer Cancelled(Kind kind);

// The button pressed; Cancel when no responder answers with a button.
Button MsgBox(const QString& text, MessageStyle style, const QString& title);
// The typed text, or "" when the user cancelled.
QString InputBox(const QString& prompt, const QString& title, const QString& defaultText);
// filter: "Description|pattern|Description|pattern" as the Windows dialogs take it.
QStringList OpenFiles(QWidget* owner, const QString& title, const QString& folder,
                      const QString& fileName, const QString& filter, bool multiSelect);
QString SaveFile(QWidget* owner, const QString& title, const QString& folder,
                 const QString& fileName, const QString& filter, bool overwritePrompt = true);
QString Folder(QWidget* owner, const QString& title, const QString& folder);
// A colour as 0x00BBGGRR; -1 when cancelled.
int Color(QWidget* owner, int initial);
// Hands a local path or a web address (text) to the desktop; false when the
// desktop has no program to open it with. A test's responder sees it as an
// Open request, answered true (opened) or false (not), and nothing is launched.
bool Open(const QString& target);

// Who answers the dialogs.
struct ResponderState {
  std::unique_ptr<Responder> DefaultResponder;  // the real dialogs, once installed
  Responder* StandIn = nullptr;                 // a test's responder, which it owns
};

// This module's part of the running program's AppState.
ResponderState& State();

}  // namespace Dialogs
