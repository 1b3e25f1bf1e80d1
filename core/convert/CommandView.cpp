#include "core/convert/CommandView.h"

#include <QStringList>

#include "core/convert/CommandTable.h"
#include "core/ground/CommandLine.h"

namespace Conversion {

namespace {

// Typed options as the arguments the run makes of them, each quoted where a
// shell would read it otherwise, so that the text pasted into a terminal
// gives the same arguments.
QString AsShellWords(const QString& typed) {
  QStringList words;
  for (const QString& argument : CommandLine::SplitCommandLine(typed))
    words << CommandLine::QuoteArgument(argument);
  return words.join(' ');
}

}  // namespace

QList<ViewerBox> CommandViewBoxes(const CellReader& cell, bool twoPass, bool multiOutput) {
  const auto options = [&](int row, int column) { return AsShellWords(cell(row, column)); };
  const auto beforeInput = [&](int row) { return options(row, TableColumn::BeforeInput); };
  const auto beforeOutput = [&](int row) { return options(row, TableColumn::BeforeOutput); };
  // The second pass, when on, runs in the row below.
  const auto withPass2 = [&](int row) {
    QString text = beforeOutput(row);
    if (twoPass) text += "\n" + beforeOutput(row + 1);
    return text;
  };
  using namespace TableRow;
  return {{1, beforeInput(AudioExtraction)},
          {3, beforeOutput(AudioExtraction)},
          {5, beforeInput(AudioEncoding)},
          {6, withPass2(AudioEncoding)},
          {7, beforeInput(VideoExtraction)},
          {8, beforeOutput(VideoExtraction)},
          {9, beforeInput(VideoEncoding)},
          {10, withPass2(VideoEncoding)},
          {11, beforeInput(Output)},
          {12, withPass2(Output)},
          {13, cell(AudioEncoding, TableColumn::Program)},
          {14, cell(VideoEncoding, TableColumn::Program)},
          {15, cell(Output, TableColumn::Extension)},
          {16, multiOutput ? "True" : "False"}};
}

}  // namespace Conversion
