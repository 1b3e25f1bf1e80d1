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
  QLabel* label = nullptr;
  QComboBox* combo = nullptr;
  QPushButton* chooseButton = nullptr;
  QPushButton* editButton = nullptr;

  static FormatChoiceRow Create(QWidget* parent);
};
