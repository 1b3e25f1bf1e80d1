#include "gui/frame/AboutBox.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/frame/DesktopServices.h"
#include "core/frame/ProgramHelp.h"
#include "gui/ground/MainWindowLink.h"
#include "gui/ground/WidgetFactory.h"

using WidgetFactory::Named;

namespace {

const char* const kLicence =
    "Quillmoor 2.0 es software libre: puede redistribuirlo y modificarlo bajo los términos "
    "de la Licencia Pública General de GNU, versión 3 o posterior, publicada por la Free "
    "Software Foundation. Se distribuye con la esperanza de que sea útil, pero SIN NINGUNA "
    "GARANTÍA, ni siquiera la garantía implícita de COMERCIABILIDAD o IDONEIDAD PARA UN "
    "PROPÓSITO PARTICULAR.\n\n"
    "Quillmoor 2.0 is free software: you can redistribute it and/or modify it under the "
    "terms of the GNU General Public License, version 3 or later, as published by the Free "
    "Software Foundation. It is distributed in the hope that it will be useful, but WITHOUT "
    "ANY WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A "
    "PARTICULAR PURPOSE.\n\n"
    "ffmpeg, ffprobe, ffplay y cdda2wav son programas independientes con sus propias "
    "licencias. / ffmpeg, ffprobe, ffplay and cdda2wav are separate programs under their "
    "own licences.";

}  // namespace

AboutBox::AboutBox(QWidget* owner) : QDialog(owner) {
  setObjectName("Form16");
  setWindowTitle("Acerca de este programa");
  CreateControls();
  connect(Command1, &QPushButton::clicked, this, &AboutBox::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &AboutBox::accept);
  connect(Label9, &QLabel::linkActivated, this, &AboutBox::Label9_Click);
}

QLabel* AboutBox::AddLabel(const char* name, const QString& text) {
  auto* label = Named(new QLabel(text, this), name);
  label->setWordWrap(true);
  return label;
}

void AboutBox::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  auto* head = new QHBoxLayout;
  Image1 = AddLabel("Image1", QString());
  const QIcon icon = QApplication::windowIcon().isNull()
                         ? style()->standardIcon(QStyle::SP_MediaPlay)
                         : QApplication::windowIcon();
  Image1->setPixmap(icon.pixmap(48, 48));
  Label1 = AddLabel("Label1", "Quillmoor 2.0 (rev. 10)");
  QFont big = Label1->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  Label1->setFont(big);
  head->addWidget(Image1);
  head->addWidget(Label1, 1);
  layout->addLayout(head);

  Text1 = Named(new QPlainTextEdit(kLicence, this), "Text1");
  Text1->setReadOnly(true);
  Text1->setMinimumHeight(160);
  layout->addWidget(Text1);

  auto* web = new QHBoxLayout;
  Label5 = AddLabel("Label5", "Página Web / Web page:");
  Label5->setWordWrap(false);
  Label9 = AddLabel("Label9", QString("<a href=\"%1\">%1</a>").arg(ProgramHelp::WebPage));
  Label9->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  web->addWidget(Label5);
  web->addWidget(Label9, 1);
  layout->addLayout(web);

  Line1 = Named(new QFrame(this), "Line1");
  Line1->setFrameShape(QFrame::HLine);
  Line1->setFrameShadow(QFrame::Sunken);
  layout->addWidget(Line1);

  Label3 = AddLabel("Label3", "Si le gusta este programa, recomiéndelo a sus amigos.");
  Label6 = AddLabel("Label6", "Puede apoyar su desarrollo con una donación.");
  Label7 = AddLabel("Label7", "If you like this program, recommend it to your friends.");
  Label8 = AddLabel("Label8", "You can support its development with a donation.");
  for (QLabel* label : {Label3, Label6, Label7, Label8}) layout->addWidget(label);

  auto* foot = new QHBoxLayout;
  auto* publisher = new QVBoxLayout;
  Label2 = AddLabel("Label2", "Proyecto Quillmoor / The Quillmoor project");
  Label4 = AddLabel("Label4", "© 2026");
  publisher->addWidget(Label2);
  publisher->addWidget(Label4);
  foot->addLayout(publisher, 1);
  Command1 = Named(new QPushButton("Donar / Donate", this), "Command1");
  foot->addWidget(Command1, 0, Qt::AlignBottom);
  Command2 = Named(new QPushButton("Cerrar / Close", this), "Command2");
  WidgetFactory::SetEnterButton(this, Command2);
  foot->addWidget(Command2, 0, Qt::AlignBottom);
  layout->addLayout(foot);
  // Wrapped lines take more height than the layout's least size tells.
  resize(520, qMax(480, layout->totalHeightForWidth(520)));
}

// The about box has no translator: it takes its caption from the main window's
// "About" item, whatever language that is in.
void AboutBox::Form_Load() {
  const QString about = MainWindowLink::Caption("Help_About");
  if (!about.isNull()) setWindowTitle(about);
}

void AboutBox::Command1_Click() { ProgramHelp::OpenDonationPage(); }

void AboutBox::Label9_Click() { DesktopServices::ShellOpen(ProgramHelp::WebPage); }

void AboutBox::ShowModal(QWidget* owner) {
  AboutBox window(owner);
  window.Form_Load();
  window.exec();
}
