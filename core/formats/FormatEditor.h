#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/frame/MediaInfo.h"
#include "core/ground/FfmpegCapabilities.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/RecordFile.h"
#include "core/lang/ParamCaptions.h"

// The format editor's module: the profile being edited and its life cycle,
// the capability lists read from the installed ffmpeg (cached in config.qcf),
// the parameter rows by category, and the imports. The editor window follows
// it through Events(). One file per concern: FormatEditor.cpp (the profile's life
// cycle and its external codecs), CapabilityLists.cpp, ParamRows.cpp and
// ProfileImports.cpp.
namespace FormatEditor {

void ResetCapabilityLists();

// appfiles/formats/.qfm: the nameless profile behind "<Manual>".
QString ScratchProfilePath();

// The editing state ---------------------------------------------------------

// Categories of rows, in the order the format editor offers them.
enum class Category : uint8_t { Input = 0, OutputGeneral = 1, OutputAudio = 2, OutputVideo = 3 };

// Empties the editing state (start of a run, and each test).
void ResetEditState();

// appfiles/formats: where every profile lives.
QString FormatsFolder();

// Writes CurrentFormat to path, asking for a name first when path is "" (the
// chosen name is written back into path). True when the file was written.
bool SaveFormat(QString& path);
// Loads path, or a profile the user chooses when path is "", into CurrentFormat.
void LoadFormat(QString& path);
// Offers to save a changed profile, then empties the editor. False when the
// user cancelled or the save failed.
bool CloseFormat();
bool IsFormatChanged();
void UndoChanges();
// Empties the profile but keeps its external codecs (with their values emptied).
void ClearAll();
// Empties the fields that the rows of CurrentCategory show.
void ClearCategory();

// The changed test on two records: the plain fields, then of each embedded
// codec in use only its texts and the values the user sets.
bool ProfilesDiffer(const FormatProfile& current, const FormatProfile& saved);
// A codec's parameter values back to their empty state: switches "0", others "".
void EmptyCodecValues(ExtCodecDef& codec);

// The capability lists -------------------------------------------------------

// The parsers of ffmpeg's tables; each adds the names it finds, in ffmpeg's
// order, to the lists it is given.
void ParseCodecTable(const QString& output, const QString& header, DynArray<QString>& audio,
                     DynArray<QString>& video, DynArray<QString>& subtitle);
void ParseFormatTable(const QString& output, DynArray<QString>& demuxers,
                      DynArray<QString>& muxers);
void ParsePixelFormatTable(const QString& output, DynArray<QString>& inputFormats,
                           DynArray<QString>& outputFormats);

// Rebuilds the ten lists from ffmpeg's tables and clears FfmpegListsStale.
// False while another tool has the runner: then nothing was read and the
// lists and the flag stay as they were.
[[nodiscard]] bool LoadFfmpegCapabilities();

// The parameter rows -----------------------------------------------------------

// What a row edits: a field of the profile, a parameter of the embedded codec,
// or one of the ffmpeg options that the codec leaves editable.
struct RowTarget {
  enum Kind { TextField, FlagField, CodecParam, CodecOption } kind = TextField;
  QString FormatProfile::*text = nullptr;
  bool FormatProfile::*flag = nullptr;
  int index = 0;  // the parameter's index in Params, or j of Editable/Values
};

struct ParamRow {
  QString caption;
  QString value;
  QStringList list;
  bool listOnly = false;
  bool disabled = false;
  RowTarget target;
};

// The rows of a category for a profile, in the order the editor shows them.
QList<ParamRow> CategoryRows(const FormatProfile& profile, Category category,
                             const ParamCaptions& captions);
// Stores text into what row `row` of the category stands for; false when that
// row does not exist or may not be edited.
bool StoreRowValue(FormatProfile& profile, Category category, int row, const QString& text);

// Rebuilds the rows of the category from CurrentFormat: ParamRowCount takes
// their number and Events() hands them to the window.
void BuildCategoryParams(Category category);

// Imports ----------------------------------------------------------------------------

// Takes every option it knows out of an ffmpeg output-option text and an
// input-option text into the profile's fields; what is left of each becomes
// its extra parameters. The texts are read word by word as a shell reads
// them, and each value and the rest keep their words as typed, quotes
// included. Values found overwrite, absent ones change nothing.
void ImportOptions(FormatProfile& profile, const QString& outputText, const QString& inputText);
// ImportOptions on CurrentFormat, then the rows are rebuilt.
void ImportCommandLine(const QString& outputOptions, const QString& inputOptions);

// The fifteen lines of the probe list: an English label and the probed value.
QStringList ProbeLines(const MediaInfo& info, const QString& extension);
// Copies the values of the ticked probe lines into the profile.
void CopyProbeLines(FormatProfile& profile, const QStringList& lines, const QList<bool>& ticked);
// extraParams with the option's value replaced in place, or the option and
// value added at the end.
QString SetTagOption(const QString& extraParams, const QString& option, const QString& value);
// CopyProbeLines on CurrentFormat and a rebuild of the rows; false (after a
// message) when no line is ticked.
bool ImportProbedValues(const QStringList& lines, const QList<bool>& ticked);

// External codecs ------------------------------------------------------------------

// appfiles/ecodec/<name>.qca (audio) or .qcv (video).
QString ExtCodecPath(bool isVideo, const QString& name);
// A definition just read, made ready for the profile: the option values
// emptied to the bounds of Editable and every switch off.
void PrepareExtCodec(ExtCodecDef& codec);
// Embeds <name>.qca or .qcv, or a definition the user chooses when name is "".
void LoadExternalCodec(bool isVideo, const QString& name);
void UnloadExternalCodec(bool isVideo);
// True while the profile embeds an audio or video external codec.
bool HasExternalCodec(bool isVideo);
// The embedded definition's encoder program as a full path; "" when it has none.
QString CodecExeLocation(bool isVideo);
// Points the embedded definition at another encoder program, stored relative
// to the program folder when inside it.
void SetCodecExe(bool isVideo, const QString& chosen);

// What the editor window listens to.
class Notifier : public QObject {
  Q_OBJECT

 signals:
  // The profile was loaded, emptied or given other external codecs: the
  // window's external-codec menus follow.
  void ProfileChanged(const FormatProfile& profile);
  // The rows of a category were rebuilt; the window shows them.
  void RowsBuilt(FormatEditor::Category category, const QList<FormatEditor::ParamRow>& rows);
};

// The notifier of the running program's state: a window connects to it when
// it is made, and its connections go with that state.
Notifier& Events();

// What ffmpeg can do, as the editor lists it, and the format profile being edited.
struct FormatEditorState {
  // Set when the lists must be rebuilt from ffmpeg before the format editor opens.
  bool FfmpegListsStale = false;
  FfmpegCapabilities Capabilities;
  FormatProfile CurrentFormat;
  // The profile as last loaded or saved: the reference for the changed test.
  FormatProfile SavedFormat;
  // Full path of the .qfm being edited; "" = no file yet.
  QString CurrentFormatFile;
  // Set while the editor runs on the scratch profile ("<Manual>").
  bool TempFormatMode = false;
  Category CurrentCategory = Category::OutputGeneral;
  int ParamRowCount = 0;
  // What the module tells the windows made while this state runs.
  Notifier Events;
};

// This module's part of the running program's AppState.
FormatEditorState& State();

}  // namespace FormatEditor
