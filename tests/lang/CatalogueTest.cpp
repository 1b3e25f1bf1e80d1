#include <functional>
#include <optional>

#include "LangFixture.h"
#include "core/devices/Recorder.h"
#include "core/lang/Lang.h"
#include "gui/app/MainWindow.h"

namespace {

using Dialogs::Kind;
using Dialogs::MessageStyle;

constexpr MessageStyle kPlain{};
constexpr MessageStyle kStop{Dialogs::Buttons::Ok, Dialogs::Icon::Stop};
constexpr MessageStyle kInformation{Dialogs::Buttons::Ok, Dialogs::Icon::Information};
constexpr MessageStyle kYesNoCancel{Dialogs::Buttons::YesNoCancel};
constexpr MessageStyle kYesNo{Dialogs::Buttons::YesNo};

// One procedure of the catalogue: how to call it, what it shows or returns with
// a table whose line n reads "L<n>", and with Spanish in force.
struct Row {
  const char* name;
  std::function<QString()> call;  // the answer, the entry or the text, as text
  QString synthetic;
  QString spanish;
  bool box;            // shows a box (message, question or input)
  Kind dialog;         // which box
  MessageStyle style;  // message box style with a table loaded
  MessageStyle spanishStyle;
  QString defaultText;
};

Row Message(const char* name, std::function<void()> call, QString synthetic, QString spanish,
            MessageStyle style, std::optional<MessageStyle> spanishStyle = std::nullopt) {
  auto run = [call] {
    call();
    return QString();
  };
  return {name, run, synthetic, spanish, true, Kind::Message, style, spanishStyle.value_or(style),
          {}};
}

Row Question(const char* name, std::function<Dialogs::Button()> call, QString synthetic,
             QString spanish, MessageStyle style) {
  auto run = [call] {
    call();
    return QString();
  };
  return {name, run, synthetic, spanish, true, Kind::Message, style, style, {}};
}

Row Input(const char* name, std::function<QString()> call, QString synthetic, QString spanish,
          QString defaultText) {
  return {name, call, synthetic, spanish, true, Kind::Input, {}, {}, defaultText};
}

Row Text(const char* name, std::function<QString()> call, QString synthetic, QString spanish) {
  return {name, call, synthetic, spanish, false, Kind::Message, {}, {}, {}};
}

const Row kRows[] = {
    Message(
        "MsgTrackListFailed", [] { Lang::MsgTrackListFailed(); }, "L2",
        "No se pudo obtener la lista de Tracks", kStop),
    Message(
        "MsgEnterOutputDir", [] { Lang::MsgEnterOutputDir(); }, "L4",
        "Ingrese un directorio de salida", kStop),
    Message(
        "MsgNoTrackSelected", [] { Lang::MsgNoTrackSelected(); }, "L6",
        "No se seleccionó ningún track", kStop),
    Message(
        "MsgFileExists", [] { Lang::MsgFileExists(); }, "L9", "Ya existe un archivo con ese nombre",
        kStop),
    Message(
        "MsgNoParameters", [] { Lang::MsgNoParameters(); }, "L22",
        "No se han especificado los parámetros", kStop),
    Message(
        "MsgNoFilesSelected", [] { Lang::MsgNoFilesSelected(); }, "L23",
        "No se han seleccionado archivos", kStop),
    Message(
        "MsgSelectTwoFiles", [] { Lang::MsgSelectTwoFiles(); }, "L24",
        "Es necesario seleccionar por lo menos 2 archivos", kStop),
    Message(
        "MsgStopBeforeExit", [] { Lang::MsgStopBeforeExit(); }, "L25",
        "Detenga el proceso antes de salir", kStop),
    Message(
        "MsgInvalidTag", [] { Lang::MsgInvalidTag(); }, "L50",
        "Debe ingresar una etiqueta que no contenga los caracteres < >", kStop),
    Message(
        "MsgNoExecutable", [] { Lang::MsgNoExecutable(); }, "L52",
        "Aún no se especifica el ejecutable", kStop),
    Message(
        "MsgTagExists", [] { Lang::MsgTagExists(); }, "L56",
        "Ya existe un parámetro con esa etiqueta", kStop),
    Message(
        "MsgNoFormat", [] { Lang::MsgNoFormat(); }, "L57",
        "No se ha especificado el formato, ingrese ó elija uno de la lista", kStop),
    Message(
        "MsgNoCodec", [] { Lang::MsgNoCodec(); }, "L58",
        "No se ha especificado el codec, ingrese ó elija uno de la lista", kStop),
    Message(
        "MsgSelectOption", [] { Lang::MsgSelectOption(); }, "L59",
        "Seleccione alguna opción de la lista", kStop),
    Message(
        "MsgSelectTestFile", [] { Lang::MsgSelectTestFile(); }, "L60",
        "Seleccione un archivo de prueba", kStop),
    Message(
        "MsgNoTestDuration", [] { Lang::MsgNoTestDuration(); }, "L63",
        "No se dispone información sobre la duración del archivo de prueba", kStop),
    Message(
        "MsgCannotExtractFrames", [] { Lang::MsgCannotExtractFrames(); }, "L64",
        "No se pueden extraer cuadros del archivo de prueba", kStop),
    Message(
        "MsgDetectEdgesFailed", [] { Lang::MsgDetectEdgesFailed(); }, "L65",
        "Error al intentar detectar bordes", kStop),
    Message(
        "MsgBadExtractFormat", [] { Lang::MsgBadExtractFormat(); }, "L69",
        "El formato de extracción no debe requerir codecs externos ni generar múltiples archivos "
        "de salida",
        kStop),
    Message(
        "MsgFormatCannotExtract", [] { Lang::MsgFormatCannotExtract(); }, "L70",
        "El formato no sirve para extraer la pista de audio ó video requerida", kStop),
    Message(
        "MsgNoExtCodecInfo", [] { Lang::MsgNoExtCodecInfo(); }, "L73",
        "No se encontró información de codec externo en el formato seleccionado", kStop),
    Message(
        "MsgFormatProfileReadError", [] { Lang::MsgFormatProfileReadError(); }, "L74",
        "Error al leer el perfil de formato", kStop),
    Message(
        "MsgEditProfileReadError", [] { Lang::MsgEditProfileReadError(); }, "L77",
        "Error al leer el perfil de edición", kStop),
    Message(
        "MsgAllTracksRemoved", [] { Lang::MsgAllTracksRemoved(); }, "L78",
        "Se eligió eliminar todas las pistas del archivo", kStop),
    Message(
        "MsgAudioEditCmdError", [] { Lang::MsgAudioEditCmdError(); }, "L80",
        "Error al generar los comandos de edición de audio", kStop),
    Message(
        "MsgTrimCmdError", [] { Lang::MsgTrimCmdError(); }, "L82",
        "Error al generar los comandos de recorte de secuencia", kStop),
    Message(
        "MsgAudioEncodeCmdError", [] { Lang::MsgAudioEncodeCmdError(); }, "L84",
        "Error al generar comandos para codificar audio", kStop),
    Message(
        "MsgVideoEncodeCmdError", [] { Lang::MsgVideoEncodeCmdError(); }, "L85",
        "Error al generar comandos para codificar video", kStop),
    Message(
        "MsgNoFileExtension", [] { Lang::MsgNoFileExtension(); }, "L87",
        "Debe especificar una extensión de archivo", kStop),
    Message(
        "MsgFiltersNeedFileOutput", [] { Lang::MsgFiltersNeedFileOutput(); }, "L88",
        "Uno ó mas filtros necesitan varios archivos de entrada, elija 'Guardar como Archivo'",
        kStop),
    Message(
        "MsgInvalidTestDuration", [] { Lang::MsgInvalidTestDuration(); }, "L89",
        "Duración de prueba no válida", kStop),
    Message(
        "MsgNoOutputPath", [] { Lang::MsgNoOutputPath(); }, "L93",
        "No se ha especificado una ruta de salida", kStop),
    Message(
        "MsgNoFilesInList", [] { Lang::MsgNoFilesInList(); }, "L94",
        "No se han agregado archivos a la lista", kStop),
    Message(
        "MsgInvalidDuration", [] { Lang::MsgInvalidDuration(); }, "L118", "Duración no válida",
        kStop),
    Message(
        "MsgFormatUsesExtCodec", [] { Lang::MsgFormatUsesExtCodec(); }, "L119",
        "El formato elegido no debe utilizar codecs externos", kStop),
    Message(
        "MsgInvalidBufferSize", [] { Lang::MsgInvalidBufferSize(); }, "L122",
        "Tamaño de buffer no válido", kStop),
    Message(
        "MsgNoSource", [] { Lang::MsgNoSource(); }, "L124", "Origen no ha sido especificado",
        kStop),
    Message(
        "MsgNoAddress", [] { Lang::MsgNoAddress(); }, "L125", "No se ha especificado una dirección",
        kStop),
    Message(
        "MsgInvalidRepeatCount", [] { Lang::MsgInvalidRepeatCount(); }, "L126",
        "Número de repeticiones no válido", kStop),
    Message(
        "MsgFfmpegNotFound", [] { Lang::MsgFfmpegNotFound(); }, "L127", "No se encuentra ffmpeg",
        kStop),
    Message(
        "MsgFfplayNotFound", [] { Lang::MsgFfplayNotFound(); }, "L128", "No se encuentra ffplay",
        kStop),
    Message(
        "MsgFfprobeNotFound", [] { Lang::MsgFfprobeNotFound(); }, "L129", "No se encuentra ffprobe",
        kStop),
    Message(
        "MsgFileNotFound", [] { Lang::MsgFileNotFound("ARG"); }, "L1 ARG",
        "No se encuentra el archivo ARG", kStop),
    Message(
        "MsgCannotCreateDir", [] { Lang::MsgCannotCreateDir("ARG"); }, "L5 ARG",
        "No se pudo crear el directorio ARG", kStop),
    Message(
        "MsgCannotRenameFile", [] { Lang::MsgCannotRenameFile("ARG"); }, "L7 ARG",
        "No se pudo renombrar el archivo ARG", kStop),
    Message(
        "MsgCannotCopyFile", [] { Lang::MsgCannotCopyFile("ARG"); }, "L10 ARG",
        "No pudo copiarse el archivo ARG", kStop),
    Message(
        "MsgCannotDeleteFile", [] { Lang::MsgCannotDeleteFile("ARG"); }, "L11 ARG",
        "No pudo eliminarse el archivo ARG", kStop),
    Message(
        "MsgCannotCreateFile", [] { Lang::MsgCannotCreateFile("ARG"); }, "L12 ARG",
        "No se pudo crear el archivo ARG", kStop),
    Message(
        "MsgInvalidFileName", [] { Lang::MsgInvalidFileName("ARG"); }, "ARG L13",
        "ARG no es un nombre de archivo válido", kStop),
    Message(
        "MsgDirEmpty", [] { Lang::MsgDirEmpty("ARG"); }, "L17 ARG",
        "No se encontraron archivos en el directorio ARG", kStop),
    Message(
        "MsgCannotReadFile", [] { Lang::MsgCannotReadFile("ARG"); }, "L18 ARG",
        "No se pudo leer el archivo ARG", kStop),
    Message(
        "MsgCannotWriteFile", [] { Lang::MsgCannotWriteFile("ARG"); }, "L19 ARG",
        "No se pudo escribir el archivo ARG", kStop),
    Message(
        "MsgCannotLoadExtCodec", [] { Lang::MsgCannotLoadExtCodec("ARG"); }, "L54 ARG",
        "No se pudo cargar el codec externo ARG", kStop),
    Message(
        "MsgFilterReadError", [] { Lang::MsgFilterReadError("ARG"); }, "L79 ARG",
        "Error al leer el filtro ARG", kStop),
    Message(
        "MsgFormatProfileNotFound", [] { Lang::MsgFormatProfileNotFound("/data/My Profile.qfm"); },
        "L83 My Profile", "No se encuentra el perfil de formato My Profile", kStop),
    Message(
        "MsgEditProfileNotFound", [] { Lang::MsgEditProfileNotFound("ARG"); }, "L86 ARG",
        "No se encuentra el perfil de edición ARG", kStop),
    Message(
        "MsgFiltersMissing", [] { Lang::MsgFiltersMissing("ARG"); }, "L67\nARG",
        "Los siguientes filtros no se encuentran:\nARG", kStop),
    Message(
        "MsgFfmpegError", [] { Lang::MsgFfmpegError("ARG"); }, "L120\nARG", "Error en ffmpeg:\nARG",
        kStop),
    Message(
        "MsgHowToStopFfplay", [] { Lang::MsgHowToStopFfplay(); }, "L53",
        "Para detener el proceso cierre la ventana de ffplay ó finalice ffplay desde el "
        "administrador de tareas",
        kPlain),
    Message(
        "MsgConfirmParamChanges", [] { Lang::MsgConfirmParamChanges(); }, "L526",
        "Confirme ó descarte los cambios en el parámetro antes de salir", kPlain),
    Message(
        "MsgStopProcessFirst", [] { Lang::MsgStopProcessFirst(); }, "L108",
        "Detenga el proceso antes de salir", kInformation),
    Message(
        "MsgSelectFileForTest", [] { Lang::MsgSelectFileForTest(); }, "L92",
        "Seleccione un archivo de la lista para realizar la prueba", kStop, kInformation),
    Question(
        "AskReplaceFile", [] { return Lang::AskReplaceFile(); }, "L16",
        "Ya existe un archivo con ese nombre, ¿reemplazar?", kYesNoCancel),
    Question(
        "AskSaveChanges", [] { return Lang::AskSaveChanges("ARG"); }, "L20 ARG L21",
        "El archivo ARG ha cambiado, ¿guardar cambios?", kYesNoCancel),
    Question(
        "AskContinueCodecRemoved", [] { return Lang::AskContinueCodecRemoved(); }, "L55",
        "El codec no podrá volverse a cargar porque fue eliminado, ¿Continuar?", kYesNoCancel),
    Question(
        "AskFindAudioCodecExe", [] { return Lang::AskFindAudioCodecExe(); }, "L75",
        "No se encuentra el ejecutable necesario para utilizar el codec de audio, ¿Buscar?",
        kYesNo),
    Question(
        "AskFindVideoCodecExe", [] { return Lang::AskFindVideoCodecExe(); }, "L76",
        "No se encuentra el ejecutable necesario para utilizar el codec de video, ¿Buscar?",
        kYesNo),
    Question(
        "AskStopConversion", [] { return Lang::AskStopConversion(); }, "L107",
        "¿Detener la conversión?", kYesNoCancel),
    Question(
        "AskSaveExePath", [] { return Lang::AskSaveExePath(); }, "L525",
        "¿Guardar la nueva ruta del ejecutable?", kYesNo),
    Input(
        "InputValidFileName", [] { return Lang::InputValidFileName("x"); }, "L8",
        "Ingrese un nombre válido para el archivo (no debe contener los caracteres :/\\*?|<>\")",
        "x"),
    Input(
        "InputDocParams", [] { return Lang::InputDocParams(); }, "L51",
        "Ingrese los parámetros de la línea de comandos para acceder a la documentación (ejemplo: "
        "-help)",
        ""),
    Input(
        "InputTestSeconds", [] { return Lang::InputTestSeconds(); }, "L116",
        "Ingrese los segundos a convertir:", "20"),
    Input(
        "InputBufferSize", [] { return Lang::InputBufferSize(Recorder::State().RecBufferSizeMB); },
        "L121",
        "Ingrese el tamaño de buffer en MBytes (ingrese '0' para usar el tamaño predeterminado)",
        "32"),
    Text(
        "TxtNotFound", [] { return Lang::TxtNotFound(); }, "L68", "No encontrado"),
    Text(
        "TxtAllFiles", [] { return Lang::TxtAllFiles(); }, "L95", "<todos los archivos>"),
    Text(
        "TxtErrors", [] { return Lang::TxtErrors(); }, "L96", "Errores: "),
    Text(
        "TxtExtractingAudio", [] { return Lang::TxtExtractingAudio(); }, "L97", "Extrayendo audio"),
    Text(
        "TxtEncodingAudio", [] { return Lang::TxtEncodingAudio(); }, "L98", "Codificando audio"),
    Text(
        "TxtPass1", [] { return Lang::TxtPass1(); }, "L99", "(pase 1)"),
    Text(
        "TxtPass2", [] { return Lang::TxtPass2(); }, "L100", "(pase 2)"),
    Text(
        "TxtExtractingVideo", [] { return Lang::TxtExtractingVideo(); }, "L101",
        "Extrayendo video"),
    Text(
        "TxtEncodingVideo", [] { return Lang::TxtEncodingVideo(); }, "L102", "Codificando video"),
    Text(
        "TxtMixingAudioVideo", [] { return Lang::TxtMixingAudioVideo(); }, "L103",
        "Mezclando audio/video"),
    Text(
        "TxtConverting", [] { return Lang::TxtConverting(); }, "L104", "Convirtiendo"),
    Text(
        "TxtProcessStartFailed", [] { return Lang::TxtProcessStartFailed(); }, "L105",
        "No se pudo iniciar el proceso"),
    Text(
        "TxtConvertError", [] { return Lang::TxtConvertError(); }, "L106", "Error al convertir"),
    Text(
        "TxtProcessEnded", [] { return Lang::TxtProcessEnded(); }, "L109", "El proceso terminó"),
    Text(
        "TxtProcessStopped", [] { return Lang::TxtProcessStopped(); }, "L110",
        "El proceso fue detenido"),
    Text(
        "TxtTestFinished", [] { return Lang::TxtTestFinished(); }, "L111", "Prueba finalizada"),
    Text(
        "TxtFileSize", [] { return Lang::TxtFileSize(); }, "L112", "Tamaño de archivo:"),
    Text(
        "TxtPlayFileQuestion", [] { return Lang::TxtPlayFileQuestion(); }, "L113",
        "¿Reproducir el archivo?"),
    Text(
        "TxtCannotCreateOutputDir", [] { return Lang::TxtCannotCreateOutputDir(); }, "L114",
        "No se pudo crear el directorio de salida"),
    Text(
        "TxtViewFilesQuestion", [] { return Lang::TxtViewFilesQuestion(); }, "L115",
        "¿Ver archivos?"),
    Text(
        "TxtFinished", [] { return Lang::TxtFinished(); }, "L123", "Terminado"),
    Text(
        "TxtManual", [] { return Lang::TxtManual(); }, "L130", "Manual"),
    Text(
        "TxtAutomatic", [] { return Lang::TxtAutomatic(); }, "L131", "Automático"),
    Text(
        "TxtNone", [] { return Lang::TxtNone(); }, "L132", "Ninguno"),
    Text(
        "TxtMovingTracks", [] { return Lang::TxtMovingTracks(); }, "L523", "Moviendo pistas"),
    Text(
        "TxtCannotMoveFiles", [] { return Lang::TxtCannotMoveFiles(); }, "L524",
        "No se pudieron mover los archivos"),
};

constexpr Dialogs::Button kQuestionAnswer = Dialogs::Button::Yes;
const QString kEntry = "entry.txt";

class CatalogueTest : public LangTest {
 protected:
  void SetUp() override {
    LangTest::SetUp();
    Recorder::State().RecBufferSizeMB = "32";
  }
  void LoadSynthetic() {
    WriteLanguage("synthetic", SyntheticTable(Lang::TableLines));
    Lang::LoadLanguage("synthetic");
    ASSERT_EQ(Lang::State().Msg.size(), Lang::TableLines);
  }
  // Calls the procedure and checks what it showed and returned.
  static void Check(const Row& row, const QString& text, MessageStyle style) {
    SCOPED_TRACE(row.name);
    ScriptedDialogs dialogs;
    if (row.box && row.dialog == Kind::Input) dialogs.Expect(Kind::Input, kEntry);
    if (row.box && row.dialog == Kind::Message) dialogs.Expect(Kind::Message, kQuestionAnswer);
    const QString result = row.call();
    if (!row.box) {
      EXPECT_EQ(result, text);
      return;
    }
    ASSERT_EQ(dialogs.Shown().size(), 1);
    const Dialogs::Request& shown = dialogs.Shown().first();
    EXPECT_EQ(shown.text, text);
    EXPECT_EQ(shown.title, "Quillmoor 2.0");
    if (row.dialog == Kind::Input) {
      EXPECT_EQ(shown.defaultText, row.defaultText);
      EXPECT_EQ(result, kEntry);
    } else {
      EXPECT_EQ(shown.style, style);
    }
  }
};

TEST_F(CatalogueTest, EveryProcedureReadsItsLineWithItsStyleAndJoin) {
  LoadSynthetic();
  for (const Row& row : kRows) Check(row, row.synthetic, row.style);
}

TEST_F(CatalogueTest, EveryProcedureHasItsSpanishTextWhenSpanishIsInForce) {
  Lang::LoadLanguage("<Spanish>");
  ASSERT_TRUE(Lang::State().Msg.isEmpty());
  for (const Row& row : kRows) Check(row, row.spanish, row.spanishStyle);
}

TEST_F(CatalogueTest, QuestionsReturnTheButtonPressed) {
  for (Dialogs::Button answer :
       {Dialogs::Button::Cancel, Dialogs::Button::Yes, Dialogs::Button::No}) {
    ScriptedDialogs dialogs;
    dialogs.Expect(Kind::Message, answer);
    EXPECT_EQ(Lang::AskStopConversion(), answer);
  }
}

TEST_F(CatalogueTest, ParameterCaptionsTakeTheirLinesInStoreOrder) {
  LoadSynthetic();
  const ParamCaptions c = Lang::GetParamCaptions();
  const QString captions[] = {c.ContainerFormat,
                              c.AudioCodec,
                              c.VideoCodec,
                              c.SubtitleCodec,
                              c.PixelFormat,
                              c.AspectRatio,
                              c.Target,
                              c.Bitrate,
                              c.BitrateMin,
                              c.BitrateMax,
                              c.SampleRate,
                              c.Channels,
                              c.Quality,
                              c.FrameRate,
                              c.QualityMin,
                              c.QualityMax,
                              c.FrameSize,
                              c.ExtraParams,
                              c.Extension,
                              c.RemoveAudio,
                              c.RemoveVideo,
                              c.RemoveSubtitles,
                              c.MultipleOutputFiles};
  const int lines[] = {37, 34, 36, 35, 41, 42, 39, 27, 29, 28, 43, 33,
                       30, 38, 32, 31, 44, 40, 45, 46, 47, 48, 49};
  for (int i = 0; i < 23; ++i) EXPECT_EQ(captions[i], QString("L%1").arg(lines[i])) << i;
}

TEST_F(CatalogueTest, SpanishParameterCaptions) {
  const ParamCaptions c = Lang::GetParamCaptions();
  EXPECT_EQ(c.ContainerFormat, "Formato de contenedor");
  EXPECT_EQ(c.FrameSize, "Tamaño de cuadro (WxH,pixels)");
  EXPECT_EQ(c.MultipleOutputFiles, "Múltiples archivos de salida");
}

TEST_F(CatalogueTest, ControlTextsFollowTheTableInForce) {
  EXPECT_EQ(Lang::GettingTrackInfoText(), "Obteniendo información de pistas...");
  EXPECT_EQ(Lang::SaveAsLabelText(), "Guardar como:");
  LoadSynthetic();
  EXPECT_EQ(Lang::SelectFileLabelText(), "L15");
  EXPECT_EQ(Lang::GettingTrackInfoText(), "L3");
}

TEST_F(CatalogueTest, EnglishTableTexts) {
  Lang::LoadLanguage("<English>");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage();
  Lang::MsgFileNotFound("/media/a.avi");
  Lang::MsgSelectFileForTest();
  EXPECT_EQ(dialogs.Messages()[0], "File not found /media/a.avi");
  EXPECT_EQ(dialogs.Shown()[1].style, kStop);
  EXPECT_EQ(Lang::TxtErrors(), "Errors:");
}

// A text of the desktop table: Spanish's until a table is loaded, then the
// built-in Portuguese's or else English's.
TEST_F(CatalogueTest, TheNothingWrittenTextFollowsTheLanguageInForce) {
  EXPECT_EQ(Lang::TxtNothingWritten(), "No se escribió nada en el archivo de salida");
  const struct {
    const char* language;
    QString text;
  } cases[] = {
      {"<Portuguese>", "Nada foi gravado no arquivo de saída"},
      {"<English>", "Nothing was written to the output file"},
      {"<Spanish>", "No se escribió nada en el archivo de salida"},
  };
  for (const auto& c : cases) {
    Lang::LoadLanguage(c.language);
    EXPECT_EQ(Lang::TxtNothingWritten(), c.text) << c.language;
  }
  LoadSynthetic();
  EXPECT_EQ(Lang::TxtNothingWritten(), "Nothing was written to the output file");
}

// The texts added beside it speak the language in force too, numbers included.
TEST_F(CatalogueTest, TheDesktopTablesTextsFollowTheLanguageInForce) {
  const struct {
    const char* language;
    QString partlyRead;
    QString busy;
    QString noViewer;
    QString noBrowser;
    QString keptRead;
  } cases[] = {
      {"<Spanish>", "Se leyeron 9,5 s de 12,0 s",
       "Otra herramienta está en ejecución; espere a que termine",
       "Ningún programa pudo abrir \"/p/doc.pdf\". Instale xdg-utils y un visor de PDF",
       "Ningún programa pudo abrir \"https://x.org/d\". Instale xdg-utils y un navegador web",
       "Se conservó: no se pudo saber si se leyó entero"},
      {"<English>", "Only 9.5 s of 12.0 s were read",
       "Another tool is running; wait for it to finish",
       "No program could open \"/p/doc.pdf\". Install xdg-utils and a PDF viewer",
       "No program could open \"https://x.org/d\". Install xdg-utils and a web browser",
       "Kept: it could not be told whether it was read whole"},
      {"<Portuguese>", "Foram lidos 9,5 s de 12,0 s",
       "Outra ferramenta está em execução; aguarde até que termine",
       "Nenhum programa pôde abrir \"/p/doc.pdf\". Instale xdg-utils e um visualizador de PDF",
       "Nenhum programa pôde abrir \"https://x.org/d\". Instale xdg-utils e um navegador web",
       "Mantido: não foi possível saber se foi lido por inteiro"},
  };
  for (const auto& c : cases) {
    Lang::LoadLanguage(c.language);
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage().ExpectMessage().ExpectMessage();
    Lang::MsgAnotherToolRunning();
    Lang::MsgNoProgramToOpen("/p/doc.pdf");
    Lang::MsgNoProgramToOpen("https://x.org/d");
    EXPECT_EQ(Lang::TxtPartlyRead(9.48, 12), c.partlyRead) << c.language;
    EXPECT_EQ(Lang::TxtKeptReadUnknown(), c.keptRead) << c.language;
    EXPECT_EQ(dialogs.Messages(), QStringList({c.busy, c.noViewer, c.noBrowser})) << c.language;
    EXPECT_EQ(dialogs.Shown()[0].style, kInformation);
    EXPECT_EQ(dialogs.Shown()[1].style, kStop);
  }
}

TEST_F(CatalogueTest, JoinsWithEmptyArguments) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().Expect(Kind::Message, Dialogs::Button::Cancel);
  Lang::MsgCannotDeleteFile("");
  Lang::AskSaveChanges("");
  EXPECT_EQ(dialogs.Messages(), QStringList({"No pudo eliminarse el archivo ",
                                             "El archivo ha cambiado, ¿guardar cambios?"}));
}

TEST_F(CatalogueTest, EveryBoxIsTitledWithTheMainWindowsCaption) {
  MainWindow main;
  main.setWindowTitle("Main caption");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().Expect(Kind::Input, QString());
  Lang::MsgNoSource();
  Lang::InputTestSeconds();
  for (const Dialogs::Request& shown : dialogs.Shown()) EXPECT_EQ(shown.title, "Main caption");
}

TEST_F(CatalogueTest, OnceTheMainWindowHasGoneBoxesAreTitledWithTheProgramsName) {
  {
    MainWindow main;
    main.setWindowTitle("Main caption");
  }
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Lang::MsgNoSource();
  ASSERT_EQ(dialogs.Shown().size(), 1);
  EXPECT_EQ(dialogs.Shown()[0].title, "Quillmoor 2.0");
}

TEST_F(CatalogueTest, FileNamePromptAsksAgainWithTheSameDefaultUntilValidOrCancelled) {
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Input, QString("a:b"))
      .Expect(Kind::Input, QString("a?b"))
      .Expect(Kind::Input, QString());
  EXPECT_EQ(Lang::InputValidFileName("x"), "");
  ASSERT_EQ(dialogs.Shown().size(), 3);
  for (const Dialogs::Request& shown : dialogs.Shown()) EXPECT_EQ(shown.defaultText, "x");

  ScriptedDialogs again;
  again.Expect(Kind::Input, QString("a:b")).Expect(Kind::Input, QString("good name"));
  EXPECT_EQ(Lang::InputValidFileName("x"), "good name");
}

TEST_F(CatalogueTest, FileNamePromptFallsBackOnSpanishForAnEmptyLine) {
  WriteLanguage("short", SyntheticTable(5));
  Lang::LoadLanguage("short");
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Input, QString("ok")).Expect(Kind::Input, QString());
  Lang::InputValidFileName("x");
  Lang::InputDocParams();
  EXPECT_EQ(
      dialogs.Shown()[0].text,
      "Ingrese un nombre válido para el archivo (no debe contener los caracteres :/\\*?|<>\")");
  EXPECT_EQ(dialogs.Shown()[1].text, "");
}

}  // namespace
