#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include "core/editing/EditingProfileEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/TextViewer.h"
#include "core/ground/CommandLine.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateCommandLinePanel() {
  Make(Label8, "Label8", PicModifCmdL, 120, 120, 3850, 255);
  Make(Text29, "Text29", PicModifCmdL, 120, 420, 3850, 285);
  Make(Label9, "Label9", PicModifCmdL, 120, 900, 3850, 255);
  Make(Text30, "Text30", PicModifCmdL, 120, 1200, 3850, 285);
}

void EditingProfileWindow::SetCommandLineCaptions() {
  Label8->setText("Parámetros de salida:");
  Label9->setText("Parámetros de entrada:");
}

void EditingProfileWindow::WireCommandLinePanel() {
  connect(Text29, &QLineEdit::textChanged, this, &EditingProfileWindow::Text29_Change);
  connect(Text30, &QLineEdit::textChanged, this, &EditingProfileWindow::Text30_Change);
  connect(Opt_Helpff, &QAction::triggered, this, &EditingProfileWindow::Opt_Helpff_Click);
}

void EditingProfileWindow::ShowCommandLine(const EditProfileRec& p) {
  SetText(Text30, p.InputParams);
  SetText(Text29, p.OutputParams);
}

void EditingProfileWindow::ClearCommandLine() {
  Text29->setText(QString());
  Text30->setText(QString());
}

void EditingProfileWindow::Text29_Change() {
  if (EditingProfileEditor::State().Loading != 1) Profile().OutputParams = Text29->text();
}

void EditingProfileWindow::Text30_Change() {
  if (EditingProfileEditor::State().Loading != 1) Profile().InputParams = Text30->text();
}

void EditingProfileWindow::Opt_Helpff_Click() {
  if (!FfmpegTools::FfmpegExists()) return;
  TextViewer::ShowCommandOutput(
      CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " -h full", this);
}
