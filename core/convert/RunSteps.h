#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "core/convert/CommandTable.h"
#include "core/ground/CommandLine.h"

// The pieces a conversion run is made of: the command of a step, whether it
// succeeded, the concat list, moving tracks, the finishing options and the
// texts of a test's end.
namespace Conversion {

// Writes concat.txt for the whole file list into a new temporary folder and
// returns its path; "" after a message when it cannot. A file the list cannot
// carry is named in the message.
QString WriteConcatList();
// The concat demuxer's list for these files. False when a name holds a line
// break, which the list cannot carry.
bool ConcatListText(const QStringList& files, QByteArray& text);
// The first of the files whose name the list cannot carry; "" when none.
QString UnjoinableFile(const QStringList& files);

// A file or a link (even a broken one) already has this name.
bool TakenName(const QString& path);

// Moves separately encoded tracks beside each other under the target's name
// (base_audio.ext and base_video.ext, or base.ext for one track) and returns
// the new paths; an empty list when a move failed. An empty track is absent.
QStringList MoveTracks(const QString& audioTrack, const QString& videoTrack, const QString& target);

// One step of a run: what runs, and the command line as the user sees it,
// which run in a terminal gives the same arguments.
struct StepCommand {
  CommandLine::Command Command;
  QString Shown;
  bool operator==(const StepCommand&) const = default;
};
// The text of a cell split into arguments as a shell splits words.
QStringList SplitArguments(const QString& text);
// The command of one row of the table run on these files. An ffmpeg row:
// its program, then for every input the text before an input followed by the
// input, then the text before the output followed by the output. An encoder
// row: its template split into arguments, with <infile> and <outfile> replaced
// inside the arguments they stand in. Every file name is one whole argument.
StepCommand RowStep(const CommandTable& table, int row, const QStringList& inputs,
                    const QString& output);

// A step succeeded only when it started, its tool ended by itself with code
// 0 and no output was left unfinished (writeFailed: ffmpeg reported a write it
// could not finish); an encoder must also have written a non-empty output.
bool StepSucceeded(bool started, int exitCode, bool isEncoder, qint64 outputSize, bool writeFailed);

// Which of the files, given to a step in this order, stand at these input
// positions (counted from 0 over the step's "-i" options): their places in
// files, in order. A file that no "-i" option introduces is never among them.
QList<int> FilesAtInputs(const QStringList& arguments, const QStringList& files,
                         const QList<int>& inputPositions);

// The finishing options of one input. Sources go to the trash only when the
// input's output was written; nothing is ever deleted for good. The result is
// the sources that the trash could not take: they stay where they are.
QStringList TrashSources(const QStringList& sources, bool outputWritten);
// What ReplaceExisting did.
enum class Replacement {
  NotNeeded,     // the output has the desired name, or the name is not to be taken
  Replaced,      // the output now carries the desired name
  OldFileKept,   // the trash could not take the old file: both stay
  RenameFailed,  // the old file is in the trash, the output kept its numbered name
};
// A numbered output takes the desired name: the regular file of that name
// goes to the trash first (never a folder, never one of the protected files).
Replacement ReplaceExisting(const QString& output, const QString& desired,
                            const QStringList& protectedFiles);
// A numbered output's desired name is taken by a regular file that
// ReplaceExisting would send to the trash.
bool OlderFileInTheWay(const QString& output, const QString& desired,
                       const QStringList& protectedFiles);

// Megabytes with two decimals, a half to the even digit, no trailing zeros.
QString MegabytesText(double megabytes);
// "Prueba finalizada", the size (and the rate per minute when the duration
// is above 0) and the closing question, on lines of their own.
QString TestReportText(qint64 bytes, double seconds, const QString& question);

}  // namespace Conversion
