#include "TestEnv.h"
#include "core/formats/FormatEditor.h"
#include "core/lang/Lang.h"

namespace {

using FormatEditor::CategoryRows;
using FormatEditor::ParamRow;
using FormatEditor::StoreRowValue;

QStringList Captions(const QList<ParamRow>& rows) {
  QStringList captions;
  for (const ParamRow& row : rows) captions << row.caption;
  return captions;
}

class ParamRows : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatEditor::ResetCapabilityLists();
    FormatEditor::State().AudioEncoders = {1, {"copy", "aac", "libmp3lame"}};
    FormatEditor::State().OutputPixelFormats = {1, {"yuv420p", "rgb24"}};
  }
  void TearDown() override { FormatEditor::ResetCapabilityLists(); }
  const ParamCaptions captions_ = Lang::GetParamCaptions();
};

TEST_F(ParamRows, EachCategoryShowsItsFieldsInOrder) {
  const QList<QStringList> expected = {
      {"Formato de contenedor", "Codec de Audio", "Codec de video", "Codec de subtítulos",
       "Formato de pixel", "Parámetros adicionales"},
      {"Formato de contenedor", "Codec de Audio", "Codec de video", "Codec de subtítulos",
       "Objetivo", "Eliminar subtitulos", "Parámetros adicionales", "Extensión de archivo",
       "Múltiples archivos de salida"},
      {"Bitrate (bits/s)", "Bitrate max (bits/s)", "Bitrate min (bits/s)", "Calidad", "Canales",
       "Samplerate (Hz)", "Eliminar audio"},
      {"Bitrate (bits/s)", "Bitrate max (bits/s)", "Bitrate min (bits/s)", "Calidad", "Calidad max",
       "Calidad min", "Cuadros/s", "Tamaño de cuadro (WxH,pixels)", "Relación de aspecto",
       "Formato de pixel", "Eliminar video"},
  };
  for (uint8_t category = 0; category < 4; ++category) {
    EXPECT_EQ(Captions(CategoryRows(FormatProfile(), category, captions_)), expected[category])
        << int(category);
  }
}

TEST_F(ParamRows, ListsMarksAndValues) {
  FormatProfile profile;
  profile.RemoveVideo = 1;
  profile.SampleRate = "11025";
  const QList<ParamRow> audio = CategoryRows(profile, FormatEditor::OutputAudio, captions_);
  EXPECT_EQ(audio[6].list, QStringList({"0", "1"}));
  EXPECT_TRUE(audio[6].listOnly);
  EXPECT_FALSE(audio[0].listOnly);
  EXPECT_EQ(audio[5].value, "11025");
  EXPECT_EQ(audio[0].list.first(), "8k");
  EXPECT_EQ(audio[0].list.size(), 16);

  const QList<ParamRow> video = CategoryRows(profile, FormatEditor::OutputVideo, captions_);
  EXPECT_EQ(video[10].value, "1");
  EXPECT_EQ(video[9].list, QStringList({"yuv420p", "rgb24"}));
  const QList<ParamRow> general = CategoryRows(profile, FormatEditor::OutputGeneral, captions_);
  EXPECT_EQ(general[1].list, QStringList({"copy", "aac", "libmp3lame"}));
  EXPECT_EQ(general[7].list.size(), 35);
  EXPECT_EQ(general[4].list.size(), 15);

  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::OutputVideo, 10, "0"));
  EXPECT_EQ(profile.RemoveVideo, 0);
  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::OutputAudio, 0, "128k"));
  EXPECT_EQ(profile.AudioBitrate, "128k");
  EXPECT_FALSE(StoreRowValue(profile, FormatEditor::OutputAudio, 7, "x"));
}

TEST_F(ParamRows, EmbeddedCodecsDisableTheEncoderRows) {
  FormatProfile profile;
  profile.AudioCodec = "aac";
  profile.VideoCodec = "mpeg4";
  profile.AudioExtCodecName = "lame";
  profile.VideoExtCodecName = "x264";
  const QList<ParamRow> rows = CategoryRows(profile, FormatEditor::OutputGeneral, captions_);
  EXPECT_EQ(rows[1].value, "<lame>");
  EXPECT_EQ(rows[2].value, "<x264>");
  EXPECT_TRUE(rows[1].disabled && rows[2].disabled);
  EXPECT_FALSE(StoreRowValue(profile, FormatEditor::OutputGeneral, 1, "mp2"));
  EXPECT_EQ(profile.AudioCodec, "aac");
  EXPECT_EQ(profile.VideoCodec, "mpeg4");
}

TEST_F(ParamRows, AnEmbeddedCodecShowsItsParametersThenItsEditableOptions) {
  FormatProfile profile;
  profile.AudioExtCodecName = "lame";
  ExtCodecDef& codec = profile.AudioExtCodec;
  codec.Params = {0,
                  {{"<InFile>", 1, "", "", "", 0, ""},
                   {"A", 0, "-a", "", "uno\r\ndos", 1, "dos"},
                   {"B", 2, "-b", "", "", 0, "0"},
                   {"<OutFile>", 1, "", "", "", 0, ""}}};
  codec.Editable = {1, {1, 0, 0, 0, 0, 1}};
  codec.Values = {1, {"", "", "", "", "", ""}};
  const QList<ParamRow> rows = CategoryRows(profile, FormatEditor::OutputAudio, captions_);
  EXPECT_EQ(Captions(rows), QStringList({"A", "B", "FF>Bitrate (bits/s)", "FF>Samplerate (Hz)"}));
  EXPECT_EQ(rows[0].list, QStringList({"", "uno", "dos"}));
  EXPECT_EQ(rows[0].value, "dos");
  EXPECT_TRUE(rows[0].listOnly && rows[1].listOnly);
  EXPECT_FALSE(rows[2].listOnly || rows[3].listOnly);
  EXPECT_EQ(rows[1].list, QStringList({"0", "1"}));
  EXPECT_EQ(rows[3].list.first(), "16000");

  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::OutputAudio, 3, "48000"));
  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::OutputAudio, 2, "96k"));
  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::OutputAudio, 0, ""));
  EXPECT_EQ(codec.Values.Items, QStringList({"96k", "", "", "", "", "48000"}));
  EXPECT_EQ(codec.Params[1].Value, "");
  EXPECT_EQ(profile.AudioBitrate, "");

  // A parameter without suggestions still offers the empty entry.
  codec.Params[1].Suggested.clear();
  EXPECT_EQ(CategoryRows(profile, FormatEditor::OutputAudio, captions_)[0].list,
            QStringList({"", ""}));
}

TEST_F(ParamRows, ACodecWithNothingToSetHasNoRowsAndOptionsBeyondValuesStillStore) {
  FormatProfile profile;
  profile.VideoExtCodecName = "x264";
  EXPECT_TRUE(CategoryRows(profile, FormatEditor::OutputVideo, captions_).isEmpty());

  profile.VideoExtCodec.Editable = {1, {0, 0, 0, 0, 0, 0, 0, 1, 0, 0}};
  const QList<ParamRow> rows = CategoryRows(profile, FormatEditor::OutputVideo, captions_);
  EXPECT_EQ(Captions(rows), QStringList({"FF>Tamaño de cuadro (WxH,pixels)"}));
  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::OutputVideo, 0, "320x240"));
  EXPECT_EQ(profile.VideoExtCodec.Values[8], "320x240");
}

}  // namespace
