#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "core/editing/EditFields.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/editing/Equalizer.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"
#include "gui/editing/UnitPicture.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateEqualizerPanel() {
  QWidget* panel = PicEQU;
  Make(Label22, "Label22", panel, 0, 120, 3735, 255);
  Make(Label23, "Label23", panel, 0, 960, 3855, 255);
  Make(Label15, "Label15", panel, 120, 3000, 3495, 255);
  for (int i = 0; i < 10; ++i) {
    const int boxLeft = Equalizer::BoxLeft0 + Equalizer::Pitch * i;
    MakeNumeric(Text14[i], "Text14", panel, boxLeft, 480, Equalizer::BoxWidth);
    Make(Picture3[i], "Picture3", panel, Equalizer::SliderLeft0 + Equalizer::Pitch * i, 1320, 255,
         1215);
    Picture3[i]->setFocusPolicy(Qt::StrongFocus);
    Shape1[i] = new UnitShape(Picture3[i], QColor(0, 255, 0), true);
    Shape1[i]->setObjectName("Shape1");
    Shape1[i]->CentredOnTop = true;
    Shape1[i]->SetGeometry(0, 0.5, 1, 0.06);
    MakeNumeric(Text27[i], "Text27", panel, boxLeft, 2520, Equalizer::BoxWidth);
    MakeNumeric(Text32[i], "Text32", panel, boxLeft, 3360, Equalizer::BoxWidth);
    for (QWidget* control :
         std::initializer_list<QWidget*>{Text14[i], Picture3[i], Text27[i], Text32[i]}) {
      control->setProperty("Index", i);
      control->setVisible(i < 5);
    }
  }
  Make(HScroll1, "HScroll1", panel, 120, 3840, 3735, 255);
  HScroll1->setOrientation(Qt::Horizontal);
  HScroll1->setRange(1, 6);
  HScroll1->setValue(1);
}

void EditingProfileWindow::SetEqualizerCaptions() {
  Label22->setText("Frecuencia central (Hz)");
  Label23->setText("Ganancia (db)");
  Label15->setText("Ancho de banda (octavas)");
  for (int i = 0; i < 10; ++i) {
    Text14[i]->setText(Equalizer::DefaultFrequencies[i]);
    Text27[i]->setText("0");
    Text32[i]->setText("1");
  }
}

void EditingProfileWindow::WireEqualizer() {
  connect(HScroll1, &QScrollBar::valueChanged, this, &EditingProfileWindow::HScroll1_Change);
  for (int i = 0; i < 10; ++i) {
    connect(
        Picture3[i], &UnitPicture::MouseUp, this,
        [this, i](Qt::MouseButton button, double, double y) { Picture3_MouseUp(i, button, y); });
    connect(Picture3[i], &UnitPicture::KeyDown, this,
            [this, i](int key) { Picture3_KeyDown(i, key); });
    connect(Text27[i], &QLineEdit::textChanged, this, [this, i] { Text27_Change(i); });
    connect(Text14[i], &QLineEdit::textChanged, this, [this, i] { Text14_Change(i); });
    connect(Text32[i], &QLineEdit::textChanged, this, [this, i] { Text32_Change(i); });
    for (QLineEdit* box : {Text14[i], Text27[i], Text32[i]}) box->installEventFilter(this);
  }
  connect(Opt_RestVal_Frec, &QAction::triggered, this, &EditingProfileWindow::Opt_RestVal_Frec_Click);
  connect(Opt_RestVal_Gain, &QAction::triggered, this, &EditingProfileWindow::Opt_RestVal_Gain_Click);
  connect(Opt_RestVal_BandW, &QAction::triggered, this, &EditingProfileWindow::Opt_RestVal_BandW_Click);
  connect(Opt_RestVal_All, &QAction::triggered, this, &EditingProfileWindow::Opt_RestVal_All_Click);
  for (size_t i = 0; i < Equ.size(); ++i) {
    connect(Equ[i], &QAction::triggered, this, [this, i] { Equ_Click(int(i)); });
  }
}

void EditingProfileWindow::ShowEqualizer(const EditProfileRec& p) {
  for (int i = 0; i < 10; ++i) {
    SetText(Text14[i], p.Equalizer[i * 3]);
    SetText(Text27[i], p.Equalizer[i * 3 + 1]);
    SetText(Text32[i], p.Equalizer[i * 3 + 2]);
    double gain = 0;
    // A gain that is no number (a record never normalised) sits in the middle.
    EditFields::IsNumeric(p.Equalizer[i * 3 + 1], &gain);
    SetMarker(i, Equalizer::MarkerTop(gain));
  }
}

void EditingProfileWindow::HScroll1_Change() {
  const std::array<Equalizer::Column, 10> columns = Equalizer::LayOut(HScroll1->value());
  for (int i = 0; i < 10; ++i) {
    Picture3[i]->move(Px(columns[i].sliderLeft), Picture3[i]->y());
    for (QLineEdit* box : {Text14[i], Text27[i], Text32[i]}) {
      box->move(Px(columns[i].boxLeft), box->y());
    }
    for (QWidget* control :
         std::initializer_list<QWidget*>{Picture3[i], Text14[i], Text27[i], Text32[i]}) {
      control->setVisible(columns[i].visible);
    }
  }
}

void EditingProfileWindow::SetMarker(int index, double top) {
  Shape1[index]->Top = top;
  Shape1[index]->Place();
}

void EditingProfileWindow::Picture3_MouseUp(int index, Qt::MouseButton button, double y) {
  Text27[index]->setText(Equalizer::GainFromSlider(y, button == Qt::RightButton));
}

void EditingProfileWindow::Picture3_KeyDown(int index, int key) {
  if (key != Qt::Key_Up && key != Qt::Key_Down) return;
  if (const auto gain = Equalizer::GainStep(Text27[index]->text(), key == Qt::Key_Up)) {
    Text27[index]->setText(*gain);
  }
}

void EditingProfileWindow::Text27_Change(int index) {
  if (EditingProfileEditor::State().Loading == 1) return;
  const auto change = Equalizer::GainBoxChanged(Text27[index]->text());
  if (!change) return;
  Profile().Equalizer[index * 3 + 1] = change->stored;
  if (change->markerTop) SetMarker(index, *change->markerTop);
}

void EditingProfileWindow::Text27_Validate(int index) {
  const uint8_t loading = EditingProfileEditor::State().Loading;
  EditingProfileEditor::State().Loading = 1;
  QString& stored = Profile().Equalizer[index * 3 + 1];
  if (stored.isEmpty()) {
    stored = Equalizer::GainOnLeave(stored);
    SetMarker(index, 0.5);
  }
  SetText(Text27[index], stored);
  EditingProfileEditor::State().Loading = loading;
}

void EditingProfileWindow::Text14_Change(int index) {
  if (EditingProfileEditor::State().Loading == 1) return;
  if (const auto stored = Equalizer::FreqOrWidthBoxChanged(Text14[index]->text())) {
    Profile().Equalizer[index * 3] = *stored;
  }
}

void EditingProfileWindow::Text14_Validate(int index) {
  const uint8_t loading = EditingProfileEditor::State().Loading;
  EditingProfileEditor::State().Loading = 1;
  QString& stored = Profile().Equalizer[index * 3];
  stored = Equalizer::FrequencyOnLeave(stored, index + 1);
  SetText(Text14[index], stored);
  EditingProfileEditor::State().Loading = loading;
}

void EditingProfileWindow::Text32_Change(int index) {
  if (EditingProfileEditor::State().Loading == 1) return;
  if (const auto stored = Equalizer::FreqOrWidthBoxChanged(Text32[index]->text())) {
    Profile().Equalizer[index * 3 + 2] = *stored;
  }
}

void EditingProfileWindow::Text32_Validate(int index) {
  const uint8_t loading = EditingProfileEditor::State().Loading;
  EditingProfileEditor::State().Loading = 1;
  QString& stored = Profile().Equalizer[index * 3 + 2];
  stored = Equalizer::WidthOnLeave(stored);
  SetText(Text32[index], stored);
  EditingProfileEditor::State().Loading = loading;
}

void EditingProfileWindow::Opt_RestVal_Frec_Click() {
  for (int i = 0; i < 10; ++i) Text14[i]->setText(Equalizer::DefaultFrequencies[i]);
}

void EditingProfileWindow::Opt_RestVal_Gain_Click() {
  for (QLineEdit* box : Text27) box->setText("0");
}

void EditingProfileWindow::Opt_RestVal_BandW_Click() {
  for (QLineEdit* box : Text32) box->setText("1");
}

void EditingProfileWindow::Opt_RestVal_All_Click() {
  Opt_RestVal_Frec_Click();
  for (int i = 0; i < 10; ++i) {
    Text27[i]->setText("0");
    Text32[i]->setText("1");
  }
}

void EditingProfileWindow::Equ_Click(int preset) {
  ClearValues(false);
  for (int i = 0; i < 10; ++i) Text27[i]->setText(Equalizer::Presets[preset].gains[i]);
}
