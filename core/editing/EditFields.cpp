#include "core/editing/EditFields.h"

#include <QRegularExpression>
#include <cfloat>
#include <cmath>

#include "core/ground/Dialogs.h"
#include "core/lang/Lang.h"

namespace EditFields {

QString SingleText(float value) {
  if (value == 0.0f) return "0";
  return QString::number(double(value), 'g', 7);
}

bool IsNumeric(const QString& text, double* value) {
  static const QRegularExpression number(R"(^\s*[-+]?(\d+\.?\d*|\.\d+)\s*$)");
  if (!number.match(text).hasMatch()) return false;
  if (value) *value = text.trimmed().toDouble();
  return true;
}

double RoundHalfEven(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  // nearbyint follows the default rounding mode, which sends halves to even.
  return std::nearbyint(value * scale) / scale;
}

FieldChange PositiveNumber(const QString& boxText) {
  double value = 0;
  if (!IsNumeric(boxText, &value)) {
    if (boxText.isEmpty()) return {Outcome::Store, QString()};
    return {};
  }
  if (std::fabs(value) > double(FLT_MAX)) return {Outcome::Overflow, QString()};
  const float single = float(value);
  if (single > 0.0f) return {Outcome::Store, SingleText(single)};
  return {};
}

FieldChange Volume(const QString& boxText) {
  double value = 0;
  if (!IsNumeric(boxText, &value)) {
    if (boxText.isEmpty()) return {Outcome::Store, QString()};
    return {};
  }
  const double whole = std::nearbyint(value);
  if (whole > 0 && whole <= 2147483647.0) return {Outcome::Store, QString::number(qint64(whole))};
  return {};
}

FieldChange TimeText(const QString& boxText, const QString& secondsText) {
  if (!secondsText.isEmpty()) return {Outcome::Store, boxText};
  if (boxText.isEmpty()) return {Outcome::Store, QString()};
  return {};
}

FieldChange DurationText(const QString& boxText, LengthUnit unit, const QString& secondsText) {
  if (unit == LengthUnit::Time) return TimeText(boxText, secondsText);
  return {Outcome::Store, boxText};
}

QString ColorToHex(int bgr) {
  auto hex = [](int component) {
    return QString::number(component, 16).toUpper().rightJustified(2, '0');
  };
  return hex(bgr % 256) + hex(bgr / 256 % 256) + hex(bgr / 65536 % 256);
}

const std::array<SizePreset, 15> SizePresets = {{
    {"64x64", 64, 64},
    {"160x120", 160, 120},
    {"176x144", 176, 144},
    {"320x240", 320, 240},
    {"640x480", 640, 480},
    {"720x576", 720, 576},
    {"800x600", 800, 600},
    {"1024x768", 1024, 768},
    {"1280x1024", 1280, 1024},
    {"1600x1200", 1600, 1200},
    {"1280x800", 1280, 800},
    {"1440x900", 1440, 900},
    {"1680x1050", 1680, 1050},
    {"1920x1200", 1920, 1200},
    {"2560x1600", 2560, 1600},
}};

void ShowOverflowError() {
  Dialogs::MsgBox("Error 6\nDesbordamiento", {Dialogs::Buttons::Ok, Dialogs::Icon::Stop},
                  Lang::BoxTitle());
}

}  // namespace EditFields
