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

  QPlainTextEdit* playerOutput = nullptr;
  QPushButton* stopButton = nullptr;
  QPushButton* helpButton = nullptr;

  void Stop();
  void ShowUsage();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape closes the window once its play has ended.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateControls();
  void WireControls();
  void Load();
  // Runs the play with its output in playerOutput; the buttons go off when it
  // ends, and the window takes the keyboard back from the player so that
  // Escape closes it. The window closes, after saying why, when another tool
  // has the runner.
  void RunPlay(const Player::PlayCommand& command);

  // While the window's own play runs: only that play is stopped or holds the window open.
  bool playing_ = false;
};
