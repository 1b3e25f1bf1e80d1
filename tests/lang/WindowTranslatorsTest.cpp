#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <memory>

#include "LangFixture.h"
#include "core/lang/Lang.h"
#include "gui/app/MainWindow.h"
#include "gui/app/ToolPathsWindow.h"
#include "gui/convert/CommandViewerWindow.h"
#include "gui/convert/ProgressWindow.h"
#include "gui/devices/CdRipWindow.h"
#include "gui/devices/RecorderWindow.h"
#include "gui/devices/StreamerWindow.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/FilterEditorWindow.h"
#include "gui/formats/CodecEditorWindow.h"
#include "gui/formats/CodecViewerWindow.h"
#include "gui/formats/FormatEditorWindow.h"
#include "gui/frame/FileManagerWindow.h"
#include "gui/frame/PlayerWindow.h"
#include "gui/frame/TextViewerWindow.h"
#include "gui/frame/WaitWindow.h"
#include "gui/lang/Translators.h"

namespace {

using Lang::Assignment;
using Lang::Property;
using Lang::Source;

// The real windows, each as its translator names it, made as the program makes them.
struct Window {
  const char* translator;
  std::function<QWidget*(QWidget* main)> make;
};

const Window kWindows[] = {
    {"Form2", [](QWidget*) { return new CdRipWindow(); }},
    {"Form3", [](QWidget*) { return new FileManagerWindow(); }},
    {"Form4", [](QWidget*) { return new FilterEditorWindow(); }},
    {"Form5", [](QWidget*) { return new CodecEditorWindow(); }},
    {"Form5Note", [](QWidget*) { return new CodecEditorWindow(); }},
    {"Form6", [](QWidget*) { return new TextViewerWindow(); }},
    {"Form7", [](QWidget*) { return new FormatEditorWindow(); }},
    {"Form8", [](QWidget*) { return new EditingProfileWindow(); }},
    {"Form8Sizes", [](QWidget*) { return new EditingProfileWindow(); }},
    {"Form9", [](QWidget* main) { return new ToolPathsWindow(main); }},
    {"Form10", [](QWidget* main) { return new CommandViewerWindow(main); }},
    {"Form11", [](QWidget* main) { return new CodecViewerWindow(main); }},
    {"Form12", [](QWidget*) { return new ProgressWindow(); }},
    {"Form14", [](QWidget*) { return new RecorderWindow(); }},
    {"Form15", [](QWidget*) { return new StreamerWindow(); }},
    {"Form17", [](QWidget*) { return new WaitWindow(); }},
    {"Form18", [](QWidget*) { return new PlayerWindow(); }},
};

// The text an assignment's property holds now.
QString Shown(QWidget* window, const char* control, Property property, int item) {
  QObject* target = control ? window->findChild<QObject*>(control) : window;
  if (!target) return "(missing)";
  if (target == window) return window->windowTitle();
  if (property == Property::Tag) return target->property("Tag").toString();
  if (property == Property::Item) {
    if (auto* combo = qobject_cast<QComboBox*>(target)) return combo->itemText(item);
    return qobject_cast<QListWidget*>(target)->item(item)->text();
  }
  if (auto* action = qobject_cast<QAction*>(target)) return action->text();
  if (auto* menu = qobject_cast<QMenu*>(target)) return menu->title();
  if (auto* button = qobject_cast<QAbstractButton*>(target)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(target)) return label->text();
  if (auto* frame = qobject_cast<QGroupBox*>(target)) return frame->title();
  if (auto* box = qobject_cast<QLineEdit*>(target)) return box->text();
  if (auto* box = qobject_cast<QPlainTextEdit*>(target)) return box->toPlainText();
  return "(no text)";
}

// What an assignment writes when the main window and the window take the
// language of this table: a copy of a main-window caption is that caption's line.
QString Expected(QWidget* window, const Assignment& assignment, const QStringList& table) {
  const Source& source = assignment.source;
  switch (source.kind) {
    case Source::Line:
    case Source::MainCaption:
      return table.value(source.line - 1);
    case Source::BracketedLine:
      return "<" + table.value(source.line - 1) + ">";
    case Source::Catalogue:
      return "<" + source.catalogue() + ">";
    case Source::OwnCaption:
      return Shown(window, source.control, Property::Caption, 0);
  }
  return {};
}

class WindowTranslatorsTest : public MainWindowLangTest {
 protected:
  // Every assignment of the translator shows the text of the table in force.
  static void ExpectLanguage(QWidget* window, const Lang::Translator& translator,
                             const QStringList& table) {
    for (const Assignment& assignment : translator.assignments) {
      SCOPED_TRACE(assignment.control ? assignment.control : "(window)");
      EXPECT_EQ(Shown(window, assignment.control, assignment.property, assignment.item),
                Expected(window, assignment, table));
    }
  }
  static const Lang::Translator& TranslatorNamed(const char* name) {
    return *Lang::FindTranslator(name);
  }
};

// Every window has every control its translator writes to, with the kind and
// the design items the translator needs.
TEST_F(WindowTranslatorsTest, EachWindowHasWhatItsTranslatorWrites) {
  EXPECT_EQ(Lang::UnmetAssignments(main_.get(), TranslatorNamed("Form1")), QStringList());
  for (const Window& each : kWindows) {
    SCOPED_TRACE(each.translator);
    std::unique_ptr<QWidget> window(each.make(main_.get()));
    const Lang::Translator& translator = TranslatorNamed(each.translator);
    EXPECT_EQ(window->objectName(), QString::fromLatin1(translator.window));
    EXPECT_EQ(Lang::UnmetAssignments(window.get(), translator), QStringList());
  }
}

TEST_F(WindowTranslatorsTest, TheMainWindowFollowsEveryChangeOfLanguage) {
  const Lang::Translator& translator = TranslatorNamed("Form1");
  const QStringList spanish = Lang::BuiltInTable(Lang::BuiltInLanguage::Spanish);
  const QStringList english = Lang::BuiltInTable(Lang::BuiltInLanguage::English);
  Lang::LoadLanguage("<English>");
  ExpectLanguage(main_.get(), translator, english);
  EXPECT_EQ(main_->findChild<QComboBox*>("Combo2")->itemText(0), "<Automatic>");
  Lang::LoadLanguage("<Spanish>");
  ExpectLanguage(main_.get(), translator, spanish);
  EXPECT_EQ(main_->findChild<QComboBox*>("Combo4")->itemText(0), "<Ninguno>");
  Lang::LoadLanguage("<English>");
  ExpectLanguage(main_.get(), translator, english);
  EXPECT_EQ(main_->windowTitle(), "Quillmoor 2.0");
}

// Each window takes the language in force when it loads, copies included.
TEST_F(WindowTranslatorsTest, EveryWindowTakesTheLanguageInForce) {
  const struct {
    const char* language;
    Lang::BuiltInLanguage table;
  } languages[] = {{"<English>", Lang::BuiltInLanguage::English},
                   {"<Portuguese>", Lang::BuiltInLanguage::Portuguese},
                   {"<Spanish>", Lang::BuiltInLanguage::Spanish}};
  for (const auto& [language, table] : languages) {
    SCOPED_TRACE(language);
    Lang::LoadLanguage(language);
    for (const Window& each : kWindows) {
      SCOPED_TRACE(each.translator);
      std::unique_ptr<QWidget> window(each.make(main_.get()));
      const Lang::Translator& translator = TranslatorNamed(each.translator);
      Lang::Translate(window.get(), translator);
      ExpectLanguage(window.get(), translator, Lang::BuiltInTable(table));
    }
  }
}

TEST_F(WindowTranslatorsTest, TextsThatOtherCodeReadsLater) {
  struct Case {
    const char* what;
    const char* window;
    const char* control;
    Property property;
    int item;
    const char* spanish;
    const char* english;
  } cases[] = {
      {"title copied from the main window", "Form9", nullptr, Property::Caption, 0,
       "Rutas de acceso", "Tool paths"},
      {"the player's help button", "Form18", "Command2", Property::Caption, 0, "Ayuda", "Help"},
      {"test-file box after its menu item", "Form8", "Text12", Property::Text, 0,
       "Seleccionar archivo de prueba", "Select test file"},
      {"the time unit list keeps its first item", "Form8", "Combo8", Property::Item, 0,
       "HH:MM:SS.mm", "HH:MM:SS.mm"},
      {"filter types", "Form4", "Combo1", Property::Item, 2, "Complejo", "Complex"},
      {"filter test frame", "Form4", "Frame3", Property::Tag, 0, "Finalizado", nullptr},
      {"about-codec frame", "Form7", "Frame3", Property::Tag, 0, "Acerca del codec...", nullptr},
      {"import label", "Form7", "Label5", Property::Tag, 0, "Espere...", nullptr},
      {"recorder formats", "Form14", "Combo3", Property::Item, 0, "<Automático>", "<Automatic>"},
      {"streamer repeats", "Form15", "Combo4", Property::Item, 0, "<Infinito>", nullptr},
      {"codec editor help item", "Form5", "View_ffmpegHelp", Property::Caption, 0,
       "Ayuda de ffmpeg", nullptr},
  };
  for (bool english : {false, true}) {
    Lang::LoadLanguage(english ? "<English>" : "<Spanish>");
    const QStringList table = Lang::BuiltInTable(english ? Lang::BuiltInLanguage::English
                                                         : Lang::BuiltInLanguage::Spanish);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      const Window* each =
          std::find_if(std::begin(kWindows), std::end(kWindows),
                       [&](const Window& w) { return !qstrcmp(w.translator, c.window); });
      std::unique_ptr<QWidget> window(each->make(main_.get()));
      Lang::Translate(window.get(), TranslatorNamed(c.window));
      const QString shown = Shown(window.get(), c.control, c.property, c.item);
      if (!english) {
        EXPECT_EQ(shown, QString::fromUtf8(c.spanish));
      } else if (c.english) {
        EXPECT_EQ(shown, QString::fromUtf8(c.english));
      } else {
        EXPECT_NE(shown, QString::fromUtf8(c.spanish));
      }
    }
  }
}

// A table short of a window's lines gives that window Spanish; a sub-translator
// decides on its own lines.
TEST_F(WindowTranslatorsTest, SubTranslatorsHaveTheirOwnTwoPasses) {
  Lang::LoadLanguage("<English>");
  const QStringList english = Lang::BuiltInTable(Lang::BuiltInLanguage::English);
  const QStringList spanish = Lang::BuiltInTable(Lang::BuiltInLanguage::Spanish);
  Lang::State().Msg.resize(530);  // lines 531 to 537 cannot be read
  EditingProfileWindow editor;
  Lang::TranslateEditingProfileWindow();
  ExpectLanguage(&editor, TranslatorNamed("Form8"), english);
  ExpectLanguage(&editor, TranslatorNamed("Form8Sizes"), spanish);
  CodecEditorWindow codecs;
  Lang::TranslateCodecEditorWindow();
  ExpectLanguage(&codecs, TranslatorNamed("Form5"), english);
  ExpectLanguage(&codecs, TranslatorNamed("Form5Note"), spanish);

  Lang::State().Msg.resize(300);
  Lang::TranslateEditingProfileWindow();
  // The copies of the main window's captions stay English in the built-in pass.
  EXPECT_EQ(editor.windowTitle(), english[177]);
  EXPECT_EQ(editor.findChild<QLabel*>("Label1")->text(), spanish[414]);
}

TEST_F(WindowTranslatorsTest, ATableLineChangesEveryWindowThatSharesIt) {
  WriteLanguage("mine", SyntheticTable(537));
  Lang::LoadLanguage("mine");
  const std::pair<const char*, QStringList> sharing[] = {
      {"Form4", {"Frame3"}},  {"Form6", {"Label1"}},  {"Form8", {"Label19"}},
      {"Form15", {"Label3"}}, {"Form17", {"Label1"}},
  };
  for (const auto& [name, controls] : sharing) {
    SCOPED_TRACE(name);
    const Window* each =
        std::find_if(std::begin(kWindows), std::end(kWindows),
                     [name = name](const Window& w) { return !qstrcmp(w.translator, name); });
    std::unique_ptr<QWidget> window(each->make(main_.get()));
    Lang::Translate(window.get(), TranslatorNamed(name));
    EXPECT_EQ(Shown(window.get(), controls[0].toLatin1(), Property::Caption, 0), "L217");
  }
  FormatEditorWindow formats;
  Lang::TranslateFormatEditorWindow();
  EXPECT_EQ(formats.findChild<QLabel*>("Label5")->property("Tag").toString(), "L217");
  EXPECT_EQ(formats.findChild<QLabel*>("Label5")->text(), "L318");
  EXPECT_EQ(formats.windowTitle(), "L180");
}

// The windows whose load handlers were given their translator call here.
TEST_F(WindowTranslatorsTest, LoadHandlersApplyTheirTranslators) {
  Lang::LoadLanguage("<English>");
  const QStringList english = Lang::BuiltInTable(Lang::BuiltInLanguage::English);
  struct Case {
    const char* translator;
    std::function<QWidget*()> load;
  } cases[] = {
      {"Form2",
       [] {
         auto* w = new CdRipWindow();
         w->Load();
         return w;
       }},
      {"Form4",
       [] {
         auto* w = new FilterEditorWindow();
         w->Load();
         return w;
       }},
      {"Form10", [this] { return new CommandViewerWindow(main_.get()); }},
      {"Form11",
       [this] {
         auto* w = new CodecViewerWindow(main_.get());
         w->Load();
         return w;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.translator);
    std::unique_ptr<QWidget> window(c.load());
    ExpectLanguage(window.get(), TranslatorNamed(c.translator), english);
  }
  // The codec editor empties three frames after its translator; the rest stays.
  CodecEditorWindow codecs;
  codecs.Load();
  EXPECT_EQ(codecs.windowTitle(), english[176]);
  ExpectLanguage(&codecs, TranslatorNamed("Form5Note"), english);
}

// Windows that stand beside the main window copy its help captions in the
// language in force; with no main window loaded they keep their own.
TEST_F(WindowTranslatorsTest, WindowsCopyTheMainWindowsHelpCaptions) {
  Lang::LoadLanguage("<English>");
  ASSERT_NE(main_->helpMenu->title(), "Ayuda");
  CdRipWindow rip;
  rip.Load();
  EXPECT_EQ(rip.helpButton->text(), main_->helpMenu->title());
  FilterEditorWindow filters;
  filters.Load();
  EXPECT_EQ(filters.helpMenu->title(), main_->helpMenu->title());
  EXPECT_EQ(filters.ffmpegHelpAction->text(), main_->ffmpegHelpAction->text());
  EXPECT_EQ(filters.programHelpAction->text(), main_->programHelpAction->text());
  CodecEditorWindow codecs;
  codecs.Load();
  codecs.ShowSection(CodecEditorWindow::Section::General);
  EXPECT_EQ(codecs.ffmpegHelpAction->text(), main_->ffmpegHelpAction->text());
  EXPECT_EQ(codecs.programHelpAction->text(), main_->programHelpAction->text());

  main_.reset();
  CdRipWindow ripAlone;
  const QString ownCaption = ripAlone.helpButton->text();
  ripAlone.Load();
  EXPECT_EQ(ripAlone.helpButton->text(), ownCaption);
}

// A custom table shorter than a window's block pads with empty lines: the
// window's texts go empty, they do not fall back on Spanish.
TEST_F(WindowTranslatorsTest, ACustomTableEndingBeforeAWindowsBlockEmptiesItsTexts) {
  WriteLanguage("short", SyntheticTable(200));
  Lang::LoadLanguage("short");
  ToolPathsWindow paths(main_.get());
  Lang::TranslateToolPathsWindow();
  EXPECT_EQ(paths.findChild<QAbstractButton*>("Command5")->text(), "");
  EXPECT_EQ(paths.windowTitle(), "L160");
}

}  // namespace
