#include "frame/ffmpeg.h"

namespace ffmpeg {

QString FfmpegPath;
QString FfplayPath;
QString FfprobePath;

// Filled by the tool-interface module; nothing to do until it exists.
void InitOptionNames() {}
void InitParamCaptions() {}

}  // namespace ffmpeg
