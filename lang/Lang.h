#pragma once

#include <QString>

// The program's texts in the language in force.
namespace Lang {

// "<Spanish>", "<English>", "<Portuguese>", a custom file's base name, or "" (never chosen).
extern QString LanguageName;

void LoadLanguage(const QString& name);

// The title of every message box: the main window's caption.
QString BoxTitle();

void MsgCannotReadFile(const QString& name);
void MsgCannotWriteFile(const QString& name);
void MsgCannotCreateDir(const QString& name);
void MsgFfmpegNotFound();

}  // namespace Lang
