#include <QDir>
#include <QFile>

#include "EditingFixture.h"
#include "editing/FilterDef.h"
#include "frame/ProgramFolder.h"
#include "frame/RecordFile.h"

namespace {

using Dialogs::Kind;

class MediaEditTest : public EditingTest {
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
    MediaEdit::NormalizeEqualizer(profile);
    return profile;
  }
};

TEST_F(MediaEditTest, OpeningAProfileMakesItTheSavedCopyWithEqualiserDefaults) {
  EditProfileRec stored;
  stored.Volume = "150";
  stored.Equalizer[1] = "abc";
  stored.Equalizer[4] = "-3.5";
  const QString path = WriteProfile("loud", stored);
  MediaEdit::OpenProfile(path);
  EXPECT_EQ(MediaEdit::CurrentPath, path);
  EXPECT_EQ(MediaEdit::CurrentProfile.Volume, "150");
  EXPECT_EQ(MediaEdit::CurrentProfile.Equalizer[1], "0");
  EXPECT_EQ(MediaEdit::CurrentProfile.Equalizer[4], "-3.5");
  EXPECT_EQ(MediaEdit::CurrentProfile.Equalizer[27], "16000");
  EXPECT_EQ(MediaEdit::SavedProfile, MediaEdit::CurrentProfile);
  EXPECT_FALSE(MediaEdit::IsDirty());
}

TEST_F(MediaEditTest, AMissingNamedProfileIsReportedAndTheScratchOneIsEmpty) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  MediaEdit::OpenProfile(ProfilePath("gone"));
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra el archivo gone"});
  EXPECT_TRUE(MediaEdit::CurrentPath.isEmpty());

  MediaEdit::OpenProfile(MediaEdit::ScratchProfilePath());
  EXPECT_EQ(MediaEdit::CurrentProfile, Defaults());
  EXPECT_EQ(MediaEdit::CurrentPath, MediaEdit::ScratchProfilePath());
}

TEST_F(MediaEditTest, ADamagedFileIsReportedAndLeavesTheEditorAsItWas) {
  const QString good = WriteProfile("good", WithVolume("80"));
  MediaEdit::OpenProfile(good);
  const QString bad = WriteFile("appfiles/editp/bad.qep", QByteArray(2, '\xff') + "xx");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  MediaEdit::ScratchMode = 1;
  MediaEdit::OpenProfile(bad);
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo leer el archivo " + bad});
  EXPECT_EQ(MediaEdit::CurrentProfile.Volume, "80");
}

TEST_F(MediaEditTest, AnyChangeEvenOfCaseMakesTheProfileDirtyAndUndoRestoresIt) {
  EditProfileRec stored;
  stored.OutputParams = "-map 0";
  MediaEdit::OpenProfile(WriteProfile("p", stored));
  MediaEdit::CurrentProfile.OutputParams = "-MAP 0";
  EXPECT_TRUE(MediaEdit::IsDirty());
  MediaEdit::UndoChanges();
  EXPECT_FALSE(MediaEdit::IsDirty());
  MediaEdit::CurrentProfile.Filters.Items = {"eco"};
  EXPECT_TRUE(MediaEdit::IsDirty());
  MediaEdit::CurrentProfile.Filters.Items.clear();
  MediaEdit::CurrentProfile.Equalizer[13] = "2";
  EXPECT_TRUE(MediaEdit::IsDirty());
}

TEST_F(MediaEditTest, SavingWritesTheRecordAndCreatesTheFolder) {
  MediaEdit::CurrentProfile.Filters = {1, {"a", "b", "c"}};
  const QString path = ProfilePath("three");
  ASSERT_TRUE(MediaEdit::SaveProfile(path));
  MediaEdit::CurrentProfile.Filters = {1, {"a"}};
  ASSERT_TRUE(MediaEdit::SaveProfile(path));
  EXPECT_EQ(MediaEdit::CurrentPath, path);
  EXPECT_EQ(QFileInfo(path).size(), 129);
  EditProfileRec read;
  ASSERT_EQ(RecordFile::Read(path, read), RecordFile::Result::Ok);
  EXPECT_EQ(read, MediaEdit::CurrentProfile);
  EXPECT_FALSE(MediaEdit::IsDirty());
}

TEST_F(MediaEditTest, AFailedWriteIsReportedAndMovesNeitherPathNorSavedCopy) {
  const QString blocked = ProfilePath("blocked");
  QDir().mkpath(blocked);  // a folder where the file should go
  MediaEdit::CurrentProfile.Volume = "90";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_FALSE(MediaEdit::SaveProfile(blocked));
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo escribir el archivo " + blocked});
  EXPECT_TRUE(MediaEdit::CurrentPath.isEmpty());
  EXPECT_TRUE(MediaEdit::IsDirty());
}

TEST_F(MediaEditTest, ClosingAChangedProfileAsksAndFollowsTheAnswer) {
  const QString path = WriteProfile("clip", EditProfileRec{});
  const struct {
    int answer;
    bool closed;
    const char* stored;
  } rows[] = {{2, false, ""}, {7, true, ""}, {6, true, "120"}};
  for (const auto& row : rows) {
    WriteProfile("clip", EditProfileRec{});
    MediaEdit::OpenProfile(path);
    MediaEdit::CurrentProfile.Volume = "120";
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(row.answer);
    EXPECT_EQ(MediaEdit::CloseProfile(), row.closed);
    EXPECT_EQ(dialogs.Messages(), QStringList{"El archivo clip ha cambiado, ¿guardar cambios?"});
    EditProfileRec onDisk;
    RecordFile::Read(path, onDisk);
    EXPECT_EQ(onDisk.Volume, row.stored);
    if (row.closed) {
      EXPECT_TRUE(MediaEdit::CurrentPath.isEmpty());
      EXPECT_EQ(MediaEdit::CurrentProfile, Defaults());
    } else {
      EXPECT_EQ(MediaEdit::CurrentProfile.Volume, "120");
      MediaEdit::UndoChanges();
    }
  }
}

TEST_F(MediaEditTest, InScratchModeOpensAreChangesAndOtherSavesAreExports) {
  const QString other = WriteProfile("other", WithVolume("60"));
  MediaEdit::OpenProfile(MediaEdit::ScratchProfilePath());
  MediaEdit::ScratchMode = 1;
  MediaEdit::OpenProfile(other);
  EXPECT_EQ(MediaEdit::CurrentPath, MediaEdit::ScratchProfilePath());
  EXPECT_EQ(MediaEdit::CurrentProfile.Volume, "60");
  EXPECT_TRUE(MediaEdit::IsDirty());

  const QString exported = ProfilePath("exported");
  ASSERT_TRUE(MediaEdit::SaveProfile(exported));
  EXPECT_TRUE(QFile::exists(exported));
  EXPECT_EQ(MediaEdit::CurrentPath, MediaEdit::ScratchProfilePath());
  EXPECT_TRUE(MediaEdit::IsDirty());

  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(7);
  MediaEdit::CurrentPath.clear();
  EXPECT_TRUE(MediaEdit::CloseProfile());
  EXPECT_EQ(dialogs.Messages(), QStringList{"El archivo ha cambiado, ¿guardar cambios?"});
}

TEST_F(MediaEditTest, HexColoursReadEachPairUpToItsFirstNonHexCharacter) {
  EXPECT_EQ(MediaEdit::HexToColor("FF8000"), QColor(255, 128, 0));
  EXPECT_EQ(MediaEdit::HexToColor("zzzzzz"), QColor(0, 0, 0));
  EXPECT_EQ(MediaEdit::HexToColor(""), QColor(0, 0, 0));
  EXPECT_EQ(MediaEdit::HexToColor("0A00ff"), QColor(10, 0, 255));
  EXPECT_EQ(MediaEdit::HexToColor("1g2h3i"), QColor(1, 2, 3));
}

TEST_F(MediaEditTest, FilterFilesAreListedByTypeAndMatchedIgnoringCase) {
  const auto writeFilter = [this](const QString& name, uint8_t type) {
    WriteFile("appfiles/filters/" + name + ".qfl", RecordFile::Encode(FilterDef{type, 0, "x"}));
  };
  writeFilter("eco", 0);
  writeFilter("espejo", 1);
  writeFilter("mosaico", 2);
  writeFilter("raro", 3);
  WriteFile("appfiles/filters/roto.qfl", QByteArray("\x01\x00\xff\xff", 4));
  const std::array<QStringList, 3> lists = MediaEdit::ReadFilterLists();
  EXPECT_EQ(lists[0], QStringList{"eco"});
  EXPECT_EQ(lists[1], QStringList{"espejo"});
  EXPECT_EQ(lists[2], QStringList{"mosaico"});

  const MediaEdit::FilterMatch match =
      MediaEdit::MatchProfileFilters({1, {"ESPEJO", "gone", "eco"}}, lists);
  ASSERT_EQ(match.ticks.size(), 2);
  EXPECT_EQ(match.ticks[0].list, 1);
  EXPECT_EQ(match.ticks[1].list, 0);
  EXPECT_EQ(match.kept, (QStringList{"ESPEJO", "eco"}));
  EXPECT_EQ(match.missing, QStringList{"gone"});

  MediaEdit::CurrentProfile.Filters = {1, {"ESPEJO", "gone", "eco"}};
  MediaEdit::DropMissingFilters(match);
  EXPECT_EQ(MediaEdit::CurrentProfile.Filters.Items, (QStringList{"ESPEJO", "eco"}));
  const DynArray<QString> allFound{1, {"eco"}};
  MediaEdit::CurrentProfile.Filters = allFound;
  MediaEdit::DropMissingFilters(MediaEdit::MatchProfileFilters(allFound, lists));
  EXPECT_EQ(MediaEdit::CurrentProfile.Filters, allFound);
}

// The window refills itself on each announcement: every profile put in place
// is announced, a file that cannot be read is not.
TEST_F(MediaEditTest, EachProfilePutInPlaceIsAnnounced) {
  int announced = 0;
  QObject listener;
  QObject::connect(&MediaEdit::Events(), &MediaEdit::Notifier::ProfileReplaced, &listener,
                   [&] { ++announced; });
  MediaEdit::ScratchMode = 1;
  MediaEdit::OpenProfile(WriteProfile("good", WithVolume("80")));
  EXPECT_EQ(announced, 1);
  const QString bad = WriteFile("appfiles/editp/bad.qep", QByteArray(2, '\xff') + "xx");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  MediaEdit::OpenProfile(bad);
  EXPECT_EQ(announced, 1);
  MediaEdit::CurrentProfile.Volume = "90";
  MediaEdit::UndoChanges();
  EXPECT_EQ(announced, 2);
  MediaEdit::CloseProfile();
  EXPECT_EQ(announced, 3);
}

}  // namespace
