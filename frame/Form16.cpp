#include "frame/Form16.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

Form16::Form16(QWidget* owner) : QDialog(owner) {
  setObjectName("Form16");
  setWindowTitle("Acerca de este programa");
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel("Quillmoor 2.0 (rev. 10)", this);
  Label1->setObjectName("Label1");
  layout->addWidget(Label1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

void Form16::ShowModal(QWidget* owner) {
  Form16 window(owner);
  window.exec();
}
