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
#include "core/frame/AnotherToolRunning.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/ProgramHelp.h"
#include "core/frame/TextViewer.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/ground/MainWindowLink.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/TextFit.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {

QPointer<CodecEditorWindow> g_instance;

// The rows of the type list.
enum TypeRow { AudioRow, VideoRow };

// The extensions offered for the intermediate and the output file; any other may be typed.
const QStringList kExtensions = {
    "3gp", "aac", "ac3", "aga", "ape", "asf", "avi",  "fla",   "flac",  "flv",   "m4a", "m4v",
    "mac", "mp1", "mp2", "mp3", "mp4", "mpc", "mpeg", "mpeg1", "mpeg2", "mpeg4", "mpg", "mtk",
    "mts", "mtv", "ogg", "ogm", "ogv", "ogx", "vob",  "wav",   "wma",   "wmv",   "wv"};

// The small buttons ("...", ">>") take the design's 30 pixels, more where the
// font's letters are wider: their captions stay whole.
int NarrowButtonWidth() { return TextFit::Scaled(30); }

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
  // Two pages in one place, one shown at a time: the sections, and the
  // parameter frame that takes their place while a parameter is edited.
  auto* pages = new QWidget(this);
  setCentralWidget(pages);
  auto* place = new QGridLayout(pages);
  place->setContentsMargins(0, 0, 0, 0);
  sectionsPage = new QWidget(pages);
  auto* layout = new QVBoxLayout(sectionsPage);
  layout->setContentsMargins(4, 4, 4, 4);
  generalButton = WidgetFactory::Create<QPushButton>(sectionsPage, "Command9", "General");
  codecParamsButton =
      WidgetFactory::Create<QPushButton>(sectionsPage, "Command10", "Parámetros del códec");
  ffmpegParamsButton =
      WidgetFactory::Create<QPushButton>(sectionsPage, "Command11", "Parámetros ffmpeg");
  // Top to bottom: each section's frame sits under its button, so the
  // buttons below follow an open frame and close up under a hidden one.
  layout->addWidget(generalButton);
  layout->addWidget(CreateGeneralSection());
  layout->addWidget(codecParamsButton);
  layout->addWidget(CreateCodecSection());
  layout->addWidget(ffmpegParamsButton);
  layout->addWidget(CreateFfmpegSection());
  layout->addStretch();
  place->addWidget(sectionsPage, 0, 0);
  place->addWidget(CreateParameterFrame(), 0, 0);
}

void CodecEditorWindow::CreateMenus() {
  fileMenu = menuBar()->addMenu("Archivo");
  fileMenu->setObjectName("Menu_File");
  openAudioAction = WidgetFactory::MenuItem(fileMenu, "File_OpenA", "Abrir (Audio)");
  openVideoAction = WidgetFactory::MenuItem(fileMenu, "File_OpenV", "Abrir (Video)");
  openSeparator = WidgetFactory::Separator(fileMenu, "File_sep1");
  importAudioAction =
      WidgetFactory::MenuItem(fileMenu, "File_ImportA", "Importar de formato (Audio)");
  importVideoAction =
      WidgetFactory::MenuItem(fileMenu, "File_ImportV", "Importar de formato (Video)");
  importSeparator = WidgetFactory::Separator(fileMenu, "File_sep2");
  saveAction = WidgetFactory::MenuItem(fileMenu, "File_Save", "Guardar");
  saveAsAction = WidgetFactory::MenuItem(fileMenu, "File_SaveAs", "Guardar como...");
  saveSeparator = WidgetFactory::Separator(fileMenu, "File_sep3");
  undoChangesAction = WidgetFactory::MenuItem(fileMenu, "File_UndoChanges", "Descartar cambios");
  undoSeparator = WidgetFactory::Separator(fileMenu, "File_sep4");
  closeAction = WidgetFactory::MenuItem(fileMenu, "File_Close", "Cerrar");
  exitAction = WidgetFactory::MenuItem(fileMenu, "File_Exit", "Salir");
  viewMenu = menuBar()->addMenu("Ver");
  viewMenu->setObjectName("Menu_View");
  programDocumentationAction =
      WidgetFactory::MenuItem(viewMenu, "View_Doc", "Documentación interna del ejecutable");
  ffmpegHelpAction = WidgetFactory::MenuItem(viewMenu, "View_ffmpegHelp", "Ayuda de ffmpeg");
  programHelpAction = WidgetFactory::MenuItem(viewMenu, "View_ProgHelp", "Ayuda de este programa");
}

QWidget* CodecEditorWindow::CreateGeneralSection() {
  generalSection = WidgetFactory::Create<QGroupBox>(sectionsPage, "Frame1", "General");
  auto* grid = new QGridLayout(generalSection);
  programPathLabel = WidgetFactory::Create<QLabel>(generalSection, "Label1", "Ruta de ejecutable:");
  programPath = WidgetFactory::Create<QLineEdit>(generalSection, "Text1");
  programPath->setReadOnly(true);
  browseProgramButton = WidgetFactory::Create<QPushButton>(generalSection, "Command1", "...");
  browseProgramButton->setMaximumWidth(NarrowButtonWidth());
  aboutLabel = WidgetFactory::Create<QLabel>(generalSection, "Label3", "Acerca de...");
  aboutText = WidgetFactory::Create<QPlainTextEdit>(generalSection, "Text2");
  aboutText->setTabChangesFocus(true);
  typeLabel = WidgetFactory::Create<QLabel>(generalSection, "Label12", "Tipo:");
  typeCombo = WidgetFactory::Create<QComboBox>(generalSection, "Combo1");
  typeCombo->addItems({"Audio", "Video"});
  outputExtensionLabel =
      WidgetFactory::Create<QLabel>(generalSection, "Label13", "Extensión de archivos de salida:");
  outputExtensionCombo = MakeExtensionList(generalSection, "Combo4");
  grid->addWidget(programPathLabel, 0, 0, 1, 2);
  grid->addWidget(programPath, 1, 0);
  grid->addWidget(browseProgramButton, 1, 1);
  grid->addWidget(aboutLabel, 2, 0, 1, 2);
  grid->addWidget(aboutText, 3, 0, 1, 2);
  grid->addWidget(typeLabel, 4, 0, 1, 2);
  grid->addWidget(typeCombo, 5, 0, 1, 2);
  grid->addWidget(outputExtensionLabel, 6, 0, 1, 2);
  grid->addWidget(outputExtensionCombo, 7, 0, 1, 2);
  return generalSection;
}

QWidget* CodecEditorWindow::CreateCodecSection() {
  codecSection = WidgetFactory::Create<QGroupBox>(sectionsPage, "Frame3", "Parámetros de codec");
  auto* grid = new QGridLayout(codecSection);
  paramList = WidgetFactory::Create<QListWidget>(codecSection, "List1");
  addParamButton = WidgetFactory::Create<QPushButton>(codecSection, "Command4", "+");
  removeParamButton = WidgetFactory::Create<QPushButton>(codecSection, "Command5", "-");
  moveUpButton = WidgetFactory::Create<QPushButton>(codecSection, "Command7", "<");
  moveDownButton = WidgetFactory::Create<QPushButton>(codecSection, "Command6", ">");
  orderNote = WidgetFactory::Create<QPlainTextEdit>(codecSection, "Text7");
  orderNote->setReadOnly(true);
  orderNote->setPlainText(
      "Nota: el orden de los parámetros en la lista será el orden en la línea de comandos");
  orderNote->setMaximumHeight(60);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {addParamButton, removeParamButton, moveUpButton, moveDownButton}) {
    button->setMaximumWidth(NarrowButtonWidth());
    buttons->addWidget(button);
  }
  buttons->addStretch();
  grid->addWidget(paramList, 0, 0);
  grid->addLayout(buttons, 0, 1);
  grid->addWidget(orderNote, 1, 0, 1, 2);
  return codecSection;
}

QWidget* CodecEditorWindow::CreateFfmpegSection() {
  ffmpegSection = WidgetFactory::Create<QGroupBox>(sectionsPage, "Frame2", "Parámetros ffmpeg");
  auto* grid = new QGridLayout(ffmpegSection);
  ffmpegExtensionLabel =
      WidgetFactory::Create<QLabel>(ffmpegSection, "Label4", "Extensión de archivo:");
  ffmpegExtensionCombo = MakeExtensionList(ffmpegSection, "Combo2");
  ffmpegOptionsLabel = WidgetFactory::Create<QLabel>(ffmpegSection, "Label7", "Parámetros:");
  ffmpegOptions = WidgetFactory::Create<QLineEdit>(ffmpegSection, "Text3");
  takeFromProfileButton = WidgetFactory::Create<QPushButton>(ffmpegSection, "Command2", "...");
  takeFromProfileButton->setMaximumWidth(NarrowButtonWidth());
  editableOptionsLabel =
      WidgetFactory::Create<QLabel>(ffmpegSection, "Label8", "Parámetros editables:");
  editableOptionsList = WidgetFactory::Create<QListWidget>(ffmpegSection, "List2");
  editableOptionsList->setSelectionMode(QAbstractItemView::MultiSelection);
  grid->addWidget(ffmpegExtensionLabel, 0, 0, 1, 2);
  grid->addWidget(ffmpegExtensionCombo, 1, 0, 1, 2);
  grid->addWidget(ffmpegOptionsLabel, 2, 0, 1, 2);
  grid->addWidget(ffmpegOptions, 3, 0);
  grid->addWidget(takeFromProfileButton, 3, 1);
  grid->addWidget(editableOptionsLabel, 4, 0, 1, 2);
  grid->addWidget(editableOptionsList, 5, 0, 1, 2);
  return ffmpegSection;
}

QWidget* CodecEditorWindow::CreateParameterFrame() {
  paramFrame = WidgetFactory::Create<QGroupBox>(centralWidget(), "Frame4", "Modificar parámetro");
  auto* grid = new QGridLayout(paramFrame);
  paramLabelLabel = WidgetFactory::Create<QLabel>(paramFrame, "Label5", "Etiqueta:");
  paramLabel = WidgetFactory::Create<QLineEdit>(paramFrame, "Text4");
  paramKindLabel = WidgetFactory::Create<QLabel>(paramFrame, "Label6", "Tipo:");
  paramKindCombo = WidgetFactory::Create<QComboBox>(paramFrame, "Combo3");
  paramKindCombo->addItems({"Opcional", "Obligatorio", "Opcional sin valor"});
  paramSwitchLabel = WidgetFactory::Create<QLabel>(paramFrame, "Label9", "Modificador cmd:");
  paramSwitch = WidgetFactory::Create<QLineEdit>(paramFrame, "Text5");
  paramDefaultLabel = WidgetFactory::Create<QLabel>(paramFrame, "Label10", "Valor predeterminado:");
  paramDefault = WidgetFactory::Create<QLineEdit>(paramFrame, "Text6");
  suggestedValuesLabel = WidgetFactory::Create<QLabel>(paramFrame, "Label11", "Valores sugeridos:");
  suggestedValues = WidgetFactory::Create<QPlainTextEdit>(paramFrame, "Text8");
  // Tab goes on to the next control: a tab character would end up inside a value.
  suggestedValues->setTabChangesFocus(true);
  onlySuggestedCheck =
      WidgetFactory::Create<QCheckBox>(paramFrame, "Check1", "Solo valores sugeridos");
  acceptParamButton = WidgetFactory::Create<QPushButton>(paramFrame, "Command3", "Aceptar");
  cancelParamButton = WidgetFactory::Create<QPushButton>(paramFrame, "Command8", "Cancelar");
  int row = 0;
  for (QWidget* widget : std::initializer_list<QWidget*>{
           paramLabelLabel, paramLabel, paramKindLabel, paramKindCombo, paramSwitchLabel,
           paramSwitch, paramDefaultLabel, paramDefault, suggestedValuesLabel, suggestedValues,
           onlySuggestedCheck}) {
    grid->addWidget(widget, row++, 0, 1, 2);
  }
  grid->addWidget(acceptParamButton, row, 0);
  grid->addWidget(cancelParamButton, row, 1);
  paramFrame->hide();
  return paramFrame;
}

void CodecEditorWindow::WireControls() {
  connect(openAudioAction, &QAction::triggered, this,
          [] { ExternalCodecEditor::OpenCodec(false, QString()); });
  connect(openVideoAction, &QAction::triggered, this,
          [] { ExternalCodecEditor::OpenCodec(true, QString()); });
  connect(importAudioAction, &QAction::triggered, this,
          [] { ExternalCodecEditor::ImportFromFormat(false); });
  connect(importVideoAction, &QAction::triggered, this,
          [] { ExternalCodecEditor::ImportFromFormat(true); });
  connect(saveAction, &QAction::triggered, this,
          [] { ExternalCodecEditor::SaveCodec(ExternalCodecEditor::State().CurrentPath); });
  connect(saveAsAction, &QAction::triggered, this,
          [] { ExternalCodecEditor::SaveCodec(QString()); });
  connect(undoChangesAction, &QAction::triggered, this, [] { ExternalCodecEditor::UndoChanges(); });
  connect(closeAction, &QAction::triggered, this, [] { ExternalCodecEditor::CloseCodec(); });
  connect(exitAction, &QAction::triggered, this, &QWidget::close);
  connect(programDocumentationAction, &QAction::triggered, this,
          &CodecEditorWindow::ShowProgramDocumentation);
  connect(ffmpegHelpAction, &QAction::triggered, this, &CodecEditorWindow::ShowFfmpegHelp);
  connect(programHelpAction, &QAction::triggered, this, [] { ProgramHelp::ShowProgramHelp(); });

  connect(browseProgramButton, &QPushButton::clicked, this, &CodecEditorWindow::BrowseProgram);
  connect(takeFromProfileButton, &QPushButton::clicked, this,
          &CodecEditorWindow::TakeFfmpegOptions);
  connect(acceptParamButton, &QPushButton::clicked, this, &CodecEditorWindow::AcceptParameter);
  connect(addParamButton, &QPushButton::clicked, this, &CodecEditorWindow::AddParameter);
  connect(removeParamButton, &QPushButton::clicked, this, &CodecEditorWindow::RemoveParameter);
  connect(moveDownButton, &QPushButton::clicked, this, &CodecEditorWindow::MoveParameterDown);
  connect(moveUpButton, &QPushButton::clicked, this, &CodecEditorWindow::MoveParameterUp);
  connect(cancelParamButton, &QPushButton::clicked, this, &CodecEditorWindow::CancelParameter);
  connect(generalButton, &QPushButton::clicked, this, &CodecEditorWindow::ToggleGeneralSection);
  connect(codecParamsButton, &QPushButton::clicked, this, &CodecEditorWindow::ToggleCodecSection);
  connect(ffmpegParamsButton, &QPushButton::clicked, this, &CodecEditorWindow::ToggleFfmpegSection);
  connect(typeCombo, &QComboBox::currentIndexChanged, this, &CodecEditorWindow::OnTypeChosen);
  connect(paramKindCombo, &QComboBox::currentIndexChanged, this,
          &CodecEditorWindow::OnParamKindChosen);
  connect(ffmpegExtensionCombo, &QComboBox::currentTextChanged, this,
          &CodecEditorWindow::OnFfmpegExtensionEdited);
  connect(outputExtensionCombo, &QComboBox::currentTextChanged, this,
          &CodecEditorWindow::OnOutputExtensionEdited);
  connect(aboutText, &QPlainTextEdit::textChanged, this, &CodecEditorWindow::OnAboutEdited);
  connect(ffmpegOptions, &QLineEdit::textChanged, this, &CodecEditorWindow::OnFfmpegOptionsEdited);
  connect(paramList, &QListWidget::itemDoubleClicked, this,
          &CodecEditorWindow::EditSelectedParameter);
  connect(editableOptionsList, &QListWidget::itemSelectionChanged, this,
          &CodecEditorWindow::OnEditableOptionsSelected);
  ListenToEditor();
}

void CodecEditorWindow::ListenToEditor() {
  ExternalCodecEditor::Notifier& editor = ExternalCodecEditor::Events();
  connect(&editor, &ExternalCodecEditor::Notifier::RecordLoaded, this,
          &CodecEditorWindow::ShowRecord);
  connect(&editor, &ExternalCodecEditor::Notifier::TypeChosen, this,
          &CodecEditorWindow::ShowEditableOptions);
  connect(&editor, &ExternalCodecEditor::Notifier::TypeImported, this,
          &CodecEditorWindow::ShowType);
  connect(&editor, &ExternalCodecEditor::Notifier::RowsChanged, this,
          &CodecEditorWindow::RefreshParamList);
  connect(&editor, &ExternalCodecEditor::Notifier::CodecSaved, this,
          [this] { typeCombo->setEnabled(false); });
  connect(&editor, &ExternalCodecEditor::Notifier::CodecClosed, this,
          &CodecEditorWindow::CollapseSections);
}

void CodecEditorWindow::Load() {
  Lang::TranslateCodecEditorWindow();
  // The sections' own buttons name them; their frames carry no caption.
  generalSection->setTitle(QString());
  ffmpegSection->setTitle(QString());
  codecSection->setTitle(QString());
  fillingControls = true;
  typeCombo->setCurrentIndex(AudioRow);
  fillingControls = false;
  resize(kWidth, kHeight);
  CollapseSections();
}

// Showing the definition ------------------------------------------------------------

void CodecEditorWindow::ShowRecord(const QStringList& editableCaptions) {
  fillingControls = true;
  const ExtCodecDef& codec = ExternalCodecEditor::State().CurrentCodec;
  RefreshParamList(ExternalCodecEditor::KeptSelection(SelectedRow(), int(codec.Params.Count())));
  ShowType();
  programPath->setText(codec.ExePath);
  SetQuietly(outputExtensionCombo, codec.OutputExt);
  aboutText->setPlainText(codec.About);
  ShowFfmpegSection();
  ShowEditableOptions(editableCaptions);
  fillingControls = false;
}

void CodecEditorWindow::ShowType() {
  const bool wasFilling = fillingControls;
  fillingControls = true;
  typeCombo->setCurrentIndex(ExternalCodecEditor::State().CurrentIsVideo ? VideoRow : AudioRow);
  fillingControls = wasFilling;
  typeCombo->setEnabled(ExternalCodecEditor::State().CurrentPath.isEmpty());
}

void CodecEditorWindow::ShowEditableOptions(const QStringList& captions) {
  const bool wasFilling = fillingControls;
  fillingControls = true;
  editableOptionsList->clear();
  editableOptionsList->addItems(captions);
  const DynArray<bool>& flags = ExternalCodecEditor::State().CurrentCodec.Editable;
  for (int i = 0; i < editableOptionsList->count() && i < flags.Count(); ++i)
    editableOptionsList->item(i)->setSelected(flags.Items[i]);
  fillingControls = wasFilling;
}

void CodecEditorWindow::ShowFfmpegSection() {
  const bool wasFilling = fillingControls;
  fillingControls = true;
  SetQuietly(ffmpegExtensionCombo, ExternalCodecEditor::State().CurrentCodec.FfmpegExt);
  ffmpegOptions->setText(ExternalCodecEditor::State().CurrentCodec.FfmpegParams);
  fillingControls = wasFilling;
}

void CodecEditorWindow::RefreshParamList(int selected) {
  paramList->clear();
  paramList->addItems(ExternalCodecEditor::ParamLabels());
  if (selected >= 0 && selected < paramList->count()) paramList->setCurrentRow(selected);
}

int CodecEditorWindow::SelectedRow() const {
  const QList<QListWidgetItem*> chosen = paramList->selectedItems();
  return chosen.isEmpty() ? -1 : paramList->row(chosen.first());
}

// Sections -------------------------------------------------------------------

void CodecEditorWindow::CollapseSections() {
  generalSection->hide();
  ffmpegSection->hide();
  codecSection->hide();
  ShowParameterFrame(false);
}

void CodecEditorWindow::ShowSection(Section section) {
  // The layout stacks each button under the frame above it, so hiding the
  // other frames is all the moving the buttons need.
  if (section != Section::General) generalSection->hide();
  if (section != Section::Ffmpeg) ffmpegSection->hide();
  if (section != Section::CodecParameters) codecSection->hide();
  if (MainWindowLink::Window()) {
    ffmpegHelpAction->setText(MainWindowLink::Caption("Help_ffhelp"));
    programHelpAction->setText(MainWindowLink::Caption("Help_ProgramHelp"));
  }
}

void CodecEditorWindow::ToggleSection(QGroupBox* frame, Section section) {
  frame->setVisible(frame->isHidden());
  ShowSection(section);
}

void CodecEditorWindow::ToggleGeneralSection() { ToggleSection(generalSection, Section::General); }
void CodecEditorWindow::ToggleCodecSection() {
  ToggleSection(codecSection, Section::CodecParameters);
}
void CodecEditorWindow::ToggleFfmpegSection() { ToggleSection(ffmpegSection, Section::Ffmpeg); }

// Controls that write into the definition ---------------------------------------

void CodecEditorWindow::OnTypeChosen() {
  if (!fillingControls) ExternalCodecEditor::ChooseType(typeCombo->currentIndex() == VideoRow);
}

void CodecEditorWindow::OnAboutEdited() {
  if (!fillingControls) ExternalCodecEditor::State().CurrentCodec.About = aboutText->toPlainText();
}

void CodecEditorWindow::OnFfmpegOptionsEdited() {
  if (!fillingControls)
    ExternalCodecEditor::State().CurrentCodec.FfmpegParams = ffmpegOptions->text();
}

void CodecEditorWindow::OnFfmpegExtensionEdited() {
  if (!fillingControls)
    ExternalCodecEditor::State().CurrentCodec.FfmpegExt = ffmpegExtensionCombo->currentText();
}

void CodecEditorWindow::OnOutputExtensionEdited() {
  if (!fillingControls)
    ExternalCodecEditor::State().CurrentCodec.OutputExt = outputExtensionCombo->currentText();
}

void CodecEditorWindow::OnEditableOptionsSelected() {
  if (fillingControls) return;
  QList<bool> selected;
  for (int i = 0; i < editableOptionsList->count(); ++i)
    selected.append(editableOptionsList->item(i)->isSelected());
  ExternalCodecEditor::SetEditableFlags(selected);
}

void CodecEditorWindow::BrowseProgram() {
  // Programs here carry no ".exe": every file is offered.
  const QStringList chosen = DesktopServices::OpenFileDialog(Lang::TxtAllFiles() + "|*", this,
                                                             QString(), QString(), false);
  if (chosen.isEmpty() || chosen.first().isEmpty()) return;
  programPath->setText(ExternalCodecEditor::SetExecutable(chosen.first()));
}
void CodecEditorWindow::TakeFfmpegOptions() {
  const QString path = DataFolderManager::ShowFileManager(ProgramFolder::AppFiles("formats"), "qfm",
                                                          DataFolderManager::Mode::Open, true);
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

void CodecEditorWindow::AddParameter() { EditParameter(true); }
void CodecEditorWindow::EditSelectedParameter() { EditParameter(false); }

void CodecEditorWindow::RemoveParameter() {
  RefreshParamList(ExternalCodecEditor::DeleteParameter(SelectedRow()));
}
void CodecEditorWindow::MoveParameterUp() {
  RefreshParamList(ExternalCodecEditor::MoveParameterUp(SelectedRow()));
}
void CodecEditorWindow::MoveParameterDown() {
  RefreshParamList(ExternalCodecEditor::MoveParameterDown(SelectedRow()));
}

void CodecEditorWindow::EditParameter(bool isNew) {
  const int selected = isNew ? -1 : SelectedRow();
  if (!isNew && selected < 0) return;
  const ExternalCodecEditor::ParamForm form = ExternalCodecEditor::ParamFormFor(selected);
  paramLabel->setText(form.Label);
  paramLabel->setProperty("Tag", form.LabelBefore);
  paramKindCombo->setCurrentIndex(form.Kind <= ParamKind::Switch ? int(form.Kind) : 0);
  paramSwitch->setText(form.Switch);
  paramDefault->setText(form.Default);
  suggestedValues->setPlainText(ExternalCodecEditor::SuggestedLines(form.Suggested));
  onlySuggestedCheck->setChecked(form.OnlySuggested);
  for (QWidget* widget : std::initializer_list<QWidget*>{paramLabel, paramKindCombo, paramDefault,
                                                         suggestedValues, onlySuggestedCheck}) {
    widget->setEnabled(true);
  }
  SetKindControls(ChosenKind());
  if (ExternalCodecEditor::IsFileRow(form.Label)) {
    for (QWidget* widget : std::initializer_list<QWidget*>{paramLabel, paramKindCombo, paramDefault,
                                                           suggestedValues, onlySuggestedCheck}) {
      widget->setEnabled(false);
    }
  }
  ShowParameterFrame(true);
}

void CodecEditorWindow::ShowParameterFrame(bool shown) {
  sectionsPage->setVisible(!shown);
  paramFrame->setVisible(shown);
  SetMenusEnabled(!shown);
  // The keys go on where the user works: the first field the row lets change,
  // or back in the list the row came from.
  if (shown) (paramLabel->isEnabled() ? paramLabel : paramSwitch)->setFocus();
  if (!shown && paramList->isVisible()) paramList->setFocus();
}

ParamKind CodecEditorWindow::ChosenKind() const {
  return ParamKind(qMax(0, paramKindCombo->currentIndex()));
}

void CodecEditorWindow::OnParamKindChosen() { SetKindControls(ChosenKind()); }

void CodecEditorWindow::SetKindControls(ParamKind kind) {
  const ExternalCodecEditor::ParamFields fields = ExternalCodecEditor::FieldsForKind(kind);
  paramDefault->setEnabled(fields.Default);
  suggestedValues->setEnabled(fields.Suggested);
  onlySuggestedCheck->setEnabled(fields.Suggested);
}

void CodecEditorWindow::AcceptParameter() {
  ExternalCodecEditor::ParamForm form;
  form.Label = paramLabel->text();
  form.LabelBefore = paramLabel->property("Tag").toString();
  form.Kind = ChosenKind();
  form.Switch = paramSwitch->text();
  form.Default = paramDefault->text();
  form.Suggested = ExternalCodecEditor::SuggestedToStore(suggestedValues->toPlainText());
  form.OnlySuggested = onlySuggestedCheck->isChecked();
  if (!ExternalCodecEditor::AcceptParameter(form)) return;
  ShowParameterFrame(false);
}

void CodecEditorWindow::CancelParameter() { ShowParameterFrame(false); }

void CodecEditorWindow::SetMenusEnabled(bool enabled) {
  for (QMenu* menu : {fileMenu, viewMenu}) {
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
  }
}

// The documentation menu ------------------------------------------------------------

void CodecEditorWindow::ShowProgramDocumentation() {
  if (AnotherToolRunning::Refuse()) return;
  const QString command = ExternalCodecEditor::ProgramDocumentationCommand();
  if (!command.isEmpty()) TextViewer::ShowCommandOutput(command, this);
}

void CodecEditorWindow::ShowFfmpegHelp() {
  if (AnotherToolRunning::Refuse()) return;
  const QString command = ExternalCodecEditor::FfmpegHelpCommand();
  if (!command.isEmpty()) TextViewer::ShowCommandOutput(command, this);
}

// Closing ---------------------------------------------------------------------

bool CodecEditorWindow::MayClose() {
  if (!paramFrame->isHidden()) {
    Lang::MsgConfirmParamChanges();
    return false;
  }
  return ExternalCodecEditor::CloseCodec();
}

void CodecEditorWindow::closeEvent(QCloseEvent* event) {
  if (MayClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

// The editor's entry point ------------------------------------------------------------

void CodecEditorWindow::ShowEditor(const QString& name, bool isVideo) {
  using namespace ExternalCodecEditor;
  // The file manager's "Editar" reaches here while the editor is already up
  // (it is the editor's own open dialog): the file opens in that window.
  if (CodecEditorWindow::Instance()) {
    if (!name.isEmpty()) OpenCodec(isVideo, name);
    return;
  }
  QPointer<CodecEditorWindow> window = new CodecEditorWindow;
  window->Load();
  MarkSaved();
  if (!name.isEmpty()) {
    OpenCodec(isVideo, name);
  } else {
    RecordToControls();
  }
  ModalWindow::Run(window);
  delete window.data();
}
