// A source goes to the trash only when its output holds all of it: the real
// ffmpeg on media made here, some of it damaged as a bad disk sector or a
// stopped download leaves it, which ffmpeg reads only in part and still ends
// with 0.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "ConversionFixture.h"
#include "core/convert/ConversionState.h"
#include "core/convert/RunInputs.h"
#include "core/convert/SourceReach.h"
#include "core/frame/Session.h"
#include "core/ground/EditProfileRec.h"
#include "core/ground/ExtCodecDef.h"
#include "core/ground/FilterDef.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/RecordFile.h"
#include "gui/app/ConversionStarter.h"

using namespace Conversion;

namespace {

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "Se leyeron 9,2 s de 12,0 s": the seconds read and the seconds the source holds.
struct PartlyRead {
  double read = -1, total = -1;
};
std::optional<PartlyRead> ReadOf(const QString& description) {
  static const QRegularExpression text(R"(^Se leyeron (\d+),(\d) s de (\d+),(\d) s$)");
  const QRegularExpressionMatch match = text.match(description);
  if (!match.hasMatch()) return std::nullopt;
  return PartlyRead{(match.captured(1) + "." + match.captured(2)).toDouble(),
                    (match.captured(3) + "." + match.captured(4)).toDouble()};
}

// Every listed file into the chosen folder, its source to the trash when done.
ConversionChoices IntoAFolderDeletingOriginals() {
  ConversionChoices choices;
  choices.OutputMode = OutputChosenFolder;
  choices.ExtensionText = "mkv";
  choices.DeleteOriginals = true;
  return choices;
}

class SourceReachTest : public ConversionFixture {
 protected:
  SourceReachTest() : ConversionFixture(IntoAFolderDeletingOriginals()) {}
  void SetUp() override {
    ConversionFixture::SetUp();
    QDir().mkpath(Path("out"));
    Session::State().OutputFolder = Path("out");
  }

  // Twelve seconds of H.264 and Vorbis, as the damaged clip was.
  QString Clip(const QString& relative, double seconds = 12,
               const QString& size = "160x120") const {
    return Make(relative,
                {"-f", "lavfi", "-i", "testsrc=size=" + size + ":rate=25", "-f", "lavfi", "-i",
                 "sine", "-t", QString::number(seconds), "-c:v", "libx264", "-c:a", "libvorbis"});
  }
  // The same with the 4096-byte sector over its last cluster's header read
  // back as zeros, as a bad disk sector is.
  QString DamagedClip(const QString& relative) const {
    QByteArray bytes = Bytes(Clip(relative));
    const qsizetype cluster = bytes.lastIndexOf(QByteArray("\x1f\x43\xb6\x75", 4));
    EXPECT_GT(cluster, 0);
    const qsizetype sector = cluster / 4096 * 4096;
    bytes.replace(sector, std::min<qsizetype>(4096, bytes.size() - sector), QByteArray(4096, 0));
    return WriteFile(relative, bytes);
  }
  // The first 60 % of a file, as a download that stopped leaves it.
  QString Cut(const QString& whole, const QString& relative) const {
    const QByteArray bytes = Bytes(whole);
    return WriteFile(relative, bytes.left(bytes.size() * 6 / 10));
  }
  // Converts the list as "Convertir" does; a joined output goes to out/<joined>.
  void Convert(const QStringList& files, const QString& joined = QString()) {
    Conversion::State().Choices.OutputMode = joined.isEmpty() ? OutputChosenFolder : OutputJoined;
    Session::State().OutputFile = joined.isEmpty() ? QString() : Path("out/" + joined);
    Session::State().FileList = files;
    ScriptedDialogs dialogs;  // none expected
    Conversion::Convert("");
  }
  static QList<FailedStep> Errors() { return Conversion::State().Errors; }
  void EmptyTrash() const { QDir(QFileInfo(TrashFiles()).path()).removeRecursively(); }
  QString SaveEdit(const EditProfileRec& edit) const {
    const QString path = WriteFile("appfiles/editp/perfil.qep", "");
    EXPECT_EQ(RecordFile::Write(path, edit), RecordFile::Result::Ok);
    return path;
  }
  QString SaveFormat(const FormatProfile& profile) const {
    const QString path = WriteFile("appfiles/formats/perfil.qfm", "");
    EXPECT_EQ(RecordFile::Write(path, profile), RecordFile::Result::Ok);
    return path;
  }
  void SaveFilter(const QString& name, FilterType type, const QString& text) const {
    FilterDef filter;
    filter.Type = type;
    filter.Params = text;
    EXPECT_EQ(RecordFile::Write(WriteFile("appfiles/filters/" + name + ".qfl", ""), filter),
              RecordFile::Result::Ok);
  }
};

// A cluster lost to a bad sector, or a file cut short, ends ffmpeg's reading
// early and ffmpeg ends with 0: alone or joined to a whole file, through the
// concat list or the decoding graph, the file gets one verdict. Its output
// holds what it holds and stays; the file stays and is listed with what was
// read of it, under the command that names the output. A whole file joined
// to it goes to the trash.
// One medium per test, so that each stays short on a busy machine.
class SourceReachMediumTest : public SourceReachTest, public ::testing::WithParamInterface<int> {};

TEST_P(SourceReachMediumTest, AFileReadOnlyInPartStaysAndIsListedAloneAndJoined) {
  struct Medium {
    const char* name;
    std::function<QString(const QString& folder)> make;  // the damaged file
    double total;                                        // what it holds whole
    // A whole file joined through the concat list, and one through the graph.
    std::function<QString(const QString&folder)> alike, unlike;
  };
  const auto clip = [this](const QString& name, const QString& size = "160x120") {
    return [this, name, size](const QString& folder) { return Clip(folder + name, 3, size); };
  };
  const auto song = [this](const QString& name, int rate) {
    return [this, name, rate](const QString& folder) {
      return Make(folder + name, {"-f", "lavfi", "-i", QString("sine=sample_rate=%1").arg(rate),
                                  "-t", "3", "-b:a", "128k"});
    };
  };
  const Medium media[] = {
      {"a cluster lost to a bad sector",
       [this](const QString& folder) { return DamagedClip(folder + "damaged.mkv"); }, 12,
       clip("whole.mkv"), clip("big.mkv", "320x240")},
      {"an MP4 with its index first, cut",
       [this](const QString& folder) {
         return Cut(
             Make(folder + "full/fast.mp4",
                  {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-f", "lavfi", "-i", "sine",
                   "-t", "12", "-c:v", "libx264", "-c:a", "aac", "-movflags", "+faststart"}),
             folder + "fast.mp4");
       },
       12,
       [this](const QString& folder) {
         return Make(folder + "whole.mp4",
                     {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-f", "lavfi", "-i",
                      "sine", "-t", "3", "-c:v", "libx264", "-c:a", "aac"});
       },
       clip("big.mkv", "320x240")},
      {"an MKV, cut",
       [this](const QString& folder) {
         return Cut(Clip(folder + "full/clip.mkv"), folder + "clip.mkv");
       },
       12, clip("whole.mkv"), clip("big.mkv", "320x240")},
      {"an MP3, cut",
       [this](const QString& folder) {
         return Cut(Make(folder + "full/song.mp3",
                         {"-f", "lavfi", "-i", "sine", "-t", "12", "-b:a", "128k"}),
                    folder + "song.mp3");
       },
       12, song("whole.mp3", 44100), song("other.mp3", 22050)},
  };
  // The concat demuxer places the file after a cut one at the length the
  // cut one's container claims: a cut first file leaves a gap, no shortfall.
  enum Way { Alone, ListFirst, ListLast, GraphLast };
  int run = 0;
  const Medium& m = media[GetParam()];
  for (const Way way : {Alone, ListFirst, ListLast, GraphLast}) {
    const char* ways[] = {"alone", "first of a concat list", "last of a concat list",
                          "last of a decoding graph"};
    SCOPED_TRACE(std::string(m.name) + ", " + ways[way]);
    const QString folder = QString("in%1/").arg(++run);
    const QString damaged = m.make(folder);
    QString whole;
    QString output = Path("out/" + QFileInfo(damaged).completeBaseName() + ".mkv");
    if (way == Alone) {
      Convert({damaged});
    } else {
      whole = way == GraphLast ? m.unlike(folder) : m.alike(folder);
      output = Path(QString("out/joined%1.mkv").arg(run));
      Convert(way == ListFirst ? QStringList{damaged, whole} : QStringList{whole, damaged},
              QFileInfo(output).fileName());
    }
    ASSERT_EQ(Errors().size(), 1);
    const FailedStep listed = Errors()[0];
    EXPECT_EQ(listed.File, damaged);
    EXPECT_EQ(listed.Stage, "Convirtiendo");
    const std::optional<PartlyRead> read = ReadOf(listed.Description);
    ASSERT_TRUE(read) << listed.Description.toStdString();
    EXPECT_NEAR(read->total, m.total, 0.1);
    EXPECT_GT(read->read, 1);
    EXPECT_LT(read->read, m.total - 1.5);
    EXPECT_TRUE(listed.Command.endsWith(output)) << listed.Command.toStdString();
    EXPECT_GT(Duration(output), read->read - 0.5);
    EXPECT_TRUE(QFile::exists(damaged));
    EXPECT_EQ(Trashed(),
              whole.isEmpty() ? QStringList() : QStringList{QFileInfo(whole).fileName()});
    CloseProgress();
    EmptyTrash();
  }
}

std::string MediumName(const ::testing::TestParamInfo<int>& info) {
  static const char* const kNames[] = {"DamagedCluster", "CutMp4", "CutMkv", "CutMp3"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(EachMedium, SourceReachMediumTest, ::testing::Range(0, 4), MediumName);

// One output of several files, each given to ffmpeg as an input: the
// pictures of a cut clip under a whole song. The cut clip stays, listed; the
// song goes. Given alone, the cut clip gets the same verdict. A picture and
// subtitles hold no time to fall short of: beside a song they go with it.
TEST_F(SourceReachTest, AnOutputOfSeveralFilesKeepsTheOneReadInPart) {
  const QString pictures = Cut(
      Make("full/pictures.mkv",
           {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-t", "12", "-c:v", "libx264"}),
      "in/pictures.mkv");
  const auto song = [this](const QString& name) {
    return Make("in/" + name, {"-f", "lavfi", "-i", "sine", "-t", "3"});
  };
  const QString picture =
      Make("in/picture.png", {"-f", "lavfi", "-i", "testsrc=size=320x240", "-frames:v", "1"});
  const QString subtitles =
      WriteFile("in/song.srt", "1\r\n00:00:01,000 --> 00:00:02,000\r\nHola\r\n\r\n");
  struct Case {
    QStringList files;
    QString listed;  // the one read in part
    QStringList trashed;
  };
  const Case cases[] = {
      {{pictures, song("song.mp3")}, pictures, {"song.mp3"}},
      {{pictures}, pictures, {}},
      {{song("other.mp3"), picture, subtitles}, "", {"other.mp3", "picture.png", "song.srt"}},
  };
  Conversion::State().Choices.OutputMode = OutputOneFile;
  int run = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.files.join(' ').toStdString());
    Session::State().OutputFile = Path(QString("out/together%1.mkv").arg(++run));
    Session::State().FileList = c.files;
    {
      ScriptedDialogs dialogs;
      Conversion::Convert("");
    }
    ASSERT_EQ(Errors().size(), c.listed.isEmpty() ? 0 : 1);
    if (!c.listed.isEmpty()) {
      EXPECT_EQ(Errors()[0].File, c.listed);
      const std::optional<PartlyRead> read = ReadOf(Errors()[0].Description);
      ASSERT_TRUE(read) << Errors()[0].Description.toStdString();
      EXPECT_NEAR(read->total, 12, 0.1);
      EXPECT_LT(read->read, 10);
      EXPECT_TRUE(QFile::exists(c.listed));
    }
    QStringList trashed = Trashed();
    trashed.sort();
    EXPECT_EQ(trashed, c.trashed);
    CloseProgress();
    EmptyTrash();
  }
}

// Two parts of a recording joined byte to byte hold twice what their
// container claims; ffmpeg reads the whole of them alone, but the concat
// demuxer, trusting the claim, loses the second part in a join: the output
// holds less than its files, and none of them goes.
TEST_F(SourceReachTest, AJoinThatLostPartOfItsFilesKeepsThemAll) {
  const QString part =
      Make("part.ts", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-f", "lavfi", "-i",
                       "sine", "-t", "2", "-c:v", "mpeg2video", "-c:a", "mp2"});
  const QString recording = WriteFile("in/recording.ts", Bytes(part) + Bytes(part));
  const QString other = WriteFile("in/other.ts", Bytes(part));
  Convert({recording, other}, "joined.mkv");
  ASSERT_EQ(Errors().size(), 1);
  EXPECT_EQ(Errors()[0].File, "<todos los archivos>");
  const std::optional<PartlyRead> read = ReadOf(Errors()[0].Description);
  ASSERT_TRUE(read) << Errors()[0].Description.toStdString();
  EXPECT_NEAR(read->total, 6, 0.2);
  EXPECT_LT(read->read, 5);
  EXPECT_TRUE(QFile::exists(Path("out/joined.mkv")));
  EXPECT_TRUE(QFile::exists(recording));
  EXPECT_TRUE(QFile::exists(other));
  EXPECT_TRUE(Trashed().isEmpty());
}

// Where the run asks for a part or a new pace, or is a test, the output is
// meant to differ from its source in length: the damaged clip is judged as
// before, and its source goes as any other: an input rescaled or given a new
// picture rate, silence removed. So does a song whose cover is made its one
// picture.
TEST_F(SourceReachTest, APartOrAPaceAskedForOrATestIsJudgedByTheStepAlone) {
  SaveFilter("rapido", FilterType::Video, "setpts=0.5*PTS");
  SaveFilter("rapida", FilterType::Audio, "atempo=2");
  EditProfileRec start;
  start.StartPos = "1";
  EditProfileRec length;
  length.EndMode = TrimEnd::AfterDuration;
  length.Duration[0] = "5";
  EditProfileRec faster;
  faster.Filters.Items = {"rapida", "rapido"};
  FormatProfile frames;
  frames.OutputExtraParams = "-frames:v 100";
  FormatProfile until;
  until.OutputExtraParams = "-to 6";
  FormatProfile shortest;
  shortest.OutputExtraParams = "-shortest";
  FormatProfile rescaled;
  rescaled.InputExtraParams = "-itsscale 0.5";
  FormatProfile rate;
  rate.InputExtraParams = "-r 50";
  SaveFilter("sinsilencio", FilterType::Audio,
             "silenceremove=stop_periods=-1:stop_duration=1:stop_threshold=-50dB");
  EditProfileRec silence;
  silence.Filters.Items = {"sinsilencio"};
  struct Case {
    const char* name;
    std::optional<EditProfileRec> edit;
    std::optional<FormatProfile> format;
    QString testTime;
    bool trashed;
    QString extension = "mkv";
  };
  const Case cases[] = {
      {"nothing asked", {}, {}, "", false},
      {"a start", start, {}, "", true},
      {"a length", length, {}, "", true},
      {"a faster pace", faster, {}, "", true},
      {"a frame count", {}, frames, "", true},
      {"an end", {}, until, "", true},
      {"a test", {}, {}, "30", false},
      {"a single picture", {}, {}, "", true, "jpg"},
      {"the shortest stream", {}, shortest, "", true},
      {"a rescaled input", {}, rescaled, "", true},
      {"a new picture rate for the input", {}, rate, "", true},
      {"silence removed", silence, {}, "", true},
  };
  int run = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString folder = QString("in%1/").arg(++run);
    // A song's cover makes the one picture.
    const QString damaged =
        c.extension == "jpg" ? Make(folder + "song.mp3",
                                    {"-f", "lavfi", "-i", "sine=d=6", "-f", "lavfi", "-i",
                                     "testsrc=size=160x120:d=1", "-map", "0", "-map", "1", "-c:v",
                                     "mjpeg", "-frames:v", "1", "-disposition:v", "attached_pic"})
                             : DamagedClip(folder + "damaged.mkv");
    Conversion::State().Choices.ExtensionText = c.extension;
    Session::State().EditProfilePath = c.edit ? SaveEdit(*c.edit) : QString();
    Session::State().FormatProfilePath = c.format ? SaveFormat(*c.format) : QString();
    Session::State().FileList = {damaged};
    {
      ScriptedDialogs dialogs;
      if (!c.testTime.isEmpty())
        dialogs.ExpectMessage(Dialogs::Button::No);  // "No" to playing the test
      Conversion::Convert(c.testTime);
      if (!c.testTime.isEmpty()) {
        ASSERT_EQ(dialogs.Messages().size(), 1);
        EXPECT_TRUE(dialogs.Messages()[0].startsWith("Prueba finalizada"));
      }
    }
    EXPECT_EQ(Errors().size(), c.trashed || !c.testTime.isEmpty() ? 0 : 1);
    EXPECT_EQ(QFile::exists(damaged), !c.trashed);
    CloseProgress();
  }
}

// However the steps go, the damaged clip is listed and a whole one beside it
// goes: two passes, numbered pictures, a sound track made by an outside
// encoder (a stand-in that copies what ffmpeg extracted).
TEST_F(SourceReachTest, ADamagedClipIsListedWhateverStepsTheRunTakes) {
  FormatProfile twoPasses;
  twoPasses.VideoCodec = "mpeg4";
  twoPasses.VideoBitrate = "100k";
  FormatProfile pictures;
  pictures.OutputContainer = "image2";
  pictures.VideoCodec = "mjpeg";
  pictures.MultipleOutputFiles = true;
  pictures.Extension = "jpg";
  FormatProfile encoded;
  encoded.AudioExtCodecName = "enc";
  encoded.AudioExtCodec = Encoder(R"(cp "$1" "$3")");
  struct Case {
    const char* name;
    FormatProfile format;
    bool twoPass;
    QString extension;
  };
  const Case cases[] = {
      {"two passes", twoPasses, true, "mkv"},
      {"numbered pictures", pictures, false, ""},
      {"an outside encoder", encoded, false, "mkv"},
  };
  int run = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString folder = QString("in%1/").arg(++run);
    const QString whole = Clip(folder + "whole.mkv");
    const QString damaged = DamagedClip(folder + "damaged.mkv");
    Session::State().FormatProfilePath = SaveFormat(c.format);
    Conversion::State().Choices.TwoPass = c.twoPass;
    Conversion::State().Choices.ExtensionText = c.extension;
    Convert({whole, damaged});
    QStringList described;
    for (const FailedStep& error : Errors()) described << error.File + ": " + error.Description;
    ASSERT_EQ(Errors().size(), 1) << described.join('\n').toStdString();
    EXPECT_EQ(Errors()[0].File, damaged);
    const std::optional<PartlyRead> read = ReadOf(Errors()[0].Description);
    ASSERT_TRUE(read) << Errors()[0].Description.toStdString();
    EXPECT_NEAR(read->total, 12, 0.1);
    EXPECT_LT(read->read, 10.5);
    EXPECT_TRUE(QFile::exists(damaged));
    EXPECT_EQ(Trashed(), QStringList{"whole.mkv"});
    CloseProgress();
    EmptyTrash();
  }
}

// A bad sector in the middle of a file whose demuxer skips what it cannot
// read (a Matroska cluster, an Ogg page) and reads on to the end, so that
// its last time tells nothing of what it lost on the way. Alone or joined,
// the file stays, listed as kept for not being known whole; a whole file
// joined to it goes.
TEST_F(SourceReachTest, AFileWhoseDamagedMiddleWasSkippedStays) {
  // The sector over the header of the middle one of the file's units,
  // read back as this byte: zeros, or what a failing disk returns.
  const auto damage = [this](const QString& full, const QByteArray& unit, char fill,
                             const QString& relative) {
    QByteArray bytes = Bytes(full);
    QList<qsizetype> units;
    for (qsizetype at = bytes.indexOf(unit); at >= 0; at = bytes.indexOf(unit, at + 1)) units << at;
    EXPECT_GE(units.size(), 4);
    const qsizetype sector = units.value(units.size() / 2) / 4096 * 4096;
    bytes.replace(sector, 4096, QByteArray(4096, fill));
    return WriteFile(relative, bytes);
  };
  const auto song = [this](const QString& relative, int seconds) {
    return Make(relative, {"-f", "lavfi", "-i", "sine", "-t", QString::number(seconds)});
  };
  const QString clip = Clip("full/long.mkv", 30);
  const QString songs = song("full/long.ogg", 30);
  const QByteArray cluster("\x1f\x43\xb6\x75", 4);
  const QByteArray page("OggS");
  struct Case {
    const char* name;
    QString full;
    QByteArray unit;
    char fill;
  };
  const Case cases[] = {
      {"a Matroska cluster read as zeros", clip, cluster, '\x00'},
      {"a Matroska cluster read as ones", clip, cluster, '\xff'},
      {"a Matroska cluster read as a pattern", clip, cluster, '\x55'},
      {"an Ogg page read as zeros", songs, page, '\x00'},
  };
  int run = 0;
  for (const Case& c : cases) {
    for (const bool joined : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (joined ? ", joined" : ", alone"));
      const QString folder = QString("in%1/").arg(++run);
      const QString extension = QFileInfo(c.full).suffix();
      const QString damaged = damage(c.full, c.unit, c.fill, folder + "damaged." + extension);
      QString whole;
      if (joined) {
        whole = extension == "mkv" ? Clip(folder + "whole.mkv", 3) : song(folder + "whole.ogg", 3);
        Convert({whole, damaged}, QString("joined%1.mkv").arg(run));
      } else {
        Convert({damaged});
      }
      QStringList described;
      for (const FailedStep& error : Errors()) described << error.File + ": " + error.Description;
      ASSERT_EQ(Errors().size(), 1) << described.join('\n').toStdString();
      EXPECT_EQ(Errors()[0].File, damaged);
      EXPECT_EQ(Errors()[0].Stage, "Eliminar archivos originales");
      EXPECT_EQ(Errors()[0].Description, "Se conservó: no se pudo saber si se leyó entero");
      EXPECT_TRUE(QFile::exists(damaged));
      EXPECT_EQ(Trashed(), joined ? QStringList{QFileInfo(whole).fileName()} : QStringList());
      CloseProgress();
      EmptyTrash();
    }
  }
}

// "Reemplazar archivos" gives an older file's name only to an output that
// holds all of its source: a shortfall leaves the older file, and the source,
// where they are, and the new output under its numbered name.
TEST_F(SourceReachTest, ReplaceLeavesTheOlderFileBesideAnOutputThatFellShort) {
  Conversion::State().Choices.OutputMode = OutputSourceFolders;
  Conversion::State().Choices.ReplaceFiles = true;
  struct Case {
    const char* name;
    QString source, older, numbered, extension;
  };
  const QString song =
      Cut(Make("full/song.mp3", {"-f", "lavfi", "-i", "sine", "-t", "12", "-b:a", "128k"}),
          "in/song.mp3");
  const Case cases[] = {
      {"the source itself", DamagedClip("in/clip.mkv"), Path("in/clip.mkv"),
       Path("in/clip (2).mkv"), "mkv"},
      {"an older output", song, Make("in/song.ogg", {"-f", "lavfi", "-i", "sine", "-t", "1"}),
       Path("in/song (2).ogg"), "ogg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QByteArray older = Bytes(c.older);
    const QByteArray source = Bytes(c.source);
    Conversion::State().Choices.ExtensionText = c.extension;
    Session::State().FileList = {c.source};
    {
      ScriptedDialogs dialogs;
      Conversion::Convert("");
    }
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(ReadOf(Errors()[0].Description)) << Errors()[0].Description.toStdString();
    EXPECT_TRUE(Errors()[0].Command.contains(c.numbered)) << Errors()[0].Command.toStdString();
    EXPECT_EQ(Bytes(c.older), older);
    EXPECT_EQ(Bytes(c.source), source);
    EXPECT_GT(Duration(c.numbered), 1);
    EXPECT_TRUE(Trashed().isEmpty());
    CloseProgress();
  }
}

// A raw picture stream holds no length: nothing shows its output whole, so
// it stays, and is listed as kept for that.
TEST_F(SourceReachTest, ASourceOfUnknownLengthStays) {
  const QString raw = Make("in/camera.h264", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25",
                                              "-t", "3", "-c:v", "libx264"});
  Convert({raw});
  ASSERT_EQ(Errors().size(), 1);
  EXPECT_EQ(Errors()[0].File, raw);
  EXPECT_EQ(Errors()[0].Stage, "Eliminar archivos originales");
  EXPECT_EQ(Errors()[0].Description, "Se conservó: no se pudo saber si se leyó entero");
  EXPECT_NEAR(Duration(Path("out/camera.mkv")), 3, 0.3);
  EXPECT_TRUE(QFile::exists(raw));
  EXPECT_TRUE(Trashed().isEmpty());
}

// Nor does an older file give way to an output not known to be whole.
TEST_F(SourceReachTest, AnOlderFileStaysBesideTheOutputOfASourceOfUnknownLength) {
  const QString raw = Make("in/camera.h264", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25",
                                              "-t", "3", "-c:v", "libx264"});
  const QString older = Make("in/camera.mkv", {"-f", "lavfi", "-i", "sine", "-t", "1"});
  const QByteArray olderBytes = Bytes(older);
  Conversion::State().Choices.OutputMode = OutputSourceFolders;
  Conversion::State().Choices.ReplaceFiles = true;
  Conversion::State().Choices.DeleteOriginals = false;
  Conversion::State().Choices.ExtensionText = "mkv";
  Session::State().FileList = {raw};
  {
    ScriptedDialogs dialogs;
    Conversion::Convert("");
  }
  ASSERT_EQ(Errors().size(), 1);
  EXPECT_EQ(Errors()[0].File, older);
  EXPECT_EQ(Errors()[0].Stage, "Reemplazar archivos");
  EXPECT_EQ(Errors()[0].Description,
            "Se conservó: no se pudo saber si el archivo nuevo está entero");
  EXPECT_EQ(Bytes(older), olderBytes);
  EXPECT_NEAR(Duration(Path("in/camera (2).mkv")), 3, 0.3);
}

// Media whose length a plain comparison of ffmpeg's last time with the
// container's duration misreads: a phone's clip of changing pace, a
// recording whose clock starts at 10 h, an MP4 that starts inside its
// stream through an edit list, Ogg chained from two songs, junk before an
// MP3's first frame, a WAV whose sizes are wrong, a transport stream with
// lost packets, a clip of one picture, songs with a cover; and clips whose
// sound and pictures end apart. Each converts whole and goes to the trash,
// into a video file and, holding sound to its end, into an MP3; only the
// damaged clip among them stays, listed.
TEST_F(SourceReachTest, GoodMediaStillGoToTheTrashAndOnlyTheDamagedOneStays) {
  const auto make = [this](const QString& name, const QStringList& arguments) {
    return Make("made/" + name, arguments);
  };
  const auto edited = [this](const QString& from, const QString& name,
                             const std::function<void(QByteArray&)>& edit) {
    QByteArray bytes = Bytes(from);
    edit(bytes);
    return WriteFile("made/" + name, bytes);
  };
  const auto putSize = [](QByteArray& bytes, qsizetype at, quint32 size) {
    for (int k = 0; k < 4; ++k) bytes[at + k] = char((size >> (8 * k)) & 0xff);
  };
  QStringList sound, pictures;
  sound << make("phone.mp4", {"-f",
                              "lavfi",
                              "-i",
                              "testsrc=size=160x120:rate=30",
                              "-f",
                              "lavfi",
                              "-i",
                              "sine=sample_rate=48000",
                              "-t",
                              "6",
                              "-vf",
                              "select='not(eq(mod(n,4),3))'",
                              "-vsync",
                              "vfr",
                              "-c:v",
                              "libx264",
                              "-c:a",
                              "aac",
                              "-metadata:s:v",
                              "rotate=90"});
  for (const char* late : {"late.mkv", "late.mp4", "late.ts"})
    sound << make(late, {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-f", "lavfi", "-i",
                         "sine", "-t", "6", "-c:v", "mpeg4", "-output_ts_offset", "36000"});
  const QString source =
      make("source.mp4", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-f", "lavfi", "-i",
                          "sine", "-t", "8", "-c:v", "libx264", "-g", "50", "-c:a", "aac"});
  sound << make("edited.mp4", {"-ss", "1.3", "-i", source, "-c", "copy"});
  const QString first = make("first.ogg", {"-f", "lavfi", "-i", "sine=frequency=300:d=3"});
  const QString second = make("second.ogg", {"-f", "lavfi", "-i", "sine=frequency=600:d=4"});
  sound << WriteFile("made/chained.ogg", Bytes(first) + Bytes(second));
  QByteArray junk(20000, 0);
  quint32 seed = 1;
  for (char& byte : junk) byte = char((seed = seed * 1103515245 + 12345) >> 16);
  sound << WriteFile("made/junk.mp3",
                     junk + Bytes(make("plain.mp3", {"-f", "lavfi", "-i", "sine=d=6"})));
  const QString wav = make("plain.wav", {"-f", "lavfi", "-i", "sine=d=6"});
  sound << edited(wav, "riff.wav", [&](QByteArray& bytes) { putSize(bytes, 4, 0xffffffff); });
  sound << edited(wav, "stream.wav", [&](QByteArray& bytes) {
    putSize(bytes, 4, 0xffffffff);
    putSize(bytes, bytes.indexOf("data") + 4, 0xffffffff);
  });
  sound << edited(
      make("whole.ts", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-f", "lavfi", "-i",
                        "sine", "-t", "6", "-c:v", "mpeg2video", "-c:a", "mp2"}),
      "lost.ts", [](QByteArray& bytes) {
        QByteArray kept;
        const qsizetype packets = bytes.size() / 188;
        for (qsizetype k = 0; k < packets; ++k)
          if (k % 50 != 7 || k < 100 || k > packets - 100) kept += bytes.mid(k * 188, 188);
        bytes = kept;
      });
  const QString cover =
      make("cover.png", {"-f", "lavfi", "-i", "testsrc=size=160x120", "-frames:v", "1"});
  sound << make("cover.mp3", {"-f", "lavfi", "-i", "sine=d=6", "-i", cover, "-map", "0", "-map",
                              "1", "-c:v", "mjpeg", "-disposition:v", "attached_pic"});
  sound << make("cover.m4a", {"-f", "lavfi", "-i", "sine=d=6", "-i", cover, "-map", "0", "-map",
                              "1", "-c:a", "aac", "-c:v", "png", "-disposition:v", "attached_pic"});
  // Sound that outlasts the pictures, and pictures that outlast the sound
  // (an MP3 of the latter holds all its sound but not the file's length).
  sound << make("longsound.mkv", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:d=3", "-f",
                                  "lavfi", "-i", "sine=d=6", "-c:v", "mpeg4"});
  pictures << make("longpictures.mkv", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:d=6",
                                        "-f", "lavfi", "-i", "sine=d=3", "-c:v", "mpeg4"});
  pictures << make("one.mp4", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-frames:v",
                               "1", "-c:v", "libx264"});
  struct Case {
    QString extension;
    QStringList good;
  };
  for (const Case& c : {Case{"mkv", sound + pictures}, Case{"mp3", sound}}) {
    SCOPED_TRACE(c.extension.toStdString());
    QStringList listed;
    for (const QString& file : c.good)
      listed << WriteFile("in/" + c.extension + "/" + QFileInfo(file).fileName(), Bytes(file));
    const QString damaged = DamagedClip("in/" + c.extension + "/damaged.mkv");
    Conversion::State().Choices.ExtensionText = c.extension;
    Convert(listed + QStringList{damaged});
    QStringList described;
    for (const FailedStep& error : Errors()) described << error.File + ": " + error.Description;
    ASSERT_EQ(Errors().size(), 1) << described.join('\n').toStdString();
    EXPECT_EQ(Errors()[0].File, damaged);
    EXPECT_EQ(QDir(Path("in/" + c.extension)).entryList(QDir::Files), QStringList{"damaged.mkv"});
    EXPECT_EQ(Trashed().size(), listed.size());
    CloseProgress();
    EmptyTrash();
  }
}

// What asks an output to be a part of its input, or to take a new pace,
// wherever it stands among the options; a file's name is no option.
TEST(SourceReachOptions, APartOrAPaceIsAskedByItsOptionsOrFilters) {
  struct Case {
    QStringList arguments;
    bool asked;
  };
  const Case cases[] = {
      {{"-i", "a.mkv", "-c:v", "libx264", "-y", "b.mkv"}, false},
      {{"-ss", "1", "-i", "a.mkv", "b.mkv"}, true},
      {{"-i", "a.mkv", "-t", "5", "b.mkv"}, true},
      {{"-i", "a.mkv", "-to", "5", "b.mkv"}, true},
      {{"-sseof", "-5", "-i", "a.mkv", "b.mkv"}, true},
      {{"-i", "a.mkv", "-frames:v", "1", "b.png"}, true},
      {{"-i", "a.mkv", "-vframes", "10", "b.mkv"}, true},
      {{"-i", "a.mkv", "-aframes", "10", "b.mka"}, true},
      {{"-i", "a.mkv", "-fs", "1M", "b.mkv"}, true},
      {{"-i", "a.mkv", "-i", "b.wav", "-shortest", "c.mkv"}, true},
      {{"-itsoffset", "2", "-i", "a.mkv", "b.mkv"}, true},
      {{"-t", "5", "-i", "a.mkv", "b.mkv"}, true},
      {{"-i", "a.mkv", "-frames:a", "10", "b.mka"}, true},
      {{"-itsscale", "0.5", "-i", "a.mkv", "b.mkv"}, true},
      {{"-r", "50", "-i", "a.mkv", "b.mkv"}, true},
      {{"-i", "a.mkv", "-r", "50", "b.mkv"}, false},
      {{"-i", "a.mka", "-af", "silenceremove=stop_periods=-1", "b.mka"}, true},
      {{"-i", "a.mkv", "-vf", "scale=320:-2,setpts=0.5*PTS", "b.mkv"}, true},
      {{"-i", "a.mkv", "-af", "atempo=2", "b.mka"}, true},
      {{"-i", "a.mkv", "-filter:a:0", "volume=2,asetrate=88200", "b.mka"}, true},
      {{"-i", "a.mkv", "-filter_complex", "[0:v]trim=end=5[v]", "-map", "[v]", "b.mkv"}, true},
      {{"-i", "a.mkv", "-vf", "select='eq(pict_type,I)'", "b.mkv"}, true},
      {{"-i", "a.mkv", "-filter_script:v", "graph.txt", "b.mkv"}, true},
      {{"-i", "a.mkv", "-vf", "scale=320:-2,fps=10", "-af", "volume=2", "b.mkv"}, false},
      {{"-i", "a.mkv", "-metadata", "title=setpts", "b.mkv"}, false},
      {{"-i", "-t", "-c", "copy", "b.mkv"}, false},
      {{"-f", "lavfi", "-i", "movie=a.mkv,setpts=PTS-STARTPTS", "b.mkv"}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AsksPartOrPace(c.arguments), c.asked) << c.arguments.join(' ').toStdString();
}

}  // namespace
