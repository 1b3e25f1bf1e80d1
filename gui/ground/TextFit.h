#pragma once

#include <QRect>

class QFont;
class QLineEdit;

// Texts that fit their controls. The windows that place their controls at
// fixed positions were drawn for a narrower font than a Linux desktop uses:
// their whole design is scaled by how much wider the running font's letters
// are, so that their texts fit; a design size is never made smaller.
namespace TextFit {

// The average width, in pixels, of a letter of the font the designs were drawn for.
inline constexpr double DesignLetterWidth = 6.0;

// The running font's average letter width over the design's, at least 1.
double Factor(const QFont& font);
// The same for the application's font.
double Factor();

// A design length in twips (15 to a pixel) as pixels of this desktop.
int Pixels(int twips);
// A design length in pixels as pixels of this desktop.
int Scaled(int designPixels);

// A design place in twips or in pixels as a place on this desktop. Its edges are
// scaled, so that controls that meet or nest in the design still do.
QRect FromTwips(int left, int top, int width, int height);
QRect FromPixels(int left, int top, int width, int height);

// The width a line box needs to show the whole of its text.
int BoxWidthFor(const QLineEdit* box);

}  // namespace TextFit
