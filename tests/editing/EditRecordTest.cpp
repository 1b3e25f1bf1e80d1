#include <QDir>
#include <QFileInfo>

#include "RecordBytes.h"
#include "TestEnv.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/ground/EditProfileRec.h"
#include "core/ground/FilterDef.h"
#include "core/ground/RecordFile.h"

namespace {

using RecordFile::Result;

class EditRecordTest : public TestEnv {};

EditProfileRec FullProfile() {
  EditProfileRec p;
  p.StartPos = "0:10";
  p.EndMode = TrimEnd::AfterDuration;
  p.EndPos = "1:30";
  p.Duration = {"0:45", "250", "1000000"};
  p.DurationUnit = LengthUnit::Frames;
  p.CropWidth = "0.5";
  p.CropWidthUnit = SizeUnit::InputWidth;
  p.CropHeight = "200";
  p.CropHeightUnit = SizeUnit::Pixels;
  p.CropLeft = "10";
  p.CropLeftUnit = SizeUnit(4);
  p.CropTop = "20";
  p.CropTopUnit = SizeUnit(3);
  p.ResizeWidth = "640";
  p.ResizeWidthUnit = SizeUnit::Pixels;
  p.ResizeHeight = "0.75";
  p.ResizeHeightUnit = SizeUnit(3);
  p.AspectMode = AspectSetting::FromRatio;
  p.AspectRatio = "16/9";
  p.Volume = "150";
  p.Filters = {1, {"eco", "espejo"}};
  p.BorderTop = "8";
  p.BorderTopUnit = SizeUnit::Pixels;
  p.BorderBottom = "0.1";
  p.BorderBottomUnit = SizeUnit::InputHeight;
  p.BorderLeft = "4";
  p.BorderLeftUnit = SizeUnit::Pixels;
  p.BorderRight = "0.05";
  p.BorderRightUnit = SizeUnit::InputWidth;
  p.BorderColor = "FF8000";
  p.RemoveAudio = false;
  p.RemoveVideo = false;
  p.RemoveSubtitles = true;
  for (int band = 1; band <= 10; ++band) {
    p.Equalizer[band * 3 - 3] = EditingProfileEditor::DefaultBandFrequency(band);
    p.Equalizer[band * 3 - 2] = QString::number(band - 5);
    p.Equalizer[band * 3 - 1] = band % 2 ? "1" : "0.5";
  }
  p.InputParams = "-threads 2";
  p.OutputParams = "-map_metadata -1";
  return p;
}

QByteArray FullProfileBytes() {
  RecordBytes b;
  b.Text("0:10").Byte(2).Text("1:30").Text("0:45").Text("250").Text("1000000").Byte(1);
  b.Text("0.5").Byte(1).Text("200").Byte(0).Text("10").Byte(4).Text("20").Byte(3);
  b.Text("640").Byte(0).Text("0.75").Byte(3).Byte(3).Text("16/9").Text("150");
  b.Dimension(2, 1).Text("eco").Text("espejo");
  b.Text("8").Byte(0).Text("0.1").Byte(2).Text("4").Byte(0).Text("0.05").Byte(1).Text("FF8000");
  b.Byte(0).Byte(0).Byte(1);
  const char* frequencies[] = {"31",   "63",   "125",  "250",  "500",
                               "1000", "2000", "4000", "8000", "16000"};
  const char* gains[] = {"-4", "-3", "-2", "-1", "0", "1", "2", "3", "4", "5"};
  for (int band = 0; band < 10; ++band) {
    b.Text(frequencies[band]).Text(gains[band]).Text(band % 2 ? "0.5" : "1");
  }
  b.Text("-threads 2").Text("-map_metadata -1");
  return b.Bytes();
}

TEST_F(EditRecordTest, AnEmptyProfileIs50EmptyTexts16ZeroBytesAndAnEmptyList) {
  RecordBytes b;
  b.Texts(1).Byte(0).Texts(4).Byte(0);
  for (int i = 0; i < 5; ++i) b.Texts(1).Byte(0);
  b.Texts(1).Byte(0).Byte(0).Texts(2).NoDimension();
  for (int i = 0; i < 4; ++i) b.Texts(1).Byte(0);
  b.Texts(1).Byte(0).Byte(0).Byte(0).Texts(30).Texts(2);
  EXPECT_EQ(RecordFile::Encode(EditProfileRec()), b.Bytes());
  EXPECT_EQ(b.Bytes().size(), 118);
}

TEST_F(EditRecordTest, OneFilterNamedAMakesA129ByteFile) {
  EditProfileRec p;
  p.Filters = {1, {"a"}};
  const QString path = Folder() + "/appfiles/editp/uno.qep";
  QDir().mkpath(Folder() + "/appfiles/editp");
  ASSERT_EQ(RecordFile::Write(path, p), Result::Ok);
  EXPECT_EQ(QFileInfo(path).size(), 129);
}

TEST_F(EditRecordTest, AFullProfileWithItsTenBandsHasTheFileLayout) {
  EXPECT_EQ(RecordFile::Encode(FullProfile()), FullProfileBytes());
  EditProfileRec read;
  ASSERT_EQ(RecordFile::Decode(FullProfileBytes(), read), Result::Ok);
  EXPECT_EQ(read, FullProfile());
}

TEST_F(EditRecordTest, AStaleTailAfterTheRecordIsNeverRead) {
  const QString path =
      WriteFile("appfiles/editp/p.qep", FullProfileBytes() + QByteArray("\x03\x00xyz", 5));
  EditProfileRec read;
  ASSERT_EQ(RecordFile::Read(path, read), Result::Ok);
  EXPECT_EQ(read, FullProfile());
}

TEST_F(EditRecordTest, AFilterIsTypeFlagAndText) {
  RecordBytes b;
  b.Byte(0).Byte(0).Text("");
  EXPECT_EQ(RecordFile::Encode(FilterDef()), b.Bytes());
  EXPECT_EQ(b.Bytes().size(), 4);

  FilterDef filter{FilterType::Complex, true, "[0:v][1:v]hstack"};
  RecordBytes full;
  full.Byte(2).Byte(1).Text("[0:v][1:v]hstack");
  EXPECT_EQ(RecordFile::Encode(filter), full.Bytes());
  const QString path = WriteFile("appfiles/filters/lado.qfl", full.Bytes());
  FilterDef read;
  ASSERT_EQ(RecordFile::Read(path, read), Result::Ok);
  EXPECT_EQ(read, filter);
}

TEST_F(EditRecordTest, EqualiserTextsThatAreNoNumbersTakeTheirBandDefaults) {
  EditProfileRec p;
  p.Equalizer[1] = "abc";   // band 1 gain
  p.Equalizer[4] = "-3.5";  // band 2 gain
  p.Equalizer[6] = "100";   // band 3 frequency
  p.Equalizer[29] = " 2 ";  // band 10 width
  EditingProfileEditor::NormalizeEqualizer(p);
  const QStringList expected = {"31",   "0",   "1",    "63",    "-3.5", "1",    "100", "0",
                                "1",    "250", "0",    "1",     "500",  "0",    "1",   "1000",
                                "0",    "1",   "2000", "0",     "1",    "4000", "0",   "1",
                                "8000", "0",   "1",    "16000", "0",    " 2 "};
  EXPECT_EQ(QStringList(p.Equalizer.begin(), p.Equalizer.end()), expected);
}

TEST_F(EditRecordTest, TheScratchProfileIsTheNamelessFileInTheEditingFolder) {
  EXPECT_EQ(EditingProfileEditor::ScratchProfilePath(), Folder() + "/appfiles/editp/.qep");
}

}  // namespace
