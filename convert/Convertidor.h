#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

#include "editing/EditProfileRec.h"
#include "frame/CaptureConsole.h"
#include "formats/ExtCodecDef.h"
#include "formats/FormatProfile.h"

// An external encoder compiled into the pieces of its three steps: ffmpeg
// extracts the track, the encoder encodes it, ffmpeg multiplexes the result.
struct CompiledCodec {
  QString FfmpegOptions;    // options of the extraction step
  QString SizeOption;       // "-s WxH" taken out of those options, or ""
  QString AspectOption;     // "-aspect R" taken out of those options, or ""
  QString CommandTemplate;  // the encoder's arguments with <infile> and <outfile>
  QString FfmpegExt;        // extension of the extracted file
  QString OutputExt;        // extension of the encoder's output
  QString ExePath;          // the encoder program, as stored or as resolved
  QString About;
  bool operator==(const CompiledCodec&) const = default;
};

// A format profile compiled into option texts, grouped by where they go on
// an ffmpeg command line.
struct CompiledFormat {
  QString InputOptions;   // before "-i"; starts with a blank when not empty
  QString OutputOptions;  // container, target, free options; starts with a blank
  QString NoAudioOption;
  QString NoVideoOption;
  QString NoSubtitlesOption;
  QString SizeOption;
  QString AspectOption;
  QString AudioOptions;
  QString VideoOptions;
  QString SubtitleCodecOption;
  uint8_t MultipleOutputFiles = 0;
  QString Extension;
  QString AudioExtCodecName;  // "" = ffmpeg encodes the audio itself
  QString VideoExtCodecName;
  CompiledCodec AudioCodec;
  CompiledCodec VideoCodec;
  bool operator==(const CompiledFormat&) const = default;
};

// An editing profile compiled into option texts.
struct CompiledEdit {
  QString AudioFilterOptions;  // one "-af" chain, then "-vol"
  QString VideoFilterOptions;  // one "-vf" chain
  QString NoAudioOption;
  QString NoVideoOption;
  QString NoSubtitlesOption;
  uint8_t OwnSize = 0;    // 1 = the profile scales the picture itself
  uint8_t OwnAspect = 0;  // 1 = the profile sets the display aspect itself
  QString InputOptions;
  QString OutputOptions;   // free options, then the complex filters
  QString SeekOption;      // "-ss" seconds, before "-i"
  QString DurationOption;  // "-t", "-vframes" or "-fs"
  uint8_t NeedsMultipleInputs = 0;
  bool operator==(const CompiledEdit&) const = default;
};

// How a row of the command table runs.
enum class StageKind : uint8_t {
  Empty,       // nothing to run
  Ffmpeg,      // program, column 2, the input file(s), column 3, the output file
  Encoder,     // program, then column 2 with the words <infile> and <outfile> replaced
  MoveTracks,  // "<copy>": the track files are moved, nothing runs
};

// The commands of one conversion: eight stages (rows 1 to 8) of four texts
// (columns 1 to 4: program, text before each input, text before the output,
// extension of what the stage writes). The cells are what the user is shown;
// Kinds and Programs say how each row runs, so that nothing has to be read
// back out of the shown text.
struct CommandTable {
  std::array<std::array<QString, 4>, 8> Cells;
  std::array<StageKind, 8> Kinds{};
  std::array<QString, 8> Programs;  // column 1's program, without its quotes

  QString& At(int row, int column) { return Cells[row - 1][column - 1]; }
  const QString& At(int row, int column) const { return Cells[row - 1][column - 1]; }
  StageKind Kind(int row) const { return Kinds[row - 1]; }
  const QString& Program(int row) const { return Programs[row - 1]; }
  bool operator==(const CommandTable&) const = default;
};

// Compiles the profiles and builds the table of commands a conversion runs.
namespace Convertidor {

// Where the output goes: the index of the main window's output mode list.
enum OutputMode : int {
  OutputJoined = 0,         // "Archivo (concatenar)": all inputs into Aplicacion::OutputFile
  OutputOneFile = 1,        // "Archivo": Aplicacion::OutputFile
  OutputSourceFolders = 2,  // each input's own folder
  OutputChosenFolder = 3,   // Aplicacion::OutputFolder
};

// The main window's choices that a conversion reads when it starts; the main
// window keeps them current. The paths live in Aplicacion.
struct ConversionChoices {
  int OutputMode = OutputSourceFolders;
  QString ExtensionText;         // the extension list's text; "" or "<Automático>" forces nothing
  bool TwoPass = false;          // "2 pases"
  bool ReplaceFiles = false;     // "Reemplazar archivos"
  bool DeleteOriginals = false;  // "Eliminar archivos originales"
};
extern ConversionChoices Choices;

// Status of LoadFormat: 0 compiled (or a missing nameless scratch profile),
// 1 file missing, 2 read error, 3 external audio encoder, 4 external video
// encoder. The result is the empty record unless the status is 0.
CompiledFormat LoadFormat(const QString& path, uint8_t& status);
// Status 0 compiled, 1 the external audio encoder failed, 2 the video one.
CompiledFormat CompileFormat(const FormatProfile& profile, uint8_t& status);
// Status 0 compiled, 1 failed (then the empty record).
CompiledCodec CompileExternalCodec(const ExtCodecDef& codec, uint8_t isVideo, uint8_t& status);
// The full path of an existing encoder program: the stored one, else the one
// of the stand-alone definition appfiles/ecodec/<name>.qca|.qcv; "" if none.
QString ResolveCodecExecutable(const QString& exePath, const QString& name, uint8_t isVideo);

// Status of LoadEditProfile: 0 compiled (or a missing nameless scratch
// profile), 1 file missing, 2 read error, 3 all tracks removed, 4 a filter
// file missing or unreadable (filterPath names it), 5 audio, 6 video, 7 trim.
CompiledEdit LoadEditProfile(const QString& path, uint8_t& status, QString& filterPath);
// Status 0 compiled, 1 to 5 the stage that failed (LoadEditProfile adds 2).
CompiledEdit CompileEditProfile(const EditProfileRec& profile, uint8_t& status, QString& filterPath);

// The table of the last successful build; a failed build leaves it as it was.
extern CommandTable Commands;
// 1 when the format profile writes numbered output files; set by every build
// that reaches the format's options.
extern uint8_t MultiOutput;

// Fills Commands from the format and editing profiles and the choices.
// testTime: "" for a conversion, else the test's length as [[H:]M:]S. False
// after a message (or the user's refusal to locate an encoder program).
bool BuildCommandTable(const QString& testTime);
// The first "-f value" in an option text, or "".
QString GetFormatOption(const QString& options);
// Every run of blanks between words becomes one blank; what quotes or
// backslashes protect stays as it is.
QString CollapseSpaces(const QString& text);
// The first usual extension of the container named by a "-f value" option, as
// the installed ffmpeg tells it; "" when it tells none.
QString GetMuxerExtension(const QString& formatOption);

}  // namespace Convertidor

// ---------------------------------------------------------------------------
// The conversion run: stages input by input, the error table, the end of a run.
// ---------------------------------------------------------------------------
namespace Convertidor {

// One failed input of the last run, as the progress window's error panel shows it.
struct FailedStep {
  QString File;   // the input's path, or "<todos los archivos>"
  QString Stage;  // the stage caption shown when it failed
  QString Description;
  QString Command;  // the command line that failed to start or failed
  QString Console;  // the last 4096 characters of that command's output
  bool operator==(const FailedStep&) const = default;
};

// The failures of the current run in the order they happened.
extern QList<FailedStep> Errors;
// The run's temporary folder; "" when the run needs none.
extern QString TempDir;
// 1 when the user asked to stop; the run tests it between steps.
extern uint8_t StopRequested;
// 1 while the input loop runs; the progress window refuses to close meanwhile.
extern uint8_t Running;

// Empties every cell of the command table.
void ClearCommands();

// Converts the whole file list, or, with a test time, a few seconds of it.
void Convert(const QString& testTime);

// Writes concat.txt for the whole file list into a new temporary folder and
// returns its path; "" after a message when it cannot. A file the list cannot
// carry is named in the message.
QString WriteConcatList();
// The concat demuxer's list for these files. False when a name holds a line
// break, which the list cannot carry.
bool ConcatListText(const QStringList& files, QByteArray& text);
// The first of the files whose name the list cannot carry; "" when none.
QString UnjoinableFile(const QStringList& files);

// Moves separately encoded tracks beside each other under the target's name
// (base_audio.ext and base_video.ext, or base.ext for one track) and returns
// the new paths; an empty list when a move failed. An empty track is absent.
QStringList MoveTracks(const QString& audioTrack, const QString& videoTrack, const QString& target);

// One step of a run: what runs, and the command line as the user sees it,
// which run in a terminal gives the same arguments.
struct StepCommand {
  CaptureConsole::Command Command;
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
bool StepSucceeded(bool started, int32_t exitCode, bool isEncoder, qint64 outputSize,
                   bool writeFailed);

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

// Megabytes with two decimals, a half to the even digit, no trailing zeros.
QString MegabytesText(double megabytes);
// "Prueba finalizada", the size (and the rate per minute when the duration
// is above 0) and the closing question, on lines ending CR LF.
QString TestReportText(qint64 bytes, double seconds, const QString& question);

}  // namespace Convertidor
