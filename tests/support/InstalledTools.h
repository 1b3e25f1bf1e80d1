#pragma once

#include <QStandardPaths>

#include "core/frame/FfmpegTools.h"

// The ffmpeg, ffplay and ffprobe found on the PATH as the program's tools,
// with ffmpeg's option names as a start-up loads them.
inline void UseInstalledTools() {
  FfmpegTools::InitOptionNames();
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  FfmpegTools::State().FfplayPath = QStandardPaths::findExecutable("ffplay");
  FfmpegTools::State().FfprobePath = QStandardPaths::findExecutable("ffprobe");
}

// ffplay then needs neither a sound card nor a screen.
inline void UseSilentPlayer() {
  qputenv("SDL_AUDIODRIVER", "dummy");
  qputenv("SDL_VIDEODRIVER", "dummy");
}
