#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
namespace Player {
struct PlayCommand;
}

// The player window: ffplay's latest output while Player::PlayFile plays.
class PlayerWindow : public QWidget {
  Q_OBJECT

 public:
  explicit PlayerWindow(QWidget* parent = nullptr);
  ~PlayerWindow() override;

  // The live player window, or nullptr.
  static PlayerWindow* Instance();
  // Runs the play in a new player window, which hides every other window until
  // the user closes it; returns then.
  static void Play(const Player::PlayCommand& command);

  // The key list of "Ayuda"; ffplay's own, so English in every language.
  static QString UsageText();

  QPlainTextEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;  // Detener
  QPushButton* Command2 = nullptr;  // Ayuda

  void Command1_Click();
  void Command2_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void WireControls();
  void Form_Load();
  // Runs the play with its output in Text1; the buttons go off when it ends.
  void RunPlay(const Player::PlayCommand& command);
};
