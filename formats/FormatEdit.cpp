#include "formats/FormatEdit.h"

#include "frame/ProgramFolder.h"

namespace FormatEdit {

uint8_t FfmpegListsStale = 0;
DynArray<QString> AudioEncoders;
DynArray<QString> VideoEncoders;
DynArray<QString> SubtitleEncoders;
DynArray<QString> AudioDecoders;
DynArray<QString> VideoDecoders;
DynArray<QString> SubtitleDecoders;
DynArray<QString> MuxerFormats;
DynArray<QString> DemuxerFormats;
DynArray<QString> InputPixelFormats;
DynArray<QString> OutputPixelFormats;

void ResetCapabilityLists() {
  FfmpegListsStale = 0;
  for (DynArray<QString>* list :
       {&AudioEncoders, &VideoEncoders, &SubtitleEncoders, &AudioDecoders, &VideoDecoders,
        &SubtitleDecoders, &MuxerFormats, &DemuxerFormats, &InputPixelFormats,
        &OutputPixelFormats}) {
    *list = DynArray<QString>();
  }
}

QString ScratchProfilePath() { return ProgramFolder::AppFiles("formats/.qfm"); }

}  // namespace FormatEdit
