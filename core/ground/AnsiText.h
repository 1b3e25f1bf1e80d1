#pragma once

#include <QByteArray>
#include <QString>

// Texts of record files and language files. They are written as UTF-8; a text
// that is not valid UTF-8 was written on Windows and is read as Windows-1252.
namespace AnsiText {

QByteArray Encode(const QString& text);
QString Decode(const QByteArray& bytes);
QString DecodeWindows1252(const QByteArray& bytes);

}  // namespace AnsiText
