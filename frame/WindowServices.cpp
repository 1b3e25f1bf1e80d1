#include "frame/WindowServices.h"

#include "frame/DataFolderManager.h"
#include "frame/FfmpegTools.h"
#include "frame/Form18.h"
#include "frame/Form3.h"
#include "frame/Form6.h"
#include "frame/TextViewer.h"

namespace WindowServices {

void Install() {
  DataFolderManager::InstallManagerWindow(&Form3::ShowFileManager);
  TextViewer::InstallViewer({&Form6::ShowCommandOutput, &Form6::CloseViewer});
  FfmpegTools::InstallPlayerWindow(&Form18::Play);
}

}  // namespace WindowServices
