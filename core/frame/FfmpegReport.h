#pragma once

#include <QString>
#include <optional>

#include "core/frame/FfmpegTools.h"

// ffmpeg's own report file: the log of a run at the info level, whatever
// level or line prefix the command's options ask of the console. Read after
// the run, it tells what the console may have kept quiet.
namespace FfmpegReport {

// A new folder for ffmpeg's reports: a working folder of this copy or, when
// the program folder cannot hold one (installed read-only), a folder in the
// system's temporary folder; "" when neither can be made. The caller removes it.
QString MakeFolder();

// The environment entry ("FFREPORT=...") that has ffmpeg write its report to file.
QString EnvironmentEntry(const QString& file);

// The report's text as the console runner hands out ffmpeg's output: lines
// ending in CR LF (a status line ended by a lone CR is a line of its own),
// each without the "[level] " tag that "-loglevel level+..." puts before the message.
QString ConsoleText(const QString& report);

// ffmpeg's console output as the console runner hands it out (lines ending
// in CR LF) without the notice of the report that ffmpeg puts before anything
// else when its log level lets it: what the console shows without a report.
QString WithoutNotice(const QString& console);

// What the report file says; nothing when it cannot be read.
std::optional<FfmpegTools::ConsoleReport> Read(const QString& file);

}  // namespace FfmpegReport
