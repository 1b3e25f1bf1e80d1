#include "core/convert/CommandView.h"

namespace Conversion {

QList<ViewerBox> CommandViewBoxes(const CellReader& cell, bool twoPass, bool multiOutput) {
  const auto withPass2 = [&](int row, int pass2Row) {
    QString text = cell(row, 3);
    if (twoPass) text += "\n" + cell(pass2Row, 3);
    return text;
  };
  return {{1, cell(1, 2)},  {3, cell(1, 3)},
          {5, cell(2, 2)},  {6, withPass2(2, 3)},
          {7, cell(4, 2)},  {8, cell(4, 3)},
          {9, cell(5, 2)},  {10, withPass2(5, 6)},
          {11, cell(7, 2)}, {12, withPass2(7, 8)},
          {13, cell(2, 1)}, {14, cell(5, 1)},
          {15, cell(7, 4)}, {16, multiOutput ? "True" : "False"}};
}

}  // namespace Conversion
