#include "lang/Lang.h"

#include "convert/Form1.h"
#include "frame/Dialogs.h"

namespace Lang {

QString LanguageName;

// Spanish is built in; the language tables replace this.
void LoadLanguage(const QString& name) {
  if (!name.isEmpty()) LanguageName = name;
}

QString BoxTitle() {
  Form1* main = Form1::Instance();
  return main ? main->windowTitle() : QStringLiteral("Quillmoor 2.0");
}

namespace {
void Stop(const QString& text) { Dialogs::MsgBox(text, 16, BoxTitle()); }
}  // namespace

void MsgCannotReadFile(const QString& name) { Stop("No se pudo leer el archivo " + name); }
void MsgCannotWriteFile(const QString& name) { Stop("No se pudo escribir el archivo " + name); }
void MsgCannotCreateDir(const QString& name) { Stop("No se pudo crear el directorio " + name); }
void MsgFfmpegNotFound() { Stop("No se encuentra ffmpeg.exe"); }

}  // namespace Lang
