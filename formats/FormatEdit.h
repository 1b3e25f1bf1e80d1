#pragma once

#include <QString>

#include <cstdint>

#include "frame/RecordFile.h"

// The format editor's module state that outlives a run: the capability lists
// read from the installed ffmpeg, cached in config.qcf.
namespace FormatEdit {

// 1 = the ten lists must be rebuilt from ffmpeg before the format editor opens.
extern uint8_t FfmpegListsStale;
extern DynArray<QString> AudioEncoders;
extern DynArray<QString> VideoEncoders;
extern DynArray<QString> SubtitleEncoders;
extern DynArray<QString> AudioDecoders;
extern DynArray<QString> VideoDecoders;
extern DynArray<QString> SubtitleDecoders;
extern DynArray<QString> MuxerFormats;
extern DynArray<QString> DemuxerFormats;
extern DynArray<QString> InputPixelFormats;
extern DynArray<QString> OutputPixelFormats;

void ResetCapabilityLists();

// appfiles/formats/.qfm: the nameless profile behind "<Manual>".
QString ScratchProfilePath();

}  // namespace FormatEdit
