#pragma once

#include <QString>

// The ffmpeg tools as the program drives them.
namespace ffmpeg {

// Full paths of the tools; "" until the tool-paths window or config.qcf sets them.
extern QString FfmpegPath;
extern QString FfplayPath;
extern QString FfprobePath;

void InitOptionNames();
void InitParamCaptions();

}  // namespace ffmpeg
