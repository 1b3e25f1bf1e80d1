#pragma once

#include <QString>
#include <array>
#include <optional>

// The ten-band equaliser of the editing-profile window: default bands, the
// named gain presets, and how the slider and the three band boxes turn into
// the stored texts. Band b (1 to 10) is column b - 1 of the window.
namespace Equalizer {

// "31" ... "16000".
extern const std::array<QString, 10> DefaultFrequencies;

struct Preset {
  const char* item;                   // the menu item's name
  const char* caption;                // its Spanish caption
  std::array<const char*, 10> gains;  // band 1 first, written as they stand
};
extern const std::array<Preset, 18> Presets;

// The gain box text for a release at y (0 top .. 1 bottom) on a slider; the
// right button means the middle (0 dB).
QString GainFromSlider(double y, bool rightButton);
// Up or Down on a slider: the new gain box text, or nothing at the limit or
// when the box does not hold a number.
std::optional<QString> GainStep(const QString& boxText, bool up);

// The marker's top for a stored gain, in the slider's 0..1 scale.
double MarkerTop(double gain);

// A change of a gain box: what to store and where the marker goes.
struct GainChange {
  QString stored;
  std::optional<double> markerTop;  // unset for an empty box
};
// Nothing for a text that is not a number; the empty text stores "".
std::optional<GainChange> GainBoxChanged(const QString& text);
// A change of a frequency or width box: one decimal, no limits.
std::optional<QString> FreqOrWidthBoxChanged(const QString& text);

// What a box shows and stores when it loses the focus.
QString GainOnLeave(const QString& stored);
QString FrequencyOnLeave(const QString& stored, int band);
QString WidthOnLeave(const QString& stored);

// Where column i lies when firstBand (the band scroll bar's value, 1 to 6)
// is the band at the panel's left, in twips inside the panel, and whether
// it is shown.
struct Column {
  int sliderLeft = 0;
  int boxLeft = 0;
  bool visible = false;
};
constexpr int PanelWidth = 4095;
constexpr int SliderLeft0 = 480;
constexpr int BoxLeft0 = 240;
constexpr int Pitch = 720;
constexpr int BoxWidth = 735;
std::array<Column, 10> LayOut(int firstBand);

}  // namespace Equalizer
