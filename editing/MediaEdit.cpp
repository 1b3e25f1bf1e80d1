#include "editing/MediaEdit.h"

#include <cmath>

#include "frame/ProgramFolder.h"

namespace MediaEdit {

namespace {

// Decimal-point numbers and integers, blanks around them allowed.
bool IsNumber(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  return ok && std::isfinite(value);
}

void DefaultIfNotNumber(QString& text, const QString& fallback) {
  if (!IsNumber(text)) text = fallback;
}

}  // namespace

QString ScratchProfilePath() { return ProgramFolder::AppFiles("editp/.qep"); }

QString DefaultBandFrequency(int band) {
  static const int frequencies[] = {31, 63, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
  return QString::number(frequencies[band - 1]);
}

void NormalizeEqualizer(EditProfileRec& profile) {
  for (int band = 1; band <= 10; ++band) {
    DefaultIfNotNumber(profile.Equalizer[band * 3 - 3], DefaultBandFrequency(band));
    DefaultIfNotNumber(profile.Equalizer[band * 3 - 2], "0");
    DefaultIfNotNumber(profile.Equalizer[band * 3 - 1], "1");
  }
}

}  // namespace MediaEdit
