#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include "core/frame/FfmpegTools.h"
#include "core/frame/TextViewer.h"
#include "core/frame/ToolRunner.h"
#include "gui/editing/Form8.h"
#include "gui/editing/Form8Layout.h"

using EditingProfileEditor::CurrentProfile;
using namespace Form8Layout;

void Form8::CreateCommandLinePanel() {
  Make(Label8, "Label8", PicModifCmdL, 120, 120, 3850, 255);
  Make(Text29, "Text29", PicModifCmdL, 120, 420, 3850, 285);
  Make(Label9, "Label9", PicModifCmdL, 120, 900, 3850, 255);
  Make(Text30, "Text30", PicModifCmdL, 120, 1200, 3850, 285);
}

void Form8::SetCommandLineCaptions() {
  Label8->setText("Parámetros de salida:");
  Label9->setText("Parámetros de entrada:");
}

void Form8::WireCommandLinePanel() {
  connect(Text29, &QLineEdit::textChanged, this, &Form8::Text29_Change);
  connect(Text30, &QLineEdit::textChanged, this, &Form8::Text30_Change);
  connect(Opt_Helpff, &QAction::triggered, this, &Form8::Opt_Helpff_Click);
}

void Form8::ShowCommandLine(const EditProfileRec& p) {
  SetText(Text30, p.InputParams);
  SetText(Text29, p.OutputParams);
}

void Form8::ClearCommandLine() {
  Text29->setText(QString());
  Text30->setText(QString());
}

void Form8::Text29_Change() {
  if (EditingProfileEditor::Loading != 1) CurrentProfile.OutputParams = Text29->text();
}

void Form8::Text30_Change() {
  if (EditingProfileEditor::Loading != 1) CurrentProfile.InputParams = Text30->text();
}

void Form8::Opt_Helpff_Click() {
  if (!FfmpegTools::FfmpegExists()) return;
  TextViewer::ShowCommandOutput(ToolRunner::QuoteArgument(FfmpegTools::FfmpegPath) + " -h full",
                                this);
}
