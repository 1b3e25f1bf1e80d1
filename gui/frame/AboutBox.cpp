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
  connect(donateButton, &QPushButton::clicked, this, &AboutBox::Donate);
  connect(closeButton, &QPushButton::clicked, this, &AboutBox::accept);
  connect(webAddressLabel, &QLabel::linkActivated, this, &AboutBox::OpenWebPage);
}

QLabel* AboutBox::AddLabel(const char* name, const QString& text) {
  auto* label = Named(new QLabel(text, this), name);
  label->setWordWrap(true);
  return label;
}

void AboutBox::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  auto* head = new QHBoxLayout;
  iconLabel = AddLabel("Image1", QString());
  const QIcon icon = QApplication::windowIcon().isNull()
                         ? style()->standardIcon(QStyle::SP_MediaPlay)
                         : QApplication::windowIcon();
  iconLabel->setPixmap(icon.pixmap(48, 48));
  versionLabel = AddLabel("Label1", "Quillmoor 2.0 (rev. 10)");
  QFont big = versionLabel->font();
  big.setPointSize(big.pointSize() + 4);
  big.setBold(true);
  versionLabel->setFont(big);
  head->addWidget(iconLabel);
  head->addWidget(versionLabel, 1);
  layout->addLayout(head);

  licenceText = Named(new QPlainTextEdit(kLicence, this), "Text1");
  licenceText->setReadOnly(true);
  licenceText->setMinimumHeight(160);
  layout->addWidget(licenceText);

  auto* web = new QHBoxLayout;
  webPageCaption = AddLabel("Label5", "Página Web / Web page:");
  webPageCaption->setWordWrap(false);
  webAddressLabel = AddLabel("Label9", QString("<a href=\"%1\">%1</a>").arg(ProgramHelp::WebPage));
  webAddressLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                           Qt::LinksAccessibleByKeyboard);
  web->addWidget(webPageCaption);
  web->addWidget(webAddressLabel, 1);
  layout->addLayout(web);

  separatorLine = Named(new QFrame(this), "Line1");
  separatorLine->setFrameShape(QFrame::HLine);
  separatorLine->setFrameShadow(QFrame::Sunken);
  layout->addWidget(separatorLine);

  recommendSpanishLabel =
      AddLabel("Label3", "Si le gusta este programa, recomiéndelo a sus amigos.");
  donationSpanishLabel = AddLabel("Label6", "Puede apoyar su desarrollo con una donación.");
  recommendEnglishLabel =
      AddLabel("Label7", "If you like this program, recommend it to your friends.");
  donationEnglishLabel = AddLabel("Label8", "You can support its development with a donation.");
  for (QLabel* label :
       {recommendSpanishLabel, donationSpanishLabel, recommendEnglishLabel, donationEnglishLabel})
    layout->addWidget(label);

  auto* foot = new QHBoxLayout;
  auto* publisher = new QVBoxLayout;
  publisherLabel = AddLabel("Label2", "Proyecto Quillmoor / The Quillmoor project");
  copyrightLabel = AddLabel("Label4", "© 2026");
  publisher->addWidget(publisherLabel);
  publisher->addWidget(copyrightLabel);
  foot->addLayout(publisher, 1);
  donateButton = Named(new QPushButton("Donar / Donate", this), "Command1");
  foot->addWidget(donateButton, 0, Qt::AlignBottom);
  closeButton = Named(new QPushButton("Cerrar / Close", this), "Command2");
  WidgetFactory::SetEnterButton(this, closeButton);
  foot->addWidget(closeButton, 0, Qt::AlignBottom);
  layout->addLayout(foot);
  // Wrapped lines take more height than the layout's least size tells.
  resize(520, qMax(480, layout->totalHeightForWidth(520)));
}

// The about box has no translator: it takes its caption from the main window's
// "About" item, whatever language that is in.
void AboutBox::Load() {
  const QString about = MainWindowLink::Caption("Help_About");
  if (!about.isNull()) setWindowTitle(about);
}

void AboutBox::Donate() { ProgramHelp::OpenDonationPage(); }

void AboutBox::OpenWebPage() { DesktopServices::ShellOpen(ProgramHelp::WebPage); }

void AboutBox::ShowModal(QWidget* owner) {
  AboutBox window(owner);
  window.Load();
  window.exec();
}
