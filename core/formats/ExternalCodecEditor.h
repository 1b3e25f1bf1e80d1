#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "core/ground/ExtCodecDef.h"

// The external codec editor's module: the definition being edited, its saved
// copy and its file, and everything the editor window asks of them.
// Functions that change what the window shows say so through Events().
namespace ExternalCodecEditor {

// What the editor window listens to.
class Notifier : public QObject {
  Q_OBJECT

 signals:
  // A definition was put in place: the window shows all of it, with the
  // captions of the editable ffmpeg options.
  void RecordLoaded(const QStringList& editableCaptions);
  // The type changed: the editable options are now these.
  void TypeChosen(const QStringList& editableCaptions);
  // A definition imported from a profile decided the type.
  void TypeImported();
  // The parameter rows changed; the row to select (-1 = none).
  void RowsChanged(int selected);
  // The definition now has a file: its type is fixed.
  void CodecSaved();
  // The definition was closed: the editor starts afresh.
  void CodecClosed();
};

// The notifier of the running program's state: a window connects to it when
// it is made, and its connections go with that state.
Notifier& Events();

// A new empty definition with no file, as at start-up.
void Reset();

// appfiles/ecodec, where the definitions live.
QString CodecFolder();

// Writes the current definition to path, or to a file the user names when
// path is empty. True when written.
bool SaveCodec(const QString& path);
// Closes the current definition, then reads appfiles/ecodec/<name>.qca (audio)
// or .qcv (video), or a file the user picks when name is empty.
void OpenCodec(bool isVideo, const QString& name);
bool IsDirty();
// Offers to save a changed definition, then starts a new empty one. False
// when the user cancelled or the save failed.
bool CloseCodec();
void UndoChanges();
void MarkSaved();
// A definition without rows gets "<InFile>" and "<OutFile>".
void EnsureParamArray();
// A definition without flags gets six cleared ones.
void EnsureEditableArray();
void ClearParamValues();

// Decides the current definition's type and has the window show it.
void RecordToControls();
// The captions of the editable ffmpeg options; the flags get six (audio) or
// ten (video) entries, all cleared, unless they have that many already.
QStringList FillAudioEditableParams();
QStringList FillVideoEditableParams();
// The type list's choice: re-creates the flags for the new type.
void ChooseType(bool isVideo);
// The option list's selection: flag i is set when entry i - 1 is selected.
void SetEditableFlags(const QList<bool>& selected);

// The contents of the parameter frame.
struct ParamForm {
  QString Label;
  QString LabelBefore;  // the row's label when the frame opened; "" for a new row
  ParamKind Kind = ParamKind::Optional;
  QString Switch;
  QString Default;
  QString Suggested;
  bool OnlySuggested = false;
};
// The frame's contents for a new row (selected -1) or for the selected row.
ParamForm ParamFormFor(int selected);
// The fields of the frame that a row of this kind keeps: a switch has no
// default, and only an optional row has suggested values.
struct ParamFields {
  bool Default = false;
  bool Suggested = false;  // with "only suggested values"
};
ParamFields FieldsForKind(ParamKind kind);
// The rows that mark where the files go ("<InFile>", "<OutFile>"): of these
// the frame lets only the switch change.
bool IsFileRow(const QString& label);
// Suggested values as the frame shows them, one per line, and back as the
// row stores them, with CR LF between lines.
QString SuggestedLines(const QString& stored);
QString SuggestedToStore(const QString& lines);
// True when a row has this label, ignoring letter case.
bool ParamLabelExists(const QString& label);
// Validates the frame and stores the row at EditIndex (or a new last row).
// False, after the message, when the label is refused.
bool AcceptParameter(const ParamForm& form);
// Each acts on the row selected in the parameter list and gives the row to
// select afterwards (-1 = none).
int DeleteParameter(int selected);
int MoveParameterUp(int selected);
int MoveParameterDown(int selected);
// The parameter list's lines.
QStringList ParamLabels();
// The row to select after the list was refilled with count lines.
int KeptSelection(int selected, int count);

// Takes the encoder program the user chose; returns the path as stored
// (relative to the program folder when inside it).
QString SetExecutable(const QString& chosen);
// Takes the audio or video codec embedded in a format profile.
void ImportFromFormat(bool isVideo);
// Why a format profile cannot give the ffmpeg section its options.
enum class ExtractRefusal {
  None,
  ProfileNotFound,
  ProfileUnreadable,
  AudioCommandError,
  VideoCommandError,
  TrackRemoved,        // the profile drops the track of the current type
  NotPlainExtraction,  // it needs an external codec or makes several files
};
// The options and extension of the profile at path for the current type.
ExtractRefusal FfmpegOptionsFrom(const QString& path, QString& options, QString& extension);
// Takes the extraction options of the profile at path into the ffmpeg section.
ExtractRefusal TakeFfmpegOptions(const QString& path);
// The command lines behind "Documentación interna del ejecutable" and "Ayuda
// de ffmpeg"; "" after the message, or when the user gave no arguments.
QString ProgramDocumentationCommand();
QString FfmpegHelpCommand();

// The codec definition being edited, its copy as saved, its file and the row being edited.
struct CodecEditorState {
  // The definition being edited; the window's controls write into it as the user types.
  ExtCodecDef CurrentCodec;
  // The copy as last opened, saved or marked saved.
  ExtCodecDef SavedCodec;
  // The definition's file; "" while it has never been saved.
  QString CurrentPath;
  // Set while the definition is a video one (the type list shows "Video").
  bool CurrentIsVideo = false;
  // The parameter row open in the parameter frame; -1 = a new row.
  int EditIndex = -1;
  // A definition without a file is a video one only right after a video codec
  // was imported from a format profile.
  bool ImportedVideo = false;
  // What the module tells the windows made while this state runs.
  Notifier Events;
};

// This module's part of the running program's AppState.
CodecEditorState& State();

}  // namespace ExternalCodecEditor
