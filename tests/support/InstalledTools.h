#pragma once

#include "core/frame/FfmpegTools.h"

// The installed ffmpeg, ffplay and ffprobe as the program's tools, with
// ffmpeg's option names as a start-up loads them.
inline void UseInstalledTools() {
  FfmpegTools::InitOptionNames();
  FfmpegTools::State().FfmpegPath = "/usr/bin/ffmpeg";
  FfmpegTools::State().FfplayPath = "/usr/bin/ffplay";
  FfmpegTools::State().FfprobePath = "/usr/bin/ffprobe";
}
