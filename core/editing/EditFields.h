#pragma once

#include <QString>
#include <array>

#include "core/ground/EditProfileRec.h"

// How the editing-profile window turns what is typed into its boxes into the
// texts it stores. Numbers are written with a decimal point whatever the
// desktop's regional settings, because the stored texts end up on ffmpeg
// command lines.
namespace EditFields {

// A single-precision value as text: up to seven significant digits, a zero
// before the point, no grouping ("0.5", "1.777778", "7").
QString SingleText(float value);
// True for a plain decimal number ("007", "2.50", ".5", "-3"); the value goes
// to *value when given.
bool IsNumeric(const QString& text, double* value = nullptr);
// Rounds to the given number of decimals; an exact half goes to the even digit.
double RoundHalfEven(double value, int decimals);

// What a box change does to its field.
enum class Outcome { Store, Keep, Overflow };
struct FieldChange {
  Outcome outcome = Outcome::Keep;
  QString text;  // the text to store when outcome is Store
  bool operator==(const FieldChange&) const = default;
};

// Crop, resize, aspect-ratio and border boxes: a number above 0 is stored in
// its single-precision text form, an empty box clears the field, anything else
// (0, a lone ".") keeps it. A number too large for single precision is Overflow.
FieldChange PositiveNumber(const QString& boxText);
// The volume box: a whole number above 0, "" clears, anything else keeps.
FieldChange Volume(const QString& boxText);
// Trim start and end: the box text as typed when secondsText (what
// FfmpegValues::TimeToSeconds made of it) is not empty, "" for an empty box.
FieldChange TimeText(const QString& boxText, const QString& secondsText);
// Trim duration: unit 0 is a time text as above; for frames and bytes (units
// 1 and 2) any text is stored as typed.
FieldChange DurationText(const QString& boxText, LengthUnit unit, const QString& secondsText);

// The colour dialog's 0x00BBGGRR as the stored "RRGGBB".
QString ColorToHex(int bgr);

// The "Tamaño predefinido" items, in menu order; the item is "Tam_" + caption.
struct SizePreset {
  const char* caption;
  int width;
  int height;
};
extern const std::array<SizePreset, 15> SizePresets;

// The report of an error that the program did not expect: "Error " and its
// number, a line break and its description, with the stop icon.
void ShowOverflowError();

}  // namespace EditFields
