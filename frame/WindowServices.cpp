#include "frame/WindowServices.h"

#include "frame/Appfilesadm.h"
#include "frame/Form18.h"
#include "frame/Form3.h"
#include "frame/Form6.h"
#include "frame/IntDocView.h"
#include "frame/ffmpeg.h"

namespace WindowServices {

void Install() {
  Appfilesadm::InstallManagerWindow(&Form3::ShowFileManager);
  IntDocView::InstallViewer({&Form6::ShowCommandOutput, &Form6::CloseViewer});
  ffmpeg::InstallPlayerWindow(&Form18::Play);
}

}  // namespace WindowServices
