#include "gui/frame/WindowServices.h"

#include "core/frame/DataFolderManager.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/TextViewer.h"
#include "core/lang/Lang.h"
#include "gui/editing/Form4.h"
#include "gui/editing/Form8.h"
#include "gui/formats/Form5.h"
#include "gui/formats/Form7.h"
#include "gui/frame/Form18.h"
#include "gui/frame/Form3.h"
#include "gui/frame/Form6.h"
#include "gui/frame/WidgetDialogs.h"
#include "gui/lang/Translators.h"

namespace WindowServices {

void Install() {
  static WidgetDialogs dialogs;
  Dialogs::SetDefaultResponder(&dialogs);
  Lang::InstallWindowTranslator(&Lang::TranslateForm1);
  DataFolderManager::InstallManagerWindow(&Form3::ShowFileManager);
  DataFolderManager::InstallEditor("qfm", [](const QString& name) { Form7::ShowEditor(name, 0); });
  DataFolderManager::InstallEditor("qca", [](const QString& name) { Form5::ShowEditor(name, 0); });
  DataFolderManager::InstallEditor("qcv", [](const QString& name) { Form5::ShowEditor(name, 1); });
  DataFolderManager::InstallEditor("qep", [](const QString& name) { Form8::ShowEditor(name, 0); });
  DataFolderManager::InstallEditor("qfl", &Form4::ShowEditor);
  TextViewer::InstallViewer({&Form6::ShowCommandOutput, &Form6::CloseViewer});
  FfmpegTools::InstallPlayerWindow(&Form18::Play);
}

}  // namespace WindowServices
