#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "core/ground/ToolRunner.h"

// CD ripping with cdda2wav: the drive is found by a bus scan, the track titles
// are read from the disc, and the chosen tracks are ripped one by one, each
// renamed after its title. The rip window (CdRipWindow) asks for the tracks and
// shows what a rip comes to.
namespace CdRipper {

// Back to the state of a fresh start (the tool path stays).
void Reset();

// The device ids ("1,0,0") of the CD drives in cdda2wav's bus listing, in order.
QStringList ParseBusScan(const QString& output);
// The titles of tracks 1, 2, ... in cdda2wav's disc listing, up to the first
// track that is missing; an empty title becomes "Track" and the track number.
QStringList ParseTrackTitles(const QString& output);
// A track title as a file name: "/" and NUL, which no file name can hold,
// become the look-alikes U+2215 and U+2400.
QString TitleAsFileName(const QString& title);
// cdda2wav's arguments to rip one track into "audio.<format>" in its working folder.
QStringList RipArguments(const QString& device, const QString& format, bool removeSilence,
                         int track);
// The file cdda2wav left for a track in folder, or "" when it left none; the
// files before lists what the folder held before the run, none of which is it.
QString RippedFile(const QString& folder, const QString& format, int track,
                   const QStringList& before);

// What the bus scan found.
struct DriveScan {
  // Another tool kept the runner: cdda2wav did not run, and nothing is known.
  bool RunnerBusy = false;
  // The ids of the CD drives, in order; empty when there is none.
  QStringList Ids;
};
// Runs the bus scan.
DriveScan ScanBus();

// What reading the disc's track titles came to.
struct TrackRead {
  // RunnerBusy: another tool kept the runner, so cdda2wav did not run; no
  // answer about the disc, unlike NoTracks (no drive, no disc or no titles).
  enum class Outcome { Listed, NoTracks, Cancelled, RunnerBusy };
  Outcome Result = Outcome::NoTracks;
  QStringList Titles;  // Listed: the disc's titles
};
// The titles of the first drive that gives any (Listed), and sets CDRipDevice.
TrackRead GetTrackList();
// GetTrackList with CDRipBusy held, so that a close can stop it; Cancelled
// when the user asked to stop meanwhile (the request is used up).
TrackRead ReadTracks();
// The user's stop: cdda2wav ends, and the title read or the rip stops there.
void Stop();

// A track to rip: its number on the disc and the title its file is named after.
struct Track {
  int Number = 0;
  QString Title;
};

// What a rip came to.
struct RipResult {
  // Every track was tried: no stop, no failed rename, no closing.
  bool Completed = false;
  // Another tool kept the runner, so cdda2wav could not start; the rip
  // stopped there, before that track.
  bool RunnerBusy = false;
  // The tracks ripped and named after their titles, in the order ripped.
  QStringList Ripped;
  // A ripped track that could not be named after its title; the rip stopped there.
  QString NotRenamed;
  // The ripped files for the input list: set only for a completed rip into
  // a temporary folder that left at least one file.
  QStringList FilesToAdd;
};

// The folder the tracks go into.
struct RipTarget {
  enum class Problem { None, NoOutputDir, CannotCreate };
  QString Folder;  // CannotCreate: the folder that could not be made
  Problem Refused = Problem::None;
};
// A temporary folder for the input list ("" when none could be made), else a
// new CDRip folder inside CDRipOutputDir.
RipTarget RipFolder(bool addToList);
// Rips the tracks one by one into folder (new for this rip, as RipFolder makes
// it) as format, cdda2wav's console going to show (empty: not shown). Stops
// after the running track when CDRipCancel is set, when shownGone (may be
// empty) says whoever showed the rip has gone, or when the program closes; a
// track cut short leaves no file.
RipResult RipTracks(const QList<Track>& tracks, const QString& folder, const QString& format,
                    bool removeSilence, bool addToList, const ToolRunner::OutputSink& show,
                    const std::function<bool()>& shownGone);

// Where cdda2wav is, the rip's choices and the rip in progress.
struct CdRipState {
  // Full path of cdda2wav; "" until the tool-paths window or config.qcf sets it.
  QString Cdda2wavPath;
  // Set: the ripped tracks go into a temporary folder and onto the input list;
  // unset: into a CDRip folder inside CDRipOutputDir. Set just before the rip window opens.
  bool CDRipAddToList = false;
  // Set while cdda2wav runs (reading titles or ripping).
  bool CDRipBusy = false;
  // Set when the user asked to stop; tested after the title read and after each track.
  bool CDRipCancel = false;
  // The folder chosen with "..."; it outlives the window.
  QString CDRipOutputDir;
  // " -D " and the id of the drive whose titles were read; "" before a scan.
  QString CDRipDevice;
};

// This module's part of the running program's AppState.
CdRipState& State();

}  // namespace CdRipper
