#include <QDir>
#include <QFile>

#include "EditingFixture.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/ground/FilterDef.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"

namespace {

using Dialogs::Kind;

class EditingProfileEditorTest : public EditingTest {
 protected:
  QString ProfilePath(const QString& name) const {
    return ProgramFolder::AppFiles("editp/" + name + ".qep");
  }
  QString WriteProfile(const QString& name, const EditProfileRec& profile) const {
    QDir().mkpath(ProgramFolder::AppFiles("editp"));
    EXPECT_EQ(RecordFile::Write(ProfilePath(name), profile), RecordFile::Result::Ok);
    return ProfilePath(name);
  }
  static EditProfileRec WithVolume(const QString& volume) {
    EditProfileRec profile;
    profile.Volume = volume;
    return profile;
  }
  static EditProfileRec Defaults() {
    EditProfileRec profile;
    EditingProfileEditor::NormalizeEqualizer(profile);
    return profile;
  }
};

TEST_F(EditingProfileEditorTest, OpeningAProfileMakesItTheSavedCopyWithEqualiserDefaults) {
  EditProfileRec stored;
  stored.Volume = "150";
  stored.Equalizer[1] = "abc";
  stored.Equalizer[4] = "-3.5";
  const QString path = WriteProfile("loud", stored);
  EditingProfileEditor::OpenProfile(path);
  EXPECT_EQ(EditingProfileEditor::State().CurrentPath, path);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Volume, "150");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[1], "0");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[4], "-3.5");
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Equalizer[27], "16000");
  EXPECT_EQ(EditingProfileEditor::State().SavedProfile,
            EditingProfileEditor::State().CurrentProfile);
  EXPECT_FALSE(EditingProfileEditor::IsDirty());
}

TEST_F(EditingProfileEditorTest, AMissingNamedProfileIsReportedAndTheScratchOneIsEmpty) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EditingProfileEditor::OpenProfile(ProfilePath("gone"));
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra el archivo gone"});
  EXPECT_TRUE(EditingProfileEditor::State().CurrentPath.isEmpty());

  EditingProfileEditor::OpenProfile(EditingProfileEditor::ScratchProfilePath());
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile, Defaults());
  EXPECT_EQ(EditingProfileEditor::State().CurrentPath, EditingProfileEditor::ScratchProfilePath());
}

TEST_F(EditingProfileEditorTest, ADamagedFileIsReportedAndLeavesTheEditorAsItWas) {
  const QString good = WriteProfile("good", WithVolume("80"));
  EditingProfileEditor::OpenProfile(good);
  const QString bad = WriteFile("appfiles/editp/bad.qep", QByteArray(2, '\xff') + "xx");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EditingProfileEditor::State().ScratchMode = true;
  EditingProfileEditor::OpenProfile(bad);
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo leer el archivo " + bad});
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Volume, "80");
}

TEST_F(EditingProfileEditorTest, AnyChangeEvenOfCaseMakesTheProfileDirtyAndUndoRestoresIt) {
  EditProfileRec stored;
  stored.OutputParams = "-map 0";
  EditingProfileEditor::OpenProfile(WriteProfile("p", stored));
  EditingProfileEditor::State().CurrentProfile.OutputParams = "-MAP 0";
  EXPECT_TRUE(EditingProfileEditor::IsDirty());
  EditingProfileEditor::UndoChanges();
  EXPECT_FALSE(EditingProfileEditor::IsDirty());
  EditingProfileEditor::State().CurrentProfile.Filters.Items = {"eco"};
  EXPECT_TRUE(EditingProfileEditor::IsDirty());
  EditingProfileEditor::State().CurrentProfile.Filters.Items.clear();
  EditingProfileEditor::State().CurrentProfile.Equalizer[13] = "2";
  EXPECT_TRUE(EditingProfileEditor::IsDirty());
}

TEST_F(EditingProfileEditorTest, SavingWritesTheRecordAndCreatesTheFolder) {
  EditingProfileEditor::State().CurrentProfile.Filters = {1, {"a", "b", "c"}};
  const QString path = ProfilePath("three");
  ASSERT_TRUE(EditingProfileEditor::SaveProfile(path));
  EditingProfileEditor::State().CurrentProfile.Filters = {1, {"a"}};
  ASSERT_TRUE(EditingProfileEditor::SaveProfile(path));
  EXPECT_EQ(EditingProfileEditor::State().CurrentPath, path);
  EXPECT_EQ(QFileInfo(path).size(), 129);
  EditProfileRec read;
  ASSERT_EQ(RecordFile::Read(path, read), RecordFile::Result::Ok);
  EXPECT_EQ(read, EditingProfileEditor::State().CurrentProfile);
  EXPECT_FALSE(EditingProfileEditor::IsDirty());
}

TEST_F(EditingProfileEditorTest, AFailedWriteIsReportedAndMovesNeitherPathNorSavedCopy) {
  const QString blocked = ProfilePath("blocked");
  QDir().mkpath(blocked);  // a folder where the file should go
  EditingProfileEditor::State().CurrentProfile.Volume = "90";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_FALSE(EditingProfileEditor::SaveProfile(blocked));
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo escribir el archivo " + blocked});
  EXPECT_TRUE(EditingProfileEditor::State().CurrentPath.isEmpty());
  EXPECT_TRUE(EditingProfileEditor::IsDirty());
}

TEST_F(EditingProfileEditorTest, ClosingAChangedProfileAsksAndFollowsTheAnswer) {
  const QString path = WriteProfile("clip", EditProfileRec{});
  const struct {
    Dialogs::Button answer;
    bool closed;
    const char* stored;
  } rows[] = {{Dialogs::Button::Cancel, false, ""},
              {Dialogs::Button::No, true, ""},
              {Dialogs::Button::Yes, true, "120"}};
  for (const auto& row : rows) {
    WriteProfile("clip", EditProfileRec{});
    EditingProfileEditor::OpenProfile(path);
    EditingProfileEditor::State().CurrentProfile.Volume = "120";
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(row.answer);
    EXPECT_EQ(EditingProfileEditor::CloseProfile(), row.closed);
    EXPECT_EQ(dialogs.Messages(), QStringList{"El archivo clip ha cambiado, ¿guardar cambios?"});
    EditProfileRec onDisk;
    RecordFile::Read(path, onDisk);
    EXPECT_EQ(onDisk.Volume, row.stored);
    if (row.closed) {
      EXPECT_TRUE(EditingProfileEditor::State().CurrentPath.isEmpty());
      EXPECT_EQ(EditingProfileEditor::State().CurrentProfile, Defaults());
    } else {
      EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Volume, "120");
      EditingProfileEditor::UndoChanges();
    }
  }
}

TEST_F(EditingProfileEditorTest, InScratchModeOpensAreChangesAndOtherSavesAreExports) {
  const QString other = WriteProfile("other", WithVolume("60"));
  EditingProfileEditor::OpenProfile(EditingProfileEditor::ScratchProfilePath());
  EditingProfileEditor::State().ScratchMode = true;
  EditingProfileEditor::OpenProfile(other);
  EXPECT_EQ(EditingProfileEditor::State().CurrentPath, EditingProfileEditor::ScratchProfilePath());
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Volume, "60");
  EXPECT_TRUE(EditingProfileEditor::IsDirty());

  const QString exported = ProfilePath("exported");
  ASSERT_TRUE(EditingProfileEditor::SaveProfile(exported));
  EXPECT_TRUE(QFile::exists(exported));
  EXPECT_EQ(EditingProfileEditor::State().CurrentPath, EditingProfileEditor::ScratchProfilePath());
  EXPECT_TRUE(EditingProfileEditor::IsDirty());

  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::No);
  EditingProfileEditor::State().CurrentPath.clear();
  EXPECT_TRUE(EditingProfileEditor::CloseProfile());
  EXPECT_EQ(dialogs.Messages(), QStringList{"El archivo ha cambiado, ¿guardar cambios?"});
}

TEST_F(EditingProfileEditorTest, HexColoursReadEachPairUpToItsFirstNonHexCharacter) {
  EXPECT_EQ(EditingProfileEditor::HexToColor("FF8000"), 0x0080FF);
  EXPECT_EQ(EditingProfileEditor::HexToColor("zzzzzz"), 0);
  EXPECT_EQ(EditingProfileEditor::HexToColor(""), 0);
  EXPECT_EQ(EditingProfileEditor::HexToColor("0A00ff"), 0xFF000A);
  EXPECT_EQ(EditingProfileEditor::HexToColor("1g2h3i"), 0x030201);
}

TEST_F(EditingProfileEditorTest, FilterFilesAreListedByTypeAndMatchedIgnoringCase) {
  const auto writeFilter = [this](const QString& name, FilterType type) {
    WriteFile("appfiles/filters/" + name + ".qfl", RecordFile::Encode(FilterDef{type, false, "x"}));
  };
  writeFilter("eco", FilterType::Audio);
  writeFilter("espejo", FilterType::Video);
  writeFilter("mosaico", FilterType::Complex);
  writeFilter("raro", FilterType(3));
  WriteFile("appfiles/filters/roto.qfl", QByteArray("\x01\x00\xff\xff", 4));
  const std::array<QStringList, 3> lists = EditingProfileEditor::ReadFilterLists();
  EXPECT_EQ(lists[0], QStringList{"eco"});
  EXPECT_EQ(lists[1], QStringList{"espejo"});
  EXPECT_EQ(lists[2], QStringList{"mosaico"});

  const EditingProfileEditor::FilterMatch match =
      EditingProfileEditor::MatchProfileFilters({1, {"ESPEJO", "gone", "eco"}}, lists);
  ASSERT_EQ(match.ticks.size(), 2);
  EXPECT_EQ(match.ticks[0].list, 1);
  EXPECT_EQ(match.ticks[1].list, 0);
  EXPECT_EQ(match.kept, (QStringList{"ESPEJO", "eco"}));
  EXPECT_EQ(match.missing, QStringList{"gone"});

  EditingProfileEditor::State().CurrentProfile.Filters = {1, {"ESPEJO", "gone", "eco"}};
  EditingProfileEditor::DropMissingFilters(match);
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Filters.Items,
            (QStringList{"ESPEJO", "eco"}));
  const DynArray<QString> allFound{1, {"eco"}};
  EditingProfileEditor::State().CurrentProfile.Filters = allFound;
  EditingProfileEditor::DropMissingFilters(
      EditingProfileEditor::MatchProfileFilters(allFound, lists));
  EXPECT_EQ(EditingProfileEditor::State().CurrentProfile.Filters, allFound);
}

// The window refills itself on each announcement: every profile put in place
// is announced, a file that cannot be read is not.
TEST_F(EditingProfileEditorTest, EachProfilePutInPlaceIsAnnounced) {
  int announced = 0;
  QObject listener;
  QObject::connect(&EditingProfileEditor::Events(),
                   &EditingProfileEditor::Notifier::ProfileReplaced, &listener,
                   [&] { ++announced; });
  EditingProfileEditor::State().ScratchMode = true;
  EditingProfileEditor::OpenProfile(WriteProfile("good", WithVolume("80")));
  EXPECT_EQ(announced, 1);
  const QString bad = WriteFile("appfiles/editp/bad.qep", QByteArray(2, '\xff') + "xx");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EditingProfileEditor::OpenProfile(bad);
  EXPECT_EQ(announced, 1);
  EditingProfileEditor::State().CurrentProfile.Volume = "90";
  EditingProfileEditor::UndoChanges();
  EXPECT_EQ(announced, 2);
  EditingProfileEditor::CloseProfile();
  EXPECT_EQ(announced, 3);
}

}  // namespace
