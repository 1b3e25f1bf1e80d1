#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <memory>

#include "LangFixture.h"
#include "core/lang/Lang.h"
#include "gui/lang/Translators.h"

namespace {

using Lang::Property;

QList<int> Lines(std::initializer_list<std::pair<int, int>> ranges) {
  QList<int> lines;
  for (auto [first, last] : ranges) {
    for (int line = first; line <= last; ++line) lines << line;
  }
  return lines;
}

const Lang::Translator& TranslatorNamed(const char* name) {
  const Lang::Translator* translator = Lang::FindTranslator(name);
  EXPECT_NE(translator, nullptr) << name;
  return *translator;
}

TEST(TranslatorTables, EachTakesExactlyTheLinesOfItsBlockInOrder) {
  struct Case {
    const char* name;
    QList<int> lines;
    qsizetype assignments;
  } cases[] = {
      {"Form1", Lines({{133, 181}}), 54},
      {"Form2", Lines({{182, 190}}), 10},
      {"Form3", Lines({{191, 200}}), 10},
      {"Form4", Lines({{201, 222}}), 23},
      {"Form5", Lines({{223, 258}}), 39},
      {"Form5Note", Lines({{537, 537}}), 1},
      {"Form6", Lines({{217, 217}, {259, 262}}), 5},
      {"Form7", Lines({{263, 318}, {217, 217}, {319, 334}}), 74},
      {"Form8", Lines({{217, 217}, {335, 467}}), 136},
      {"Form8Sizes", Lines({{527, 536}}), 10},
      {"Form9", Lines({{468, 470}}), 4},
      {"Form10", Lines({{471, 481}}), 12},
      {"Form11", Lines({{482, 484}}), 3},
      {"Form12", Lines({{485, 492}}), 9},
      {"Form14", Lines({{318, 318}, {493, 511}}), 22},
      {"Form15", Lines({{217, 217}, {512, 522}}), 14},
      {"Form17", Lines({{217, 217}}), 2},
      {"Form18", Lines({{185, 185}}), 2},
  };
  ASSERT_EQ(Lang::Translators().size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Lang::Translator& translator = TranslatorNamed(c.name);
    EXPECT_EQ(Lang::TableLinesOf(translator), c.lines);
    EXPECT_EQ(qsizetype(translator.assignments.size()), c.assignments);
  }
}

TEST(TranslatorTables, TogetherTheyUseEveryInterfaceLineOnce) {
  QList<int> used;
  qsizetype assignments = 0;
  for (const Lang::Translator& translator : Lang::Translators()) {
    used << Lang::TableLinesOf(translator);
    assignments += qsizetype(translator.assignments.size());
  }
  std::sort(used.begin(), used.end());
  // 185, 217 and 318 serve other windows besides their own.
  QList<int> expected = Lines({{133, 522}, {527, 537}});
  expected << 185 << 217 << 217 << 217 << 217 << 217 << 318;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(used, expected);
  EXPECT_EQ(assignments, 430);
}

TEST(TranslatorTables, SubTranslatorsFollowTheirWindowsOwnAssignments) {
  EXPECT_STREQ(TranslatorNamed("Form5").sub, "Form5Note");
  EXPECT_STREQ(TranslatorNamed("Form8").sub, "Form8Sizes");
  for (const Lang::Translator& translator : Lang::Translators()) {
    if (!translator.sub) continue;
    EXPECT_STREQ(TranslatorNamed(translator.sub).window, translator.window);
  }
}

// A window with one control of every kind that translators write to.
struct TestWindow {
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
  QAction* action = Named(new QAction("design", window.get()), "Item");
  QMenu* menu = Named(new QMenu("design", window.get()), "Menu");
  QPushButton* button = Named(new QPushButton("design", window.get()), "Command1");
  QCheckBox* check = Named(new QCheckBox("design", window.get()), "Check1");
  QRadioButton* option = Named(new QRadioButton("design", window.get()), "Option1");
  QLabel* label = Named(new QLabel("design", window.get()), "Label1");
  QGroupBox* frame = Named(new QGroupBox("design", window.get()), "Frame1");
  QLineEdit* line = Named(new QLineEdit("design", window.get()), "Text1");
  QPlainTextEdit* text = Named(new QPlainTextEdit("design", window.get()), "Text2");
  QComboBox* combo = Named(new QComboBox(window.get()), "Combo1");
  QListWidget* list = Named(new QListWidget(window.get()), "List1");

  TestWindow() {
    window->setObjectName("FormT");
    combo->addItems({"a", "b", "c"});
    combo->setCurrentIndex(2);
    list->addItems({"a", "b"});
  }
  template <class T>
  static T* Named(T* object, const char* name) {
    object->setObjectName(name);
    return object;
  }
  QStringList Texts() const {
    return {window->windowTitle(), action->text(),
            menu->title(),         button->text(),
            check->text(),         option->text(),
            label->text(),         frame->title(),
            line->text(),          text->toPlainText(),
            combo->itemText(0),    combo->itemText(2),
            list->item(1)->text(), frame->property("Tag").toString()};
  }
};

QString Manual() { return Lang::TxtManual(); }

// Lines 1-14, one per kind; line 1 reaches the window twice, the second time
// with the catalogue text.
const Lang::Assignment kTestRows[] = {
    {1, nullptr, Property::Caption},
    {2, "Item", Property::Caption},
    {3, "Menu", Property::Caption},
    {4, "Command1", Property::Caption},
    {5, "Check1", Property::Caption},
    {6, "Option1", Property::Caption},
    {7, "Label1", Property::Caption},
    {8, "Frame1", Property::Caption},
    {9, "Text1", Property::Text},
    {10, "Text2", Property::Text},
    {Lang::Bracketed(11), "Combo1", Property::Item, 0},
    {Lang::Composite(&Manual), "Combo1", Property::Item, 2},
    {13, "List1", Property::Item, 1},
    {14, "Frame1", Property::Tag},
};
const Lang::Translator kTest{"FormT", "FormT", kTestRows, nullptr};

class TranslateTest : public LangTest {};

TEST_F(TranslateTest, TableAndBuiltInPassesOverEveryKindOfControl) {
  const QStringList synthetic = {"L1", "L2", "L3",  "L4",    "L5",     "L6",  "L7",
                                 "L8", "L9", "L10", "<L11>", "<L130>", "L13", "L14"};
  struct Case {
    const char* what;
    QStringList table;
    QStringList expected;
  } cases[] = {
      {"table loaded", QString::fromLatin1(SyntheticTable(537)).split("\r\n"), synthetic},
      {"Spanish",
       {},
       {"No se encuentra el archivo", "No se pudo obtener la lista de Tracks",
        QString::fromUtf8("Obteniendo información de pistas..."), "Ingrese un directorio de salida",
        "No se pudo crear el directorio", QString::fromUtf8("No se seleccionó ningún track"),
        "No se pudo renombrar el archivo",
        QString::fromUtf8("Ingrese un nombre válido para el archivo (no debe contener los "
                          "caracteres :/\\*?|<>\")"),
        "Ya existe un archivo con ese nombre", "No pudo copiarse el archivo",
        "<No pudo eliminarse el archivo>", "<Manual>",
        QString::fromUtf8("no es un nombre de archivo válido"), "Guardar como:"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Lang::State().Msg = c.table;
    TestWindow form;
    Lang::Translate(form.window.get(), kTest);
    EXPECT_EQ(form.Texts(), c.expected);
    // Items are rewritten in place: none added, the selection kept.
    EXPECT_EQ(form.combo->count(), 3);
    EXPECT_EQ(form.combo->currentIndex(), 2);
    EXPECT_EQ(form.list->count(), 2);
    EXPECT_TRUE(Lang::UnmetAssignments(form.window.get(), kTest).isEmpty());
  }
}

TEST_F(TranslateTest, ALineTheTableCannotGiveSendsTheWholeWindowToSpanish) {
  Lang::State().Msg = QString::fromLatin1(SyntheticTable(537)).split("\r\n");
  Lang::State().Msg.resize(12);  // lines 13 and 14 cannot be read
  TestWindow form;
  Lang::Translate(form.window.get(), kTest);
  EXPECT_EQ(form.button->text(), "Ingrese un directorio de salida");
  EXPECT_EQ(form.frame->property("Tag").toString(), "Guardar como:");
  // Catalogue texts are the same in both passes: line 130 is not in this table.
  EXPECT_EQ(form.combo->itemText(2), "<>");
}

TEST_F(TranslateTest, AnEmptyTableLineGivesAnEmptyText) {
  Lang::State().Msg = QString::fromLatin1(SyntheticTable(537)).split("\r\n");
  Lang::State().Msg[3] = "";
  TestWindow form;
  Lang::Translate(form.window.get(), kTest);
  EXPECT_EQ(form.button->text(), "");
  EXPECT_EQ(form.check->text(), "L5");
}

TEST_F(TranslateTest, WhatTheWindowLacksIsPassedOverAndReported) {
  TestWindow form;
  delete form.check;
  delete form.list;
  form.combo->removeItem(2);
  form.combo->removeItem(1);
  Lang::Translate(form.window.get(), kTest);
  EXPECT_EQ(form.option->text(), QString::fromUtf8("No se seleccionó ningún track"));
  EXPECT_EQ(form.combo->count(), 1);
  EXPECT_EQ(Lang::UnmetAssignments(form.window.get(), kTest),
            (QStringList{"Check1 Caption", "Combo1 item 2", "List1 item 1"}));
}

TEST_F(TranslateTest, KindsWithoutTheProperty) {
  const Lang::Assignment rows[] = {
      {1, "Combo1", Property::Caption},
      {2, "Label1", Property::Item, 0},
      {Lang::Copy("Nothing", 3), "Label1", Property::Caption},
      {Lang::Own("Nothing"), "Label1", Property::Caption},
  };
  const Lang::Translator translator{"FormT", "FormT", rows, nullptr};
  TestWindow form;
  EXPECT_EQ(
      Lang::UnmetAssignments(form.window.get(), translator),
      (QStringList{"Combo1 Caption", "Label1 item 0", "Form1.Nothing Caption", "Nothing Caption"}));
  Lang::Translate(form.window.get(), translator);
  // The copy's line stands in for the missing caption of the main window.
  EXPECT_EQ(form.label->text(), QString::fromUtf8("Obteniendo información de pistas..."));
}

}  // namespace
