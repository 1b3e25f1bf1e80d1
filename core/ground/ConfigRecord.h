#pragma once

#include <QString>
#include <tuple>

#include "core/ground/FfmpegCapabilities.h"
#include "core/ground/RecordFile.h"

// appfiles/config.qcf: every setting that outlives a run. Read once at
// start-up, written once when the main window closes.
struct ConfigRecord {
  QString FfmpegPath;  // tool paths inside the program folder are stored relative to it
  QString FfplayPath;
  QString FfprobePath;
  QString Cdda2wavPath;
  QString LanguageName;  // "<Spanish>", "<English>", "<Portuguese>", a .qlg base name, or ""
  bool FfmpegListsStale = false;
  FfmpegCapabilities Capabilities;
  bool TwoPass = false;
  bool DeleteOriginals = false;
  bool ReplaceFiles = false;
  QString RecBufferSizeMB;

  using C = ConfigRecord;
  static constexpr auto Fields =
      std::tuple{&C::FfmpegPath,      &C::FfplayPath,       &C::FfprobePath,    &C::Cdda2wavPath,
                 &C::LanguageName,    &C::FfmpegListsStale, &C::Capabilities,   &C::TwoPass,
                 &C::DeleteOriginals, &C::ReplaceFiles,     &C::RecBufferSizeMB};
  bool operator==(const ConfigRecord&) const = default;
};
