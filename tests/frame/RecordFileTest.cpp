#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cstdio>
#include <functional>

#include "FileSizeLimit.h"
#include "HangGuard.h"
#include "RecordBytes.h"
#include "TestEnv.h"
#include "core/ground/ConfigRecord.h"
#include "core/ground/EditProfileRec.h"
#include "core/ground/ExtCodecDef.h"
#include "core/ground/FilterDef.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/RecordFile.h"

#if defined(__SANITIZE_ADDRESS__)
#define MEASURED_BY_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MEASURED_BY_SANITIZER 1
#endif
#endif
#ifdef MEASURED_BY_SANITIZER
#include <sanitizer/allocator_interface.h>
#endif

namespace {

using RecordFile::Result;

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

struct TextList {
  DynArray<QString> Items;
  uint8_t After = 0;
  static constexpr auto Fields = std::tuple{&TextList::Items, &TextList::After};
};

class RecordFileTest : public TestEnv {};

TEST_F(RecordFileTest, EncodesEachFieldKindAsStored) {
  FilterDef filter;
  filter.Type = FilterType::Video;
  filter.MultiInput = false;
  filter.Params = "hflip";
  EXPECT_EQ(RecordFile::Encode(filter), Hex("0100"
                                            "0500"
                                            "68666c6970"));

  TextList list;
  list.Items = {1, {"a", "bc", ""}};
  list.After = 7;
  EXPECT_EQ(RecordFile::Encode(list), Hex("0100"
                                          "03000000"
                                          "01000000"
                                          "0100"
                                          "61"
                                          "0200"
                                          "6263"
                                          "0000"
                                          "07"));

  TextList empty;
  EXPECT_EQ(RecordFile::Encode(empty), Hex("0000"
                                           "00"));
}

TEST_F(RecordFileTest, ATextOf300BytesCarriesItsCount) {
  FilterDef filter;
  filter.Params = QString(300, 'x');
  const QByteArray bytes = RecordFile::Encode(filter);
  ASSERT_EQ(bytes.size(), 2 + 2 + 300);
  EXPECT_EQ(bytes.mid(2, 2), Hex("2c01"));
}

TEST_F(RecordFileTest, ATextTooLongForItsCountIsAWriteErrorAndTheOldFileStays) {
  const QString path = WriteFile("f.qfl", "old");
  FilterDef filter;
  filter.Params = QString(65536, 'x');
  EXPECT_EQ(RecordFile::Write(path, filter), Result::TextTooLong);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "old");

  filter.Params = QString(65535, 'x');
  EXPECT_EQ(RecordFile::Write(path, filter), Result::Ok);
}

TEST_F(RecordFileTest, ListBoundsSurviveAWriteAndARead) {
  TextList list;
  for (int32_t lower : {0, 1, 5}) {
    list.Items = {lower, {"x", "y", "z"}};
    TextList back;
    ASSERT_EQ(RecordFile::Decode(RecordFile::Encode(list), back), Result::Ok);
    EXPECT_EQ(back.Items.LowerBound, lower);
    EXPECT_EQ(back.Items.UpperBound(), lower + 2);
    EXPECT_EQ(back.Items[lower + 2], "z");
  }
}

TEST_F(RecordFileTest, ShortFilesGiveEmptyTrailingFieldsAndLongerFilesAreReadInPart) {
  FilterDef filter;
  EXPECT_EQ(RecordFile::Decode(QByteArray(), filter), Result::Ok);
  EXPECT_EQ(filter, FilterDef());

  EXPECT_EQ(RecordFile::Decode(Hex("02"), filter), Result::Ok);
  EXPECT_EQ(filter.Type, FilterType::Complex);
  EXPECT_EQ(filter.Params, "");

  EXPECT_EQ(RecordFile::Decode(Hex("0101"
                                   "0100"
                                   "61"
                                   "ffffffff"),
                               filter),
            Result::Ok);
  EXPECT_EQ(filter.Params, "a");

  TextList list;
  EXPECT_EQ(RecordFile::Decode(Hex("0100"
                                   "00000000"
                                   "01000000"
                                   "09"),
                               list),
            Result::Ok);
  EXPECT_TRUE(list.Items.IsEmpty());
  EXPECT_EQ(list.After, 9);
}

TEST_F(RecordFileTest, CorruptAndHostileFilesAreReadErrorsThatLeaveTheRecordEmpty) {
  struct Case {
    const char* what;
    QByteArray bytes;
  } cases[] = {
      {"count of 2^31 elements", Hex("0100"
                                     "00000080"
                                     "01000000"
                                     "0000")},
      {"count of 2^32-1 elements", Hex("0100"
                                       "ffffffff"
                                       "01000000")},
      {"two dimensions", Hex("0200"
                             "01000000"
                             "01000000"
                             "01000000"
                             "01000000"
                             "0000")},
      {"header cut short", Hex("0100"
                               "0300")},
      {"text runs past the end", Hex("0100"
                                     "01000000"
                                     "01000000"
                                     "0500"
                                     "61")},
  };
  for (const Case& c : cases) {
    TextList list;
    list.After = 3;
    EXPECT_EQ(RecordFile::Decode(c.bytes, list), Result::Corrupt) << c.what;
    EXPECT_TRUE(list.Items.IsEmpty()) << c.what;
    EXPECT_EQ(list.After, 0) << c.what;
  }
}

TEST_F(RecordFileTest, AnArrayCountMustFitItsSmallestElementsInWhatIsLeft) {
  // A parameter of an external codec takes at least 12 bytes (five empty
  // texts and two bytes). The files end on an element's edge, where the
  // elements past the end would otherwise read as empty.
  const auto codecWithParams = [](int32_t count, int zeros) {
    return RecordBytes().Texts(2).Dimension(count, 0).Bytes() + QByteArray(zeros, '\0');
  };
  const auto textList = [](int32_t count, int zeros) {
    return RecordBytes().Dimension(count, 1).Bytes() + QByteArray(zeros, '\0');
  };
  struct Case {
    const char* what;
    QByteArray bytes;
    bool codec;
    Result result;
  } cases[] = {
      {"two parameters in 24 bytes", codecWithParams(2, 24), true, Result::Ok},
      {"two parameters in 12 bytes", codecWithParams(2, 12), true, Result::Corrupt},
      {"a million parameters in 83333 parameters' bytes", codecWithParams(1000000, 12 * 83333),
       true, Result::Corrupt},
      {"three texts in 6 bytes", textList(3, 6), false, Result::Ok},
      {"three texts in 4 bytes", textList(3, 4), false, Result::Corrupt},
  };
  for (const Case& c : cases) {
    if (c.codec) {
      ExtCodecDef codec;
      EXPECT_EQ(RecordFile::Decode(c.bytes, codec), c.result) << c.what;
      EXPECT_EQ(codec.Params.Count(), c.result == Result::Ok ? 2 : 0) << c.what;
    } else {
      TextList list;
      EXPECT_EQ(RecordFile::Decode(c.bytes, list), c.result) << c.what;
      EXPECT_EQ(list.Items.Count(), c.result == Result::Ok ? 3 : 0) << c.what;
    }
  }
}

#ifdef MEASURED_BY_SANITIZER
// Under AddressSanitizer the process's resident size also holds the
// sanitizer's shadow and the freed blocks it keeps in quarantine, so it says
// little of what the read needed. The heap itself is counted instead: the
// most bytes held at once beyond those held when the count began.
std::atomic<qint64> g_heldBytes{0};
std::atomic<qint64> g_mostHeldBytes{0};

void CountMalloc(const volatile void*, size_t size) {
  const qint64 held = g_heldBytes += qint64(size);
  qint64 most = g_mostHeldBytes;
  while (held > most && !g_mostHeldBytes.compare_exchange_weak(most, held)) {
  }
}
void CountFree(const volatile void* block) {
  if (block) g_heldBytes -= qint64(__sanitizer_get_allocated_size(block));
}

// The count starts when it is made; in a child process only, for the hooks stay.
class PeakMemory {
 public:
  PeakMemory() : counting_(__sanitizer_install_malloc_and_free_hooks(CountMalloc, CountFree)) {}
  qint64 Growth() const { return counting_ ? qint64(g_mostHeldBytes) : -1; }

 private:
  bool counting_;
};
#else
// How far the process's peak resident size has risen since it was made.
class PeakMemory {
 public:
  PeakMemory() { getrusage(RUSAGE_SELF, &start_); }
  qint64 Growth() const {
    rusage now{};
    getrusage(RUSAGE_SELF, &now);
    return qint64(now.ru_maxrss - start_.ru_maxrss) * 1024;
  }

 private:
  rusage start_{};
};
#endif

// Reads the file in a child process, so that the child's peak memory shows
// what the read took: the result and how far the peak rose above the start.
struct ChildRead {
  int result = -1;
  qint64 peakGrowth = -1;
};

// Keeps the child within a gibibyte above what it has when it starts: a read
// that would take more fails its allocation there, not the machine's memory.
void CapChildMemory() {
  long pages = 0;
  if (FILE* statm = fopen("/proc/self/statm", "r")) {
    if (fscanf(statm, "%ld", &pages) != 1) pages = 0;
    fclose(statm);
  }
  if (pages <= 0) return;
  const rlim_t cap = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(1) << 30);
  const rlimit limit{cap, cap};
  setrlimit(RLIMIT_AS, &limit);
}

template <class R>
ChildRead ReadInChild(const QString& path) {
  int channel[2];
  if (pipe(channel) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    CapChildMemory();
    alarm(20);  // a read that hangs ends the child, and the parent sees no report
    const PeakMemory peak;
    R record;
    Result result = Result::Ok;
    try {
      result = RecordFile::Read(path, record);
    } catch (...) {
      _exit(1);  // out of memory: no report
    }
    const qint64 report[2] = {qint64(result), peak.Growth()};
    const bool sent = write(channel[1], report, sizeof report) == sizeof report;
    _exit(sent ? 0 : 1);
  }
  close(channel[1]);
  qint64 report[2] = {-1, -1};
  const bool received = child > 0 && read(channel[0], report, sizeof report) == sizeof report;
  close(channel[0]);
  int status = 0;
  if (child > 0) waitpid(child, &status, 0);
  if (!received || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  return {int(report[0]), report[1]};
}

TEST_F(RecordFileTest, AHostileFileIsRefusedWithMemoryInProportionToItsSize) {
  constexpr int kSize = 16 * 1024 * 1024;
  // The fields of a format profile up to its audio codec's parameter list.
  const auto profileUpToParams = [] {
    return RecordBytes().Texts(18).Byte(0).Texts(8).Byte(0).Texts(3).Byte(0).Texts(2);
  };
  const auto padded = [](QByteArray bytes, char fill) {
    return bytes + QByteArray(kSize - bytes.size(), fill);
  };
  QByteArray shortTexts = RecordBytes().Dimension(kSize / 3, 1).Bytes();
  while (shortTexts.size() + 3 <= kSize) shortTexts += RecordBytes().Text("a").Bytes();
  struct Case {
    const char* what;
    QByteArray bytes;
    bool profile;
  } cases[] = {
      {"a profile whose codec claims a parameter for every byte",
       padded(profileUpToParams().Dimension(kSize - 100, 0).Bytes(), '\0'), true},
      {"a profile whose codec claims all the empty parameters the file can hold",
       padded(profileUpToParams().Dimension(kSize / 12 - 8, 0).Bytes(), '\0'), true},
      {"a configuration whose list claims all the empty texts the file can hold",
       padded(RecordBytes().Texts(5).Byte(0).Dimension(kSize / 2 - 8, 1).Bytes(), '\0'), false},
      {"a configuration whose first list holds millions of one-letter texts",
       RecordBytes().Texts(5).Byte(0).Bytes() + shortTexts, false},
  };
  for (const Case& c : cases) {
    const QString path = WriteFile("hostile", c.bytes);
    const ChildRead read =
        c.profile ? ReadInChild<FormatProfile>(path) : ReadInChild<ConfigRecord>(path);
    EXPECT_EQ(read.result, int(Result::Corrupt)) << c.what;
    EXPECT_GE(read.peakGrowth, 0) << c.what;
    EXPECT_LT(read.peakGrowth, 3 * qint64(kSize)) << c.what << ": " << read.peakGrowth;
  }
}

TEST_F(RecordFileTest, ALargeFileOfLongTextsIsReadWithinTheSameBound) {
  // 30000 capability names of 500 letters: 15 MB that is a record after all.
  ConfigRecord record;
  record.LanguageName = "<Spanish>";
  record.Capabilities.MuxerFormats = {1, QList<QString>(30000, QString(500, 'm'))};
  const QString path = Folder() + "/config.qcf";
  ASSERT_EQ(RecordFile::Write(path, record), Result::Ok);
  const qint64 size = QFileInfo(path).size();
  const ChildRead read = ReadInChild<ConfigRecord>(path);
  EXPECT_EQ(read.result, int(Result::Ok));
  EXPECT_GE(read.peakGrowth, 0);
  EXPECT_LT(read.peakGrowth, 6 * size) << read.peakGrowth << " for " << size;
}

TEST_F(RecordFileTest, AConfigurationWithTenTimesFfmpegsListsReads) {
  // ffmpeg 5.1 names about 2000 encoders, decoders, formats and pixel formats.
  ConfigRecord record;
  FfmpegCapabilities& lists = record.Capabilities;
  for (DynArray<QString>* list :
       {&lists.AudioEncoders, &lists.VideoEncoders, &lists.SubtitleEncoders, &lists.AudioDecoders,
        &lists.VideoDecoders, &lists.SubtitleDecoders, &lists.MuxerFormats, &lists.DemuxerFormats,
        &lists.InputPixelFormats, &lists.OutputPixelFormats}) {
    list->LowerBound = 1;
    for (int i = 0; i < 2000; ++i) list->Items << "c" + QString::number(i);
  }
  ConfigRecord back;
  EXPECT_EQ(RecordFile::Decode(RecordFile::Encode(record), back), Result::Ok);
  EXPECT_EQ(back, record);
}

TEST_F(RecordFileTest, TextsAreUtf8AndOldWindowsTextsStillRead) {
  FilterDef filter;
  filter.Params = "Tamaño €";
  EXPECT_EQ(RecordFile::Encode(filter).mid(4), QByteArray("Tama\xc3\xb1o \xe2\x82\xac"));
  EXPECT_EQ(RecordFile::Decode(Hex("0000"
                                   "0700") +
                                   QByteArray("Tama\xf1o\x80"),
                               filter),
            Result::Ok);
  EXPECT_EQ(filter.Params, "Tamaño€");
}

TEST_F(RecordFileTest, WritingReplacesTheWholeFile) {
  const QString path = WriteFile("appfiles/filters/eco.qfl", QByteArray(100, 'z'));
  FilterDef filter;
  filter.Params = "aecho";
  ASSERT_EQ(RecordFile::Write(path, filter), Result::Ok);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.size(), 4 + 5);
  FilterDef back;
  EXPECT_EQ(RecordFile::Read(path, back), Result::Ok);
  EXPECT_EQ(back, filter);
}

// On a full disk a save fails whole, whether the record fits the write buffer
// (cut only when the save is finished) or not: the earlier file stays as it
// was and nothing of the save is left beside it.
TEST_F(RecordFileTest, ASaveCutShortByAFullDiskFailsAndKeepsTheEarlierFile) {
  const QString path = WriteFile("appfiles/filters/eco.qfl", "the earlier filter");
  for (const qsizetype size : {qsizetype(3000), qsizetype(30000)}) {
    SCOPED_TRACE(size);
    FilterDef filter;
    filter.Params = QString(size, 'a');
    {
      FileSizeLimit full(1000);
      EXPECT_EQ(RecordFile::Write(path, filter), Result::WriteFailed);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "the earlier filter");
    EXPECT_EQ(QDir(Folder() + "/appfiles/filters").entryList(QDir::Files | QDir::Hidden),
              QStringList{"eco.qfl"});
  }
}

TEST_F(RecordFileTest, OpenFailuresAreReported) {
  FilterDef filter;
  EXPECT_EQ(RecordFile::Read(Folder() + "/missing.qfl", filter), Result::OpenFailed);
  WriteFile("blocker", "a regular file where a folder must be");
  EXPECT_EQ(RecordFile::Write(Folder() + "/blocker/x.qfl", filter), Result::OpenFailed);
}

// A record's name may lead to no file at all (a profile pack unpacked from an
// archive can carry a link to a device or a named pipe): it is refused at
// once, nothing is read from it, and a file past the cap is not read either.
TEST_F(RecordFileTest, ADevicePipeOrFolderBehindARecordsNameIsRefusedAtOnce) {
  const QString pipe = Folder() + "/pipe.qfl";
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", Folder() + "/zero.qfl"));
  ASSERT_TRUE(QFile::link(pipe, Folder() + "/pipe link.qfl"));
  ASSERT_TRUE(QFile::link(Folder() + "/zero.qfl", Folder() + "/chain.qfl"));
  ASSERT_TRUE(QFile::link(Folder() + "/loop b.qfl", Folder() + "/loop a.qfl"));
  ASSERT_TRUE(QFile::link(Folder() + "/loop a.qfl", Folder() + "/loop b.qfl"));
  ASSERT_TRUE(QDir().mkpath(Folder() + "/folder.qfl"));
  QFile huge(Folder() + "/huge.qfl");
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
  ASSERT_TRUE(huge.resize(65 * 1024 * 1024));  // sparse: it takes no room
  huge.close();
  const struct {
    const char* name;
    Result result;
  } cases[] = {{"pipe.qfl", Result::OpenFailed},      {"zero.qfl", Result::OpenFailed},
               {"pipe link.qfl", Result::OpenFailed}, {"chain.qfl", Result::OpenFailed},
               {"loop a.qfl", Result::OpenFailed},    {"folder.qfl", Result::OpenFailed},
               {"huge.qfl", Result::Corrupt}};
  for (const auto& c : cases) {
    const HangGuard guard(std::string("reading ") + c.name);
    const ChildRead read = ReadInChild<FilterDef>(Folder() + "/" + c.name);
    EXPECT_EQ(read.result, int(c.result)) << c.name;
    EXPECT_GE(read.peakGrowth, 0) << c.name;
    EXPECT_LT(read.peakGrowth, 8 * 1024 * 1024) << c.name << ": " << read.peakGrowth;
  }
  // The same in this process, where the bytes read come back empty.
  QByteArray bytes = "left over";
  const HangGuard guard("reading the pipe");
  EXPECT_EQ(RecordFile::ReadBytes(pipe, bytes), Result::OpenFailed);
  EXPECT_TRUE(bytes.isEmpty());
}

// A save writes through a link to a file, never through one to a pipe or a
// device; a new empty record is made only where nothing of its name is.
TEST_F(RecordFileTest, SavesAndNewFilesGoOnlyWhereAFileBelongs) {
  const QString pipe = Folder() + "/pipe.qfl";
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(pipe, Folder() + "/pipe link.qfl"));
  const QString target = WriteFile("real.qfl", "old");
  ASSERT_TRUE(QFile::link(target, Folder() + "/real link.qfl"));
  ASSERT_TRUE(QFile::link(Folder() + "/nowhere.qfl", Folder() + "/dangling.qfl"));
  FilterDef filter;
  filter.Params = "hflip";
  const HangGuard guard("saving and making records beside a pipe");

  EXPECT_EQ(RecordFile::Write(Folder() + "/pipe link.qfl", filter), Result::OpenFailed);
  EXPECT_TRUE(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile()) << "the pipe stays";
  EXPECT_EQ(RecordFile::Write(Folder() + "/real link.qfl", filter), Result::Ok);
  EXPECT_TRUE(QFileInfo(Folder() + "/real link.qfl").isSymLink());
  FilterDef back;
  EXPECT_EQ(RecordFile::Read(target, back), Result::Ok);
  EXPECT_EQ(back, filter);

  EXPECT_EQ(RecordFile::CreateEmpty(pipe), Result::OpenFailed);
  EXPECT_EQ(RecordFile::CreateEmpty(Folder() + "/dangling.qfl"), Result::OpenFailed);
  EXPECT_FALSE(QFileInfo::exists(Folder() + "/nowhere.qfl")) << "no file made through a link";
  EXPECT_EQ(RecordFile::CreateEmpty(target), Result::OpenFailed);
  EXPECT_EQ(QFileInfo(target).size(), RecordFile::Encode(filter).size());
  EXPECT_EQ(RecordFile::CreateEmpty(Folder() + "/new.qfl"), Result::Ok);
  EXPECT_EQ(QFileInfo(Folder() + "/new.qfl").size(), 0);
}

TEST_F(RecordFileTest, EmptyRecordsOfEveryTypeHaveTheirSizes) {
  // Texts are 2-byte counts, bytes 1 byte, arrays never given elements 2 bytes.
  EXPECT_EQ(RecordFile::Encode(FilterDef()).size(), 1 + 1 + 2);
  EXPECT_EQ(RecordFile::Encode(ExtCodecDef()).size(), 5 * 2 + 3 * 2);
  EXPECT_EQ(RecordFile::Encode(FormatProfile()).size(), 31 * 2 + 4 + 2 * 16);
  EXPECT_EQ(RecordFile::Encode(EditProfileRec()).size(), (17 + 3 + 30) * 2 + 16 + 2);
  EXPECT_EQ(RecordFile::Encode(ConfigRecord()).size(), 6 * 2 + 4 + 10 * 2);
  // An empty record is the smallest each type can be.
  EXPECT_EQ(RecordFile::MinEncodedSize<FilterDef>::value, RecordFile::Encode(FilterDef()).size());
  EXPECT_EQ(RecordFile::MinEncodedSize<ExtCodecParam>::value,
            RecordFile::Encode(ExtCodecParam()).size());
  EXPECT_EQ(RecordFile::MinEncodedSize<ExtCodecDef>::value,
            RecordFile::Encode(ExtCodecDef()).size());
  EXPECT_EQ(RecordFile::MinEncodedSize<FormatProfile>::value,
            RecordFile::Encode(FormatProfile()).size());
  EXPECT_EQ(RecordFile::MinEncodedSize<EditProfileRec>::value,
            RecordFile::Encode(EditProfileRec()).size());
  EXPECT_EQ(RecordFile::MinEncodedSize<ConfigRecord>::value,
            RecordFile::Encode(ConfigRecord()).size());
}

// A kind byte the program has no name for (from a newer or foreign file) is
// kept and written back as it was; flags and kinds each take one byte.
TEST_F(RecordFileTest, KindBytesOfAnyValueReadAndWriteBackUnchanged) {
  const QByteArray filterBytes =
      Hex("07"
          "01"
          "0100"
          "78");
  FilterDef filter;
  ASSERT_EQ(RecordFile::Decode(filterBytes, filter), Result::Ok);
  EXPECT_EQ(filter.Type, FilterType(7));
  EXPECT_TRUE(filter.MultiInput);
  EXPECT_EQ(RecordFile::Encode(filter), filterBytes);

  const QByteArray codecBytes = RecordBytes()
                                    .Texts(2)
                                    .Dimension(1, 0)
                                    .Text("-x")
                                    .Byte(9)
                                    .Texts(3)
                                    .Byte(1)
                                    .Text("")
                                    .Texts(3)
                                    .Dimension(2, 1)
                                    .Byte(1)
                                    .Byte(0)
                                    .NoDimension()
                                    .Bytes();
  ExtCodecDef codec;
  ASSERT_EQ(RecordFile::Decode(codecBytes, codec), Result::Ok);
  EXPECT_EQ(codec.Params[0].Kind, ParamKind(9));
  EXPECT_TRUE(codec.Params[0].OnlySuggested);
  EXPECT_EQ(codec.Editable.Items, (QList<bool>{true, false}));
  EXPECT_EQ(RecordFile::Encode(codec), codecBytes);

  EditProfileRec profile;
  profile.EndMode = TrimEnd(5);
  profile.AspectMode = AspectSetting(200);
  EditProfileRec back;
  ASSERT_EQ(RecordFile::Decode(RecordFile::Encode(profile), back), Result::Ok);
  EXPECT_EQ(back.EndMode, TrimEnd(5));
  EXPECT_EQ(back.AspectMode, AspectSetting(200));
}

// A flag byte that is neither 0 nor 1 reads as the program has always taken
// it: yes only when 1, except the track removals of a format profile, which
// any byte but 0 turns on. It is written back as the 0 or 1 it means.
TEST_F(RecordFileTest, AnOddFlagByteReadsAsTheProgramAlwaysTookIt) {
  struct Case {
    const char* flag;
    QByteArray bytes;
    // Gives the flag as read, and the bytes the record writes back.
    std::function<bool(const QByteArray&, QByteArray&)> read;
    bool yes;
  };
  const auto reader = []<class R>(bool R::*flag) {
    return [flag](const QByteArray& bytes, QByteArray& written) {
      R record;
      EXPECT_EQ(RecordFile::Decode(bytes, record), Result::Ok);
      written = RecordFile::Encode(record);
      return record.*flag;
    };
  };
  const Case cases[] = {
      {"filter MultiInput", WithFlagByte(FilterDef(), &FilterDef::MultiInput, 2),
       reader(&FilterDef::MultiInput), false},
      {"editing RemoveAudio", WithFlagByte(EditProfileRec(), &EditProfileRec::RemoveAudio, 2),
       reader(&EditProfileRec::RemoveAudio), false},
      {"config TwoPass", WithFlagByte(ConfigRecord(), &ConfigRecord::TwoPass, 0xff),
       reader(&ConfigRecord::TwoPass), false},
      {"config FfmpegListsStale", WithFlagByte(ConfigRecord(), &ConfigRecord::FfmpegListsStale, 2),
       reader(&ConfigRecord::FfmpegListsStale), false},
      {"format MultipleOutputFiles",
       WithFlagByte(FormatProfile(), &FormatProfile::MultipleOutputFiles, 2),
       reader(&FormatProfile::MultipleOutputFiles), false},
      {"format RemoveAudio", WithFlagByte(FormatProfile(), &FormatProfile::RemoveAudio, 2),
       reader(&FormatProfile::RemoveAudio), true},
      {"format RemoveVideo", WithFlagByte(FormatProfile(), &FormatProfile::RemoveVideo, 0xff),
       reader(&FormatProfile::RemoveVideo), true},
      {"format RemoveSubtitles", WithFlagByte(FormatProfile(), &FormatProfile::RemoveSubtitles, 2),
       reader(&FormatProfile::RemoveSubtitles), true},
  };
  for (const Case& c : cases) {
    QByteArray written;
    EXPECT_EQ(c.read(c.bytes, written), c.yes) << c.flag;
    ASSERT_EQ(written.size(), c.bytes.size()) << c.flag;
    qsizetype changed = 0;
    for (qsizetype i = 0; i < written.size(); ++i) {
      if (written[i] == c.bytes[i]) continue;
      ++changed;
      EXPECT_EQ(written[i], c.yes ? 1 : 0) << c.flag;
    }
    EXPECT_EQ(changed, 1) << c.flag;
  }
}

TEST_F(RecordFileTest, EveryConfigFieldRoundTrips) {
  ConfigRecord record;
  record.FfmpegPath = "tools/ffmpeg";
  record.FfplayPath = "/usr/bin/ffplay";
  record.FfprobePath = "ffprobe";
  record.Cdda2wavPath = "/usr/bin/cdda2wav";
  record.LanguageName = "<English>";
  record.FfmpegListsStale = true;
  int n = 0;
  FfmpegCapabilities& lists = record.Capabilities;
  for (DynArray<QString>* list :
       {&lists.AudioEncoders, &lists.VideoEncoders, &lists.SubtitleEncoders, &lists.AudioDecoders,
        &lists.VideoDecoders, &lists.SubtitleDecoders, &lists.MuxerFormats, &lists.DemuxerFormats,
        &lists.InputPixelFormats, &lists.OutputPixelFormats}) {
    *list = {1, {"item" + QString::number(++n), "second"}};
  }
  record.TwoPass = true;
  record.DeleteOriginals = false;
  record.ReplaceFiles = true;
  record.RecBufferSizeMB = "64";
  const QString path = Folder() + "/config.qcf";
  ASSERT_EQ(RecordFile::Write(path, record), Result::Ok);
  ConfigRecord back;
  ASSERT_EQ(RecordFile::Read(path, back), Result::Ok);
  EXPECT_EQ(back, record);
  EXPECT_EQ(back.Capabilities.OutputPixelFormats.LowerBound, 1);
}

}  // namespace
