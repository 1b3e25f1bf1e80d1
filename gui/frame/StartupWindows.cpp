#include "gui/frame/StartupWindows.h"

#include <QWidget>

#include "core/devices/CdRipper.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/lang/Lang.h"
#include "gui/frame/Form16.h"
#include "gui/frame/Form9.h"
#include "gui/lang/Form13.h"

namespace StartupWindows {

void FindToolsOnFirstRun() {
  Form9::FillMissingTools({&FfmpegTools::FfmpegPath, &FfmpegTools::FfplayPath,
                           &FfmpegTools::FfprobePath, &CdRipper::Cdda2wavPath});
  Session::ReportMissingTools();
}

void Run(QWidget* main) {
  Session::Startup();
  if (Lang::LanguageName.isEmpty()) {
    if (main) main->show();
    Form13::ShowModal(main);
  }
  if (Session::IsFirstRun()) {
    if (main) main->show();
    FindToolsOnFirstRun();
    Form9::ShowModal(main);
    Form16::ShowModal(main);
    FormatEditor::FfmpegListsStale = 1;
  }
}

}  // namespace StartupWindows
