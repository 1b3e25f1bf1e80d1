#include "gui/frame/LanguageWindow.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>

#include "core/frame/DesktopServices.h"
#include "core/ground/Dialogs.h"
#include "core/lang/Lang.h"
#include "gui/ground/TextFit.h"
#include "gui/ground/WidgetFactory.h"

using WidgetFactory::Named;

namespace {

// The design in pixels, scaled to the desktop's font as it is placed.
constexpr int kWidth = 480;

int S(int designPixels) { return TextFit::Scaled(designPixels); }
QRect S(const QRect& design) {
  return {S(design.x()), S(design.y()), S(design.width()), S(design.height())};
}

const char* const kBuiltInLanguages[] = {"<Spanish>", "<English>", "<Portuguese>"};

QString Utf8(const char* text) { return QString::fromUtf8(text); }

// Qt's text boxes and message boxes break lines at LF alone.
QString Lines(std::initializer_list<const char*> lines) {
  QStringList texts;
  for (const char* line : lines) texts << Utf8(line);
  return texts.join('\n');
}

const QString kFirstInstructions =
    Lines({"Para crear un lenguaje:", "Traduce línea por línea el siguiente texto",
           "Sugerencia: Copia el texto tradúcelo con el servicio ",
           "de google y pega el resultado en el cuadro de ", "texto", "necesario hacer esto", ""});
const QString kSpanishInstructions =
    Lines({"Para crear un lenguaje:", "Traduce línea por línea el siguiente texto",
           "Sugerencia: corta el texto y utiliza el servicio de google para traducir, después "
           "pega el resultado en el cuadro de texto"});
const QString kEnglishInstructions =
    Lines({"To add a new language:", "Translate line by line the following text",
           "Tip You: short text and use the google translate service, then paste the output "
           "into the text box"});

bool SameLanguage(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

void Box(const QString& text, Dialogs::Icon icon) {
  Dialogs::MsgBox(text, {Dialogs::Buttons::Ok, icon}, Lang::BoxTitle());
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, QRect geometry) {
  auto* button = Named(new QPushButton(Utf8(caption), parent), name);
  button->setGeometry(S(geometry));
  return button;
}

QPlainTextEdit* TextBox(QWidget* parent, const char* name, QRect geometry) {
  auto* box = Named(new QPlainTextEdit(parent), name);
  box->setGeometry(S(geometry));
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  return box;
}

// The box's lines as typed: unlike toPlainText, no blank of any kind is changed.
QStringList TemplateLines(const QPlainTextEdit* box) {
  QString text = box->document()->toRawText();
  text.replace(QChar::LineSeparator, QChar::ParagraphSeparator);
  return text.split(QChar::ParagraphSeparator);
}

}  // namespace

LanguageWindow::LanguageWindow(QWidget* owner) : QDialog(owner) {
  setObjectName("Form13");
  setWindowTitle("Language / Lenguaje");
  CreateControls();
  WireControls();
  setFixedSize(S(kWidth), S(ClosedHeight));
}

void LanguageWindow::CreateControls() {
  languageCombo = Named(new QComboBox(this), "Combo1");
  languageCombo->setGeometry(S(QRect(8, 8, 300, 28)));
  for (const char* language : kBuiltInLanguages)
    languageCombo->addItem(QString::fromLatin1(language));
  openMakerButton = Button(this, "Command1", "+", {316, 8, 32, 28});
  deleteLanguageButton = Button(this, "Command2", "-", {352, 8, 32, 28});
  applyButton = Button(this, "Command6", "Apply / Aplicar", {8, 60, 150, 32});
  cancelButton = Button(this, "Command7", "Cancel / Cancelar", {166, 60, 150, 32});
  okButton = Button(this, "Command8", "Ok", {324, 60, 148, 32});
  CreatePanel();
  WidgetFactory::SetEnterButton(this, okButton);
}

// The panel lies over the chooser's own controls while it is open.
void LanguageWindow::CreatePanel() {
  makerPanel = Named(new QWidget(this), "Picture1");
  makerPanel->setAutoFillBackground(true);
  makerPanel->resize(S(kWidth - 16), S(OpenHeight - 16));
  makerHelpLabel =
      Named(new QLabel(Utf8("How Translate? / ¿Cómo traducir?"), makerPanel), "Label1");
  makerHelpLabel->setGeometry(S(QRect(0, 0, 300, 24)));
  englishTemplateButton = Button(makerPanel, "Command4", "Eng", {336, 0, 60, 24});
  spanishTemplateButton = Button(makerPanel, "Command5", "Es", {400, 0, 60, 24});
  instructionsText = TextBox(makerPanel, "Text1", {0, 28, kWidth - 16, 104});
  instructionsText->setPlainText(kFirstInstructions);
  templateText = TextBox(makerPanel, "Text2", {0, 136, kWidth - 16, 218});
  saveLanguageButton = Button(makerPanel, "Command3", "Save / Guardar", {0, 360, 150, 32});
  makerPanel->hide();
}

void LanguageWindow::WireControls() {
  connect(openMakerButton, &QPushButton::clicked, this, &LanguageWindow::OpenMaker);
  connect(deleteLanguageButton, &QPushButton::clicked, this, &LanguageWindow::DeleteLanguage);
  connect(saveLanguageButton, &QPushButton::clicked, this, &LanguageWindow::SaveLanguage);
  connect(englishTemplateButton, &QPushButton::clicked, this, &LanguageWindow::UseEnglishTemplate);
  connect(spanishTemplateButton, &QPushButton::clicked, this, &LanguageWindow::UseSpanishTemplate);
  connect(applyButton, &QPushButton::clicked, this, &LanguageWindow::Apply);
  connect(cancelButton, &QPushButton::clicked, this, &LanguageWindow::Cancel);
  connect(okButton, &QPushButton::clicked, this, &LanguageWindow::Accept);
  connect(templateText, &QPlainTextEdit::textChanged, this, &LanguageWindow::OnTemplateEdited);
}

// Centred on the screen: at the first start the main window has only just been
// shown and may not be placed yet, so centring over it can put the chooser in
// a corner.
void LanguageWindow::ShowModal(QWidget* owner) {
  LanguageWindow window(owner);
  window.Load();
  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    QRect frame(QPoint(), window.size());
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
  }
  window.exec();
}

void LanguageWindow::Load() {
  languageCombo->addItems(Lang::CustomLanguages());
  int selected = 0;
  for (int i = 0; i < languageCombo->count(); ++i) {
    if (SameLanguage(languageCombo->itemText(i), Lang::State().LanguageName)) {
      selected = i;
      break;
    }
  }
  languageCombo->setCurrentIndex(selected);
  setFixedHeight(S(ClosedHeight));
  makerPanel->move(languageCombo->pos());
  languageAtOpen = Lang::State().LanguageName;
}

int LanguageWindow::SelectedIndex() const { return languageCombo->currentIndex(); }

void LanguageWindow::Apply() {
  Lang::LoadLanguage(SelectedIndex() < 0 ? QString() : languageCombo->currentText());
}

void LanguageWindow::Accept() {
  if (SelectedIndex() >= 0) {
    if (!SameLanguage(languageCombo->currentText(), Lang::State().LanguageName)) {
      Lang::LoadLanguage(languageCombo->currentText());
    }
    languageAtOpen = Lang::State().LanguageName;
  }
  RequestClose();
}

void LanguageWindow::Cancel() {
  if (!SameLanguage(Lang::State().LanguageName, languageAtOpen)) Lang::LoadLanguage(languageAtOpen);
  RequestClose();
}

void LanguageWindow::reject() { RequestClose(); }

void LanguageWindow::RequestClose() {
  if (MayClose()) done(QDialog::Rejected);
}

bool LanguageWindow::MayClose() {
  if (makerPanel->isVisibleTo(this)) {
    ClosePanel();
    return false;
  }
  if (!SameLanguage(Lang::State().LanguageName, languageAtOpen)) Lang::LoadLanguage(languageAtOpen);
  return true;
}

void LanguageWindow::ClosePanel() {
  makerPanel->hide();
  okButton->setDefault(true);
  setFixedHeight(S(ClosedHeight));
}

void LanguageWindow::DeleteLanguage() {
  const int selected = SelectedIndex();
  if (selected <= 0) return;
  const QString language = languageCombo->itemText(selected);
  if (SameLanguage(language, Lang::State().LanguageName)) {
    Box(Lines({"No se puede eliminar el lenguaje seleccionado porque está en uso",
               "Can not delete the selected language because it is in use"}),
        Dialogs::Icon::None);
    return;
  }
  if (!DesktopServices::ShellDeleteFile(Lang::LanguageFilePath(language),
                                        DesktopServices::DeleteMode::Trash)) {
    Lang::MsgCannotDeleteFile(QString());
    return;
  }
  languageCombo->removeItem(selected);
  languageCombo->setCurrentIndex(-1);
}

void LanguageWindow::FillTemplate() {
  templateText->setPlainText(Lang::BuiltInTable(templateIsEnglish ? Lang::BuiltInLanguage::English
                                                                  : Lang::BuiltInLanguage::Spanish)
                                 .join('\n'));
  // Filling the box counts as a change.
  templateEdited = false;
}

void LanguageWindow::OpenMaker() {
  FillTemplate();
  // Ok lies under the panel: Enter there must not close the chooser.
  okButton->setDefault(false);
  makerPanel->show();
  makerPanel->raise();
  setFixedHeight(S(OpenHeight));
  // The focus would stay on "+", under the panel.
  templateText->setFocus(Qt::OtherFocusReason);
}

void LanguageWindow::UseSpanishTemplate() {
  instructionsText->setPlainText(kSpanishInstructions);
  templateIsEnglish = false;
  if (!templateEdited) FillTemplate();
}

void LanguageWindow::UseEnglishTemplate() {
  instructionsText->setPlainText(kEnglishInstructions);
  templateIsEnglish = true;
  if (!templateEdited) FillTemplate();
}

void LanguageWindow::OnTemplateEdited() { templateEdited = true; }

void LanguageWindow::SaveLanguage() {
  const QString name = Dialogs::InputBox(
      Lines({"Ingrese un nombre para el lenguaje", "Enter a name for the language"}),
      Lang::BoxTitle(), QString());
  if (name.isEmpty()) return;
  switch (Lang::SaveLanguageFile(name, TemplateLines(templateText))) {
    case Lang::SaveResult::Saved:
      languageCombo->addItem(name);
      Box(Lines({"Nuevo lenguaje fue agregado", "New language was added"}), Dialogs::Icon::None);
      break;
    case Lang::SaveResult::NoFolder:
      Box(Lines({"No se pudo crear el directorio / Could not create directory", ""}) +
              Lang::LanguageFolder(),
          Dialogs::Icon::Stop);
      break;
    case Lang::SaveResult::Exists:
      Box(Lines({"Ya existe un archivo con ese nombre", "A file already exists with that name"}),
          Dialogs::Icon::Stop);
      break;
    case Lang::SaveResult::WriteFailed:
      Box(Lines({"Error: No se pudo guardar", "Error: It could not be saved"}),
          Dialogs::Icon::Stop);
      break;
  }
}
