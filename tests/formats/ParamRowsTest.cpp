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
    FormatEditor::State().Capabilities.AudioEncoders = {1, {"copy", "aac", "libmp3lame"}};
    FormatEditor::State().Capabilities.OutputPixelFormats = {1, {"yuv420p", "rgb24"}};
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
  for (int category = 0; category < 4; ++category) {
    EXPECT_EQ(Captions(CategoryRows(FormatProfile(), FormatEditor::Category(category), captions_)),
              expected[category])
        << category;
  }
}

TEST_F(ParamRows, ListsMarksAndValues) {
  FormatProfile profile;
  profile.RemoveVideo = true;
  profile.SampleRate = "11025";
  const QList<ParamRow> audio =
      CategoryRows(profile, FormatEditor::Category::OutputAudio, captions_);
  EXPECT_EQ(audio[6].list, QStringList({"0", "1"}));
  EXPECT_TRUE(audio[6].listOnly);
  EXPECT_FALSE(audio[0].listOnly);
  EXPECT_EQ(audio[5].value, "11025");
  EXPECT_EQ(audio[0].list.first(), "8k");
  EXPECT_EQ(audio[0].list.size(), 16);

  const QList<ParamRow> video =
      CategoryRows(profile, FormatEditor::Category::OutputVideo, captions_);
  EXPECT_EQ(video[10].value, "1");
  EXPECT_EQ(video[9].list, QStringList({"yuv420p", "rgb24"}));
  const QList<ParamRow> general =
      CategoryRows(profile, FormatEditor::Category::OutputGeneral, captions_);
  EXPECT_EQ(general[1].list, QStringList({"copy", "aac", "libmp3lame"}));
  EXPECT_EQ(general[7].list.size(), 35);
  EXPECT_EQ(general[4].list.size(), 15);

  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::Category::OutputVideo, 10, "0"));
  EXPECT_FALSE(profile.RemoveVideo);
  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::Category::OutputAudio, 0, "128k"));
  EXPECT_EQ(profile.AudioBitrate, "128k");
  EXPECT_FALSE(StoreRowValue(profile, FormatEditor::Category::OutputAudio, 7, "x"));
}

TEST_F(ParamRows, EmbeddedCodecsDisableTheEncoderRows) {
  FormatProfile profile;
  profile.AudioCodec = "aac";
  profile.VideoCodec = "mpeg4";
  profile.AudioExtCodecName = "lame";
  profile.VideoExtCodecName = "x264";
  const QList<ParamRow> rows =
      CategoryRows(profile, FormatEditor::Category::OutputGeneral, captions_);
  EXPECT_EQ(rows[1].value, "<lame>");
  EXPECT_EQ(rows[2].value, "<x264>");
  EXPECT_TRUE(rows[1].disabled && rows[2].disabled);
  EXPECT_FALSE(StoreRowValue(profile, FormatEditor::Category::OutputGeneral, 1, "mp2"));
  EXPECT_EQ(profile.AudioCodec, "aac");
  EXPECT_EQ(profile.VideoCodec, "mpeg4");
}

TEST_F(ParamRows, AnEmbeddedCodecShowsItsParametersThenItsEditableOptions) {
  FormatProfile profile;
  profile.AudioExtCodecName = "lame";
  ExtCodecDef& codec = profile.AudioExtCodec;
  codec.Params = {0,
                  {{"<InFile>", ParamKind::Required, "", "", "", false, ""},
                   {"A", ParamKind::Optional, "-a", "", "uno\r\ndos", true, "dos"},
                   {"B", ParamKind::Switch, "-b", "", "", false, "0"},
                   {"<OutFile>", ParamKind::Required, "", "", "", false, ""}}};
  codec.Editable = {1, {true, false, false, false, false, true}};
  codec.Values = {1, {"", "", "", "", "", ""}};
  const QList<ParamRow> rows =
      CategoryRows(profile, FormatEditor::Category::OutputAudio, captions_);
  EXPECT_EQ(Captions(rows), QStringList({"A", "B", "FF>Bitrate (bits/s)", "FF>Samplerate (Hz)"}));
  EXPECT_EQ(rows[0].list, QStringList({"", "uno", "dos"}));
  EXPECT_EQ(rows[0].value, "dos");
  EXPECT_TRUE(rows[0].listOnly && rows[1].listOnly);
  EXPECT_FALSE(rows[2].listOnly || rows[3].listOnly);
  EXPECT_EQ(rows[1].list, QStringList({"0", "1"}));
  EXPECT_EQ(rows[3].list.first(), "16000");

  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::Category::OutputAudio, 3, "48000"));
  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::Category::OutputAudio, 2, "96k"));
  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::Category::OutputAudio, 0, ""));
  EXPECT_EQ(codec.Values.Items, QStringList({"96k", "", "", "", "", "48000"}));
  EXPECT_EQ(codec.Params[1].Value, "");
  EXPECT_EQ(profile.AudioBitrate, "");

  // A parameter without suggestions still offers the empty entry.
  codec.Params[1].Suggested.clear();
  EXPECT_EQ(CategoryRows(profile, FormatEditor::Category::OutputAudio, captions_)[0].list,
            QStringList({"", ""}));
}

TEST_F(ParamRows, ACodecWithNothingToSetHasNoRowsAndOptionsBeyondValuesStillStore) {
  FormatProfile profile;
  profile.VideoExtCodecName = "x264";
  EXPECT_TRUE(CategoryRows(profile, FormatEditor::Category::OutputVideo, captions_).isEmpty());

  profile.VideoExtCodec.Editable = {
      1, {false, false, false, false, false, false, false, true, false, false}};
  const QList<ParamRow> rows =
      CategoryRows(profile, FormatEditor::Category::OutputVideo, captions_);
  EXPECT_EQ(Captions(rows), QStringList({"FF>Tamaño de cuadro (WxH,pixels)"}));
  ASSERT_TRUE(StoreRowValue(profile, FormatEditor::Category::OutputVideo, 0, "320x240"));
  EXPECT_EQ(profile.VideoExtCodec.Values[8], "320x240");
}

}  // namespace
