#include "core/ground/Dialogs.h"

namespace Dialogs {

namespace {

Responder* g_default = nullptr;
Responder* g_responder = nullptr;

enum Answers { kCancel = 2 };

template <class T>
T Get(const Answer& answer, T fallback) {
  if (const T* value = std::get_if<T>(&answer)) return *value;
  return fallback;
}

Answer Ask(const Request& request) {
  if (Responder* responder = g_responder ? g_responder : g_default)
    return responder->Respond(request);
  return Cancelled(request.kind);
}

}  // namespace

void SetDefaultResponder(Responder* responder) { g_default = responder; }

void SetResponder(Responder* responder) { g_responder = responder; }

Answer Cancelled(Kind kind) {
  switch (kind) {
    case Kind::Message: return kCancel;
    case Kind::Color: return -1;
    case Kind::Open: return 0;
    case Kind::OpenFile: return QStringList();
    default: return QString();
  }
}

int MsgBox(const QString& text, int style, const QString& title) {
  return Get<int>(Ask({Kind::Message, style, title, text, {}, {}, false}), kCancel);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  return Get<QString>(Ask({Kind::Input, 0, title, prompt, defaultText, {}, false}), {});
}

QStringList OpenFiles(QWidget* owner, const QString& title, const QString& folder,
                      const QString& fileName, const QString& filter, bool multiSelect) {
  return Get<QStringList>(
      Ask({Kind::OpenFile, 0, title, folder, fileName, filter, multiSelect, true, owner}), {});
}

QString SaveFile(QWidget* owner, const QString& title, const QString& folder,
                 const QString& fileName, const QString& filter, bool overwritePrompt) {
  return Get<QString>(
      Ask({Kind::SaveFile, 0, title, folder, fileName, filter, false, overwritePrompt, owner}),
      {});
}

QString Folder(QWidget* owner, const QString& title, const QString& folder) {
  return Get<QString>(Ask({Kind::Folder, 0, title, folder, {}, {}, false, true, owner}), {});
}

int Color(QWidget* owner, int initial) {
  return Get<int>(
      Ask({Kind::Color, 0, {}, QString::number(initial), {}, {}, false, true, owner}), -1);
}

bool Open(const QString& target) {
  return Get<int>(Ask({Kind::Open, 0, {}, target, {}, {}, false}), 0) != 0;
}

}  // namespace Dialogs
