#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What a conversion or a test runs on, worked out from the file list and the
// output choices before the run starts.
namespace Conversion {

// Why a conversion cannot start; checked before its command table is built.
enum class StartRefusal {
  None,
  NoFiles,                // the file list is empty
  NoOutputPath,           // a conversion to a file or a chosen folder without one
  OutputInWorkingFolder,  // a conversion whose outputs would go with the working folders
  NoFileSelectedForTest   // a test of one of several files, none of them selected
};

// selected: the list's selected row, -1 for none.
StartRefusal CheckStart(const QString& testTime, int selected);

// The run's inputs: the files each input gives the tools, and the path the
// progress window shows for each (empty when the run shows its own text,
// as a joined or single output does).
struct RunInputs {
  QList<QStringList> Inputs;
  QStringList Shown;
  // The row a test runs on, for the list to select; -1 when not a test of one file.
  int TestedRow = -1;
  bool operator==(const RunInputs&) const = default;
};

// The inputs over the whole file list; a test takes the selected file, the
// first when none is selected. Joining probes every file and reads them
// through the concat list (written into a new temporary folder) or a graph
// that decodes them: nullopt when they cannot be joined whole, after its message.
std::optional<RunInputs> PlanInputs(const QString& testTime, int selected);

// The run needs a temporary folder: for its track stages, a test's output or
// the two passes' log.
bool NeedsTempFolder(const QString& testTime);

}  // namespace Conversion
