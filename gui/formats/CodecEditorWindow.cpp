#include "gui/formats/CodecEditorWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/formats/ExternalCodecEditor.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/ProgramHelp.h"
#include "core/frame/TextViewer.h"
#include "core/ground/ProgramFolder.h"
#include "core/lang/Lang.h"
#include "gui/ground/MainWindowLink.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {

QPointer<CodecEditorWindow> g_instance;

// The extensions offered for the intermediate and the output file; any other may be typed.
const QStringList kExtensions = {
    "3gp", "aac", "ac3", "aga", "ape", "asf", "avi",  "fla",   "flac",  "flv",   "m4a", "m4v",
    "mac", "mp1", "mp2", "mp3", "mp4", "mpc", "mpeg", "mpeg1", "mpeg2", "mpeg4", "mpg", "mtk",
    "mts", "mtv", "ogg", "ogm", "ogv", "ogx", "vob",  "wav",   "wma",   "wmv",   "wv"};

// Twips of the design, 15 to a pixel.
constexpr int kWidth = 4200 / 15;
constexpr int kHeight = 6135 / 15;

QComboBox* MakeExtensionList(QWidget* parent, const char* name) {
  auto* combo = WidgetFactory::Create<QComboBox>(parent, name);
  combo->setEditable(true);
  combo->addItems(kExtensions);
  combo->setCurrentIndex(-1);
  return combo;
}

// Text put into a box by code, with its handler muted.
void SetQuietly(QComboBox* combo, const QString& text) {
  combo->setCurrentIndex(combo->findText(text));
  combo->setEditText(text);
}

}  // namespace

CodecEditorWindow::CodecEditorWindow(QWidget* parent) : QMainWindow(parent) {
  g_instance = this;
  setObjectName("Form5");
  setWindowTitle("Codec externo (editor)");
  CreateControls();
  WireControls();
}

CodecEditorWindow::~CodecEditorWindow() = default;

CodecEditorWindow* CodecEditorWindow::Instance() { return g_instance.data(); }

void CodecEditorWindow::CreateControls() {
  CreateMenus();
  auto* central = new QWidget(this);
  setCentralWidget(central);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(4, 4, 4, 4);
  Command9 = WidgetFactory::Create<QPushButton>(central, "Command9", "General");
  Command10 = WidgetFactory::Create<QPushButton>(central, "Command10", "Parámetros del códec");
  Command11 = WidgetFactory::Create<QPushButton>(central, "Command11", "Parámetros ffmpeg");
  // Top to bottom: each section's frame sits under its button, so the
  // buttons below follow an open frame and close up under a hidden one.
  layout->addWidget(Command9);
  layout->addWidget(CreateGeneralSection());
  layout->addWidget(Command10);
  layout->addWidget(CreateCodecSection());
  layout->addWidget(Command11);
  layout->addWidget(CreateFfmpegSection());
  layout->addStretch();
  CreateParameterFrame();
}

void CodecEditorWindow::CreateMenus() {
  Menu_File = menuBar()->addMenu("Archivo");
  Menu_File->setObjectName("Menu_File");
  File_OpenA = WidgetFactory::MenuItem(Menu_File, "File_OpenA", "Abrir (Audio)");
  File_OpenV = WidgetFactory::MenuItem(Menu_File, "File_OpenV", "Abrir (Video)");
  File_sep1 = WidgetFactory::Separator(Menu_File, "File_sep1");
  File_ImportA = WidgetFactory::MenuItem(Menu_File, "File_ImportA", "Importar de formato (Audio)");
  File_ImportV = WidgetFactory::MenuItem(Menu_File, "File_ImportV", "Importar de formato (Video)");
  File_sep2 = WidgetFactory::Separator(Menu_File, "File_sep2");
  File_Save = WidgetFactory::MenuItem(Menu_File, "File_Save", "Guardar");
  File_SaveAs = WidgetFactory::MenuItem(Menu_File, "File_SaveAs", "Guardar como...");
  File_sep3 = WidgetFactory::Separator(Menu_File, "File_sep3");
  File_UndoChanges = WidgetFactory::MenuItem(Menu_File, "File_UndoChanges", "Descartar cambios");
  File_sep4 = WidgetFactory::Separator(Menu_File, "File_sep4");
  File_Close = WidgetFactory::MenuItem(Menu_File, "File_Close", "Cerrar");
  File_Exit = WidgetFactory::MenuItem(Menu_File, "File_Exit", "Salir");
  Menu_View = menuBar()->addMenu("Ver");
  Menu_View->setObjectName("Menu_View");
  View_Doc = WidgetFactory::MenuItem(Menu_View, "View_Doc", "Documentación interna del ejecutable");
  View_ffmpegHelp = WidgetFactory::MenuItem(Menu_View, "View_ffmpegHelp", "Ayuda de ffmpeg");
  View_ProgHelp = WidgetFactory::MenuItem(Menu_View, "View_ProgHelp", "Ayuda de este programa");
}

QWidget* CodecEditorWindow::CreateGeneralSection() {
  Frame1 = WidgetFactory::Create<QGroupBox>(centralWidget(), "Frame1", "General");
  auto* grid = new QGridLayout(Frame1);
  Label1 = WidgetFactory::Create<QLabel>(Frame1, "Label1", "Ruta de ejecutable:");
  Text1 = WidgetFactory::Create<QLineEdit>(Frame1, "Text1");
  Text1->setReadOnly(true);
  Command1 = WidgetFactory::Create<QPushButton>(Frame1, "Command1", "...");
  Command1->setMaximumWidth(30);
  Label3 = WidgetFactory::Create<QLabel>(Frame1, "Label3", "Acerca de...");
  Text2 = WidgetFactory::Create<QPlainTextEdit>(Frame1, "Text2");
  Text2->setTabChangesFocus(true);
  Label12 = WidgetFactory::Create<QLabel>(Frame1, "Label12", "Tipo:");
  Combo1 = WidgetFactory::Create<QComboBox>(Frame1, "Combo1");
  Combo1->addItems({"Audio", "Video"});
  Label13 = WidgetFactory::Create<QLabel>(Frame1, "Label13", "Extensión de archivos de salida:");
  Combo4 = MakeExtensionList(Frame1, "Combo4");
  grid->addWidget(Label1, 0, 0, 1, 2);
  grid->addWidget(Text1, 1, 0);
  grid->addWidget(Command1, 1, 1);
  grid->addWidget(Label3, 2, 0, 1, 2);
  grid->addWidget(Text2, 3, 0, 1, 2);
  grid->addWidget(Label12, 4, 0, 1, 2);
  grid->addWidget(Combo1, 5, 0, 1, 2);
  grid->addWidget(Label13, 6, 0, 1, 2);
  grid->addWidget(Combo4, 7, 0, 1, 2);
  return Frame1;
}

QWidget* CodecEditorWindow::CreateCodecSection() {
  Frame3 = WidgetFactory::Create<QGroupBox>(centralWidget(), "Frame3", "Parámetros de codec");
  auto* grid = new QGridLayout(Frame3);
  List1 = WidgetFactory::Create<QListWidget>(Frame3, "List1");
  Command4 = WidgetFactory::Create<QPushButton>(Frame3, "Command4", "+");
  Command5 = WidgetFactory::Create<QPushButton>(Frame3, "Command5", "-");
  Command7 = WidgetFactory::Create<QPushButton>(Frame3, "Command7", "<");
  Command6 = WidgetFactory::Create<QPushButton>(Frame3, "Command6", ">");
  Text7 = WidgetFactory::Create<QPlainTextEdit>(Frame3, "Text7");
  Text7->setReadOnly(true);
  Text7->setPlainText(
      "Nota: el orden de los parámetros en la lista será el orden en la línea de comandos");
  Text7->setMaximumHeight(60);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {Command4, Command5, Command7, Command6}) {
    button->setMaximumWidth(30);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  grid->addWidget(List1, 0, 0);
  grid->addLayout(buttons, 0, 1);
  grid->addWidget(Text7, 1, 0, 1, 2);
  return Frame3;
}

QWidget* CodecEditorWindow::CreateFfmpegSection() {
  Frame2 = WidgetFactory::Create<QGroupBox>(centralWidget(), "Frame2", "Parámetros ffmpeg");
  auto* grid = new QGridLayout(Frame2);
  Label4 = WidgetFactory::Create<QLabel>(Frame2, "Label4", "Extensión de archivo:");
  Combo2 = MakeExtensionList(Frame2, "Combo2");
  Label7 = WidgetFactory::Create<QLabel>(Frame2, "Label7", "Parámetros:");
  Text3 = WidgetFactory::Create<QLineEdit>(Frame2, "Text3");
  Command2 = WidgetFactory::Create<QPushButton>(Frame2, "Command2", "...");
  Command2->setMaximumWidth(30);
  Label8 = WidgetFactory::Create<QLabel>(Frame2, "Label8", "Parámetros editables:");
  List2 = WidgetFactory::Create<QListWidget>(Frame2, "List2");
  List2->setSelectionMode(QAbstractItemView::MultiSelection);
  grid->addWidget(Label4, 0, 0, 1, 2);
  grid->addWidget(Combo2, 1, 0, 1, 2);
  grid->addWidget(Label7, 2, 0, 1, 2);
  grid->addWidget(Text3, 3, 0);
  grid->addWidget(Command2, 3, 1);
  grid->addWidget(Label8, 4, 0, 1, 2);
  grid->addWidget(List2, 5, 0, 1, 2);
  return Frame2;
}

void CodecEditorWindow::CreateParameterFrame() {
  // Laid over the sections rather than in their column.
  Frame4 = WidgetFactory::Create<QGroupBox>(centralWidget(), "Frame4", "Modificar parámetro");
  Frame4->setAutoFillBackground(true);
  auto* grid = new QGridLayout(Frame4);
  Label5 = WidgetFactory::Create<QLabel>(Frame4, "Label5", "Etiqueta:");
  Text4 = WidgetFactory::Create<QLineEdit>(Frame4, "Text4");
  Label6 = WidgetFactory::Create<QLabel>(Frame4, "Label6", "Tipo:");
  Combo3 = WidgetFactory::Create<QComboBox>(Frame4, "Combo3");
  Combo3->addItems({"Opcional", "Obligatorio", "Opcional sin valor"});
  Label9 = WidgetFactory::Create<QLabel>(Frame4, "Label9", "Modificador cmd:");
  Text5 = WidgetFactory::Create<QLineEdit>(Frame4, "Text5");
  Label10 = WidgetFactory::Create<QLabel>(Frame4, "Label10", "Valor predeterminado:");
  Text6 = WidgetFactory::Create<QLineEdit>(Frame4, "Text6");
  Label11 = WidgetFactory::Create<QLabel>(Frame4, "Label11", "Valores sugeridos:");
  Text8 = WidgetFactory::Create<QPlainTextEdit>(Frame4, "Text8");
  // Tab goes on to the next control: a tab character would end up inside a value.
  Text8->setTabChangesFocus(true);
  Check1 = WidgetFactory::Create<QCheckBox>(Frame4, "Check1", "Solo valores sugeridos");
  Command3 = WidgetFactory::Create<QPushButton>(Frame4, "Command3", "Aceptar");
  Command8 = WidgetFactory::Create<QPushButton>(Frame4, "Command8", "Cancelar");
  int row = 0;
  for (QWidget* widget : std::initializer_list<QWidget*>{
           Label5, Text4, Label6, Combo3, Label9, Text5, Label10, Text6, Label11, Text8, Check1}) {
    grid->addWidget(widget, row++, 0, 1, 2);
  }
  grid->addWidget(Command3, row, 0);
  grid->addWidget(Command8, row, 1);
  Frame4->hide();
}

void CodecEditorWindow::WireControls() {
  connect(File_OpenA, &QAction::triggered, this,
          [] { ExternalCodecEditor::OpenCodec(0, QString()); });
  connect(File_OpenV, &QAction::triggered, this,
          [] { ExternalCodecEditor::OpenCodec(1, QString()); });
  connect(File_ImportA, &QAction::triggered, this,
          [] { ExternalCodecEditor::ImportFromFormat(0); });
  connect(File_ImportV, &QAction::triggered, this,
          [] { ExternalCodecEditor::ImportFromFormat(1); });
  connect(File_Save, &QAction::triggered, this,
          [] { ExternalCodecEditor::SaveCodec(ExternalCodecEditor::State().CurrentPath); });
  connect(File_SaveAs, &QAction::triggered, this,
          [] { ExternalCodecEditor::SaveCodec(QString()); });
  connect(File_UndoChanges, &QAction::triggered, this, [] { ExternalCodecEditor::UndoChanges(); });
  connect(File_Close, &QAction::triggered, this, [] { ExternalCodecEditor::CloseCodec(); });
  connect(File_Exit, &QAction::triggered, this, &QWidget::close);
  connect(View_Doc, &QAction::triggered, this, &CodecEditorWindow::View_Doc_Click);
  connect(View_ffmpegHelp, &QAction::triggered, this, &CodecEditorWindow::View_ffmpegHelp_Click);
  connect(View_ProgHelp, &QAction::triggered, this, [] { ProgramHelp::ShowProgramHelp(); });

  connect(Command1, &QPushButton::clicked, this, &CodecEditorWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &CodecEditorWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &CodecEditorWindow::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &CodecEditorWindow::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &CodecEditorWindow::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &CodecEditorWindow::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &CodecEditorWindow::Command7_Click);
  connect(Command8, &QPushButton::clicked, this, &CodecEditorWindow::Command8_Click);
  connect(Command9, &QPushButton::clicked, this, &CodecEditorWindow::Command9_Click);
  connect(Command10, &QPushButton::clicked, this, &CodecEditorWindow::Command10_Click);
  connect(Command11, &QPushButton::clicked, this, &CodecEditorWindow::Command11_Click);
  connect(Combo1, &QComboBox::currentIndexChanged, this, &CodecEditorWindow::Combo1_Click);
  connect(Combo3, &QComboBox::currentIndexChanged, this, &CodecEditorWindow::Combo3_Click);
  connect(Combo2, &QComboBox::currentTextChanged, this, &CodecEditorWindow::Combo2_Change);
  connect(Combo4, &QComboBox::currentTextChanged, this, &CodecEditorWindow::Combo4_Change);
  connect(Text2, &QPlainTextEdit::textChanged, this, &CodecEditorWindow::Text2_Change);
  connect(Text3, &QLineEdit::textChanged, this, &CodecEditorWindow::Text3_Change);
  connect(List1, &QListWidget::itemDoubleClicked, this, &CodecEditorWindow::List1_DblClick);
  connect(List2, &QListWidget::itemSelectionChanged, this, &CodecEditorWindow::List2_Click);
  ListenToEditor();
}

void CodecEditorWindow::ListenToEditor() {
  ExternalCodecEditor::Notifier& editor = ExternalCodecEditor::Events();
  connect(&editor, &ExternalCodecEditor::Notifier::RecordLoaded, this, &CodecEditorWindow::ShowRecord);
  connect(&editor, &ExternalCodecEditor::Notifier::TypeChosen, this, &CodecEditorWindow::ShowEditableOptions);
  connect(&editor, &ExternalCodecEditor::Notifier::TypeImported, this, &CodecEditorWindow::ShowType);
  connect(&editor, &ExternalCodecEditor::Notifier::RowsChanged, this, &CodecEditorWindow::RefreshParamList);
  connect(&editor, &ExternalCodecEditor::Notifier::CodecSaved, this,
          [this] { Combo1->setEnabled(false); });
  connect(&editor, &ExternalCodecEditor::Notifier::CodecClosed, this, &CodecEditorWindow::CollapseSections);
}

void CodecEditorWindow::Form_Load() {
  Lang::TranslateForm5();
  // The sections' own buttons name them; their frames carry no caption.
  Frame1->setTitle(QString());
  Frame2->setTitle(QString());
  Frame3->setTitle(QString());
  Loading = 1;
  Combo1->setCurrentIndex(0);
  Loading = 0;
  resize(kWidth, kHeight);
  CollapseSections();
}

// Showing the definition ------------------------------------------------------------

void CodecEditorWindow::ShowRecord(const QStringList& editableCaptions) {
  Loading = 1;
  const ExtCodecDef& codec = ExternalCodecEditor::State().CurrentCodec;
  RefreshParamList(ExternalCodecEditor::KeptSelection(SelectedRow(), int(codec.Params.Count())));
  ShowType();
  Text1->setText(codec.ExePath);
  SetQuietly(Combo4, codec.OutputExt);
  Text2->setPlainText(codec.About);
  ShowFfmpegSection();
  ShowEditableOptions(editableCaptions);
  Loading = 0;
}

void CodecEditorWindow::ShowType() {
  const uint8_t loading = Loading;
  Loading = 1;
  Combo1->setCurrentIndex(ExternalCodecEditor::State().CurrentIsVideo ? 1 : 0);
  Loading = loading;
  Combo1->setEnabled(ExternalCodecEditor::State().CurrentPath.isEmpty());
}

void CodecEditorWindow::ShowEditableOptions(const QStringList& captions) {
  const uint8_t loading = Loading;
  Loading = 1;
  List2->clear();
  List2->addItems(captions);
  const DynArray<uint8_t>& flags = ExternalCodecEditor::State().CurrentCodec.Editable;
  for (int i = 0; i < List2->count() && i < flags.Count(); ++i)
    List2->item(i)->setSelected(flags.Items[i] == 1);
  Loading = loading;
}

void CodecEditorWindow::ShowFfmpegSection() {
  const uint8_t loading = Loading;
  Loading = 1;
  SetQuietly(Combo2, ExternalCodecEditor::State().CurrentCodec.FfmpegExt);
  Text3->setText(ExternalCodecEditor::State().CurrentCodec.FfmpegParams);
  Loading = loading;
}

void CodecEditorWindow::RefreshParamList(int selected) {
  List1->clear();
  List1->addItems(ExternalCodecEditor::ParamLabels());
  if (selected >= 0 && selected < List1->count()) List1->setCurrentRow(selected);
}

int CodecEditorWindow::SelectedRow() const {
  const QList<QListWidgetItem*> chosen = List1->selectedItems();
  return chosen.isEmpty() ? -1 : List1->row(chosen.first());
}

// Sections -------------------------------------------------------------------

void CodecEditorWindow::CollapseSections() {
  Frame1->hide();
  Frame2->hide();
  Frame3->hide();
  Frame4->hide();
  SetMenusEnabled(true);
}

void CodecEditorWindow::ShowTab(int section) {
  // The layout stacks each button under the frame above it, so hiding the
  // other frames is all the moving the buttons need.
  if (section != 1) Frame1->hide();
  if (section != 2) Frame2->hide();
  if (section != 3) Frame3->hide();
  if (MainWindowLink::Window()) {
    View_ffmpegHelp->setText(MainWindowLink::Caption("Help_ffhelp"));
    View_ProgHelp->setText(MainWindowLink::Caption("Help_ProgramHelp"));
  }
}

void CodecEditorWindow::ToggleSection(QGroupBox* frame, int section) {
  frame->setVisible(frame->isHidden());
  ShowTab(section);
}

void CodecEditorWindow::Command9_Click() { ToggleSection(Frame1, 1); }
void CodecEditorWindow::Command10_Click() { ToggleSection(Frame3, 3); }
void CodecEditorWindow::Command11_Click() { ToggleSection(Frame2, 2); }

void CodecEditorWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  Frame4->setGeometry(centralWidget()->rect());
}

// Controls that write into the definition ---------------------------------------

void CodecEditorWindow::Combo1_Click() {
  if (Loading != 1) ExternalCodecEditor::ChooseType(uint8_t(Combo1->currentIndex() == 1));
}

void CodecEditorWindow::Text2_Change() {
  if (Loading != 1) ExternalCodecEditor::State().CurrentCodec.About = Text2->toPlainText();
}

void CodecEditorWindow::Text3_Change() {
  if (Loading != 1) ExternalCodecEditor::State().CurrentCodec.FfmpegParams = Text3->text();
}

void CodecEditorWindow::Combo2_Change() {
  if (Loading != 1) ExternalCodecEditor::State().CurrentCodec.FfmpegExt = Combo2->currentText();
}

void CodecEditorWindow::Combo4_Change() {
  if (Loading != 1) ExternalCodecEditor::State().CurrentCodec.OutputExt = Combo4->currentText();
}

void CodecEditorWindow::List2_Click() {
  if (Loading == 1) return;
  QList<bool> selected;
  for (int i = 0; i < List2->count(); ++i) selected.append(List2->item(i)->isSelected());
  ExternalCodecEditor::SetEditableFlags(selected);
}

void CodecEditorWindow::Command1_Click() {
  // Programs here carry no ".exe": every file is offered.
  const QStringList chosen = DesktopServices::OpenFileDialog(Lang::TxtAllFiles() + "|*", this,
                                                             QString(), QString(), false);
  if (chosen.isEmpty() || chosen.first().isEmpty()) return;
  Text1->setText(ExternalCodecEditor::SetExecutable(chosen.first()));
}
void CodecEditorWindow::Command2_Click() {
  const QString path = DataFolderManager::ShowFileManager(ProgramFolder::AppFiles("formats"), "qfm",
                                                          DataFolderManager::Open, true);
  if (path.isEmpty()) return;
  const ExternalCodecEditor::ExtractRefusal refusal = ExternalCodecEditor::TakeFfmpegOptions(path);
  if (refusal == ExternalCodecEditor::ExtractRefusal::None) {
    ShowFfmpegSection();
  } else {
    ShowRefusal(refusal);
  }
}

void CodecEditorWindow::ShowRefusal(ExternalCodecEditor::ExtractRefusal refusal) {
  using R = ExternalCodecEditor::ExtractRefusal;
  switch (refusal) {
    case R::None:
      return;
    case R::ProfileNotFound:
      Lang::MsgFormatProfileNotFound(QString());
      return;
    case R::ProfileUnreadable:
      Lang::MsgFormatProfileReadError();
      return;
    case R::AudioCommandError:
      Lang::MsgAudioEncodeCmdError();
      return;
    case R::VideoCommandError:
      Lang::MsgVideoEncodeCmdError();
      return;
    case R::TrackRemoved:
      Lang::MsgFormatCannotExtract();
      return;
    case R::NotPlainExtraction:
      Lang::MsgBadExtractFormat();
      return;
  }
}

// The parameter list and frame ------------------------------------------------------

void CodecEditorWindow::Command4_Click() { EditParameter(true); }
void CodecEditorWindow::List1_DblClick() { EditParameter(false); }

void CodecEditorWindow::Command5_Click() {
  RefreshParamList(ExternalCodecEditor::DeleteParameter(SelectedRow()));
}
void CodecEditorWindow::Command7_Click() {
  RefreshParamList(ExternalCodecEditor::MoveParameterUp(SelectedRow()));
}
void CodecEditorWindow::Command6_Click() {
  RefreshParamList(ExternalCodecEditor::MoveParameterDown(SelectedRow()));
}

void CodecEditorWindow::EditParameter(bool isNew) {
  const int selected = isNew ? -1 : SelectedRow();
  if (!isNew && selected < 0) return;
  const ExternalCodecEditor::ParamForm form = ExternalCodecEditor::ParamFormFor(selected);
  Frame4->setGeometry(centralWidget()->rect());
  Frame4->show();
  Frame4->raise();
  Text4->setText(form.Label);
  Text4->setProperty("Tag", form.LabelBefore);
  Combo3->setCurrentIndex(form.Kind <= 2 ? form.Kind : 0);
  Text5->setText(form.Switch);
  Text6->setText(form.Default);
  Text8->setPlainText(ExternalCodecEditor::SuggestedLines(form.Suggested));
  Check1->setChecked(form.OnlySuggested == 1);
  for (QWidget* widget : std::initializer_list<QWidget*>{Text4, Combo3, Text6, Text8, Check1}) {
    widget->setEnabled(true);
  }
  SetKindControls(Combo3->currentIndex());
  SetMenusEnabled(false);
  if (ExternalCodecEditor::IsFileRow(form.Label)) {
    for (QWidget* widget : std::initializer_list<QWidget*>{Text4, Combo3, Text6, Text8, Check1}) {
      widget->setEnabled(false);
    }
  }
}

void CodecEditorWindow::Combo3_Click() { SetKindControls(Combo3->currentIndex()); }

void CodecEditorWindow::SetKindControls(int kind) {
  const ExternalCodecEditor::ParamFields fields = ExternalCodecEditor::FieldsForKind(kind);
  Text6->setEnabled(fields.Default);
  Text8->setEnabled(fields.Suggested);
  Check1->setEnabled(fields.Suggested);
}

void CodecEditorWindow::Command3_Click() {
  ExternalCodecEditor::ParamForm form;
  form.Label = Text4->text();
  form.LabelBefore = Text4->property("Tag").toString();
  form.Kind = uint8_t(qMax(0, Combo3->currentIndex()));
  form.Switch = Text5->text();
  form.Default = Text6->text();
  form.Suggested = ExternalCodecEditor::SuggestedToStore(Text8->toPlainText());
  form.OnlySuggested = Check1->isChecked() ? 1 : 0;
  if (!ExternalCodecEditor::AcceptParameter(form)) return;
  Frame4->hide();
  SetMenusEnabled(true);
}

void CodecEditorWindow::Command8_Click() {
  Frame4->hide();
  SetMenusEnabled(true);
}

void CodecEditorWindow::SetMenusEnabled(bool enabled) {
  for (QMenu* menu : {Menu_File, Menu_View}) {
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
  }
}

// The documentation menu ------------------------------------------------------------

void CodecEditorWindow::View_Doc_Click() {
  const QString command = ExternalCodecEditor::ProgramDocumentationCommand();
  if (!command.isEmpty()) TextViewer::ShowCommandOutput(command, this);
}

void CodecEditorWindow::View_ffmpegHelp_Click() {
  const QString command = ExternalCodecEditor::FfmpegHelpCommand();
  if (!command.isEmpty()) TextViewer::ShowCommandOutput(command, this);
}

// Closing ---------------------------------------------------------------------

bool CodecEditorWindow::Form_QueryUnload() {
  if (!Frame4->isHidden()) {
    Lang::MsgConfirmParamChanges();
    return false;
  }
  return ExternalCodecEditor::CloseCodec();
}

void CodecEditorWindow::closeEvent(QCloseEvent* event) {
  if (Form_QueryUnload()) {
    event->accept();
  } else {
    event->ignore();
  }
}

// The editor's entry point ------------------------------------------------------------

void CodecEditorWindow::ShowEditor(const QString& name, uint8_t kind) {
  using namespace ExternalCodecEditor;
  // The file manager's "Editar" reaches here while the editor is already up
  // (it is the editor's own open dialog): the file opens in that window.
  if (CodecEditorWindow::Instance()) {
    if (!name.isEmpty()) OpenCodec(kind, name);
    return;
  }
  QPointer<CodecEditorWindow> window = new CodecEditorWindow;
  window->Form_Load();
  MarkSaved();
  if (!name.isEmpty()) {
    OpenCodec(kind, name);
  } else {
    RecordToControls();
  }
  ModalWindow::Run(window);
  delete window.data();
}
