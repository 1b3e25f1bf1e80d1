#include "gui/frame/StartupWindows.h"

#include <QWidget>

#include "core/devices/CdRipper.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Lifecycle.h"
#include "core/lang/Lang.h"
#include "gui/frame/AboutBox.h"
#include "gui/frame/ToolPathsWindow.h"
#include "gui/lang/LanguageWindow.h"

namespace StartupWindows {

void FindToolsOnFirstRun() {
  ToolPathsWindow::FillMissingTools(
      {&FfmpegTools::State().FfmpegPath, &FfmpegTools::State().FfplayPath,
       &FfmpegTools::State().FfprobePath, &CdRipper::State().Cdda2wavPath});
  Lifecycle::ReportMissingTools();
}

void Run(QWidget* main) {
  Lifecycle::Startup();
  if (Lang::State().LanguageName.isEmpty()) {
    if (main) main->show();
    LanguageWindow::ShowModal(main);
  }
  if (Lifecycle::IsFirstRun()) {
    if (main) main->show();
    FindToolsOnFirstRun();
    ToolPathsWindow::ShowModal(main);
    AboutBox::ShowModal(main);
    FormatEditor::State().FfmpegListsStale = 1;
  }
}

}  // namespace StartupWindows
