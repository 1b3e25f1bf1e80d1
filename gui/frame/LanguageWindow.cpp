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

int Box(const QString& text, int style) { return Dialogs::MsgBox(text, style, Lang::BoxTitle()); }

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
  Combo1 = Named(new QComboBox(this), "Combo1");
  Combo1->setGeometry(S(QRect(8, 8, 300, 28)));
  for (const char* language : kBuiltInLanguages) Combo1->addItem(QString::fromLatin1(language));
  Command1 = Button(this, "Command1", "+", {316, 8, 32, 28});
  Command2 = Button(this, "Command2", "-", {352, 8, 32, 28});
  Command6 = Button(this, "Command6", "Apply / Aplicar", {8, 60, 150, 32});
  Command7 = Button(this, "Command7", "Cancel / Cancelar", {166, 60, 150, 32});
  Command8 = Button(this, "Command8", "Ok", {324, 60, 148, 32});
  CreatePanel();
  WidgetFactory::SetEnterButton(this, Command8);
}

// The panel lies over the chooser's own controls while it is open.
void LanguageWindow::CreatePanel() {
  Picture1 = Named(new QWidget(this), "Picture1");
  Picture1->setAutoFillBackground(true);
  Picture1->resize(S(kWidth - 16), S(OpenHeight - 16));
  Label1 = Named(new QLabel(Utf8("How Translate? / ¿Cómo traducir?"), Picture1), "Label1");
  Label1->setGeometry(S(QRect(0, 0, 300, 24)));
  Command4 = Button(Picture1, "Command4", "Eng", {336, 0, 60, 24});
  Command5 = Button(Picture1, "Command5", "Es", {400, 0, 60, 24});
  Text1 = TextBox(Picture1, "Text1", {0, 28, kWidth - 16, 104});
  Text1->setPlainText(kFirstInstructions);
  Text2 = TextBox(Picture1, "Text2", {0, 136, kWidth - 16, 218});
  Command3 = Button(Picture1, "Command3", "Save / Guardar", {0, 360, 150, 32});
  Picture1->hide();
}

void LanguageWindow::WireControls() {
  connect(Command1, &QPushButton::clicked, this, &LanguageWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &LanguageWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &LanguageWindow::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &LanguageWindow::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &LanguageWindow::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &LanguageWindow::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &LanguageWindow::Command7_Click);
  connect(Command8, &QPushButton::clicked, this, &LanguageWindow::Command8_Click);
  connect(Text2, &QPlainTextEdit::textChanged, this, &LanguageWindow::Text2_Change);
}

// Centred on the screen: at the first start the main window has only just been
// shown and may not be placed yet, so centring over it can put the chooser in
// a corner.
void LanguageWindow::ShowModal(QWidget* owner) {
  LanguageWindow window(owner);
  window.Form_Load();
  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    QRect frame(QPoint(), window.size());
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
  }
  window.exec();
}

void LanguageWindow::Form_Load() {
  Combo1->addItems(Lang::CustomLanguages());
  int selected = 0;
  for (int i = 0; i < Combo1->count(); ++i) {
    if (SameLanguage(Combo1->itemText(i), Lang::State().LanguageName)) {
      selected = i;
      break;
    }
  }
  Combo1->setCurrentIndex(selected);
  setFixedHeight(S(ClosedHeight));
  Picture1->move(Combo1->pos());
  LanguageAtOpen = Lang::State().LanguageName;
}

int LanguageWindow::SelectedIndex() const { return Combo1->currentIndex(); }

void LanguageWindow::Command6_Click() {
  Lang::LoadLanguage(SelectedIndex() < 0 ? QString() : Combo1->currentText());
}

void LanguageWindow::Command8_Click() {
  if (SelectedIndex() >= 0) {
    if (!SameLanguage(Combo1->currentText(), Lang::State().LanguageName)) {
      Lang::LoadLanguage(Combo1->currentText());
    }
    LanguageAtOpen = Lang::State().LanguageName;
  }
  RequestClose();
}

void LanguageWindow::Command7_Click() {
  if (!SameLanguage(Lang::State().LanguageName, LanguageAtOpen)) Lang::LoadLanguage(LanguageAtOpen);
  RequestClose();
}

void LanguageWindow::reject() { RequestClose(); }

void LanguageWindow::RequestClose() {
  if (Form_QueryUnload()) done(QDialog::Rejected);
}

bool LanguageWindow::Form_QueryUnload() {
  if (Picture1->isVisibleTo(this)) {
    ClosePanel();
    return false;
  }
  if (!SameLanguage(Lang::State().LanguageName, LanguageAtOpen)) Lang::LoadLanguage(LanguageAtOpen);
  return true;
}

void LanguageWindow::ClosePanel() {
  Picture1->hide();
  Command8->setDefault(true);
  setFixedHeight(S(ClosedHeight));
}

void LanguageWindow::Command2_Click() {
  const int selected = SelectedIndex();
  if (selected <= 0) return;
  const QString language = Combo1->itemText(selected);
  if (SameLanguage(language, Lang::State().LanguageName)) {
    Box(Lines({"No se puede eliminar el lenguaje seleccionado porque está en uso",
               "Can not delete the selected language because it is in use"}),
        0);
    return;
  }
  if (!DesktopServices::ShellDeleteFile(Lang::LanguageFilePath(language), 1)) {
    Lang::MsgCannotDeleteFile(QString());
    return;
  }
  Combo1->removeItem(selected);
  Combo1->setCurrentIndex(-1);
}

void LanguageWindow::FillTemplate() {
  Text2->setPlainText(Lang::BuiltInTable(TemplateIsEnglish ? 102 : 101).join('\n'));
  // Filling the box counts as a change.
  TemplateEdited = 0;
}

void LanguageWindow::Command1_Click() {
  FillTemplate();
  // Ok lies under the panel: Enter there must not close the chooser.
  Command8->setDefault(false);
  Picture1->show();
  Picture1->raise();
  setFixedHeight(S(OpenHeight));
}

void LanguageWindow::Command5_Click() {
  Text1->setPlainText(kSpanishInstructions);
  TemplateIsEnglish = 0;
  if (TemplateEdited == 0) FillTemplate();
}

void LanguageWindow::Command4_Click() {
  Text1->setPlainText(kEnglishInstructions);
  TemplateIsEnglish = 1;
  if (TemplateEdited == 0) FillTemplate();
}

void LanguageWindow::Text2_Change() { TemplateEdited = 1; }

void LanguageWindow::Command3_Click() {
  const QString name = Dialogs::InputBox(
      Lines({"Ingrese un nombre para el lenguaje", "Enter a name for the language"}),
      Lang::BoxTitle(), QString());
  if (name.isEmpty()) return;
  switch (Lang::SaveLanguageFile(name, TemplateLines(Text2))) {
    case Lang::SaveResult::Saved:
      Combo1->addItem(name);
      Box(Lines({"Nuevo lenguaje fue agregado", "New language was added"}), 0);
      break;
    case Lang::SaveResult::NoFolder:
      Box(Lines({"No se pudo crear el directorio / Could not create directory", ""}) +
              Lang::LanguageFolder(),
          16);
      break;
    case Lang::SaveResult::Exists:
      Box(Lines({"Ya existe un archivo con ese nombre", "A file already exists with that name"}),
          16);
      break;
    case Lang::SaveResult::WriteFailed:
      Box(Lines({"Error: No se pudo guardar", "Error: It could not be saved"}), 16);
      break;
  }
}
