#include <QLabel>
#include <QListWidget>

#include "core/editing/EditingProfileEditor.h"
#include "core/lang/Lang.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateFilterPanel() {
  QWidget* panel = PicAplicarFiltro;
  Make(Label5, "Label5", panel, 120, 60, 3850, 255);
  Make(List2, "List2", panel, 120, 330, 3850, 900);
  Make(Label6, "Label6", panel, 120, 1290, 3850, 255);
  Make(List3, "List3", panel, 120, 1560, 3850, 900);
  Make(Label7, "Label7", panel, 120, 2520, 3850, 255);
  Make(List4, "List4", panel, 120, 2790, 3850, 900);
}

void EditingProfileWindow::SetFilterCaptions() {
  Label5->setText("Aplicar filtro de audio:");
  Label6->setText("Aplicar filtro de video:");
  Label7->setText("Aplicar filtro complejo:");
}

void EditingProfileWindow::WireFilterPanel() {
  for (QListWidget* list : {List2, List3, List4}) {
    connect(list, &QListWidget::itemChanged, this, &EditingProfileWindow::List2_ItemCheck);
  }
}

void EditingProfileWindow::ClearFilters() {
  for (QListWidget* list : {List2, List3, List4}) {
    for (int row = 0; row < list->count(); ++row) list->item(row)->setCheckState(Qt::Unchecked);
  }
}

void EditingProfileWindow::LoadFilterLists() {
  const std::array<QStringList, 3> names = EditingProfileEditor::ReadFilterLists();
  const std::array<QListWidget*, 3> lists = {List2, List3, List4};
  for (int l = 0; l < 3; ++l) {
    lists[l]->clear();
    for (const QString& name : names[l]) {
      auto* item = new QListWidgetItem(name);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      item->setCheckState(Qt::Unchecked);
      lists[l]->addItem(item);
    }
  }
}

void EditingProfileWindow::StoreSelectedFilters() {
  Profile().Filters = DynArray<QString>();
  for (QListWidget* list : {List2, List3, List4}) {
    for (int row = 0; row < list->count(); ++row) {
      if (list->item(row)->checkState() == Qt::Checked) {
        Profile().Filters.Items.append(list->item(row)->text());
      }
    }
  }
}

void EditingProfileWindow::List2_ItemCheck() {
  if (EditingProfileEditor::State().Loading != 1) StoreSelectedFilters();
}

std::array<QStringList, 3> EditingProfileWindow::FilterListNames() const {
  std::array<QStringList, 3> names;
  const std::array<QListWidget*, 3> lists = {List2, List3, List4};
  for (int l = 0; l < 3; ++l) {
    for (int row = 0; row < lists[l]->count(); ++row) names[l] << lists[l]->item(row)->text();
  }
  return names;
}

void EditingProfileWindow::SelectProfileFilters() {
  const EditingProfileEditor::FilterMatch match =
      EditingProfileEditor::MatchProfileFilters(Profile().Filters, FilterListNames());
  TickFilters(match);
  if (match.missing.isEmpty()) return;
  Lang::MsgFiltersMissing(match.missing.join('\n'));
  EditingProfileEditor::DropMissingFilters(match);
}

void EditingProfileWindow::TickFilters(const EditingProfileEditor::FilterMatch& match) {
  const std::array<QListWidget*, 3> lists = {List2, List3, List4};
  // The lists show exactly the profile's filters, not those of a profile
  // opened before it in the same visit.
  for (QListWidget* list : lists) {
    for (int row = 0; row < list->count(); ++row) list->item(row)->setCheckState(Qt::Unchecked);
  }
  for (const EditingProfileEditor::FilterMatch::Tick& tick : match.ticks) {
    lists[tick.list]->item(tick.row)->setCheckState(Qt::Checked);
  }
}
