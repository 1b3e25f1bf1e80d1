#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The tool-paths window: where ffmpeg, ffplay, ffprobe and cdda2wav are. The
// new paths change by browsing, by typing into a box and by the search; the
// tools' paths change only with "Establecer".
class ToolPathsWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ToolPathsWindow(QWidget* owner);
  ~ToolPathsWindow() override;

  static ToolPathsWindow* Instance();
  // Loads the window and shows it modally over owner.
  static void ShowModal(QWidget* owner);

  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();  // "Establecer"
  void Command6_Click();  // "Cancelar"
  void Command7_Click();  // "Buscar faltantes"

  QLineEdit* Text3 = nullptr;  // "ffmpeg:"
  QLineEdit* Text4 = nullptr;  // "ffplay:"
  QLineEdit* Text6 = nullptr;  // "ffprobe:"
  QLineEdit* Text8 = nullptr;  // "cdda2wav:"
  QLineEdit* Text1 = nullptr;  // ffmpeg
  QLineEdit* Text2 = nullptr;  // ffplay
  QLineEdit* Text5 = nullptr;  // ffprobe
  QLineEdit* Text7 = nullptr;  // cdda2wav
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command6 = nullptr;
  QPushButton* Command7 = nullptr;

  QString NewFfmpegPath;
  QString NewFfplayPath;
  QString NewFfprobePath;
  QString NewCdda2wavPath;

 private:
  struct Tool {
    QString name;
    QString* newPath;
    QLineEdit* box;
  };
  QList<Tool> Tools();
  void CreateControls();
  void WireControls();
  void Browse(int tool);
  // A file the program can run as a tool; otherwise tells the user why not
  // (a missing file, or one that is not a program) and gives false.
  static bool IsUsableTool(const QString& path);
  // Takes the paths typed into the boxes; false, with the box focused, when one
  // cannot be used.
  bool TakeTypedPaths();
  // Shows a path in its box with its end in view.
  static void ShowPath(QLineEdit* box, const QString& text);
};
