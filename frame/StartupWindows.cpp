#include "frame/StartupWindows.h"

#include <QWidget>

#include "devices/CdRipper.h"
#include "formats/FormatEditor.h"
#include "frame/FfmpegTools.h"
#include "frame/Form16.h"
#include "frame/Form9.h"
#include "frame/Session.h"
#include "lang/Form13.h"
#include "lang/Lang.h"

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
