#include "core/frame/Player.h"

#include <QFileInfo>
#include <QStringList>

#include "core/frame/FfmpegTools.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ToolRunner.h"

namespace Player {

namespace {

// The caller's option text as arguments.
QStringList OptionWords(const QString& params) { return CommandLine::SplitCommandLine(params); }

// ffmpeg takes the audio of the first file and the video of the second and
// streams them, uncompressed, into ffplay's input.
PlayCommand PipeCommand(const QString& audio, const QString& video) {
  const FfmpegOptionNames& o = FfmpegTools::State().OptNames;
  const CommandLine::Command mux{
      FfmpegTools::State().FfmpegPath,
      {o.NoVideo, "-i", audio, o.NoAudio, "-i", video, o.Format, "matroska", o.AudioCodec,
       "pcm_s16le", o.VideoCodec, "rawvideo", o.PixelFormat, "yuv420p", "pipe:1"}};
  const CommandLine::Command play{FfmpegTools::State().FfplayPath, {"-i", "pipe:0"}};
  return {{mux, play}, QFileInfo(FfmpegTools::State().FfmpegPath).path(), true};
}

}  // namespace

PlayCommand BuildPlayCommand(const QStringList& files, const QString& params) {
  QStringList paths = files;
  paths.removeAll(QString());
  if (paths.isEmpty())
    return {{{FfmpegTools::State().FfplayPath, OptionWords(params)}}, QString(), false};
  if (paths.size() >= 2) return PipeCommand(paths.first(), paths.last());
  return {{{FfmpegTools::State().FfplayPath, OptionWords(params) << "-i" << paths.first()}},
          QString(),
          0};
}

void PlayFile(const QStringList& files, const QString& params) {
  // The runner takes one tool at a time. A player opened over a running tool
  // would play nothing, and could not close before that tool's wait had ended,
  // which waits for the player: the press waits quietly instead.
  if (ToolRunner::GetState() != ToolRunner::RunState::Idle) return;
  if (!FfmpegTools::FfplayExists()) return;
  const PlayCommand command = BuildPlayCommand(files, params);
  if (command.pipeMode && !FfmpegTools::FfmpegExists()) return;
  const PlayerWindow window = State().Window;
  if (!window) return;
  State().PipeMode = command.pipeMode;
  window(command);
  State().PipeMode = false;
}

void InstallPlayerWindow(PlayerWindow play) { State().Window = play; }

}  // namespace Player
