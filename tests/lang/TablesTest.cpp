#include <QFile>
#include <QStringDecoder>

#include "LangFixture.h"

namespace {

// The raw text of a shipped table.
QString RawTable(int resourceId) {
  QFile file(QString(":/lang/%1.txt").arg(resourceId));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << resourceId;
  const QByteArray bytes = file.readAll();
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(bytes);
  EXPECT_FALSE(utf8.hasError()) << resourceId << " is not UTF-8";
  return text;
}

bool HasControlCharacter(const QString& text) {
  for (QChar c : text) {
    if (c.category() == QChar::Other_Control) return true;
  }
  return false;
}

class TablesTest : public LangTest {};

TEST_F(TablesTest, EveryTableHas537CleanLines) {
  // The only blanks at either end of a line that a table may carry.
  struct Case {
    Lang::BuiltInLanguage language;
    QList<int> linesEndingInABlank;
  } cases[] = {{Lang::BuiltInLanguage::Spanish, {}},
               {Lang::BuiltInLanguage::English, {537}},
               {Lang::BuiltInLanguage::Portuguese, {381}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.language));
    const QString raw = RawTable(int(c.language));
    EXPECT_FALSE(raw.endsWith("\r\n"));
    const QStringList lines = raw.split("\r\n");
    ASSERT_EQ(lines.size(), 537);
    EXPECT_EQ(Lang::BuiltInTable(c.language), lines);
    for (int n = 1; n <= 537; ++n) {
      const QString& line = lines[n - 1];
      EXPECT_FALSE(HasControlCharacter(line)) << "line " << n;
      EXPECT_FALSE(line.startsWith(' ')) << "line " << n;
      EXPECT_EQ(line.endsWith(' '), c.linesEndingInABlank.contains(n)) << "line " << n;
      EXPECT_FALSE(line.isEmpty()) << "line " << n;
      // The tools are named as a Linux user runs them.
      EXPECT_FALSE(line.contains(".exe")) << "line " << n;
    }
  }
}

TEST_F(TablesTest, TellingRows) {
  struct Row {
    int line;
    const char* spanish;
    const char* english;
    const char* portuguese;
  } rows[] = {
      {1, "No se encuentra el archivo", "File not found", "Não se encontra o arquivo"},
      {16, "Ya existe un archivo con ese nombre, ¿reemplazar?",
       "A file with that name already exists, replace?",
       "Já existe um arquivo com esse nome, ¿substituir?"},
      {27, "Bitrate (bits/s)", "Bitrate (bits/s)", "Bitrate (bits/s)"},
      {68, "No encontrado", "Not found", "Não encontrado"},
      {95, "<todos los archivos>", "<All Files>", "<todos os arquivos>"},
      {133, "Acerca del codec externo...", "About the external codec...",
       "A respeito do codec externo..."},
      {381, "Ir a", "Go to", "Ir a "},
      {468, "Establecer", "Set", "Estabelecer"},
      {537, "Nota: el orden de los parámetros en la lista será el orden en la línea de comandos",
       "Note: The order of the parameters in the list will be the order of the command line ",
       "Nota: a ordem dos parâmetros na lista será a ordem na linha de comandos"},
  };
  const QStringList spanish = Lang::BuiltInTable(Lang::BuiltInLanguage::Spanish);
  const QStringList english = Lang::BuiltInTable(Lang::BuiltInLanguage::English);
  const QStringList portuguese = Lang::BuiltInTable(Lang::BuiltInLanguage::Portuguese);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(spanish[row.line - 1], QString::fromUtf8(row.spanish));
    EXPECT_EQ(english[row.line - 1], QString::fromUtf8(row.english));
    EXPECT_EQ(portuguese[row.line - 1], QString::fromUtf8(row.portuguese));
  }
}

TEST_F(TablesTest, LinesThatNothingReadsKeepTheirPlace) {
  const QStringList spanish = Lang::BuiltInTable(Lang::BuiltInLanguage::Spanish);
  const std::pair<int, const char*> rows[] = {
      {26, "Archivo convertido, ¿reproducir?"},
      {61, "Error al listar los filtros"},
      {62, "Valores ingresados no validos"},
      {66, "Error al reproducir el archivo"},
      {71, "Error al generar los comandos del codec externo de audio"},
      {72, "Error al generar los comandos del codec externo de video"},
      {90, "¿Actualizar la ubicación del ejecutable?"},
      {91, "Error al guardar la ruta"},
      {117, "ffplay finalizó"},
  };
  for (const auto& [line, text] : rows) EXPECT_EQ(spanish[line - 1], QString::fromUtf8(text));
}

// Option names, formats and file names are the same in every language.
TEST_F(TablesTest, TranslationsKeepTheFormatTokens) {
  const char* tokens[] = {"HH:MM:SS.mm", "WxH",    "ffplay", "ffprobe",     "cdda2wav",
                          "-help",       "'0'",    "< >",    ":/\\*?|<>\"", "(bits/s)",
                          "(Hz)",        "ffmpeg", "MBytes"};
  const QStringList spanish = Lang::BuiltInTable(Lang::BuiltInLanguage::Spanish);
  for (Lang::BuiltInLanguage language :
       {Lang::BuiltInLanguage::English, Lang::BuiltInLanguage::Portuguese}) {
    const QStringList table = Lang::BuiltInTable(language);
    for (int i = 0; i < 537; ++i) {
      for (const char* token : tokens) {
        if (!spanish[i].contains(QLatin1String(token))) continue;
        EXPECT_TRUE(table[i].contains(QLatin1String(token)))
            << int(language) << " line " << i + 1 << " lost " << token;
      }
    }
  }
}

}  // namespace
