#include <QDir>

#include "CodecTestSupport.h"
#include "core/formats/ExternalCodecEditor.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegTools.h"

namespace {

using namespace codec_test;
using Dialogs::Kind;

class ExternalCodecEditorTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ExternalCodecEditor::Reset();
    Codecs = ProgramFolder::AppFiles("ecodec");
  }
  void TearDown() override {
    ExternalCodecEditor::Reset();
    TestEnv::TearDown();
  }
  // Puts a definition in appfiles/ecodec and opens it by name.
  void OpenSaved(const QString& fileName, const ExtCodecDef& codec) {
    WriteRecord(Codecs + "/" + fileName, codec);
    ExternalCodecEditor::OpenCodec(fileName.endsWith(".qcv"),
                                   QFileInfo(fileName).completeBaseName());
  }
  QString Codecs;
};

TEST_F(ExternalCodecEditorTest, ANewDefinitionHoldsTheTwoFileRowsAndSixClearedFlagsAndIsUnchanged) {
  const ExtCodecDef& codec = ExternalCodecEditor::State().CurrentCodec;
  ASSERT_EQ(codec.Params.Count(), 2);
  EXPECT_EQ(codec.Params.LowerBound, 0);
  EXPECT_EQ(codec.Params[0], Row("<InFile>", ParamKind::Required));
  EXPECT_EQ(codec.Params[1], Row("<OutFile>", ParamKind::Required));
  EXPECT_EQ(codec.Editable.LowerBound, 1);
  EXPECT_EQ(codec.Editable.Items, QList<bool>(6, false));
  EXPECT_TRUE(codec.Values.IsEmpty()) << "the editor never sizes the values";
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, "");
  EXPECT_FALSE(ExternalCodecEditor::IsDirty());
}

TEST_F(ExternalCodecEditorTest, ListenersHearWhatTheEditorWindowMustShowAgain) {
  QStringList heard;
  QObject listener;
  ExternalCodecEditor::Notifier* events = &ExternalCodecEditor::Events();
  using N = ExternalCodecEditor::Notifier;
  QObject::connect(events, &N::RowsChanged, &listener,
                   [&](int row) { heard << "rows, select " + QString::number(row); });
  QObject::connect(events, &N::TypeChosen, &listener, [&](const QStringList& captions) {
    heard << "type, options " + QString::number(captions.size());
  });
  QObject::connect(events, &N::CodecSaved, &listener, [&] { heard << "saved"; });
  QObject::connect(events, &N::CodecClosed, &listener, [&] { heard << "closed"; });
  QObject::connect(events, &N::RecordLoaded, &listener, [&](const QStringList& captions) {
    heard << "record, options " + QString::number(captions.size());
  });

  ExternalCodecEditor::ParamForm form = ExternalCodecEditor::ParamFormFor(-1);
  form.Label = "Quality";
  ASSERT_TRUE(ExternalCodecEditor::AcceptParameter(form));
  ExternalCodecEditor::ChooseType(true);
  ASSERT_TRUE(ExternalCodecEditor::SaveCodec(Codecs + "/enc.qca"));
  ExternalCodecEditor::OpenCodec(false, "enc");
  // Closing empties the window first, then folds its sections.
  EXPECT_EQ(heard, QStringList({"rows, select 2", "type, options 10", "saved", "record, options 6",
                                "closed", "record, options 6"}));
}

TEST_F(ExternalCodecEditorTest, AProfileThatCannotGiveTheFfmpegOptionsSaysWhyWithoutABox) {
  FfmpegTools::InitOptionNames();
  const QString formats = ProgramFolder::AppFiles("formats");
  FormatProfile wav;
  wav.OutputContainer = "wav";
  wav.AudioCodec = "pcm_s16le";
  wav.SampleRate = "44100";
  wav.Extension = "wav";
  WriteRecord(formats + "/wav.qfm", wav);
  FormatProfile noAudio = wav;
  noAudio.RemoveAudio = true;
  WriteRecord(formats + "/noaudio.qfm", noAudio);
  FormatProfile split = wav;
  split.MultipleOutputFiles = true;
  WriteRecord(formats + "/split.qfm", split);
  WriteFile("appfiles/formats/broken.qfm", QByteArray(40, '\xff'));

  using R = ExternalCodecEditor::ExtractRefusal;
  const std::pair<const char*, R> refused[] = {{"missing", R::ProfileNotFound},
                                               {"broken", R::ProfileUnreadable},
                                               {"noaudio", R::TrackRemoved},
                                               {"split", R::NotPlainExtraction}};
  for (const auto& [name, refusal] : refused) {
    EXPECT_EQ(ExternalCodecEditor::TakeFfmpegOptions(formats + "/" + name + ".qfm"), refusal)
        << name;
    EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.FfmpegParams, "") << name;
  }
  EXPECT_EQ(ExternalCodecEditor::TakeFfmpegOptions(formats + "/wav.qfm"), R::None);
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.FfmpegParams,
            "-f wav -c:a pcm_s16le -ar 44100");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.FfmpegExt, "wav");
}

TEST_F(ExternalCodecEditorTest, EveryComparedFieldMakesTheDefinitionChangedButValuesNever) {
  const std::vector<std::pair<const char*, std::function<void(ExtCodecDef&)>>> changes = {
      {"program", [](ExtCodecDef& c) { c.ExePath = "x"; }},
      {"ffmpeg extension", [](ExtCodecDef& c) { c.FfmpegExt = "wav"; }},
      {"output extension", [](ExtCodecDef& c) { c.OutputExt = "mp3"; }},
      {"ffmpeg options", [](ExtCodecDef& c) { c.FfmpegParams = "-ac 2"; }},
      {"about", [](ExtCodecDef& c) { c.About = "a"; }},
      {"a flag", [](ExtCodecDef& c) { c.Editable[3] = true; }},
      {"ten flags", [](ExtCodecDef& c) { c.Editable.Items.resize(10); }},
      {"a row more", [](ExtCodecDef& c) { c.Params.Items.append(Row("q", ParamKind::Optional)); }},
      {"label case", [](ExtCodecDef& c) { c.Params[0].Label = "<INFILE>"; }},
      {"suggested", [](ExtCodecDef& c) { c.Params[0].Suggested = "1"; }},
      {"switch", [](ExtCodecDef& c) { c.Params[1].Switch = "-o"; }},
      {"default", [](ExtCodecDef& c) { c.Params[1].Default = "d"; }},
      {"kind", [](ExtCodecDef& c) { c.Params[1].Kind = ParamKind::Optional; }},
      {"only suggested", [](ExtCodecDef& c) { c.Params[1].OnlySuggested = true; }},
  };
  for (const auto& [what, change] : changes) {
    ExternalCodecEditor::Reset();
    change(ExternalCodecEditor::State().CurrentCodec);
    EXPECT_TRUE(ExternalCodecEditor::IsDirty()) << what;
  }
  ExternalCodecEditor::Reset();
  ExternalCodecEditor::State().CurrentCodec.Params[0].Value = "1";
  ExternalCodecEditor::State().CurrentCodec.Values = {1, {"128k", "", "", "", "", ""}};
  EXPECT_FALSE(ExternalCodecEditor::IsDirty());
  ExternalCodecEditor::ClearParamValues();
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params[0].Value, "");
}

TEST_F(ExternalCodecEditorTest, SaveWritesTheRecordWholeAndAShorterOneLeavesNoTail) {
  ExternalCodecEditor::State().CurrentCodec = LameCodec();
  ExternalCodecEditor::State().CurrentCodec.About = QString(300, 'x');
  const QString path = Codecs + "/lame.qca";
  ASSERT_TRUE(ExternalCodecEditor::SaveCodec(path));
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, path);
  EXPECT_FALSE(ExternalCodecEditor::IsDirty());
  EXPECT_EQ(ReadRecord<ExtCodecDef>(path), ExternalCodecEditor::State().CurrentCodec);

  ExternalCodecEditor::State().CurrentCodec.About = "short";
  EXPECT_TRUE(ExternalCodecEditor::IsDirty());
  ASSERT_TRUE(ExternalCodecEditor::SaveCodec(ExternalCodecEditor::State().CurrentPath));
  EXPECT_EQ(FileBytes(path), RecordFile::Encode(ExternalCodecEditor::State().CurrentCodec));
}

TEST_F(ExternalCodecEditorTest, SaveWithoutAPathAsksTheFileManagerForANameOfTheType) {
  ExternalCodecEditor::State().CurrentCodec.About = "new";
  ManagerCall call;
  AnswerManager("", &call);
  EXPECT_FALSE(ExternalCodecEditor::SaveCodec(""));
  EXPECT_EQ(call.Folder, Codecs);
  EXPECT_EQ(call.Extension, "qca");
  EXPECT_EQ(call.Mode, DataFolderManager::Mode::SaveAs);
  EXPECT_TRUE(ExternalCodecEditor::IsDirty()) << "cancelled: nothing written";
  EXPECT_FALSE(QDir(Codecs).exists());

  ExternalCodecEditor::ChooseType(true);
  AnswerManager("x264", &call);
  ASSERT_TRUE(ExternalCodecEditor::SaveCodec(""));
  EXPECT_EQ(call.Extension, "qcv");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, Codecs + "/x264.qcv");
  EXPECT_EQ(ReadRecord<ExtCodecDef>(Codecs + "/x264.qcv").Editable.Count(), 10);
}

TEST_F(ExternalCodecEditorTest, SaveFailuresSayWhyAndKeepTheDefinitionChanged) {
  ExternalCodecEditor::State().CurrentCodec.About = "new";
  WriteFile("appfiles/ecodec", "a file where the folder belongs");
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    EXPECT_FALSE(ExternalCodecEditor::SaveCodec(Codecs + "/a.qca"));
    EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo crear el directorio " + Codecs});
  }
  QFile::remove(Codecs);
  const QString unwritable = Folder() + "/missing/a.qca";
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    EXPECT_FALSE(ExternalCodecEditor::SaveCodec(unwritable));
    EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo escribir el archivo " + unwritable});
  }
  EXPECT_TRUE(ExternalCodecEditor::IsDirty());
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, "");
}

TEST_F(ExternalCodecEditorTest, OpeningFillsMissingPartsAndAVideoFileWithoutFlagsCountsAsChanged) {
  WriteFile("appfiles/ecodec/empty.qca", "");
  ExternalCodecEditor::OpenCodec(false, "empty");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, Codecs + "/empty.qca");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params.Count(), 2);
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Editable.Items, QList<bool>(6, false));
  EXPECT_FALSE(ExternalCodecEditor::State().CurrentIsVideo);
  EXPECT_FALSE(ExternalCodecEditor::IsDirty());

  WriteFile("appfiles/ecodec/empty.qcv", "");
  ExternalCodecEditor::OpenCodec(true, "empty");
  EXPECT_TRUE(ExternalCodecEditor::State().CurrentIsVideo);
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Editable.Items, QList<bool>(10, false));
  EXPECT_TRUE(ExternalCodecEditor::IsDirty());

  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::No);  // no save
  OpenSaved("lame.qca", LameCodec());
  EXPECT_EQ(dialogs.Messages(), QStringList{"El archivo empty ha cambiado, ¿guardar cambios?"});
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec, LameCodec());
  EXPECT_FALSE(ExternalCodecEditor::IsDirty());
}

TEST_F(ExternalCodecEditorTest, AnUnreadableFileSaysSoAndLeavesANewDefinitionWithoutPath) {
  const QString path =
      WriteFile("appfiles/ecodec/bad.qca", QByteArray("\x01\x00", 2) + QByteArray(12, '\xff'));
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  ExternalCodecEditor::OpenCodec(false, "bad");
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo leer el archivo " + path});
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, "");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params.Count(), 2);
  EXPECT_FALSE(ExternalCodecEditor::IsDirty());
}

TEST_F(ExternalCodecEditorTest, AMissingNamedFileOpensAsANewDefinitionThatSavesUnderItsName) {
  ExternalCodecEditor::OpenCodec(true, "gone");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, Codecs + "/gone.qcv");
  EXPECT_FALSE(QFile::exists(Codecs + "/gone.qcv")) << "opening creates nothing";
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params.Count(), 2);
}

TEST_F(ExternalCodecEditorTest,
       OpeningWithoutANameUsesTheFileManagerAndItsCancelKeepsTheNewDefinition) {
  WriteRecord(Codecs + "/lame.qca", LameCodec());
  ManagerCall call;
  AnswerManager("", &call);
  ExternalCodecEditor::OpenCodec(false, "");
  EXPECT_EQ(call.Extension, "qca");
  EXPECT_EQ(call.Mode, DataFolderManager::Mode::Open);
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, "");

  AnswerManager("lame");
  ExternalCodecEditor::OpenCodec(false, "");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, Codecs + "/lame.qca");
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec, LameCodec());
}

TEST_F(ExternalCodecEditorTest, CloseAsksWithTheFileNameAndCancelYesAndNoDoWhatTheySay) {
  OpenSaved("lame.qca", LameCodec());
  ExternalCodecEditor::State().CurrentCodec.About = "changed";
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::Cancel);
    EXPECT_FALSE(ExternalCodecEditor::CloseCodec());
    EXPECT_EQ(dialogs.Shown().first().style,
              (Dialogs::MessageStyle{Dialogs::Buttons::YesNoCancel, Dialogs::Icon::None}));
    EXPECT_EQ(dialogs.Messages(), QStringList{"El archivo lame ha cambiado, ¿guardar cambios?"});
    EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.About, "changed");
  }
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::Yes);
    EXPECT_TRUE(ExternalCodecEditor::CloseCodec());
    EXPECT_EQ(ReadRecord<ExtCodecDef>(Codecs + "/lame.qca").About, "changed");
    EXPECT_EQ(ExternalCodecEditor::State().CurrentPath, "");
    EXPECT_FALSE(ExternalCodecEditor::IsDirty());
  }
  ExternalCodecEditor::State().CurrentCodec.About = "never saved";
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::Yes);
    AnswerManager("");  // the save-as is cancelled: the close is too
    EXPECT_FALSE(ExternalCodecEditor::CloseCodec());
    EXPECT_EQ(dialogs.Messages(), QStringList{"El archivo ha cambiado, ¿guardar cambios?"});
    EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.About, "never saved");
  }
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::No);
    EXPECT_TRUE(ExternalCodecEditor::CloseCodec());
    EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.About, "");
  }
}

TEST_F(ExternalCodecEditorTest, UndoGoesBackToTheSavedCopy) {
  OpenSaved("lame.qca", LameCodec());
  ExternalCodecEditor::State().CurrentCodec.FfmpegParams = "-ac 1";
  ExternalCodecEditor::State().CurrentCodec.Params.Items.removeFirst();
  ExternalCodecEditor::UndoChanges();
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec, LameCodec());
  EXPECT_FALSE(ExternalCodecEditor::IsDirty());
}

TEST_F(ExternalCodecEditorTest, TheTypeRecreatesTheFlagsAndAFileFixesIt) {
  ExternalCodecEditor::State().CurrentCodec.Editable[2] = true;
  ExternalCodecEditor::ChooseType(true);
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Editable.Items, QList<bool>(10, false));
  ExternalCodecEditor::State().CurrentCodec.Editable[10] = true;
  ExternalCodecEditor::ChooseType(false);
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Editable.Items, QList<bool>(6, false));

  ExtCodecDef odd = LameCodec();
  odd.Editable = {0,
                  {true, true, true, true, true, true}};  // six flags from 0: not the audio bounds
  OpenSaved("odd.qca", odd);
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Editable.LowerBound, 1);
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Editable.Items, QList<bool>(6, false));

  const QStringList audio = ExternalCodecEditor::FillAudioEditableParams();
  EXPECT_EQ(audio, (QStringList{"Bitrate (bits/s)", "Bitrate max (bits/s)", "Bitrate min (bits/s)",
                                "Calidad", "Canales", "Samplerate (Hz)"}));
  const QStringList video = ExternalCodecEditor::FillVideoEditableParams();
  EXPECT_EQ(video.mid(4),
            (QStringList{"Calidad max", "Calidad min", "Cuadros/s", "Tamaño de cuadro (WxH,pixels)",
                         "Relación de aspecto", "Formato de pixel"}));
}

// Parameter rows ------------------------------------------------------------------

class ParamRowsTest : public ExternalCodecEditorTest {
 protected:
  void SetUp() override {
    ExternalCodecEditorTest::SetUp();
    ExternalCodecEditor::State().CurrentCodec.Params = {
        0,
        {Row("<InFile>", ParamKind::Required), Row("Bitrate", ParamKind::Optional, "-b"),
         Row("<OutFile>", ParamKind::Required)}};
  }
  static ExternalCodecEditor::ParamForm Form(const QString& label, const QString& before = {},
                                             ParamKind kind = ParamKind::Optional) {
    ExternalCodecEditor::ParamForm form;
    form.Label = label;
    form.LabelBefore = before;
    form.Kind = kind;
    return form;
  }
};

TEST_F(ParamRowsTest, LabelsAreCheckedBeforeARowIsStored) {
  struct Case {
    const char* label;
    int row;  // -1 = a new row
    const char* message;
  };
  const Case cases[] = {
      {"", -1, "Debe ingresar una etiqueta que no contenga los caracteres < >"},
      {"<infile>", -1, "Debe ingresar una etiqueta que no contenga los caracteres < >"},
      {"a>b", -1, "Debe ingresar una etiqueta que no contenga los caracteres < >"},
      {"<InFile>", -1, "Ya existe un parámetro con esa etiqueta"},
      {"bitrate", -1, "Ya existe un parámetro con esa etiqueta"},
      {"<OutFile>", 1, "Ya existe un parámetro con esa etiqueta"},
  };
  const DynArray<ExtCodecParam> before = ExternalCodecEditor::State().CurrentCodec.Params;
  for (const Case& c : cases) {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    const ExternalCodecEditor::ParamForm opened = ExternalCodecEditor::ParamFormFor(c.row);
    EXPECT_FALSE(ExternalCodecEditor::AcceptParameter(Form(c.label, opened.LabelBefore)))
        << c.label;
    EXPECT_EQ(dialogs.Messages(), QStringList{QString::fromUtf8(c.message)}) << c.label;
    EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params, before) << c.label;
  }
}

TEST_F(ParamRowsTest, ARowKeepsItsOwnLabelInAnotherCaseAndNewRowsGoLast) {
  ExternalCodecEditor::ParamFormFor(1);
  ASSERT_TRUE(ExternalCodecEditor::AcceptParameter(Form("BITRATE", "Bitrate")));
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params[1].Label, "BITRATE");

  ExternalCodecEditor::ParamFormFor(-1);
  ASSERT_TRUE(ExternalCodecEditor::AcceptParameter(Form("Quality", "", ParamKind::Optional)));
  EXPECT_EQ(ExternalCodecEditor::ParamLabels(),
            (QStringList{"<InFile>", "BITRATE", "<OutFile>", "Quality"}));
  EXPECT_TRUE(ExternalCodecEditor::ParamLabelExists("quality"));
  ExternalCodecEditor::State().CurrentCodec.Params.Items.clear();
  EXPECT_FALSE(ExternalCodecEditor::ParamLabelExists("quality"));
}

TEST_F(ParamRowsTest, TheKindDecidesWhichFieldsAreKept) {
  ExternalCodecEditor::State().CurrentCodec.Params[1].Value = "192";
  struct Case {
    ParamKind kind;
    QString defaultValue;
    QString suggested;
    bool onlySuggested;
  };
  const Case cases[] = {{ParamKind::Optional, "128", "96\r\n128", true},
                        {ParamKind::Required, "128", "", false},
                        {ParamKind::Switch, "", "", false}};
  for (const Case& c : cases) {
    ExternalCodecEditor::ParamForm form = ExternalCodecEditor::ParamFormFor(1);
    form.Kind = c.kind;
    form.Switch = "-b";
    form.Default = "128";
    form.Suggested = "96\r\n128";
    form.OnlySuggested = true;
    ASSERT_TRUE(ExternalCodecEditor::AcceptParameter(form));
    const ExtCodecParam& row = ExternalCodecEditor::State().CurrentCodec.Params[1];
    EXPECT_EQ(row.Kind, c.kind);
    EXPECT_EQ(row.Switch, "-b");
    EXPECT_EQ(row.Default, c.defaultValue) << int(c.kind);
    EXPECT_EQ(row.Suggested, c.suggested) << int(c.kind);
    EXPECT_EQ(row.OnlySuggested, c.onlySuggested) << int(c.kind);
    EXPECT_EQ(row.Value, "192") << "the value is left as it was";
  }
}

// The parameter frame opens for input exactly the fields that a row of the
// chosen kind keeps when it is accepted.
TEST_F(ParamRowsTest, TheFrameOpensTheFieldsTheKindKeeps) {
  struct Case {
    ParamKind kind;
    bool defaultOpen;
    bool suggestedOpen;
  } cases[] = {{ParamKind::Optional, true, true},
               {ParamKind::Required, true, false},
               {ParamKind::Switch, false, false},
               {ParamKind(255), true, false}};  // a kind from a newer file
  for (const Case& c : cases) {
    const ExternalCodecEditor::ParamFields fields = ExternalCodecEditor::FieldsForKind(c.kind);
    EXPECT_EQ(fields.Default, c.defaultOpen) << int(c.kind);
    EXPECT_EQ(fields.Suggested, c.suggestedOpen) << int(c.kind);
    if (c.kind > ParamKind::Switch) continue;
    ExternalCodecEditor::ParamForm form = ExternalCodecEditor::ParamFormFor(1);
    form.Kind = c.kind;
    form.Default = "128";
    form.Suggested = "96";
    form.OnlySuggested = true;
    ASSERT_TRUE(ExternalCodecEditor::AcceptParameter(form));
    const ExtCodecParam& row = ExternalCodecEditor::State().CurrentCodec.Params[1];
    EXPECT_EQ(!row.Default.isEmpty(), fields.Default) << int(c.kind);
    EXPECT_EQ(!row.Suggested.isEmpty(), fields.Suggested) << int(c.kind);
    EXPECT_EQ(row.OnlySuggested, fields.Suggested) << int(c.kind);
  }
  EXPECT_TRUE(ExternalCodecEditor::IsFileRow("<InFile>"));
  EXPECT_TRUE(ExternalCodecEditor::IsFileRow("<OutFile>"));
  EXPECT_FALSE(ExternalCodecEditor::IsFileRow("Bitrate"));
  EXPECT_FALSE(ExternalCodecEditor::IsFileRow(""));
}

// Rows store their suggested values with CR LF between them, whatever line
// ends the text the user typed had.
TEST_F(ParamRowsTest, SuggestedValuesAreStoredWithCrLfBetweenLines) {
  struct Case {
    QString typed;
    QString stored;
  } cases[] = {
      {"", ""},
      {"96", "96"},
      {"96\n128", "96\r\n128"},
      {"96\r\n128\n192\n", "96\r\n128\r\n192\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExternalCodecEditor::SuggestedToStore(c.typed), c.stored);
    EXPECT_EQ(ExternalCodecEditor::SuggestedToStore(ExternalCodecEditor::SuggestedLines(c.stored)),
              c.stored)
        << "showing and taking back a row changes nothing";
    EXPECT_FALSE(ExternalCodecEditor::SuggestedLines(c.stored).contains('\r'));
  }
}

TEST_F(ParamRowsTest, DeleteAndMoveKeepTheFileRowsAndStopAtTheEnds) {
  EXPECT_EQ(ExternalCodecEditor::DeleteParameter(2), 2) << "<OutFile> stays";
  EXPECT_EQ(ExternalCodecEditor::DeleteParameter(-1), -1);
  EXPECT_EQ(ExternalCodecEditor::MoveParameterUp(0), 0);
  EXPECT_EQ(ExternalCodecEditor::MoveParameterDown(2), 2);
  EXPECT_EQ(ExternalCodecEditor::ParamLabels(), (QStringList{"<InFile>", "Bitrate", "<OutFile>"}));

  ExternalCodecEditor::State().CurrentCodec.Params[1].Value = "v";
  EXPECT_EQ(ExternalCodecEditor::MoveParameterDown(1), 2);
  EXPECT_EQ(ExternalCodecEditor::State().CurrentCodec.Params[2].Value, "v") << "whole rows move";
  EXPECT_EQ(ExternalCodecEditor::MoveParameterUp(0), 0);
  EXPECT_EQ(ExternalCodecEditor::MoveParameterUp(1), 0) << "the file rows move like any other";
  EXPECT_EQ(ExternalCodecEditor::ParamLabels(), (QStringList{"<OutFile>", "<InFile>", "Bitrate"}));

  EXPECT_EQ(ExternalCodecEditor::DeleteParameter(2), 1) << "the new last row is selected";
  EXPECT_EQ(ExternalCodecEditor::ParamLabels(), (QStringList{"<OutFile>", "<InFile>"}));
  EXPECT_EQ(ExternalCodecEditor::KeptSelection(-1, 2), -1);
  EXPECT_EQ(ExternalCodecEditor::KeptSelection(0, 2), 0);
}

}  // namespace
