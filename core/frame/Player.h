#pragma once

#include <QString>
#include <QStringList>

#include "core/ground/CommandLine.h"

// Plays files in ffplay while the player window shows its output: one file
// alone, or the audio of one and the video of another together.
namespace Player {

// What the player runs for a list and the caller's ffplay options.
struct PlayCommand {
  CommandLine::Pipeline pipeline;
  QString workDir;
  bool pipeMode = false;
};

// files, empty ones left out: none (ffplay gets only params), one path, or an
// audio and a video path (played together through ffmpeg, params unused).
// Paths stay whole: any character a file name may hold is safe.
PlayCommand BuildPlayCommand(const QStringList& files, const QString& params);

// Plays the list in ffplay while the player window shows ffplay's output;
// every other window is hidden until the user closes the player window.
// Nothing plays without a player window installed, nor while another tool runs.
void PlayFile(const QStringList& files, const QString& params);

// Runs the command while the player window shows its output, and returns when
// the window has closed. Installed by the window side at start-up.
using PlayerWindow = void (*)(const PlayCommand& command);
void InstallPlayerWindow(PlayerWindow play);

// How the play in progress runs, and the window it runs in.
struct PlayerState {
  // Set while the play runs as ffmpeg piping into ffplay. The player's
  // "Detener" then only tells the user how to stop ffplay.
  bool PipeMode = false;
  // The player window, once installed.
  PlayerWindow Window = nullptr;
};

// This module's part of the running program's AppState.
PlayerState& State();

}  // namespace Player
