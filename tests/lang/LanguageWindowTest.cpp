#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "FileSizeLimit.h"
#include "LangFixture.h"
#include "core/lang/Lang.h"
#include "gui/app/MainWindow.h"
#include "gui/frame/LanguageWindow.h"
#include "gui/ground/TextFit.h"

namespace {

using Dialogs::Kind;

const QString kInUse = QString::fromUtf8(
    "No se puede eliminar el lenguaje seleccionado porque está en uso\n"
    "Can not delete the selected language because it is in use");
const QString kAdded = "Nuevo lenguaje fue agregado\nNew language was added";
const QString kExists = "Ya existe un archivo con ese nombre\nA file already exists with that name";
const QString kNotSaved = "Error: No se pudo guardar\nError: It could not be saved";
const QString kNotFound = "No se encuentra el archivo de lenguaje\nThe language file is not found";

class LanguageWindowTest : public MainWindowLangTest {
 protected:
  void TearDown() override {
    window_.reset();
    MainWindowLangTest::TearDown();
  }
  // Opens the chooser as the program does, without waiting on it.
  LanguageWindow& Open() {
    window_ = std::make_unique<LanguageWindow>(main_.get());
    window_->Load();
    window_->show();
    return *window_;
  }
  QString MainFileMenu() const { return main_->findChild<QMenu*>("Menu_Archivo")->title(); }
  static QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
  }
  void Select(const QString& language) {
    window_->languageCombo->setCurrentIndex(window_->languageCombo->findText(language));
  }
  QString LanguageFile(const QString& name) const {
    return Folder() + "/appfiles/lang/" + name + ".qlg";
  }

  ScriptedDialogs dialogs_;
  std::unique_ptr<LanguageWindow> window_;
};

TEST_F(LanguageWindowTest, ListsTheBuiltInLanguagesThenTheFilesAndSelectsTheLanguageInForce) {
  WriteLanguage("Klingon", "x");
  WriteFile("appfiles/lang/notes.txt", "x");
  struct Case {
    const char* inForce;
    const char* selected;
  } cases[] = {
      {"", "<Spanish>"},
      {"klingon", "Klingon"},
      {"<English>", "<English>"},
      {"gone", "<Spanish>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.inForce);
    Lang::State().LanguageName = c.inForce;
    LanguageWindow& window = Open();
    EXPECT_EQ(Items(window.languageCombo),
              (QStringList{"<Spanish>", "<English>", "<Portuguese>", "Klingon"}));
    EXPECT_EQ(window.languageCombo->currentText(), c.selected);
    EXPECT_EQ(window.languageAtOpen, c.inForce);
    EXPECT_EQ(window.height(), TextFit::Scaled(LanguageWindow::ClosedHeight));
    EXPECT_FALSE(window.makerPanel->isVisible());
  }
}

TEST_F(LanguageWindowTest, ApplyTriesALanguageAndCancelOrTheCloseBoxGoBack) {
  const std::function<void(LanguageWindow&)> closings[] = {
      [](LanguageWindow& window) { window.cancelButton->click(); },
      [](LanguageWindow& window) { window.close(); },
  };
  for (const auto& closing : closings) {
    Lang::LoadLanguage("<Spanish>");
    LanguageWindow& window = Open();
    Select("<English>");
    window.applyButton->click();
    EXPECT_EQ(Lang::State().LanguageName, "<English>");
    EXPECT_EQ(MainFileMenu(), "File");
    EXPECT_TRUE(window.isVisible());
    closing(window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Lang::State().LanguageName, "<Spanish>");
    EXPECT_EQ(MainFileMenu(), "Archivo");
  }
}

TEST_F(LanguageWindowTest, OkKeepsTheLanguageAndLoadsNothingMore) {
  WriteLanguage("mine", SyntheticTable(537));
  Lang::LoadLanguage("<Spanish>");
  LanguageWindow& window = Open();
  Select("mine");
  window.applyButton->click();
  EXPECT_EQ(MainFileMenu(), "L164");
  // Another load of "mine" would now say that its file is missing.
  QFile::remove(LanguageFile("mine"));
  window.okButton->click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(Lang::State().LanguageName, "mine");
  EXPECT_EQ(window.languageAtOpen, "mine");
}

TEST_F(LanguageWindowTest, OkLoadsTheSelectedLanguageOnlyWhenItIsNotInForce) {
  WriteLanguage("mine", SyntheticTable(537));
  Lang::LoadLanguage("mine");
  Open();
  // Another load of "mine" would now say that its file is missing.
  QFile::remove(LanguageFile("mine"));
  window_->okButton->click();
  EXPECT_EQ(Lang::State().LanguageName, "mine");

  Lang::LoadLanguage("<Spanish>");
  LanguageWindow& window = Open();
  Select("<Portuguese>");
  window.okButton->click();
  EXPECT_EQ(Lang::State().LanguageName, "<Portuguese>");
  EXPECT_EQ(MainFileMenu(), "Arquivo");
}

TEST_F(LanguageWindowTest, TheFirstCloseRequestOnlyClosesTheOpenPanel) {
  LanguageWindow& window = Open();
  window.openMakerButton->click();
  EXPECT_TRUE(window.makerPanel->isVisible());
  EXPECT_EQ(window.height(), TextFit::Scaled(LanguageWindow::OpenHeight));
  EXPECT_EQ(window.makerPanel->pos(), window.languageCombo->pos());
  window.close();
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.makerPanel->isVisible());
  EXPECT_EQ(window.height(), TextFit::Scaled(LanguageWindow::ClosedHeight));
  window.cancelButton->click();
  EXPECT_FALSE(window.isVisible());
}

TEST_F(LanguageWindowTest, DeletingLanguages) {
  WriteLanguage("mine", SyntheticTable(537));
  WriteLanguage("old", "x");
  Lang::LoadLanguage("mine");
  LanguageWindow& window = Open();
  const QStringList all = {"<Spanish>", "<English>", "<Portuguese>", "mine", "old"};

  Select("<Spanish>");
  window.deleteLanguageButton->click();  // nothing happens
  Select("mine");
  dialogs_.ExpectMessage();
  window.deleteLanguageButton->click();
  Select("<Portuguese>");
  dialogs_.ExpectMessage();
  window.deleteLanguageButton->click();
  EXPECT_EQ(Items(window.languageCombo), all);
  ASSERT_EQ(dialogs_.Shown().size(), 2);
  EXPECT_EQ(dialogs_.Shown()[0].text, kInUse);
  EXPECT_EQ(dialogs_.Shown()[0].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::None}));
  EXPECT_EQ(dialogs_.Shown()[1].text, "L11 ");
  EXPECT_EQ(dialogs_.Shown()[1].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));

  Select("old");
  window.deleteLanguageButton->click();
  EXPECT_EQ(Items(window.languageCombo), all.mid(0, 4));
  EXPECT_EQ(window.languageCombo->currentIndex(), -1);
  EXPECT_FALSE(QFile::exists(LanguageFile("old")));
  EXPECT_TRUE(QFile::exists(TrashFiles() + "/old.qlg"));

  // With nothing selected, Apply loads the empty name, which changes nothing.
  window.applyButton->click();
  EXPECT_EQ(Lang::State().Msg.size(), Lang::TableLines);
  EXPECT_EQ(Lang::State().LanguageName, "mine");
}

TEST_F(LanguageWindowTest, ThePanelFillsTheTemplateUntilItIsEdited) {
  const QString spanish = Lang::BuiltInTable(Lang::BuiltInLanguage::Spanish).join('\n');
  const QString english = Lang::BuiltInTable(Lang::BuiltInLanguage::English).join('\n');
  LanguageWindow& window = Open();
  window.openMakerButton->click();
  EXPECT_EQ(window.templateText->toPlainText(), spanish);
  EXPECT_FALSE(window.templateEdited);
  EXPECT_TRUE(window.instructionsText->toPlainText().startsWith("Para crear un lenguaje:\n"));

  window.englishTemplateButton->click();  // "Eng" before any edit: the English table
  EXPECT_EQ(window.templateText->toPlainText(), english);
  EXPECT_TRUE(window.instructionsText->toPlainText().startsWith("To add a new language:\n"));
  EXPECT_TRUE(window.templateIsEnglish);

  window.templateText->setPlainText("mine");
  EXPECT_TRUE(window.templateEdited);
  window.spanishTemplateButton->click();  // "Es" after an edit: the instructions only
  EXPECT_EQ(window.templateText->toPlainText(), "mine");
  EXPECT_TRUE(window.instructionsText->toPlainText().startsWith("Para crear un lenguaje:\n"));
  EXPECT_FALSE(window.templateIsEnglish);

  window.close();
  window.openMakerButton->click();  // "+" reloads the template: the edits are lost
  EXPECT_EQ(window.templateText->toPlainText(), spanish);
  EXPECT_FALSE(window.templateEdited);
}

TEST_F(LanguageWindowTest, SavingANewLanguageFile) {
  LanguageWindow& window = Open();
  window.openMakerButton->click();
  dialogs_.Expect(Kind::Input, QString("Mine")).ExpectMessage();
  window.saveLanguageButton->click();
  EXPECT_EQ(dialogs_.Shown()[0].text,
            "Ingrese un nombre para el lenguaje\nEnter a name for the language");
  EXPECT_EQ(dialogs_.Shown()[0].defaultText, "");
  EXPECT_EQ(dialogs_.Shown()[1].text, kAdded);
  EXPECT_EQ(dialogs_.Shown()[1].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::None}));
  EXPECT_EQ(Items(window.languageCombo).last(), "Mine");
  EXPECT_EQ(window.languageCombo->currentText(), "<Spanish>");
  EXPECT_TRUE(window.makerPanel->isVisible());

  // The untouched Spanish template is a language identical to the Spanish table.
  QFile file(LanguageFile("Mine"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_FALSE(bytes.startsWith("\xef\xbb\xbf"));
  EXPECT_EQ(bytes.count("\r\n"), 536);
  Lang::LoadLanguage("Mine");
  EXPECT_EQ(Lang::State().Msg, Lang::BuiltInTable(Lang::BuiltInLanguage::Spanish));
}

TEST_F(LanguageWindowTest, SavingFailures) {
  WriteLanguage("taken", "old");
  LanguageWindow& window = Open();
  window.openMakerButton->click();
  window.templateText->setPlainText("a\nb");
  struct Case {
    const char* name;
    QString message;  // "" when nothing is shown after the input box
  } cases[] = {
      {"", ""},
      {"taken", kExists},
      {"../escape", kNotSaved},
      {"a:b", kNotSaved},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedDialogs dialogs;
    dialogs.Expect(Kind::Input, QString(c.name));
    if (!c.message.isEmpty()) dialogs.ExpectMessage();
    window.saveLanguageButton->click();
    EXPECT_EQ(dialogs.Messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    if (!c.message.isEmpty()) {
      EXPECT_EQ(dialogs.Shown().last().style,
                (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));
    }
  }
  EXPECT_EQ(QDir(Folder() + "/appfiles/lang").entryList(QDir::Files), QStringList{"taken.qlg"});
  EXPECT_FALSE(QFile::exists(Folder() + "/appfiles/escape.qlg"));
  QFile taken(LanguageFile("taken"));
  ASSERT_TRUE(taken.open(QIODevice::ReadOnly));
  EXPECT_EQ(taken.readAll(), "old");
  EXPECT_EQ(Items(window.languageCombo).size(), 4);
}

TEST_F(LanguageWindowTest, ALanguageCutShortByAFullDiskIsNotAddedNorKept) {
  LanguageWindow& window = Open();
  window.openMakerButton->click();
  {
    FileSizeLimit full(1000);
    dialogs_.Expect(Kind::Input, QString("mine")).ExpectMessage();
    window.saveLanguageButton->click();
  }
  EXPECT_EQ(dialogs_.Messages(), QStringList{kNotSaved});
  EXPECT_EQ(QDir(Folder() + "/appfiles/lang").entryList(QDir::Files | QDir::Hidden), QStringList());
  EXPECT_EQ(Items(window.languageCombo).size(), 3);
}

TEST_F(LanguageWindowTest, SavingWhenTheLanguageFolderCannotBeMade) {
  WriteFile("appfiles/lang", "a file where the folder goes");
  LanguageWindow& window = Open();
  window.openMakerButton->click();
  dialogs_.Expect(Kind::Input, QString("mine")).ExpectMessage();
  window.saveLanguageButton->click();
  EXPECT_EQ(dialogs_.Messages(),
            QStringList{"No se pudo crear el directorio / Could not create directory\n" + Folder() +
                        "/appfiles/lang"});
  EXPECT_EQ(dialogs_.Shown().last().style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));
}

TEST_F(LanguageWindowTest, AMissingCustomLanguageChosenWithApplySaysSo) {
  WriteLanguage("gone", "x");
  LanguageWindow& window = Open();
  QFile::remove(LanguageFile("gone"));
  Select("gone");
  dialogs_.ExpectMessage();
  window.applyButton->click();
  EXPECT_EQ(dialogs_.Messages(), QStringList{kNotFound});
  EXPECT_EQ(Lang::State().LanguageName, "");
}

TEST_F(LanguageWindowTest, ShownModallyItClosesLikeCancel) {
  Lang::LoadLanguage("<English>");
  ModalCloser closer([](QWidget* window) {
    auto* chooser = qobject_cast<LanguageWindow*>(window);
    chooser->languageCombo->setCurrentIndex(2);
    chooser->applyButton->click();
  });
  LanguageWindow::ShowModal(main_.get());
  EXPECT_EQ(closer.Closed(), QStringList{"Form13"});
  EXPECT_EQ(Lang::State().LanguageName, "<English>");
  EXPECT_EQ(MainFileMenu(), "File");
}

}  // namespace
