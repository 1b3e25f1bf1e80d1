#include "core/ground/AnsiText.h"

#include <QStringDecoder>

namespace AnsiText {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five holes of the
// code page map to the C1 control of the same value.
constexpr char16_t kHighC1[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

QByteArray Encode(const QString& text) { return text.toUtf8(); }

QString DecodeWindows1252(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    text.append(b >= 0x80 && b < 0xA0 ? QChar(kHighC1[b - 0x80]) : QChar(b));
  }
  return text;
}

QString Decode(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return DecodeWindows1252(bytes);
}

}  // namespace AnsiText
