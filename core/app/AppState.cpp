#include "core/app/AppState.h"

#include <QtGlobal>

#include "core/convert/ConversionState.h"
#include "core/devices/CdRipper.h"
#include "core/devices/Recorder.h"
#include "core/devices/Streamer.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/editing/FilterEditor.h"
#include "core/formats/CodecViewer.h"
#include "core/formats/ExternalCodecEditor.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Player.h"
#include "core/frame/Session.h"
#include "core/frame/TextViewer.h"
#include "core/ground/Dialogs.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"

struct AppState::Parts {
  ProgramFolder::FolderState programFolder;
  Session::SessionState session;
  Conversion::ConversionState conversion;
  FfmpegTools::ToolsState tools;
  Player::PlayerState player;
  Lang::LanguageState language;
  DesktopServices::DesktopState desktop;
  ToolRunner::RunnerState runner;
  Dialogs::ResponderState dialogs;
  DataFolderManager::ManagerState fileManager;
  TextViewer::TextViewerState textViewer;
  FormatEditor::FormatEditorState formatEditor;
  ExternalCodecEditor::CodecEditorState codecEditor;
  CodecViewer::ViewerState codecViewer;
  EditingProfileEditor::ProfileEditorState profileEditor;
  FilterEditor::FilterEditorState filterEditor;
  CdRipper::CdRipState cdRip;
  Recorder::RecorderState recorder;
  Streamer::StreamerState streamer;
};

namespace {

AppState* g_current = nullptr;

}  // namespace

AppState::AppState() : parts_(std::make_unique<Parts>()), previous_(g_current) { g_current = this; }

AppState::~AppState() { g_current = previous_; }

AppState& AppState::Current() {
  if (!g_current) qFatal("AppState::Current: there is no AppState; main() makes one");
  return *g_current;
}

ProgramFolder::FolderState& ProgramFolder::State() {
  return AppState::Current().parts().programFolder;
}
Session::SessionState& Session::State() { return AppState::Current().parts().session; }
Conversion::ConversionState& Conversion::State() { return AppState::Current().parts().conversion; }
FfmpegTools::ToolsState& FfmpegTools::State() { return AppState::Current().parts().tools; }
Player::PlayerState& Player::State() { return AppState::Current().parts().player; }
Lang::LanguageState& Lang::State() { return AppState::Current().parts().language; }
DesktopServices::DesktopState& DesktopServices::State() {
  return AppState::Current().parts().desktop;
}
ToolRunner::RunnerState& ToolRunner::State() { return AppState::Current().parts().runner; }
Dialogs::ResponderState& Dialogs::State() { return AppState::Current().parts().dialogs; }
DataFolderManager::ManagerState& DataFolderManager::State() {
  return AppState::Current().parts().fileManager;
}
TextViewer::TextViewerState& TextViewer::State() { return AppState::Current().parts().textViewer; }
FormatEditor::FormatEditorState& FormatEditor::State() {
  return AppState::Current().parts().formatEditor;
}
ExternalCodecEditor::CodecEditorState& ExternalCodecEditor::State() {
  return AppState::Current().parts().codecEditor;
}
CodecViewer::ViewerState& CodecViewer::State() { return AppState::Current().parts().codecViewer; }
EditingProfileEditor::ProfileEditorState& EditingProfileEditor::State() {
  return AppState::Current().parts().profileEditor;
}
FilterEditor::FilterEditorState& FilterEditor::State() {
  return AppState::Current().parts().filterEditor;
}
CdRipper::CdRipState& CdRipper::State() { return AppState::Current().parts().cdRip; }
Recorder::RecorderState& Recorder::State() { return AppState::Current().parts().recorder; }
Streamer::StreamerState& Streamer::State() { return AppState::Current().parts().streamer; }
