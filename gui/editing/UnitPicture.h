#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QWidget>

// A picture box whose user coordinates run from 0 at its left and top inner
// edges to 1 at its right and bottom ones: it paints a picture stretched over
// the whole box, a green line through given points, and its shapes, and
// reports the mouse in those coordinates.
class UnitPicture : public QWidget {
  Q_OBJECT

 public:
  explicit UnitPicture(QWidget* parent = nullptr);

  // Removes the picture and the line.
  void Clear();
  void SetPicture(const QImage& picture);
  bool HasPicture() const { return !picture_.isNull(); }
  // A green line through the points, in user coordinates.
  void DrawLine(const QList<QPointF>& points);
  const QList<QPointF>& Line() const { return line_; }
  // Lays out the shapes again after one of them moved.
  void PlaceShapes();
  QPointF ToUnits(const QPointF& pixels) const;

 signals:
  void MouseDown(Qt::MouseButton button, double x, double y);
  void MouseMove(double x, double y);
  void MouseUp(Qt::MouseButton button, double x, double y);
  void KeyDown(int key);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QImage picture_;
  QList<QPointF> line_;
};

// A rectangle inside a UnitPicture, placed in its user coordinates. Mouse
// events go through it to the picture.
class UnitShape : public QWidget {
  Q_OBJECT

 public:
  UnitShape(UnitPicture* picture, const QColor& color, bool filled);

  double Left = 0;
  double Top = 0;
  double Width = 1;
  double Height = 1;
  // Drawn centred on Top instead of hanging from it (a slider's marker).
  bool CentredOnTop = false;

  void SetGeometry(double left, double top, double width, double height);
  // Places the widget from Left, Top, Width and Height.
  void Place();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
  bool filled_;
};
