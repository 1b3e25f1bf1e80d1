#pragma once

#include <QList>
#include <QString>
#include <functional>

// What the command viewer shows of a command table.
namespace Conversion {

// A cell of a command table: row 1..8 (stage), column 1..4 (program, text
// before the input, text before the output, extension).
using CellReader = std::function<QString(int row, int column)>;

// One of the viewer's boxes, numbered 1..16 as the viewer numbers them, and
// its text.
struct ViewerBox {
  int Box;
  QString Text;
  bool operator==(const ViewerBox&) const = default;
};

// The texts of the viewer's boxes for a table, in box order; boxes 2 and 4 are
// column headings and are not among them. With twoPass the encoding and
// converting stages show their second pass on a line of their own. The option
// boxes show the arguments the run makes of their cells, quoted where a shell
// needs it, so that a box's text pasted into a terminal gives the same
// arguments; the program cells are shell words already.
QList<ViewerBox> CommandViewBoxes(const CellReader& cell, bool twoPass, bool multiOutput);

}  // namespace Conversion
