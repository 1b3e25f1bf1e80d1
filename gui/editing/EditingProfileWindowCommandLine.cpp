#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include "core/editing/EditingProfileEditor.h"
#include "core/frame/AnotherToolRunning.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/TextViewer.h"
#include "core/ground/CommandLine.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateCommandLinePanel() {
  Make(outputParamsLabel, "Label8", commandLinePanel, 120, 120, 3850, 255);
  Make(outputParams, "Text29", commandLinePanel, 120, 420, 3850, 285);
  Make(inputParamsLabel, "Label9", commandLinePanel, 120, 900, 3850, 255);
  Make(inputParams, "Text30", commandLinePanel, 120, 1200, 3850, 285);
}

void EditingProfileWindow::SetCommandLineCaptions() {
  outputParamsLabel->setText("Parámetros de salida:");
  inputParamsLabel->setText("Parámetros de entrada:");
}

void EditingProfileWindow::WireCommandLinePanel() {
  connect(outputParams, &QLineEdit::textChanged, this, &EditingProfileWindow::OnOutputParamsEdited);
  connect(inputParams, &QLineEdit::textChanged, this, &EditingProfileWindow::OnInputParamsEdited);
  connect(ffmpegHelpAction, &QAction::triggered, this, &EditingProfileWindow::ShowFfmpegHelp);
}

void EditingProfileWindow::ShowCommandLine(const EditProfileRec& p) {
  SetText(inputParams, p.InputParams);
  SetText(outputParams, p.OutputParams);
}

void EditingProfileWindow::ClearCommandLine() {
  outputParams->setText(QString());
  inputParams->setText(QString());
}

void EditingProfileWindow::OnOutputParamsEdited() {
  if (!EditingProfileEditor::State().Loading) Profile().OutputParams = outputParams->text();
}

void EditingProfileWindow::OnInputParamsEdited() {
  if (!EditingProfileEditor::State().Loading) Profile().InputParams = inputParams->text();
}

void EditingProfileWindow::ShowFfmpegHelp() {
  if (!FfmpegTools::FfmpegExists() || AnotherToolRunning::Refuse()) return;
  TextViewer::ShowCommandOutput(
      CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " -h full", this);
}
