#include "core/editing/Equalizer.h"

#include <algorithm>

#include "core/editing/EditFields.h"

namespace Equalizer {

using EditFields::IsNumeric;
using EditFields::RoundHalfEven;
using EditFields::SingleText;

const std::array<QString, 10> DefaultFrequencies = {"31",   "63",   "125",  "250",  "500",
                                                    "1000", "2000", "4000", "8000", "16000"};

const std::array<Preset, 18> Presets = {{
    {"Equ_llano", "Llano", {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
    {"Equ_Clasica", "Clásica", {"0", "0", "0", "0", "0", "0", "-4.1", "-4.1", "-4.1", "-5.3"}},
    {"Equ_Club", "Club", {"0", "0", "4.7", "2.9", "2.9", "2.9", "1.7", "0", "0", "0"}},
    {"Equ_Dance", "Dance", {"5.3", "4.1", "1.1", "0", "0", "0", "-2.9", "-4.1", "0", "0"}},
    {"Equ_Graves",
     "Graves",
     {"5.3", "5.3", "5.3", "2.9", "0.5", "-2.3", "-4.7", "-5.9", "-6.5", "-6.5"}},
    {"Equ_GravesYAgudos",
     "Graves y agudos",
     {"4.1", "2.9", "0", "-4.1", "-2.3", "0.5", "4.7", "6.5", "7.1", "7.1"}},
    {"Equ_Agudos",
     "Agudos",
     {"-5.3", "-5.3", "-5.3", "-2.3", "1.1", "6.5", "9.5", "9.5", "9.5", "9.5"}},
    {"Equ_Auriculares",
     "Auriculares",
     {"2.3", "6.5", "2.9", "-1.7", "-1.1", "0.5", "2.3", "5.3", "7.1", "8.3"}},
    {"Equ_GranSalon",
     "Gran salón",
     {"5.9", "5.9", "2.9", "2.9", "0", "-2.3", "-2.3", "-2.3", "0", "0"}},
    {"Equ_enVivo",
     "En vivo",
     {"-2.3", "0", "2.3", "2.9", "2.9", "2.9", "2.3", "1.1", "1.1", "1.1"}},
    {"Equ_Fiesta", "Fiesta", {"4.1", "4.1", "0", "0", "0", "0", "0", "0", "4.1", "4.1"}},
    {"Equ_Pop", "Pop", {"-0.5", "2.3", "4.1", "4.7", "2.9", "0", "-1.1", "-1.1", "-0.5", "-0.5"}},
    {"Equ_Reggae", "Reggae", {"0", "0", "0", "-2.9", "0", "3.5", "3.5", "0", "0", "0"}},
    {"Equ_ROck", "Rock", {"4.7", "2.3", "2.9", "-4.7", "-1.7", "2.3", "4.7", "6.5", "6.5", "6.5"}},
    {"Equ_Ska", "Ska", {"-1.1", "-2.3", "-2.3", "0", "2.3", "2.9", "4.7", "5.3", "6.5", "5.3"}},
    {"Equ_Suave", "Suave", {"2.3", "0.5", "0", "-1.1", "0", "2.3", "4.7", "5.3", "6.5", "7.1"}},
    {"Equ_ROckSuave",
     "Rock suave",
     {"2.3", "2.3", "1.1", "0", "-2.3", "-2.9", "-1.7", "0", "1.1", "4.7"}},
    {"Equ_Tecno", "Tecno", {"4.7", "2.9", "0", "-2.9", "-2.3", "0", "4.7", "5.3", "5.3", "4.7"}},
}};

namespace {

QString OneDecimalText(double value) { return SingleText(float(RoundHalfEven(value, 1))); }

}  // namespace

QString GainFromSlider(double y, bool rightButton) {
  if (rightButton) y = 0.5;
  y = std::clamp(y, 0.0, 1.0);
  const float gain = float((y - 0.5) * -24.0);
  return OneDecimalText(gain);
}

std::optional<QString> GainStep(const QString& boxText, bool up) {
  double value = 0;
  if (!IsNumeric(boxText, &value)) return std::nullopt;
  if (boxText == (up ? "12" : "-12")) return std::nullopt;
  return OneDecimalText(value + (up ? 0.1 : -0.1));
}

double MarkerTop(double gain) { return 0.5 - gain / 24.0; }

std::optional<GainChange> GainBoxChanged(const QString& text) {
  if (text.isEmpty()) return GainChange{QString(), std::nullopt};
  double value = 0;
  if (!IsNumeric(text, &value)) return std::nullopt;
  const float gain = std::clamp(float(RoundHalfEven(value, 1)), -12.0f, 12.0f);
  return GainChange{SingleText(gain), MarkerTop(gain)};
}

std::optional<QString> FreqOrWidthBoxChanged(const QString& text) {
  if (text.isEmpty()) return QString();
  double value = 0;
  if (!IsNumeric(text, &value)) return std::nullopt;
  return OneDecimalText(value);
}

QString GainOnLeave(const QString& stored) { return stored.isEmpty() ? QString("0") : stored; }

QString FrequencyOnLeave(const QString& stored, int band) {
  return stored.isEmpty() ? DefaultFrequencies[band - 1] : stored;
}

QString WidthOnLeave(const QString& stored) {
  return stored.isEmpty() || stored == "0" ? QString("1") : stored;
}

std::array<Column, 10> LayOut(int firstBand) {
  std::array<Column, 10> columns;
  const int bandsScrolledOff = firstBand - 1;
  columns[0].sliderLeft = SliderLeft0 - bandsScrolledOff * Pitch;
  columns[0].boxLeft = BoxLeft0 - bandsScrolledOff * Pitch;
  columns[0].visible = bandsScrolledOff == 0;
  for (int i = 1; i < 10; ++i) {
    columns[i].sliderLeft = columns[i - 1].sliderLeft + Pitch;
    columns[i].boxLeft = columns[i - 1].boxLeft + Pitch;
    columns[i].visible = columns[i].boxLeft >= 0 && columns[i].boxLeft + BoxWidth <= PanelWidth;
  }
  return columns;
}

}  // namespace Equalizer
