#include "frame/Form9.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "devices/cdrtools.h"
#include "formats/FormatEdit.h"
#include "frame/ffmpeg.h"

Form9::Form9(QWidget* owner) : QDialog(owner) {
  setObjectName("Form9");
  setWindowTitle("Rutas de acceso");
  auto* layout = new QVBoxLayout(this);
  auto* rows = new QFormLayout;
  layout->addLayout(rows);
  Text1 = AddPathRow("Text1", "ffmpeg:", ffmpeg::FfmpegPath);
  Text2 = AddPathRow("Text2", "ffplay:", ffmpeg::FfplayPath);
  Text5 = AddPathRow("Text5", "ffprobe:", ffmpeg::FfprobePath);
  Text7 = AddPathRow("Text7", "cdda2wav:", cdrtools::Cdda2wavPath);
  for (QLineEdit* box : {Text1, Text2, Text5, Text7}) rows->addRow(box->property("caption").toString(), box);
  auto* buttons = new QHBoxLayout;
  Command5 = new QPushButton("Establecer", this);
  Command5->setObjectName("Command5");
  Command6 = new QPushButton("Cancelar", this);
  Command6->setObjectName("Command6");
  buttons->addWidget(Command5);
  buttons->addWidget(Command6);
  layout->addLayout(buttons);
  connect(Command5, &QPushButton::clicked, this, &Form9::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* Form9::AddPathRow(const char* name, const QString& caption, const QString& path) {
  auto* box = new QLineEdit(path, this);
  box->setObjectName(name);
  box->setProperty("caption", caption);
  box->setMinimumWidth(360);
  return box;
}

void Form9::Command5_Click() {
  ffmpeg::FfmpegPath = Text1->text();
  ffmpeg::FfplayPath = Text2->text();
  ffmpeg::FfprobePath = Text5->text();
  cdrtools::Cdda2wavPath = Text7->text();
  FormatEdit::FfmpegListsStale = 1;
  accept();
}

void Form9::ShowModal(QWidget* owner) {
  Form9 window(owner);
  window.exec();
}
