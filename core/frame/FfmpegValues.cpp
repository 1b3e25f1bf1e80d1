#include "core/frame/FfmpegValues.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <optional>

namespace FfmpegValues {

namespace {

// A number as typed: blanks around it allowed, always a decimal point. One
// too large for single precision comes back infinite.
std::optional<float> ReadNumber(const QString& text) {
  static const QRegularExpression number(
      QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
  if (!number.match(text).hasMatch()) return std::nullopt;
  return static_cast<float>(text.trimmed().toDouble());
}

// Seven significant digits, never an exponent, which ffmpeg's time options refuse.
QString SingleText(float value) {
  if (value == 0) return QStringLiteral("0");
  const QString text = QString::number(value, 'g', 7);
  if (!text.contains('e')) return text;
  const int wholeDigits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
  QString fixed = QString::number(value, 'f', std::max(0, 7 - wholeDigits));
  if (fixed.contains('.')) {
    while (fixed.endsWith('0')) fixed.chop(1);
    if (fixed.endsWith('.')) fixed.chop(1);
  }
  return fixed;
}

QString Escaped(const QString& text, const QString& special) {
  QString result;
  for (const QChar c : text) {
    if (special.contains(c)) result += '\\';
    result += c;
  }
  return result;
}

}  // namespace

QString FilterGraphValue(const QString& value) {
  return Escaped(Escaped(value, QStringLiteral("'\\:")), QStringLiteral("'\\[],;"));
}

QString TimeToSeconds(const QString& text) {
  if (text.isEmpty()) return {};
  const QStringList fields = text.split(':');
  if (fields.size() > 3) return {};
  float total = 0;
  float multiplier = 1;
  for (auto field = fields.crbegin(); field != fields.crend(); ++field) {
    const std::optional<float> value = ReadNumber(*field);
    if (!value) return {};
    total = *value * multiplier + total;
    multiplier *= 60;
  }
  // Its callers say what an unusable time means to them (the command table's
  // message, the editing fields' checks on every key), so nothing is shown here.
  if (!std::isfinite(total) || total < 0) return {};
  // The bound holds for the text ffmpeg is given, after the rounding above.
  const QString seconds = SingleText(total);
  if (seconds.toDouble() > LongestSeconds) return {};
  return seconds;
}

}  // namespace FfmpegValues
