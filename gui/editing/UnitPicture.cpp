#include "gui/editing/UnitPicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

UnitPicture::UnitPicture(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette colors = palette();
  colors.setColor(QPalette::Window, Qt::black);
  setPalette(colors);
}

void UnitPicture::Clear() {
  picture_ = QImage();
  line_.clear();
  update();
}

void UnitPicture::SetPicture(const QImage& picture) {
  picture_ = picture;
  line_.clear();
  update();
}

void UnitPicture::DrawLine(const QList<QPointF>& points) {
  line_ = points;
  update();
}

void UnitPicture::PlaceShapes() {
  for (UnitShape* shape : findChildren<UnitShape*>(QString(), Qt::FindDirectChildrenOnly)) {
    shape->Place();
  }
}

QPointF UnitPicture::ToUnits(const QPointF& pixels) const {
  return {pixels.x() / std::max(1, width()), pixels.y() / std::max(1, height())};
}

void UnitPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!picture_.isNull()) painter.drawImage(rect(), picture_);
  if (line_.size() > 1) {
    QPolygonF polyline;
    for (const QPointF& point : line_)
      polyline << QPointF(point.x() * width(), point.y() * height());
    painter.setPen(QColor(0, 255, 0));
    painter.drawPolyline(polyline);
  }
}

void UnitPicture::resizeEvent(QResizeEvent*) { PlaceShapes(); }

void UnitPicture::mousePressEvent(QMouseEvent* event) {
  const QPointF at = ToUnits(event->position());
  emit MouseDown(event->button(), at.x(), at.y());
}

void UnitPicture::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = ToUnits(event->position());
  emit MouseMove(at.x(), at.y());
}

void UnitPicture::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = ToUnits(event->position());
  emit MouseUp(event->button(), at.x(), at.y());
}

void UnitPicture::keyPressEvent(QKeyEvent* event) {
  emit KeyDown(event->key());
  QWidget::keyPressEvent(event);
}

UnitShape::UnitShape(UnitPicture* picture, const QColor& color, bool filled)
    : QWidget(picture), color_(color), filled_(filled) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void UnitShape::SetGeometry(double left, double top, double width, double height) {
  Left = left;
  Top = top;
  Width = width;
  Height = height;
  Place();
}

void UnitShape::Place() {
  const QWidget* box = parentWidget();
  const double w = box->width();
  const double h = box->height();
  const int height = std::max(1, int(std::lround(Height * h)));
  const int top = int(std::lround(Top * h)) - (CentredOnTop ? height / 2 : 0);
  setGeometry(int(std::lround(Left * w)), top, std::max(1, int(std::lround(Width * w))), height);
}

void UnitShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (filled_) {
    painter.fillRect(rect(), color_);
  } else {
    painter.setPen(color_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}
