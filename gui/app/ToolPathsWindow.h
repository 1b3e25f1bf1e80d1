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

  void Load();
  // Takes the typed paths and makes the new paths the tools' paths.
  void Apply();
  void Cancel();
  // Fills each new path whose file is missing with the tool found in the
  // program folder, then on PATH.
  void FindMissingTools();

  // Read-only boxes that name the tools.
  QLineEdit* ffmpegLabel = nullptr;
  QLineEdit* ffplayLabel = nullptr;
  QLineEdit* ffprobeLabel = nullptr;
  QLineEdit* cdda2wavLabel = nullptr;
  QLineEdit* ffmpegPath = nullptr;
  QLineEdit* ffplayPath = nullptr;
  QLineEdit* ffprobePath = nullptr;
  QLineEdit* cdda2wavPath = nullptr;
  QPushButton* browseFfmpegButton = nullptr;
  QPushButton* browseFfplayButton = nullptr;
  QPushButton* browseFfprobeButton = nullptr;
  QPushButton* browseCdda2wavButton = nullptr;
  QPushButton* applyButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* findMissingButton = nullptr;

  QString newFfmpegPath;
  QString newFfplayPath;
  QString newFfprobePath;
  QString newCdda2wavPath;

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
