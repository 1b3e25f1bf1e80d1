#pragma once

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

// The format choice of the recorder and the streamer: "Formato:", the profile
// box with "<Automático>" and "<Manual>", "..." to pick a profile and ">>" to
// edit "<Manual>" (enabled for it alone). The window lays them out and wires
// them to ProfileChoice.
struct FormatChoiceRow {
  QLabel* Label1 = nullptr;
  QComboBox* Combo3 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command6 = nullptr;

  static FormatChoiceRow Create(QWidget* parent);
};
