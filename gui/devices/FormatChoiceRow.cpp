#include "gui/devices/FormatChoiceRow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "gui/ground/WidgetFactory.h"

FormatChoiceRow FormatChoiceRow::Create(QWidget* parent) {
  using WidgetFactory::Named;
  FormatChoiceRow row;
  row.label = Named(new QLabel("Formato:", parent), "Label1");
  row.combo = Named(new QComboBox(parent), "Combo3");
  row.combo->setEditable(true);
  row.combo->addItems({"<Automático>", "<Manual>"});
  row.label->setBuddy(row.combo);
  row.chooseButton = Named(new QPushButton("...", parent), "Command5");
  row.chooseButton->setMaximumWidth(40);
  row.editButton = Named(new QPushButton(">>", parent), "Command6");
  row.editButton->setMaximumWidth(40);
  row.editButton->setEnabled(false);
  return row;
}
