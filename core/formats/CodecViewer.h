#pragma once

#include <QString>
#include <QStringList>

#include "core/ground/ExtCodecDef.h"

// The external codec viewer's module: which definition the viewer shows, where
// it lives, and the program path the user gave it. It reads and writes the
// files; the viewer window shows what it returns.
namespace CodecViewer {

// The list's entries: "audio\<codec>", "audio\<profile>\<codec>" for a codec
// that lives on only inside a profile, then the same for video.
QStringList CodecEntries();

// A definition as the viewer shows it.
struct CodecInfo {
  QString Name;
  ExtCodecDef Codec;
};
// Reads the codec of a .qca/.qcv file (named after the file) or the one of
// the given kind embedded in a .qfm file. False when the file cannot be read.
bool ReadCodec(const QString& path, bool isVideo, CodecInfo& info);
// ReadCodec, and remembers where the codec lives for SaveExePath; false when
// it cannot be read.
bool LoadCodecFile(const QString& path, bool isVideo, CodecInfo& info);
// The file that an entry of the list stands for, and the kind of codec to take from it.
QString EntryPath(const QString& entry, bool& isVideo);
// Writes exePath into the definition in FilePath, leaving everything else as
// it was; false when it cannot.
bool SaveExePath(const QString& exePath);
// As a codec's details close: when the program path differs from the one
// loaded, asks whether to keep it and writes it with SaveExePath, saying so
// when the file cannot be written.
void OfferToSaveExePath(const QString& exePath, const QString& loadedExePath);

// Where the dialog for another program starts, given the program path as
// shown: the folder of that program (a stored relative path lies below the
// program folder), else the program folder, and the program's file name.
struct ProgramDialogStart {
  QString Folder;
  QString FileName;
};
ProgramDialogStart ProgramDialogStartFor(const QString& shownPath);
// The program at the path as shown, as a full path; "" when the path is empty
// or names no file.
QString ExistingProgram(const QString& shownPath);

// The codec the viewer shows.
struct ViewerState {
  // The .qca, .qcv or .qfm file that holds the codec shown.
  QString FilePath;
  // For a codec embedded in a .qfm file: set for its video codec, clear for its audio codec.
  bool IsVideo = false;
};

// This module's part of the running program's AppState.
ViewerState& State();

}  // namespace CodecViewer
