#include "gui/lang/Translators.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QWidget>
#include <optional>

#include "core/lang/Lang.h"
#include "gui/ground/AccessibleNames.h"
#include "gui/ground/MainWindowLink.h"

namespace Lang {

namespace {

constexpr Property Caption = Property::Caption;
constexpr Property Text = Property::Text;
constexpr Property Item = Property::Item;
constexpr Property Tag = Property::Tag;

// Each window's assignments in order. A row names its table line (or where its
// text comes from otherwise), the control by object name (nullptr: the window),
// and the property it sets.
// clang-format off

const Assignment kMainWindow[] = {
    {133, "About_EC", Caption},
    {134, "Combo1", Item, 0},
    {135, "Combo1", Item, 1},
    {136, "Combo1", Item, 2},
    {137, "Combo1", Item, 3},
    {Composite(&TxtAutomatic), "Combo2", Item, 0},
    {Composite(&TxtAutomatic), "Combo3", Item, 0},
    {Composite(&TxtManual), "Combo3", Item, 1},
    {Composite(&TxtNone), "Combo4", Item, 0},
    {Composite(&TxtManual), "Combo4", Item, 1},
    {138, "Command5", Caption},
    {139, "Conv_Opt_2pass", Caption},
    {140, "Conv_Opt_DelFiles", Caption},
    {141, "Conv_Opt_Reemplazar", Caption},
    {142, "Conv_Options", Caption},
    {143, "Convertir_Comandos", Caption},
    {144, "Convertir_Iniciar", Caption},
    {145, "Convertir_Prueba", Caption},
    {146, "File_Exit", Caption},
    {147, "Frame1", Caption},
    {148, "Frame2", Caption},
    {149, "Frame3", Caption},
    {150, "Help_About", Caption},
    {151, "Help_AboutCdda2wav", Caption},
    {152, "Help_ffhelp", Caption},
    {153, "Help_ffLic", Caption},
    {154, "Help_ProgramHelp", Caption},
    {155, "Herramientas_AdminF", Caption},
    {156, "Herramientas_AdminFiltro", Caption},
    {157, "Herramientas_CodecExtA", Caption},
    {158, "Herramientas_CodecExtV", Caption},
    {159, "Herramientas_EditorFiltros", Caption},
    {160, "Herramientas_Rutas", Caption},
    {161, "Label1", Caption},
    {162, "Label2", Caption},
    {163, "Label3", Caption},
    {164, "Menu_Archivo", Caption},
    {165, "Menu_Archivo_AgDir", Caption},
    {166, "Menu_Archivo_Agregar", Caption},
    {167, "Menu_Archivo_AgregarCD", Caption},
    {168, "Menu_Archivo_Analizar", Caption},
    {169, "Menu_Archivo_Quitar", Caption},
    {170, "Menu_Archivo_QuitarTodos", Caption},
    {171, "Menu_Archivo_Reproducir", Caption},
    {172, "Menu_Convertir", Caption},
    {173, "Menu_Help", Caption},
    {174, "Menu_Herramientas", Caption},
    {175, "Tools_AdmPEdit", Caption},
    {176, "Tools_CDExtract", Caption},
    {177, "Tools_ECEdit", Caption},
    {178, "Tools_EditPerfEdit", Caption},
    {179, "Tools_EmitirList", Caption},
    {180, "Tools_FmtEdit", Caption},
    {181, "Tools_Grab", Caption},
};

const Assignment kCdRipWindow[] = {
    {Copy("Tools_CDExtract", 176), nullptr, Caption},
    {182, "Check1", Caption},
    {183, "Check2", Caption},
    {184, "Command2", Caption},
    {185, "Command3", Caption},
    {186, "Command4", Caption},
    {187, "Frame1", Caption},
    {188, "Frame2", Caption},
    {189, "Frame3", Caption},
    {190, "Label1", Caption},
};

const Assignment kFileManagerWindow[] = {
    {191, nullptr, Caption},
    {192, "Command1", Caption},
    {193, "Command2", Caption},
    {194, "Command3", Caption},
    {195, "Command4", Caption},
    {196, "Command5", Caption},
    {197, "Command6", Caption},
    {198, "Command7", Caption},
    {199, "Label1", Caption},
    {200, "Label1", Tag},
};

const Assignment kFilterEditorWindow[] = {
    {Copy("Herramientas_EditorFiltros", 159), nullptr, Caption},
    {201, "Check1", Caption},
    {202, "Check2", Caption},
    {203, "Check3", Caption},
    {204, "Combo1", Item, 0},
    {205, "Combo1", Item, 1},
    {206, "Combo1", Item, 2},
    {207, "Command2", Caption},
    {208, "Command3", Caption},
    {209, "File_Close", Caption},
    {210, "File_Exit", Caption},
    {211, "File_Open", Caption},
    {212, "File_Save", Caption},
    {213, "File_SaveAs", Caption},
    {214, "File_UndoChanges", Caption},
    {215, "Frame1", Caption},
    {216, "Frame2", Caption},
    {217, "Frame3", Caption},
    {218, "Frame3", Tag},
    {219, "Label1", Caption},
    {220, "Label2", Caption},
    {221, "Label3", Caption},
    {222, "Menu_File", Caption},
};

const Assignment kCodecEditorWindow[] = {
    {Copy("Tools_ECEdit", 177), nullptr, Caption},
    {223, "Check1", Caption},
    {224, "Combo1", Item, 0},
    {225, "Combo1", Item, 1},
    {226, "Combo3", Item, 0},
    {227, "Combo3", Item, 1},
    {228, "Combo3", Item, 2},
    {229, "Command10", Caption},
    {230, "Command11", Caption},
    {231, "Command3", Caption},
    {232, "Command8", Caption},
    {233, "Command9", Caption},
    {234, "File_Close", Caption},
    {235, "File_Exit", Caption},
    {236, "File_ImportA", Caption},
    {237, "File_ImportV", Caption},
    {238, "File_OpenA", Caption},
    {239, "File_OpenV", Caption},
    {240, "File_Save", Caption},
    {241, "File_SaveAs", Caption},
    {242, "File_UndoChanges", Caption},
    {243, "Frame4", Caption},
    {244, "Label1", Caption},
    {245, "Label10", Caption},
    {246, "Label11", Caption},
    {247, "Label12", Caption},
    {248, "Label13", Caption},
    {249, "Label3", Caption},
    {250, "Label4", Caption},
    {251, "Label5", Caption},
    {252, "Label6", Caption},
    {253, "Label7", Caption},
    {254, "Label8", Caption},
    {255, "Label9", Caption},
    {256, "Menu_File", Caption},
    {257, "Menu_View", Caption},
    {258, "View_Doc", Caption},
    {Copy("Help_ffhelp", 152), "View_ffmpegHelp", Caption},
    {Copy("Help_ProgramHelp", 154), "View_ProgHelp", Caption},
};

const Assignment kCodecEditorNote[] = {
    {537, "Text7", Text},
};

const Assignment kTextViewerWindow[] = {
    {217, "Label1", Caption},
    {259, nullptr, Caption},
    {260, "Check1", Caption},
    {261, "Frame1", Caption},
    {262, "Frame2", Caption},
};

const Assignment kFormatEditorWindow[] = {
    {Copy("Tools_FmtEdit", 180), nullptr, Caption},
    {263, "Check1", Caption},
    {264, "Combo6", Item, 0},
    {265, "Combo6", Item, 1},
    {266, "Combo6", Item, 2},
    {267, "Combo6", Item, 3},
    {268, "Command1", Caption},
    {269, "Command10", Caption},
    {270, "Command11", Caption},
    {271, "Command12", Caption},
    {272, "Command2", Caption},
    {273, "Command3", Caption},
    {274, "Command4", Caption},
    {275, "Command5", Caption},
    {276, "Command6", Caption},
    {277, "Command7", Caption},
    {278, "Command8", Caption},
    {279, "Command9", Caption},
    {280, "File_CleanAct", Caption},
    {281, "File_CleanAll", Caption},
    {282, "File_Close", Caption},
    {283, "File_Exit", Caption},
    {284, "File_Open", Caption},
    {285, "File_Save", Caption},
    {286, "File_SaveAs", Caption},
    {287, "File_UndoChanges", Caption},
    {288, "FindEXE_A", Caption},
    {289, "FindEXE_V", Caption},
    {290, "Frame1", Caption},
    {291, "Frame2", Caption},
    {292, "Frame3", Tag},
    {293, "Frame4", Caption},
    {294, "Frame5", Caption},
    {295, "Help_AboutECA", Caption},
    {296, "Help_AboutECV", Caption},
    {297, "Help_Documentacion", Caption},
    {298, "Help_ffBitStreamFilters", Caption},
    {299, "Help_ffCodecHelp", Caption},
    {300, "Help_ffCodecs", Caption},
    {301, "Help_ffDecoders", Caption},
    {302, "Help_ffEncoders", Caption},
    {303, "Help_ffExtend", Caption},
    {304, "Help_ffFilters", Caption},
    {305, "Help_ffFormatHelp", Caption},
    {306, "Help_ffFormats", Caption},
    {307, "Help_ffFull", Caption},
    {308, "Help_ffLic", Caption},
    {309, "Help_ffmpeg", Caption},
    {310, "Help_ffNormal", Caption},
    {311, "Help_ffPixFmt", Caption},
    {312, "Import_OfCmdL", Caption},
    {313, "Import_OfFile", Caption},
    {314, "Label1", Caption},
    {315, "Label2", Caption},
    {316, "Label3", Caption},
    {317, "Label4", Caption},
    {318, "Label5", Caption},
    {217, "Label5", Tag},
    {319, "LoadECA_Menu", Caption},
    {320, "LoadECV_Menu", Caption},
    {321, "Menu_File", Caption},
    {322, "Menu_Help", Caption},
    {323, "Menu_Options", Caption},
    {324, "Opt_FindExe", Caption},
    {325, "Option1", Caption},
    {326, "Option2", Caption},
    {327, "Option3", Caption},
    {328, "Option4", Caption},
    {329, "Option5", Caption},
    {330, "Option6", Caption},
    {331, "ReloadECA_Menu", Caption},
    {332, "ReloadECV_Menu", Caption},
    {333, "UnloadECA_Menu", Caption},
    {334, "UnloadECV_Menu", Caption},
};

const Assignment kEditingProfileWindow[] = {
    {217, "Label19", Caption},
    {Copy("Tools_EditPerfEdit", 178), nullptr, Caption},
    {335, "Check1", Caption},
    {336, "Check3", Caption},
    {337, "Check4", Caption},
    {338, "Check7", Caption},
    {339, "Combo10", Item, 0},
    {340, "Combo10", Item, 1},
    {341, "Combo10", Item, 2},
    {342, "Combo11", Item, 0},
    {343, "Combo11", Item, 1},
    {344, "Combo11", Item, 2},
    {345, "Combo12", Item, 0},
    {346, "Combo12", Item, 1},
    {347, "Combo12", Item, 2},
    {348, "Combo2", Item, 0},
    {349, "Combo2", Item, 1},
    {350, "Combo2", Item, 2},
    {351, "Combo2", Item, 3},
    {352, "Combo3", Item, 0},
    {353, "Combo3", Item, 1},
    {354, "Combo3", Item, 2},
    {355, "Combo3", Item, 3},
    {356, "Combo4", Item, 0},
    {357, "Combo4", Item, 1},
    {358, "Combo4", Item, 2},
    {359, "Combo4", Item, 3},
    {360, "Combo4", Item, 4},
    {361, "Combo5", Item, 0},
    {362, "Combo5", Item, 1},
    {363, "Combo5", Item, 2},
    {364, "Combo5", Item, 3},
    {365, "Combo5", Item, 4},
    {366, "Combo6", Item, 0},
    {367, "Combo6", Item, 1},
    {368, "Combo6", Item, 2},
    {369, "Combo6", Item, 3},
    {370, "Combo7", Item, 0},
    {371, "Combo7", Item, 1},
    {372, "Combo7", Item, 2},
    {373, "Combo7", Item, 3},
    {374, "Combo8", Item, 1},
    {375, "Combo8", Item, 2},
    {376, "Combo9", Item, 0},
    {377, "Combo9", Item, 1},
    {378, "Combo9", Item, 2},
    {379, "Command1", Caption},
    {380, "Command10", Caption},
    {381, "Command11", Caption},
    {382, "Command13", Caption},
    {383, "Command14", Caption},
    {384, "Command15", Caption},
    {385, "Command3", Caption},
    {386, "Command4", Caption},
    {387, "Command5", Caption},
    {388, "Command6", Caption},
    {389, "Command7", Caption},
    {390, "Command8", Caption},
    {391, "Equ_Agudos", Caption},
    {392, "Equ_Auriculares", Caption},
    {393, "Equ_Clasica", Caption},
    {394, "Equ_Club", Caption},
    {395, "Equ_Dance", Caption},
    {396, "Equ_enVivo", Caption},
    {397, "Equ_Fiesta", Caption},
    {398, "Equ_GranSalon", Caption},
    {399, "Equ_Graves", Caption},
    {400, "Equ_GravesYAgudos", Caption},
    {401, "Equ_llano", Caption},
    {402, "Equ_Pop", Caption},
    {403, "Equ_Reggae", Caption},
    {404, "Equ_ROck", Caption},
    {405, "Equ_ROckSuave", Caption},
    {406, "Equ_Ska", Caption},
    {407, "Equ_Suave", Caption},
    {408, "Equ_Tecno", Caption},
    {409, "File_Close", Caption},
    {410, "File_DescChan", Caption},
    {411, "File_Exit", Caption},
    {412, "File_Open", Caption},
    {413, "File_Save", Caption},
    {414, "File_SaveAs", Caption},
    {415, "Label1", Caption},
    {416, "Label10", Caption},
    {417, "Label11", Caption},
    {418, "Label12", Caption},
    {419, "Label13", Caption},
    {420, "Label14", Caption},
    {421, "Label15", Caption},
    {422, "Label16", Caption},
    {423, "Label17", Caption},
    {424, "Label18", Caption},
    {425, "Label2", Caption},
    {426, "Label21", Caption},
    {427, "Label22", Caption},
    {428, "Label23", Caption},
    {429, "Label3", Caption},
    {430, "Label4", Caption},
    {431, "Label5", Caption},
    {432, "Label6", Caption},
    {433, "Label7", Caption},
    {434, "Label8", Caption},
    {435, "Label9", Caption},
    {436, "List1", Item, 0},
    {437, "List1", Item, 1},
    {438, "List1", Item, 2},
    {439, "List1", Item, 3},
    {440, "List1", Item, 4},
    {441, "List1", Item, 5},
    {442, "List1", Item, 6},
    {443, "List1", Item, 7},
    {444, "List1", Item, 8},
    {445, "Menu_File", Caption},
    {446, "Menu_Options", Caption},
    {447, "Opt_CleanAct", Caption},
    {448, "Opt_CleanAll", Caption},
    {449, "Opt_ConRelDim", Caption},
    {450, "Opt_CopyRAFileTest", Caption},
    {451, "Opt_CopySizeTestFile", Caption},
    {452, "Opt_CutGrap", Caption},
    {453, "Opt_Docu", Caption},
    {454, "Opt_Helpff", Caption},
    {455, "Opt_PredefEqu", Caption},
    {456, "Opt_Preview", Caption},
    {457, "Opt_RestVal", Caption},
    {458, "Opt_RestVal_BandW", Caption},
    {459, "Opt_RestVal_Frec", Caption},
    {460, "Opt_RestVal_Gain", Caption},
    {461, "Opt_SelTestFile", Caption},
    {462, "Opt_TamPredef", Caption},
    {463, "Option1", Caption},
    {464, "Option2", Caption},
    {465, "Option3", Caption},
    {466, "Option4", Caption},
    {467, "Option5", Caption},
    {Own("Opt_SelTestFile"), "Text12", Text},
};

const Assignment kEditingProfileSizes[] = {
    {527, "Text4", Text},
    {528, "Text6", Text},
    {529, "Text8", Text},
    {530, "Text10", Text},
    {531, "Text11", Text},
    {532, "Text16", Text},
    {533, "Text18", Text},
    {534, "Text22", Text},
    {535, "Text23", Text},
    {536, "Opt_RestVal_All", Caption},
};

const Assignment kToolPathsWindow[] = {
    {Copy("Herramientas_Rutas", 160), nullptr, Caption},
    {468, "Command5", Caption},
    {469, "Command6", Caption},
    {470, "Command7", Caption},
};

const Assignment kCommandViewerWindow[] = {
    {Copy("Convertir_Comandos", 143), nullptr, Caption},
    {471, "Label1", Caption},
    {472, "Label2", Caption},
    {473, "Label3", Caption},
    {474, "Label4", Caption},
    {475, "Label5", Caption},
    {476, "Label6", Caption},
    {477, "Label7", Caption},
    {478, "Label8", Caption},
    {479, "Label9", Caption},
    {480, "Text2", Text},
    {481, "Text4", Text},
};

const Assignment kCodecViewerWindow[] = {
    {482, nullptr, Caption},
    {483, "Label1", Caption},
    {484, "Label2", Caption},
};

const Assignment kProgressWindow[] = {
    {Copy("Command5", 138), nullptr, Caption},
    {485, "Command1", Caption},
    {486, "Command2", Caption},
    {487, "Command3", Caption},
    {488, "Label1", Caption},
    {489, "Label2", Caption},
    {490, "Label3", Caption},
    {491, "Label4", Caption},
    {492, "Label5", Caption},
};

const Assignment kRecorderWindow[] = {
    {318, "Label2", Caption},
    {493, nullptr, Caption},
    {494, "Check1", Caption},
    {Composite(&TxtAutomatic), "Combo3", Item, 0},
    {Composite(&TxtManual), "Combo3", Item, 1},
    {495, "Command2", Caption},
    {496, "Command4", Caption},
    {497, "Frame1", Caption},
    {498, "Frame2", Caption},
    {499, "Frame4", Caption},
    {500, "Label1", Caption},
    {501, "Menu_Options", Caption},
    {502, "Text2", Text},
    {503, "Text3", Text},
    {504, "Text4", Text},
    {505, "Text10", Text},
    {506, "Opt_BuffSizeChan", Caption},
    {507, "Opt_Help", Caption},
    {508, "Opt_List", Caption},
    {509, "Option2", Caption},
    {510, "Option3", Caption},
    {511, "Option4", Caption},
};

const Assignment kStreamerWindow[] = {
    {217, "Label3", Caption},
    {512, nullptr, Caption},
    {513, "Check1", Caption},
    {Composite(&TxtAutomatic), "Combo3", Item, 0},
    {Composite(&TxtManual), "Combo3", Item, 1},
    {Bracketed(514), "Combo4", Item, 0},
    {515, "Command1", Caption},
    {516, "Command2", Caption},
    {517, "Command3", Caption},
    {518, "Command4", Caption},
    {519, "Label1", Caption},
    {520, "Label2", Caption},
    {521, "Text1", Text},
    {522, "Text5", Text},
};

const Assignment kWaitWindow[] = {
    {Copy("Menu_Archivo_Analizar", 168), nullptr, Caption},
    {217, "Label1", Caption},
};

const Assignment kPlayerWindow[] = {
    {185, "Command1", Caption},
    {CopyInTable("Menu_Help", 173), "Command2", Caption},
};

// clang-format on

template <std::size_t N>
constexpr std::span<const Assignment> Rows(const Assignment (&rows)[N]) {
  return rows;
}

const Translator kTranslators[] = {
    {"Form1", "Form1", Rows(kMainWindow), nullptr},
    {"Form2", "Form2", Rows(kCdRipWindow), nullptr},
    {"Form3", "Form3", Rows(kFileManagerWindow), nullptr},
    {"Form4", "Form4", Rows(kFilterEditorWindow), nullptr},
    {"Form5", "Form5", Rows(kCodecEditorWindow), "Form5Note"},
    {"Form5Note", "Form5", Rows(kCodecEditorNote), nullptr},
    {"Form6", "Form6", Rows(kTextViewerWindow), nullptr},
    {"Form7", "Form7", Rows(kFormatEditorWindow), nullptr},
    {"Form8", "Form8", Rows(kEditingProfileWindow), "Form8Sizes"},
    {"Form8Sizes", "Form8", Rows(kEditingProfileSizes), nullptr},
    {"Form9", "Form9", Rows(kToolPathsWindow), nullptr},
    {"Form10", "Form10", Rows(kCommandViewerWindow), nullptr},
    {"Form11", "Form11", Rows(kCodecViewerWindow), nullptr},
    {"Form12", "Form12", Rows(kProgressWindow), nullptr},
    {"Form14", "Form14", Rows(kRecorderWindow), nullptr},
    {"Form15", "Form15", Rows(kStreamerWindow), nullptr},
    {"Form17", "Form17", Rows(kWaitWindow), nullptr},
    {"Form18", "Form18", Rows(kPlayerWindow), nullptr},
};

enum class Pass { Table, BuiltIn };

QString SpanishLine(int line) {
  static const QStringList spanish = BuiltInTable(BuiltInLanguage::Spanish);
  return spanish.value(line - 1);
}

QString LineIn(Pass pass, int line) {
  return pass == Pass::Table ? State().Msg.value(line - 1) : SpanishLine(line);
}

// The table pass is possible when every line the translator takes can be read
// from the loaded table. Otherwise the whole window gets its built-in texts, as
// when the table pass is abandoned at the first line it cannot read.
Pass PassFor(const Translator& translator) {
  if (State().Msg.isEmpty()) return Pass::BuiltIn;
  for (int line : TableLinesOf(translator)) {
    if (line > State().Msg.size()) return Pass::BuiltIn;
  }
  return Pass::Table;
}

QObject* Control(QWidget* window, const char* name) {
  if (!window) return nullptr;
  return window->findChild<QObject*>(QString::fromLatin1(name));
}

// The text a control shows as its caption, or nothing for a kind without one.
std::optional<QString> CaptionOf(const QObject* control) {
  if (auto* action = qobject_cast<const QAction*>(control)) return action->text();
  if (auto* menu = qobject_cast<const QMenu*>(control)) return menu->title();
  if (auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (auto* frame = qobject_cast<const QGroupBox*>(control)) return frame->title();
  if (auto* box = qobject_cast<const QLineEdit*>(control)) return box->text();
  if (auto* box = qobject_cast<const QPlainTextEdit*>(control)) return box->toPlainText();
  return std::nullopt;
}

// Captions and the texts of text boxes are the one visible text of their control.
bool SetCaption(QObject* control, const QString& text) {
  if (auto* action = qobject_cast<QAction*>(control)) {
    action->setText(text);
  } else if (auto* menu = qobject_cast<QMenu*>(control)) {
    menu->setTitle(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(text);
  } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
    frame->setTitle(text);
  } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
    box->setText(text);
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
    box->setPlainText(text);
  } else {
    return false;
  }
  return true;
}

// The items are the window's design items: they are rewritten, never added.
bool SetItem(QObject* control, int item, const QString& text) {
  if (auto* combo = qobject_cast<QComboBox*>(control); combo && item < combo->count()) {
    combo->setItemText(item, text);
    return true;
  }
  if (auto* list = qobject_cast<QListWidget*>(control); list && item < list->count()) {
    list->item(item)->setText(text);
    return true;
  }
  return false;
}

// The window's single instance, found by its object name.
QWidget* LoadedWindow(const char* name) {
  const QString objectName = QString::fromLatin1(name);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == objectName) return window;
  }
  return nullptr;
}

std::optional<QString> TextOf(const Source& source, QWidget* window, Pass pass) {
  switch (source.kind) {
    case Source::Line:
      return LineIn(pass, source.line);
    case Source::BracketedLine:
      return "<" + LineIn(pass, source.line) + ">";
    case Source::Catalogue:
      return "<" + source.catalogue() + ">";
    case Source::MainCaption:
      if (pass == Pass::BuiltIn && source.spanishInBuiltIn) return SpanishLine(source.line);
      return CaptionOf(Control(MainWindowLink::Window(), source.control))
          .value_or(LineIn(pass, source.line));
    case Source::OwnCaption:
      return CaptionOf(Control(window, source.control));
  }
  return std::nullopt;
}

bool Assign(QWidget* window, const Assignment& assignment, const QString& text) {
  if (!assignment.control) {
    window->setWindowTitle(text);
    return true;
  }
  QObject* control = Control(window, assignment.control);
  if (!control) return false;
  switch (assignment.property) {
    case Property::Caption:
    case Property::Text:
      return SetCaption(control, text);
    case Property::Item:
      return SetItem(control, assignment.item, text);
    case Property::Tag:
      control->setProperty("Tag", text);
      return true;
  }
  return false;
}

// Whether the control has the property that the assignment sets.
bool Takes(QObject* control, const Assignment& assignment) {
  switch (assignment.property) {
    case Property::Caption:
    case Property::Text:
      return CaptionOf(control).has_value();
    case Property::Item:
      if (auto* combo = qobject_cast<QComboBox*>(control)) return assignment.item < combo->count();
      if (auto* list = qobject_cast<QListWidget*>(control)) return assignment.item < list->count();
      return false;
    case Property::Tag:
      return true;
  }
  return false;
}

QString Describe(const Assignment& assignment) {
  QString target = assignment.control ? QString::fromLatin1(assignment.control) : "(window)";
  switch (assignment.property) {
    case Property::Caption:
      return target + " Caption";
    case Property::Text:
      return target + " Text";
    case Property::Item:
      return target + QStringLiteral(" item %1").arg(assignment.item);
    case Property::Tag:
      return target + " Tag";
  }
  return target;
}

void TranslateLoaded(const Translator& translator) {
  if (QWidget* window = LoadedWindow(translator.window)) Translate(window, translator);
}

}  // namespace

std::span<const Translator> Translators() { return kTranslators; }

const Translator* FindTranslator(const QString& name) {
  for (const Translator& translator : kTranslators) {
    if (name == QLatin1String(translator.name)) return &translator;
  }
  return nullptr;
}

void Translate(QWidget* window, const Translator& translator) {
  const Pass pass = PassFor(translator);
  for (const Assignment& assignment : translator.assignments) {
    if (std::optional<QString> text = TextOf(assignment.source, window, pass)) {
      Assign(window, assignment, *text);
    }
  }
  if (translator.sub) Translate(window, *FindTranslator(translator.sub));
  AccessibleNames::Refresh(window);
}

QStringList UnmetAssignments(QWidget* window, const Translator& translator) {
  QStringList unmet;
  for (const Assignment& assignment : translator.assignments) {
    const Source& source = assignment.source;
    if (source.kind == Source::MainCaption &&
        !CaptionOf(Control(MainWindowLink::Window(), source.control))) {
      unmet << QStringLiteral("Form1.%1 Caption").arg(QLatin1String(source.control));
    }
    if (source.kind == Source::OwnCaption && !CaptionOf(Control(window, source.control))) {
      unmet << QStringLiteral("%1 Caption").arg(QLatin1String(source.control));
    }
    if (!assignment.control) continue;
    QObject* control = Control(window, assignment.control);
    if (!control || !Takes(control, assignment)) unmet << Describe(assignment);
  }
  return unmet;
}

QList<int> TableLinesOf(const Translator& translator) {
  QList<int> lines;
  for (const Assignment& assignment : translator.assignments) {
    const Source::Kind kind = assignment.source.kind;
    if (kind == Source::Line || kind == Source::BracketedLine) lines << assignment.source.line;
  }
  return lines;
}

void TranslateMainWindow() { TranslateLoaded(*FindTranslator("Form1")); }
void TranslateCdRipWindow() { TranslateLoaded(*FindTranslator("Form2")); }
void TranslateFileManagerWindow() { TranslateLoaded(*FindTranslator("Form3")); }
void TranslateFilterEditorWindow() { TranslateLoaded(*FindTranslator("Form4")); }
void TranslateCodecEditorWindow() { TranslateLoaded(*FindTranslator("Form5")); }
void TranslateCodecEditorNote() { TranslateLoaded(*FindTranslator("Form5Note")); }
void TranslateTextViewerWindow() { TranslateLoaded(*FindTranslator("Form6")); }
void TranslateFormatEditorWindow() { TranslateLoaded(*FindTranslator("Form7")); }
void TranslateEditingProfileWindow() { TranslateLoaded(*FindTranslator("Form8")); }
void TranslateEditingProfileSizes() { TranslateLoaded(*FindTranslator("Form8Sizes")); }
void TranslateToolPathsWindow() { TranslateLoaded(*FindTranslator("Form9")); }
void TranslateCommandViewerWindow() { TranslateLoaded(*FindTranslator("Form10")); }
void TranslateCodecViewerWindow() { TranslateLoaded(*FindTranslator("Form11")); }
void TranslateProgressWindow() { TranslateLoaded(*FindTranslator("Form12")); }
void TranslateRecorderWindow() { TranslateLoaded(*FindTranslator("Form14")); }
void TranslateStreamerWindow() { TranslateLoaded(*FindTranslator("Form15")); }
void TranslateWaitWindow() { TranslateLoaded(*FindTranslator("Form17")); }
void TranslatePlayerWindow() { TranslateLoaded(*FindTranslator("Form18")); }

}  // namespace Lang
