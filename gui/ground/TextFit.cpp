#include "gui/ground/TextFit.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QtMath>

namespace TextFit {

namespace {

QRect ScaledEdges(const QRect& design, double factor) {
  const int left = qRound(design.left() * factor);
  const int top = qRound(design.top() * factor);
  const int right = qRound((design.left() + design.width()) * factor);
  const int bottom = qRound((design.top() + design.height()) * factor);
  return {left, top, right - left, bottom - top};
}

}  // namespace

double Factor(const QFont& font) {
  static const QString letters =
      QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
  const double letterWidth = QFontMetricsF(font).horizontalAdvance(letters) / letters.size();
  return qMax(1.0, letterWidth / DesignLetterWidth);
}

double Factor() { return Factor(QApplication::font()); }

int Pixels(int twips) { return qRound(twips / 15.0 * Factor()); }

int Scaled(int designPixels) { return qRound(designPixels * Factor()); }

QRect FromPixels(int left, int top, int width, int height) {
  return ScaledEdges({left, top, width, height}, Factor());
}

QRect FromTwips(int left, int top, int width, int height) {
  return ScaledEdges({left, top, width, height}, Factor() / 15);
}

int BoxWidthFor(const QLineEdit* box) {
  const int frame =
      box->hasFrame() ? 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
  const QMargins margins = box->textMargins();
  // A line box keeps two pixels on each side of its text, and one for its caret.
  return box->fontMetrics().horizontalAdvance(box->text()) + 2 * 2 + 1 + frame + margins.left() +
         margins.right();
}

}  // namespace TextFit
