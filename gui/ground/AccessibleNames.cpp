#include "gui/ground/AccessibleNames.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace AccessibleNames {

namespace {

// The property that holds a control's caption.
constexpr char kCaption[] = "AccessibleCaption";

// What a caption reads, without the mark of its access key.
QString CaptionText(const QWidget* caption) {
  QString text;
  if (caption->isWindow()) {
    text = caption->windowTitle();
  } else if (auto* label = qobject_cast<const QLabel*>(caption)) {
    text = label->text();
  } else if (auto* frame = qobject_cast<const QGroupBox*>(caption)) {
    text = frame->title();
  } else if (auto* box = qobject_cast<const QLineEdit*>(caption)) {
    text = box->text();
  } else if (auto* button = qobject_cast<const QAbstractButton*>(caption)) {
    text = button->text();
  }
  return text.replace(QLatin1String("&&"), QLatin1String("\x01")).remove('&').replace('\x01', '&');
}

void NameFromCaption(QWidget* control) {
  const auto caption = control->property(kCaption).value<QPointer<QWidget>>();
  if (caption) control->setAccessibleName(CaptionText(caption));
}

}  // namespace

void NameAfter(QWidget* control, QWidget* caption) {
  control->setProperty(kCaption, QVariant::fromValue(QPointer<QWidget>(caption)));
  NameFromCaption(control);
}

void Refresh(QWidget* window) {
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (control->property(kCaption).isValid()) NameFromCaption(control);
  }
}

}  // namespace AccessibleNames
