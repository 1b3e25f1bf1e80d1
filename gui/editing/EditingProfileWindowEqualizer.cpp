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
  QWidget* panel = equalizerPanel;
  Make(frequencyLabel, "Label22", panel, 0, 120, 3735, 255);
  Make(gainLabel, "Label23", panel, 0, 960, 3855, 255);
  Make(bandwidthLabel, "Label15", panel, 120, 3000, 3495, 255);
  for (int i = 0; i < 10; ++i) {
    const int boxLeft = Equalizer::BoxLeft0 + Equalizer::Pitch * i;
    MakeNumeric(frequencyBoxes[i], "Text14", panel, boxLeft, 480, Equalizer::BoxWidth);
    Make(gainSliders[i], "Picture3", panel, Equalizer::SliderLeft0 + Equalizer::Pitch * i, 1320,
         255, 1215);
    gainSliders[i]->setFocusPolicy(Qt::StrongFocus);
    gainMarkers[i] = new UnitShape(gainSliders[i], QColor(0, 255, 0), true);
    gainMarkers[i]->setObjectName("Shape1");
    gainMarkers[i]->CentredOnTop = true;
    gainMarkers[i]->SetGeometry(0, 0.5, 1, 0.06);
    MakeNumeric(gainBoxes[i], "Text27", panel, boxLeft, 2520, Equalizer::BoxWidth);
    MakeNumeric(bandwidthBoxes[i], "Text32", panel, boxLeft, 3360, Equalizer::BoxWidth);
    for (QWidget* control : std::initializer_list<QWidget*>{frequencyBoxes[i], gainSliders[i],
                                                            gainBoxes[i], bandwidthBoxes[i]}) {
      control->setProperty("Index", i);
      control->setVisible(i < 5);
    }
  }
  Make(bandScroll, "HScroll1", panel, 120, 3840, 3735, 255);
  bandScroll->setOrientation(Qt::Horizontal);
  bandScroll->setRange(1, 6);
  bandScroll->setValue(1);
  // The design lets the bar reach a little past the panel's foot: the panel
  // grows to hold it whole.
  panel->resize(panel->width(), qMax(panel->height(), bandScroll->geometry().bottom() + 1));
}

void EditingProfileWindow::SetEqualizerCaptions() {
  frequencyLabel->setText("Frecuencia central (Hz)");
  gainLabel->setText("Ganancia (db)");
  bandwidthLabel->setText("Ancho de banda (octavas)");
  for (int i = 0; i < 10; ++i) {
    frequencyBoxes[i]->setText(Equalizer::DefaultFrequencies[i]);
    gainBoxes[i]->setText("0");
    bandwidthBoxes[i]->setText("1");
  }
}

void EditingProfileWindow::WireEqualizer() {
  connect(bandScroll, &QScrollBar::valueChanged, this, &EditingProfileWindow::OnBandScrolled);
  for (int i = 0; i < 10; ++i) {
    connect(
        gainSliders[i], &UnitPicture::MouseUp, this,
        [this, i](Qt::MouseButton button, double, double y) { OnGainSliderClicked(i, button, y); });
    connect(gainSliders[i], &UnitPicture::KeyDown, this,
            [this, i](int key) { OnGainSliderKey(i, key); });
    connect(gainBoxes[i], &QLineEdit::textChanged, this, [this, i] { OnGainEdited(i); });
    connect(frequencyBoxes[i], &QLineEdit::textChanged, this, [this, i] { OnFrequencyEdited(i); });
    connect(bandwidthBoxes[i], &QLineEdit::textChanged, this, [this, i] { OnBandwidthEdited(i); });
    for (QLineEdit* box : {frequencyBoxes[i], gainBoxes[i], bandwidthBoxes[i]})
      box->installEventFilter(this);
  }
  connect(restoreFrequenciesAction, &QAction::triggered, this,
          &EditingProfileWindow::RestoreFrequencies);
  connect(restoreGainsAction, &QAction::triggered, this, &EditingProfileWindow::RestoreGains);
  connect(restoreBandwidthsAction, &QAction::triggered, this,
          &EditingProfileWindow::RestoreBandwidths);
  connect(restoreAllAction, &QAction::triggered, this, &EditingProfileWindow::RestoreAllBands);
  for (size_t i = 0; i < equalizerPresetActions.size(); ++i) {
    connect(equalizerPresetActions[i], &QAction::triggered, this,
            [this, i] { ApplyEqualizerPreset(int(i)); });
  }
}

void EditingProfileWindow::ShowEqualizer(const EditProfileRec& p) {
  for (int i = 0; i < 10; ++i) {
    SetText(frequencyBoxes[i], p.Equalizer[i * 3]);
    SetText(gainBoxes[i], p.Equalizer[i * 3 + 1]);
    SetText(bandwidthBoxes[i], p.Equalizer[i * 3 + 2]);
    double gain = 0;
    // A gain that is no number (a record never normalised) sits in the middle.
    EditFields::IsNumeric(p.Equalizer[i * 3 + 1], &gain);
    SetMarker(i, Equalizer::MarkerTop(gain));
  }
}

void EditingProfileWindow::OnBandScrolled() {
  const std::array<Equalizer::Column, 10> columns = Equalizer::LayOut(bandScroll->value());
  for (int i = 0; i < 10; ++i) {
    gainSliders[i]->move(Px(columns[i].sliderLeft), gainSliders[i]->y());
    for (QLineEdit* box : {frequencyBoxes[i], gainBoxes[i], bandwidthBoxes[i]}) {
      box->move(Px(columns[i].boxLeft), box->y());
    }
    for (QWidget* control : std::initializer_list<QWidget*>{gainSliders[i], frequencyBoxes[i],
                                                            gainBoxes[i], bandwidthBoxes[i]}) {
      control->setVisible(columns[i].visible);
    }
  }
}

void EditingProfileWindow::SetMarker(int index, double top) {
  gainMarkers[index]->Top = top;
  gainMarkers[index]->Place();
}

void EditingProfileWindow::OnGainSliderClicked(int index, Qt::MouseButton button, double y) {
  gainBoxes[index]->setText(Equalizer::GainFromSlider(y, button == Qt::RightButton));
}

void EditingProfileWindow::OnGainSliderKey(int index, int key) {
  if (key != Qt::Key_Up && key != Qt::Key_Down) return;
  if (const auto gain = Equalizer::GainStep(gainBoxes[index]->text(), key == Qt::Key_Up)) {
    gainBoxes[index]->setText(*gain);
  }
}

void EditingProfileWindow::OnGainEdited(int index) {
  if (EditingProfileEditor::State().Loading) return;
  const auto change = Equalizer::GainBoxChanged(gainBoxes[index]->text());
  if (!change) return;
  Profile().Equalizer[index * 3 + 1] = change->stored;
  if (change->markerTop) SetMarker(index, *change->markerTop);
}

void EditingProfileWindow::OnGainBoxLeft(int index) {
  const bool loading = EditingProfileEditor::State().Loading;
  EditingProfileEditor::State().Loading = true;
  QString& stored = Profile().Equalizer[index * 3 + 1];
  if (stored.isEmpty()) {
    stored = Equalizer::GainOnLeave(stored);
    SetMarker(index, 0.5);
  }
  SetText(gainBoxes[index], stored);
  EditingProfileEditor::State().Loading = loading;
}

void EditingProfileWindow::OnFrequencyEdited(int index) {
  if (EditingProfileEditor::State().Loading) return;
  if (const auto stored = Equalizer::FreqOrWidthBoxChanged(frequencyBoxes[index]->text())) {
    Profile().Equalizer[index * 3] = *stored;
  }
}

void EditingProfileWindow::OnFrequencyBoxLeft(int index) {
  const bool loading = EditingProfileEditor::State().Loading;
  EditingProfileEditor::State().Loading = true;
  QString& stored = Profile().Equalizer[index * 3];
  stored = Equalizer::FrequencyOnLeave(stored, index + 1);
  SetText(frequencyBoxes[index], stored);
  EditingProfileEditor::State().Loading = loading;
}

void EditingProfileWindow::OnBandwidthEdited(int index) {
  if (EditingProfileEditor::State().Loading) return;
  if (const auto stored = Equalizer::FreqOrWidthBoxChanged(bandwidthBoxes[index]->text())) {
    Profile().Equalizer[index * 3 + 2] = *stored;
  }
}

void EditingProfileWindow::OnBandwidthBoxLeft(int index) {
  const bool loading = EditingProfileEditor::State().Loading;
  EditingProfileEditor::State().Loading = true;
  QString& stored = Profile().Equalizer[index * 3 + 2];
  stored = Equalizer::WidthOnLeave(stored);
  SetText(bandwidthBoxes[index], stored);
  EditingProfileEditor::State().Loading = loading;
}

void EditingProfileWindow::RestoreFrequencies() {
  for (int i = 0; i < 10; ++i) frequencyBoxes[i]->setText(Equalizer::DefaultFrequencies[i]);
}

void EditingProfileWindow::RestoreGains() {
  for (QLineEdit* box : gainBoxes) box->setText("0");
}

void EditingProfileWindow::RestoreBandwidths() {
  for (QLineEdit* box : bandwidthBoxes) box->setText("1");
}

void EditingProfileWindow::RestoreAllBands() {
  RestoreFrequencies();
  for (int i = 0; i < 10; ++i) {
    gainBoxes[i]->setText("0");
    bandwidthBoxes[i]->setText("1");
  }
}

void EditingProfileWindow::ApplyEqualizerPreset(int preset) {
  ClearValues(false);
  for (int i = 0; i < 10; ++i) gainBoxes[i]->setText(Equalizer::Presets[preset].gains[i]);
}
