#pragma once

#include <QString>
#include <QStringList>

#include "core/ground/Dialogs.h"
#include "core/lang/ParamCaptions.h"

// The program's texts in the language in force. Every text is a numbered line of
// the language table; Spanish is built in, and with Spanish in force no table is
// loaded. Each procedure of the catalogue below names its line and its Spanish text.
namespace Lang {

constexpr int TableLines = 537;

// Makes the named language the one in force: a built-in name or the base name of
// appfiles/lang/<name>.qlg. A load that fails says so and leaves everything as it was.
void LoadLanguage(const QString& name);

// Gives Qt's own texts (standard buttons, file dialogs) the language of this
// name: Qt's Spanish or Brazilian Portuguese translation for the built-in
// tables, Qt's English for English, a custom language or "". LoadLanguage calls
// it; windows already open follow at once.
void LoadQtTranslation(const QString& name);

// Custom language files: appfiles/lang/<name>.qlg.
QString LanguageFolder();
QString LanguageFilePath(const QString& name);
// The names of the custom languages, in the order the folder lists them.
QStringList CustomLanguages();

enum class SaveResult { Saved, NoFolder, Exists, WriteFailed };
// Writes a new language file holding these lines, separated by CR LF. An existing
// file is never replaced, and a failed write leaves no file behind.
SaveResult SaveLanguageFile(const QString& name, const QStringList& lines);

// The languages the program carries, by the resource number of their table.
enum class BuiltInLanguage { Spanish = 101, English = 102, Portuguese = 104 };
QStringList BuiltInTable(BuiltInLanguage language);

// The text of a table line (1 to TableLines) in the language in force: the loaded
// table's line, or the Spanish line when Spanish is in force.
QString LineText(int line);

// The title of every message box: the main window's caption, which the main
// window hands over whenever it changes; "Quillmoor 2.0" while there is none.
QString BoxTitle();
// A null title goes back to "Quillmoor 2.0".
void SetBoxTitle(const QString& title);

// Message boxes with the stop icon. Each procedure is headed by its line and Spanish text.
// 2: "No se pudo obtener la lista de Tracks"
void MsgTrackListFailed();
// 4: "Ingrese un directorio de salida"
void MsgEnterOutputDir();
// 6: "No se seleccionó ningún track"
void MsgNoTrackSelected();
// 9: "Ya existe un archivo con ese nombre"
void MsgFileExists();
// 22: "No se han especificado los parámetros"
void MsgNoParameters();
// 23: "No se han seleccionado archivos"
void MsgNoFilesSelected();
// 24: "Es necesario seleccionar por lo menos 2 archivos"
void MsgSelectTwoFiles();
// 25: "Detenga el proceso antes de salir"
void MsgStopBeforeExit();
// 50: "Debe ingresar una etiqueta que no contenga los caracteres < >"
void MsgInvalidTag();
// 52: "Aún no se especifica el ejecutable"
void MsgNoExecutable();
// 56: "Ya existe un parámetro con esa etiqueta"
void MsgTagExists();
// 57: "No se ha especificado el formato, ingrese ó elija uno de la lista"
void MsgNoFormat();
// 58: "No se ha especificado el codec, ingrese ó elija uno de la lista"
void MsgNoCodec();
// 59: "Seleccione alguna opción de la lista"
void MsgSelectOption();
// 60: "Seleccione un archivo de prueba"
void MsgSelectTestFile();
// 63: "No se dispone información sobre la duración del archivo de prueba"
void MsgNoTestDuration();
// 64: "No se pueden extraer cuadros del archivo de prueba"
void MsgCannotExtractFrames();
// 65: "Error al intentar detectar bordes"
void MsgDetectEdgesFailed();
// 69: "El formato de extracción no debe requerir codecs externos ni generar múltiples archivos de
// salida"
void MsgBadExtractFormat();
// 70: "El formato no sirve para extraer la pista de audio ó video requerida"
void MsgFormatCannotExtract();
// 73: "No se encontró información de codec externo en el formato seleccionado"
void MsgNoExtCodecInfo();
// 74: "Error al leer el perfil de formato"
void MsgFormatProfileReadError();
// 77: "Error al leer el perfil de edición"
void MsgEditProfileReadError();
// 78: "Se eligió eliminar todas las pistas del archivo"
void MsgAllTracksRemoved();
// 80: "Error al generar los comandos de edición de audio"
void MsgAudioEditCmdError();
// 82: "Error al generar los comandos de recorte de secuencia"
void MsgTrimCmdError();
// 84: "Error al generar comandos para codificar audio"
void MsgAudioEncodeCmdError();
// 85: "Error al generar comandos para codificar video"
void MsgVideoEncodeCmdError();
// 87: "Debe especificar una extensión de archivo"
void MsgNoFileExtension();
// 88: "Uno ó mas filtros necesitan varios archivos de entrada, elija 'Guardar como Archivo'"
void MsgFiltersNeedFileOutput();
// 89: "Duración de prueba no válida"
void MsgInvalidTestDuration();
// 93: "No se ha especificado una ruta de salida"
void MsgNoOutputPath();
// 94: "No se han agregado archivos a la lista"
void MsgNoFilesInList();
// 118: "Duración no válida"
void MsgInvalidDuration();
// 119: "El formato elegido no debe utilizar codecs externos"
void MsgFormatUsesExtCodec();
// 122: "Tamaño de buffer no válido"
void MsgInvalidBufferSize();
// 124: "Origen no ha sido especificado"
void MsgNoSource();
// 125: "No se ha especificado una dirección"
void MsgNoAddress();
// 126: "Número de repeticiones no válido"
void MsgInvalidRepeatCount();
// 127: "No se encuentra ffmpeg"
void MsgFfmpegNotFound();
// 128: "No se encuentra ffplay"
void MsgFfplayNotFound();
// 129: "No se encuentra ffprobe"
void MsgFfprobeNotFound();

// Message boxes with the stop icon, joining one argument.
// 1: "No se encuentra el archivo" + " " + name
void MsgFileNotFound(const QString& name);
// 5: "No se pudo crear el directorio" + " " + name
void MsgCannotCreateDir(const QString& name);
void MsgCannotRenameFile(
    const QString& name);  //   7 "No se pudo renombrar el archivo" + " " + name
// 10: "No pudo copiarse el archivo" + " " + name
void MsgCannotCopyFile(const QString& name);
// 11: "No pudo eliminarse el archivo" + " " + name
void MsgCannotDeleteFile(const QString& name);
// 12: "No se pudo crear el archivo" + " " + name
void MsgCannotCreateFile(const QString& name);
// 13: name + " " + "no es un nombre de archivo válido"
void MsgInvalidFileName(const QString& name);
// 17: "No se encontraron archivos en el directorio" + " " + name
void MsgDirEmpty(const QString& name);
// 18: "No se pudo leer el archivo" + " " + name
void MsgCannotReadFile(const QString& name);
// The same, with the reason on the next line: "Invalid data found when processing input"
void MsgCannotReadFile(const QString& name, const QString& reason);
// 19: "No se pudo escribir el archivo" + " " + name
void MsgCannotWriteFile(const QString& name);
// 54: "No se pudo cargar el codec externo" + " " + name
void MsgCannotLoadExtCodec(const QString& name);
// 79: "Error al leer el filtro" + " " + name
void MsgFilterReadError(const QString& name);
// 83: "No se encuentra el perfil de formato" + " " + base name of path
void MsgFormatProfileNotFound(const QString& path);
// 86: "No se encuentra el perfil de edición" + " " + name
void MsgEditProfileNotFound(const QString& name);
// 67: "Los siguientes filtros no se encuentran:" + line break + list
void MsgFiltersMissing(const QString& list);
// 120: "Error en ffmpeg:" + line break + errorText
void MsgFfmpegError(const QString& errorText);

// Message boxes of other styles: 53 and 526 plain OK, 108 information icon, 92 the stop
// icon with a loaded table and the information icon in Spanish.
// 53: "Para detener el proceso cierre la ventana de ffplay ó finalice ffplay desde el administrador
// de tareas"
void MsgHowToStopFfplay();
// 526: "Confirme ó descarte los cambios en el parámetro antes de salir"
void MsgConfirmParamChanges();
// 108: "Detenga el proceso antes de salir"
void MsgStopProcessFirst();
// 92: "Seleccione un archivo de la lista para realizar la prueba"
void MsgSelectFileForTest();

// Questions, answered Yes, No or Cancel: Yes/No/Cancel, except 75, 76 and 525 Yes/No.
// 16: "Ya existe un archivo con ese nombre, ¿reemplazar?"
Dialogs::Button AskReplaceFile();
// 20: "El archivo " + name + " ha cambiado, ¿guardar cambios?"
Dialogs::Button AskSaveChanges(const QString& name);
// 55: "El codec no podrá volverse a cargar porque fue eliminado, ¿Continuar?"
Dialogs::Button AskContinueCodecRemoved();
// 75: "No se encuentra el ejecutable necesario para utilizar el codec de audio, ¿Buscar?"
Dialogs::Button AskFindAudioCodecExe();
// 76: "No se encuentra el ejecutable necesario para utilizar el codec de video, ¿Buscar?"
Dialogs::Button AskFindVideoCodecExe();
// 107: "¿Detener la conversión?"
Dialogs::Button AskStopConversion();
// 525: "¿Guardar la nueva ruta del ejecutable?"
Dialogs::Button AskSaveExePath();

// Texts the language tables leave to the system or lack come from the small
// desktop table of the language in force (resources/lang/desktop-<table
// number>.txt, "%1" standing for a name); a custom language, whose Qt buttons
// are Qt's English, speaks them in English.
// The desktop's questions before it deletes, Yes/No with the question icon.
// 1: ¿Desea enviar "<name>" a la papelera?
Dialogs::Button AskSendToTrash(const QString& name);
// 2: ¿Desea eliminar "<name>" definitivamente?
Dialogs::Button AskDeleteForGood(const QString& name);
// With the stop icon, 3: "Los archivos convertidos quedarían en el directorio
// temporal del programa, que se borra al cerrarlo. Elija '<choice>' y un
// directorio de salida", the choice being line 137 without its colon.
void MsgOutputInWorkingFolder();
// 4: "No se escribió nada en el archivo de salida", the error table's
// description of a step that ended well but wrote an output holding nothing.
QString TxtNothingWritten();
// 5: "Se leyeron <read> s de <total> s", the error table's description of a
// step whose output holds less than its source: seconds with one decimal, a
// decimal comma in Spanish and Portuguese.
QString TxtPartlyRead(double readSeconds, double totalSeconds);
// 9: "Se conservó: no se pudo saber si se leyó entero", the error table's
// description of a source kept because how much of it was read is unknown.
QString TxtKeptReadUnknown();
// 10: "Se conservó: no se pudo saber si el archivo nuevo está entero", of an
// older file kept because its replacement is not known to be whole.
QString TxtKeptNewFileUnknown();
// With the information icon, 6: "Otra herramienta está en ejecución; espere a
// que termine", for a press that needs the tool runner while another tool runs.
void MsgAnotherToolRunning();
// With the stop icon, when no program on the desktop could open the target:
// 7 for a document ("Ningún programa pudo abrir "<target>". Instale xdg-utils
// y un visor de PDF"), 8 for a web address (the same, with a web browser), 11
// for an existing folder ("Ningún programa pudo abrir el directorio "<target>".
// Instale xdg-utils y un administrador de archivos").
void MsgNoProgramToOpen(const QString& target);

// Input boxes: the text entered, "" when cancelled. Defaults: the current name, none,
// "20", and the buffer size given.
// 8: asks until the entry is a valid file name; "" on cancel
QString InputValidFileName(const QString& currentName);
// 51: "Ingrese los parámetros de la línea de comandos para acceder a la documentación (ejemplo:
// -help)"
QString InputDocParams();
// 116: "Ingrese los segundos a convertir:"
QString InputTestSeconds();
// 121: "Ingrese el tamaño de buffer en MBytes (ingrese '0' para usar el tamaño predeterminado)"
QString InputBufferSize(const QString& currentSize);

// Texts for the caller to show.
// 7: "No se pudo renombrar el archivo" + " " + name
QString TxtCannotRenameFile(const QString& name);
// 11: "No pudo eliminarse el archivo" + " " + name
QString TxtCannotDeleteFile(const QString& name);
// 68: "No encontrado"
QString TxtNotFound();
// 95: "<todos los archivos>"
QString TxtAllFiles();
// 96: "Errores:" (in Spanish "Errores: ", with its blank)
QString TxtErrors();
// 97: "Extrayendo audio"
QString TxtExtractingAudio();
// 98: "Codificando audio"
QString TxtEncodingAudio();
// 99: "(pase 1)"
QString TxtPass1();
// 100: "(pase 2)"
QString TxtPass2();
// 101: "Extrayendo video"
QString TxtExtractingVideo();
// 102: "Codificando video"
QString TxtEncodingVideo();
// 103: "Mezclando audio/video"
QString TxtMixingAudioVideo();
// 104: "Convirtiendo"
QString TxtConverting();
// 105: "No se pudo iniciar el proceso"
QString TxtProcessStartFailed();
// 106: "Error al convertir"
QString TxtConvertError();
// 109: "El proceso terminó"
QString TxtProcessEnded();
// 110: "El proceso fue detenido"
QString TxtProcessStopped();
// 111: "Prueba finalizada"
QString TxtTestFinished();
// 112: "Tamaño de archivo:"
QString TxtFileSize();
// 113: "¿Reproducir el archivo?"
QString TxtPlayFileQuestion();
// 114: "No se pudo crear el directorio de salida"
QString TxtCannotCreateOutputDir();
// 115: "¿Ver archivos?"
QString TxtViewFilesQuestion();
// 123: "Terminado"
QString TxtFinished();
// 130: "Manual"
QString TxtManual();
// 131: "Automático"
QString TxtAutomatic();
// 132: "Ninguno"
QString TxtNone();
// 140: "Eliminar archivos originales" (the main window's option)
QString TxtDeleteOriginals();
// 141: "Reemplazar archivos" (the main window's option)
QString TxtReplaceFiles();
// 523: "Moviendo pistas"
QString TxtMovingTracks();
// 524: "No se pudieron mover los archivos"
QString TxtCannotMoveFiles();

// The 23 captions of the format-profile parameters (lines 27 to 49).
ParamCaptions GetParamCaptions();

// Texts a window puts into one of its controls.
// 3: "Obteniendo información de pistas..."
QString GettingTrackInfoText();
// 14: "Guardar como:"
QString SaveAsLabelText();
// 15: "Seleccionar archivo:"
QString SelectFileLabelText();

// Who retranslates the loaded windows when a language is loaded: the main
// window's translator, which the windows hand over at start-up.
using WindowTranslator = void (*)();
void InstallWindowTranslator(WindowTranslator translate);

// The language in force.
struct LanguageState {
  // The table in force: element i is line i + 1. Empty while Spanish is in force,
  // otherwise exactly TableLines texts.
  QStringList Msg;
  // "<Spanish>", "<English>", "<Portuguese>", a custom file's base name, or "" (never chosen).
  QString LanguageName;
  // The title of the program's message boxes; null for the program's name.
  QString BoxTitle;
  // The windows' translator, once installed.
  WindowTranslator RetranslateWindows = nullptr;
};

// This module's part of the running program's AppState.
LanguageState& State();

}  // namespace Lang
