#include "gui/devices/FormatChoiceRow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "gui/ground/WidgetFactory.h"

FormatChoiceRow FormatChoiceRow::Create(QWidget* parent) {
  using WidgetFactory::Named;
  FormatChoiceRow row;
  row.Label1 = Named(new QLabel("Formato:", parent), "Label1");
  row.Combo3 = Named(new QComboBox(parent), "Combo3");
  row.Combo3->setEditable(true);
  row.Combo3->addItems({"<Automático>", "<Manual>"});
  row.Label1->setBuddy(row.Combo3);
  row.Command5 = Named(new QPushButton("...", parent), "Command5");
  row.Command5->setMaximumWidth(40);
  row.Command6 = Named(new QPushButton(">>", parent), "Command6");
  row.Command6->setMaximumWidth(40);
  row.Command6->setEnabled(false);
  return row;
}
