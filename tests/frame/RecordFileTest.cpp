#include <QFile>

#include "TestEnv.h"
#include "editing/EditProfileRec.h"
#include "editing/FilterDef.h"
#include "formats/FormatProfile.h"
#include "frame/ConfigRecord.h"
#include "frame/RecordFile.h"

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
  filter.Type = 1;
  filter.MultiInput = 0;
  filter.Params = "hflip";
  EXPECT_EQ(RecordFile::Encode(filter), Hex("0100" "0500" "68666c6970"));

  TextList list;
  list.Items = {1, {"a", "bc", ""}};
  list.After = 7;
  EXPECT_EQ(RecordFile::Encode(list),
            Hex("0100" "03000000" "01000000" "0100" "61" "0200" "6263" "0000" "07"));

  TextList empty;
  EXPECT_EQ(RecordFile::Encode(empty), Hex("0000" "00"));
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
  EXPECT_EQ(filter.Type, 2);
  EXPECT_EQ(filter.Params, "");

  EXPECT_EQ(RecordFile::Decode(Hex("0101" "0100" "61" "ffffffff"), filter), Result::Ok);
  EXPECT_EQ(filter.Params, "a");

  TextList list;
  EXPECT_EQ(RecordFile::Decode(Hex("0100" "00000000" "01000000" "09"), list), Result::Ok);
  EXPECT_TRUE(list.Items.IsEmpty());
  EXPECT_EQ(list.After, 9);
}

TEST_F(RecordFileTest, CorruptAndHostileFilesAreReadErrorsThatLeaveTheRecordEmpty) {
  struct Case {
    const char* what;
    QByteArray bytes;
  } cases[] = {
      {"count of 2^31 elements", Hex("0100" "00000080" "01000000" "0000")},
      {"count of 2^32-1 elements", Hex("0100" "ffffffff" "01000000")},
      {"two dimensions", Hex("0200" "01000000" "01000000" "01000000" "01000000" "0000")},
      {"header cut short", Hex("0100" "0300")},
      {"text runs past the end", Hex("0100" "01000000" "01000000" "0500" "61")},
  };
  for (const Case& c : cases) {
    TextList list;
    list.After = 3;
    EXPECT_EQ(RecordFile::Decode(c.bytes, list), Result::Corrupt) << c.what;
    EXPECT_TRUE(list.Items.IsEmpty()) << c.what;
    EXPECT_EQ(list.After, 0) << c.what;
  }
}

TEST_F(RecordFileTest, TextsAreUtf8AndOldWindowsTextsStillRead) {
  FilterDef filter;
  filter.Params = "Tamaño €";
  EXPECT_EQ(RecordFile::Encode(filter).mid(4), QByteArray("Tama\xc3\xb1o \xe2\x82\xac"));
  EXPECT_EQ(RecordFile::Decode(Hex("0000" "0700") + QByteArray("Tama\xf1o\x80"), filter), Result::Ok);
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

TEST_F(RecordFileTest, OpenFailuresAreReported) {
  FilterDef filter;
  EXPECT_EQ(RecordFile::Read(Folder() + "/missing.qfl", filter), Result::OpenFailed);
  WriteFile("blocker", "a regular file where a folder must be");
  EXPECT_EQ(RecordFile::Write(Folder() + "/blocker/x.qfl", filter), Result::OpenFailed);
}

TEST_F(RecordFileTest, EmptyRecordsOfEveryTypeHaveTheirSizes) {
  // Texts are 2-byte counts, bytes 1 byte, arrays never given elements 2 bytes.
  EXPECT_EQ(RecordFile::Encode(FilterDef()).size(), 1 + 1 + 2);
  EXPECT_EQ(RecordFile::Encode(ExtCodecDef()).size(), 5 * 2 + 3 * 2);
  EXPECT_EQ(RecordFile::Encode(FormatProfile()).size(), 31 * 2 + 4 + 2 * 16);
  EXPECT_EQ(RecordFile::Encode(EditProfileRec()).size(), (17 + 3 + 30) * 2 + 16 + 2);
  EXPECT_EQ(RecordFile::Encode(ConfigRecord()).size(), 6 * 2 + 4 + 10 * 2);
}

TEST_F(RecordFileTest, EveryConfigFieldRoundTrips) {
  ConfigRecord record;
  record.FfmpegPath = "tools/ffmpeg";
  record.FfplayPath = "/usr/bin/ffplay";
  record.FfprobePath = "ffprobe";
  record.Cdda2wavPath = "/usr/bin/cdda2wav";
  record.LanguageName = "<English>";
  record.FfmpegListsStale = 1;
  int n = 0;
  for (DynArray<QString>* list :
       {&record.AudioEncoders, &record.VideoEncoders, &record.SubtitleEncoders,
        &record.AudioDecoders, &record.VideoDecoders, &record.SubtitleDecoders,
        &record.MuxerFormats, &record.DemuxerFormats, &record.InputPixelFormats,
        &record.OutputPixelFormats}) {
    *list = {1, {"item" + QString::number(++n), "second"}};
  }
  record.TwoPass = 1;
  record.DeleteOriginals = 0;
  record.ReplaceFiles = 1;
  record.RecBufferSizeMB = "64";
  const QString path = Folder() + "/config.qcf";
  ASSERT_EQ(RecordFile::Write(path, record), Result::Ok);
  ConfigRecord back;
  ASSERT_EQ(RecordFile::Read(path, back), Result::Ok);
  EXPECT_EQ(back, record);
  EXPECT_EQ(back.OutputPixelFormats.LowerBound, 1);
}

}  // namespace
