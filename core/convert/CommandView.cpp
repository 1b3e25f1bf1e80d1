#include "core/convert/CommandView.h"

#include <QStringList>

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
  const auto withPass2 = [&](int row, int pass2Row) {
    QString text = options(row, 3);
    if (twoPass) text += "\n" + options(pass2Row, 3);
    return text;
  };
  return {{1, options(1, 2)},  {3, options(1, 3)},
          {5, options(2, 2)},  {6, withPass2(2, 3)},
          {7, options(4, 2)},  {8, options(4, 3)},
          {9, options(5, 2)},  {10, withPass2(5, 6)},
          {11, options(7, 2)}, {12, withPass2(7, 8)},
          {13, cell(2, 1)},    {14, cell(5, 1)},
          {15, cell(7, 4)},    {16, multiOutput ? "True" : "False"}};
}

}  // namespace Conversion
