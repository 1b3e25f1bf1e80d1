#include "gui/app/StartupWindows.h"

#include <QWidget>

#include "core/app/Lifecycle.h"
#include "core/devices/CdRipper.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/lang/Lang.h"
#include "gui/app/ToolPathsWindow.h"
#include "gui/frame/AboutBox.h"
#include "gui/frame/LanguageWindow.h"

namespace StartupWindows {

void FindToolsOnFirstRun() {
  QString& ffmpeg = FfmpegTools::State().FfmpegPath;
  QString& ffplay = FfmpegTools::State().FfplayPath;
  QString& ffprobe = FfmpegTools::State().FfprobePath;
  QString& cdda2wav = CdRipper::State().Cdda2wavPath;
  const QStringList found = FfmpegTools::WithMissingToolsFound({ffmpeg, ffplay, ffprobe, cdda2wav});
  ffmpeg = found[0];
  ffplay = found[1];
  ffprobe = found[2];
  cdda2wav = found[3];
  Lifecycle::ReportMissingTools();
}

void Run(QWidget* main) {
  Lifecycle::Startup();
  const bool firstRun = Lifecycle::IsFirstRun();
  Session::State().FirstRunUnfinished = firstRun;
  if (Lang::State().LanguageName.isEmpty()) {
    if (main) main->show();
    LanguageWindow::ShowModal(main);
  }
  if (firstRun) {
    if (main) main->show();
    FindToolsOnFirstRun();
    ToolPathsWindow::ShowModal(main);
    AboutBox::ShowModal(main);
    FormatEditor::State().FfmpegListsStale = true;
  }
  Session::State().FirstRunUnfinished = false;
}

}  // namespace StartupWindows
