#include "lang/Form13.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/Lang.h"

namespace {
// Each built-in language as the chooser lists it and as config.qcf names it.
const std::pair<const char*, const char*> kBuiltIn[] = {
    {"Español", "<Spanish>"}, {"English", "<English>"}, {"Português", "<Portuguese>"}};
}  // namespace

Form13::Form13(QWidget* owner) : QDialog(owner) {
  setObjectName("Form13");
  setWindowTitle("Idioma / Language");
  auto* layout = new QVBoxLayout(this);
  List1 = new QListWidget(this);
  List1->setObjectName("List1");
  for (const auto& [caption, name] : kBuiltIn) {
    auto* item = new QListWidgetItem(QString::fromUtf8(caption), List1);
    item->setData(Qt::UserRole, QString::fromLatin1(name));
  }
  List1->setCurrentRow(0);
  layout->addWidget(List1);
  Command1 = new QPushButton("OK", this);
  Command1->setObjectName("Command1");
  layout->addWidget(Command1);
  connect(Command1, &QPushButton::clicked, this, &Form13::Command1_Click);
}

void Form13::Command1_Click() {
  if (QListWidgetItem* item = List1->currentItem()) {
    Lang::LoadLanguage(item->data(Qt::UserRole).toString());
  }
  accept();
}

void Form13::ShowModal(QWidget* owner) {
  Form13 window(owner);
  window.exec();
}
