#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// How a row of the command table runs.
enum class StageKind : uint8_t {
  Empty,       // nothing to run
  Ffmpeg,      // program, column 2, the input file(s), column 3, the output file
  Encoder,     // program, then column 2 with the words <infile> and <outfile> replaced
  MoveTracks,  // "<copy>": the track files are moved, nothing runs
};

// The rows of the command table, one a stage. An ffmpeg encoding row's second
// pass, when two passes are on, runs in the row below it.
namespace TableRow {
constexpr int AudioExtraction = 1;  // the audio track for an outside audio encoder
constexpr int AudioEncoding = 2;
constexpr int AudioEncodingPass2 = 3;
constexpr int VideoExtraction = 4;  // the video track for an outside video encoder
constexpr int VideoEncoding = 5;
constexpr int VideoEncodingPass2 = 6;
constexpr int Output = 7;  // converts the input, or joins or moves the encoded tracks
constexpr int OutputPass2 = 8;
constexpr int Count = 8;
}  // namespace TableRow

// The columns of a row.
namespace TableColumn {
constexpr int Program = 1;
constexpr int BeforeInput = 2;  // an encoder's: its command template
constexpr int BeforeOutput = 3;
constexpr int Extension = 4;  // of what the stage writes
}  // namespace TableColumn

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

// Builds the table of commands a conversion runs.
namespace Conversion {

// Where the output goes: the index of the main window's output mode list.
enum OutputMode : int {
  OutputJoined = 0,         // "Archivo (concatenar)": all inputs into Session::OutputFile
  OutputOneFile = 1,        // "Archivo": Session::OutputFile
  OutputSourceFolders = 2,  // each input's own folder
  OutputChosenFolder = 3,   // Session::OutputFolder
};

// The main window's choices that a conversion reads when it starts; the main
// window keeps them current. The paths live in Session.
struct ConversionChoices {
  Conversion::OutputMode OutputMode = OutputSourceFolders;
  QString ExtensionText;         // the extension list's text; "" or "<Automático>" forces nothing
  bool TwoPass = false;          // "2 pases"
  bool ReplaceFiles = false;     // "Reemplazar archivos"
  bool DeleteOriginals = false;  // "Eliminar archivos originales"
};

// Why a build of the command table failed.
enum class TableFailure : uint8_t {
  None,
  InvalidTestDuration,
  FormatProfileMissing,
  FormatProfileUnreadable,
  AudioEncoderUnusable,  // the format's outside audio encoder does not compile
  VideoEncoderUnusable,
  EncoderNotLocated,  // the user looked for an encoder program and chose none
  NoFileExtension,
  FfmpegNotFound,  // only ffmpeg could tell the extension, and it could not be run
  EditProfileMissing,
  EditProfileUnreadable,
  AllTracksRemoved,
  FilterUnreadable,  // TableBuild::FilterPath names the filter file
  AudioEditUnusable,
  TrimUnusable,
  FiltersNeedOneFile,  // the editing profile's filters take several inputs
};

// What a build gives: the table, or the reason it failed (then the table is empty).
struct TableBuild {
  CommandTable Table;
  TableFailure Failure = TableFailure::None;
  // Whether the format profile writes numbered output files; set once the
  // build has read the format's options, failed or not.
  std::optional<bool> MultiOutput;
  QString FilterPath;
};

// Asked for an encoder program that the build cannot find. The path the user
// gave; "" when the user would not look for it (the run then fails at that
// stage); nothing when the user looked and chose none (the build ends).
using EncoderLocator = std::function<std::optional<QString>(bool isVideo)>;

// The table of commands for the chosen format and editing profiles and the
// output choices. testTime: "" for a conversion, else the test's length as
// [[H:]M:]S. locate, when set, is asked for each outside encoder program not found.
TableBuild BuildTable(const ConversionChoices& choices, const QString& testTime,
                      const EncoderLocator& locate = EncoderLocator());

// The first "-f value" in an option text, or "".
QString GetFormatOption(const QString& options);
// Every run of blanks between words becomes one blank; what quotes or
// backslashes protect stays as it is.
QString CollapseSpaces(const QString& text);
// The first usual extension of the container named by a "-f value" option, as
// the installed ffmpeg tells it; "" when it tells none, and nothing when
// ffmpeg could not be asked.
std::optional<QString> GetMuxerExtension(const QString& formatOption);

}  // namespace Conversion
