#include "core/ground/Dialogs.h"

#include <utility>

namespace Dialogs {

namespace {

template <class T>
T Get(const Answer& answer, T fallback) {
  if (const T* value = std::get_if<T>(&answer)) return *value;
  return fallback;
}

Answer Ask(const Request& request) {
  const ResponderState& state = State();
  if (Responder* responder = state.StandIn ? state.StandIn : state.DefaultResponder.get())
    return responder->Respond(request);
  return Cancelled(request.kind);
}

}  // namespace

void SetDefaultResponder(std::unique_ptr<Responder> responder) {
  State().DefaultResponder = std::move(responder);
}

void SetResponder(Responder* responder) { State().StandIn = responder; }

Answer Cancelled(Kind kind) {
  switch (kind) {
    case Kind::Message:
      return Button::Cancel;
    case Kind::Color:
      return -1;
    case Kind::Open:
      return false;
    case Kind::OpenFile:
      return QStringList();
    default:
      return QString();
  }
}

Button MsgBox(const QString& text, MessageStyle style, const QString& title) {
  return Get<Button>(Ask({Kind::Message, style, title, text, {}, {}, false}), Button::Cancel);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  return Get<QString>(Ask({Kind::Input, {}, title, prompt, defaultText, {}, false}), {});
}

QStringList OpenFiles(QWidget* owner, const QString& title, const QString& folder,
                      const QString& fileName, const QString& filter, bool multiSelect) {
  return Get<QStringList>(
      Ask({Kind::OpenFile, {}, title, folder, fileName, filter, multiSelect, true, owner}), {});
}

QString SaveFile(QWidget* owner, const QString& title, const QString& folder,
                 const QString& fileName, const QString& filter, bool overwritePrompt) {
  return Get<QString>(
      Ask({Kind::SaveFile, {}, title, folder, fileName, filter, false, overwritePrompt, owner}),
      {});
}

QString Folder(QWidget* owner, const QString& title, const QString& folder) {
  return Get<QString>(Ask({Kind::Folder, {}, title, folder, {}, {}, false, true, owner}), {});
}

int Color(QWidget* owner, int initial) {
  return Get<int>(Ask({Kind::Color, {}, {}, QString::number(initial), {}, {}, false, true, owner}),
                  -1);
}

bool Open(const QString& target) {
  return Get<bool>(Ask({Kind::Open, {}, {}, target, {}, {}, false}), false);
}

}  // namespace Dialogs
