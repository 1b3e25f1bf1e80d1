#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <span>

class QWidget;

// The window translators' one mechanism. A translator is a table of assignments
// that is applied to its window by the controls' object names, so every
// translator is data, and a table can be checked against its window.
namespace Lang {

enum class Property { Caption, Text, Item, Tag };

// Where the text of an assignment comes from.
struct Source {
  enum Kind {
    Line,           // a table line; its Spanish text in the built-in pass
    BracketedLine,  // "<" + a table line + ">"
    Catalogue,      // "<" + a catalogue text + ">", the same in both passes
    MainCaption,    // the caption of a control of the main window, the same in both passes
    OwnCaption,     // the caption of a control of the window being translated
  };
  Kind kind = Line;
  // Line, BracketedLine: the line. MainCaption: the main window's line for that
  // control, whose text stands in when the main window lacks the control.
  int line = 0;
  QString (*catalogue)() = nullptr;
  const char* control = nullptr;
  // MainCaption: the built-in pass takes the Spanish line instead of the copy.
  bool spanishInBuiltIn = false;

  // Implicit, so that a row of a table starts with its bare line number.
  constexpr Source(int tableLine) : line(tableLine) {}
  constexpr Source(Kind k, int l, QString (*text)(), const char* name, bool spanish = false)
      : kind(k), line(l), catalogue(text), control(name), spanishInBuiltIn(spanish) {}
};

constexpr Source Bracketed(int line) { return {Source::BracketedLine, line, nullptr, nullptr}; }
constexpr Source Composite(QString (*text)()) { return {Source::Catalogue, 0, text, nullptr}; }
constexpr Source Copy(const char* mainControl, int mainLine) {
  return {Source::MainCaption, mainLine, nullptr, mainControl};
}
constexpr Source CopyInTable(const char* mainControl, int mainLine) {
  return {Source::MainCaption, mainLine, nullptr, mainControl, true};
}
constexpr Source Own(const char* control) { return {Source::OwnCaption, 0, nullptr, control}; }

struct Assignment {
  Source source;
  const char* control;  // nullptr: the window itself
  Property property;
  int item = 0;  // Property::Item: the position in the list, from 0
};

struct Translator {
  const char* name;    // "Form5Note"
  const char* window;  // object name of the window it translates, "Form5"
  std::span<const Assignment> assignments;
  const char* sub;  // the translator run after the assignments, with its own two passes
};

// Every translator, the sub-translators included.
std::span<const Translator> Translators();
const Translator* FindTranslator(const QString& name);

// The table pass when the loaded table holds every line the translator takes,
// otherwise the built-in Spanish pass; then the sub-translator. A control the
// window lacks is passed over.
void Translate(QWidget* window, const Translator& translator);

// The assignments of the translator (not of its sub-translator) that the window
// cannot take: a missing control, a control of a kind without that property, a
// list without that item, or a copy whose source control is missing. Empty when
// the window has everything.
QStringList UnmetAssignments(QWidget* window, const Translator& translator);

// The table lines the assignments take, in order (copies and catalogue texts take none).
QList<int> TableLinesOf(const Translator& translator);

// Window translators: each writes its window's texts in the language in force
// through the window's single instance, found by its object name; nothing
// happens while the window is not loaded. The tables are in Translators.cpp.
void TranslateMainWindow();            // 133-181; LoadLanguage calls it
void TranslateCdRipWindow();           // 182-190
void TranslateFileManagerWindow();     // 191-200
void TranslateFilterEditorWindow();    // 201-222
void TranslateCodecEditorWindow();     // 223-258, then TranslateCodecEditorNote
void TranslateCodecEditorNote();       // 537
void TranslateTextViewerWindow();      // 217, 259-262
void TranslateFormatEditorWindow();    // 263-318, 217, 319-334
void TranslateEditingProfileWindow();  // 217, 335-467, then TranslateEditingProfileSizes
void TranslateEditingProfileSizes();   // 527-536
void TranslateToolPathsWindow();       // 468-470
void TranslateCommandViewerWindow();   // 471-481
void TranslateCodecViewerWindow();     // 482-484
void TranslateProgressWindow();        // 485-492
void TranslateRecorderWindow();        // 318, 493-511
void TranslateStreamerWindow();        // 217, 512-522
void TranslateWaitWindow();            // 217
void TranslatePlayerWindow();          // 185

}  // namespace Lang
