// Controls without a caption of their own carry the caption that stands for
// them as their accessible name, in the language in force.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <memory>

#include "LangFixture.h"
#include "core/formats/FormatEditor.h"
#include "gui/app/MainWindow.h"
#include "gui/app/ToolPathsWindow.h"
#include "gui/editing/FilterEditorWindow.h"
#include "gui/formats/FormatEditorWindow.h"
#include "gui/frame/FileManagerWindow.h"

namespace {

class AccessibleNamesTest : public MainWindowLangTest {
 protected:
  static QString Line(Lang::BuiltInLanguage table, int line) {
    return Lang::BuiltInTable(table).value(line - 1);
  }
};

TEST_F(AccessibleNamesTest, TheMainWindowsFileListFollowsEveryChangeOfLanguage) {
  QWidget* list = main_->findChild<QListWidget*>("List1");
  ASSERT_TRUE(list);
  for (const auto& [language, table] : {std::pair{"<English>", Lang::BuiltInLanguage::English},
                                        {"<Portuguese>", Lang::BuiltInLanguage::Portuguese},
                                        {"<Spanish>", Lang::BuiltInLanguage::Spanish}}) {
    SCOPED_TRACE(language);
    Lang::LoadLanguage(language);
    EXPECT_EQ(list->accessibleName(), Line(table, 147));
  }
}

TEST_F(AccessibleNamesTest, ListsAndBoxesOfTheToolWindowsAreNamedAfterTheirCaptions) {
  Lang::LoadLanguage("<English>");
  FilterEditorWindow filters;
  filters.Load();
  EXPECT_EQ(filters.testFileList->accessibleName(), "Use the file(s):");
  EXPECT_EQ(filters.typeCombo->accessibleName(), "Type:");
  EXPECT_EQ(filters.parameters->accessibleName(), "Parameters:");

  FileManagerWindow manager;
  EXPECT_EQ(manager.fileList->accessibleName(), "File manager");

  ToolPathsWindow tools(main_.get());
  tools.Load();
  const std::pair<QLineEdit*, QLineEdit*> paths[] = {{tools.ffmpegPath, tools.ffmpegLabel},
                                                     {tools.ffplayPath, tools.ffplayLabel},
                                                     {tools.ffprobePath, tools.ffprobeLabel},
                                                     {tools.cdda2wavPath, tools.cdda2wavLabel}};
  for (const auto& [box, caption] : paths) {
    EXPECT_FALSE(caption->text().isEmpty());
    EXPECT_EQ(box->accessibleName(), caption->text()) << box->objectName().toStdString();
  }
}

// The rows are made anew for every category; each value box takes its row's caption.
TEST_F(AccessibleNamesTest, EveryValueBoxOfTheFormatEditorIsNamedAfterItsRow) {
  Lang::LoadLanguage("<English>");
  FormatEditorWindow editor;
  editor.Load();
  for (const FormatEditor::Category category :
       {FormatEditor::Category::OutputGeneral, FormatEditor::Category::OutputAudio}) {
    SCOPED_TRACE(int(category));
    FormatEditor::State().CurrentCategory = category;
    FormatEditor::BuildCategoryParams(category);
    ASSERT_GT(editor.rowValueCombos.size(), 1);
    for (qsizetype row = 0; row < editor.rowValueCombos.size(); ++row) {
      EXPECT_FALSE(editor.rowCaptions[row]->text().isEmpty());
      EXPECT_EQ(editor.rowValueCombos[row]->accessibleName(), editor.rowCaptions[row]->text())
          << row;
    }
  }
  EXPECT_NE(editor.rowValueCombos.last()->accessibleName(), "Eliminar audio");
}

}  // namespace
