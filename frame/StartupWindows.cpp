#include "frame/StartupWindows.h"

#include <QWidget>

#include "devices/cdrtools.h"
#include "formats/FormatEdit.h"
#include "frame/Aplicacion.h"
#include "frame/Form16.h"
#include "frame/Form9.h"
#include "frame/ffmpeg.h"
#include "lang/Form13.h"
#include "lang/Lang.h"

namespace StartupWindows {

void FindToolsOnFirstRun() {
  Form9::FillMissingTools(
      {&ffmpeg::FfmpegPath, &ffmpeg::FfplayPath, &ffmpeg::FfprobePath, &cdrtools::Cdda2wavPath});
  Aplicacion::ReportMissingTools();
}

void Run(QWidget* main) {
  Aplicacion::Startup();
  if (Lang::LanguageName.isEmpty()) {
    if (main) main->show();
    Form13::ShowModal(main);
  }
  if (Aplicacion::IsFirstRun()) {
    if (main) main->show();
    FindToolsOnFirstRun();
    Form9::ShowModal(main);
    Form16::ShowModal(main);
    FormatEdit::FfmpegListsStale = 1;
  }
}

}  // namespace StartupWindows
