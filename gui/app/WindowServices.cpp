#include "gui/app/WindowServices.h"

#include <memory>

#include "core/frame/DataFolderManager.h"
#include "core/frame/Player.h"
#include "core/frame/TextViewer.h"
#include "core/lang/Lang.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/FilterEditorWindow.h"
#include "gui/formats/CodecEditorWindow.h"
#include "gui/formats/FormatEditorWindow.h"
#include "gui/frame/FileManagerWindow.h"
#include "gui/frame/PlayerWindow.h"
#include "gui/frame/TextViewerWindow.h"
#include "gui/ground/WidgetDialogs.h"
#include "gui/lang/Translators.h"

namespace WindowServices {

void Install() {
  Dialogs::SetDefaultResponder(std::make_unique<WidgetDialogs>());
  Lang::InstallWindowTranslator(&Lang::TranslateMainWindow);
  DataFolderManager::InstallManagerWindow(&FileManagerWindow::ShowFileManager);
  DataFolderManager::InstallEditor(
      "qfm", [](const QString& name) { FormatEditorWindow::ShowEditor(name, false); });
  DataFolderManager::InstallEditor(
      "qca", [](const QString& name) { CodecEditorWindow::ShowEditor(name, false); });
  DataFolderManager::InstallEditor(
      "qcv", [](const QString& name) { CodecEditorWindow::ShowEditor(name, true); });
  DataFolderManager::InstallEditor(
      "qep", [](const QString& name) { EditingProfileWindow::ShowEditor(name, false); });
  DataFolderManager::InstallEditor("qfl", &FilterEditorWindow::ShowEditor);
  TextViewer::InstallViewer({&TextViewerWindow::ShowCommandOutput, &TextViewerWindow::CloseViewer});
  Player::InstallPlayerWindow(&PlayerWindow::Play);
}

}  // namespace WindowServices
