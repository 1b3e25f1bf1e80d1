#include <QLabel>
#include <QListWidget>

#include "core/editing/EditingProfileEditor.h"
#include "core/lang/Lang.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateFilterPanel() {
  QWidget* panel = filterPanel;
  Make(audioFilterLabel, "Label5", panel, 120, 60, 3850, 255);
  Make(audioFilterList, "List2", panel, 120, 330, 3850, 900);
  Make(videoFilterLabel, "Label6", panel, 120, 1290, 3850, 255);
  Make(videoFilterList, "List3", panel, 120, 1560, 3850, 900);
  Make(complexFilterLabel, "Label7", panel, 120, 2520, 3850, 255);
  Make(complexFilterList, "List4", panel, 120, 2790, 3850, 900);
}

void EditingProfileWindow::SetFilterCaptions() {
  audioFilterLabel->setText("Aplicar filtro de audio:");
  videoFilterLabel->setText("Aplicar filtro de video:");
  complexFilterLabel->setText("Aplicar filtro complejo:");
}

void EditingProfileWindow::WireFilterPanel() {
  for (QListWidget* list : {audioFilterList, videoFilterList, complexFilterList}) {
    connect(list, &QListWidget::itemChanged, this, &EditingProfileWindow::OnFilterTicked);
  }
}

void EditingProfileWindow::ClearFilters() {
  for (QListWidget* list : {audioFilterList, videoFilterList, complexFilterList}) {
    for (int row = 0; row < list->count(); ++row) list->item(row)->setCheckState(Qt::Unchecked);
  }
}

void EditingProfileWindow::LoadFilterLists() {
  const std::array<QStringList, 3> names = EditingProfileEditor::ReadFilterLists();
  const std::array<QListWidget*, 3> lists = {audioFilterList, videoFilterList, complexFilterList};
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
  for (QListWidget* list : {audioFilterList, videoFilterList, complexFilterList}) {
    for (int row = 0; row < list->count(); ++row) {
      if (list->item(row)->checkState() == Qt::Checked) {
        Profile().Filters.Items.append(list->item(row)->text());
      }
    }
  }
}

void EditingProfileWindow::OnFilterTicked() {
  if (!EditingProfileEditor::State().Loading) StoreSelectedFilters();
}

std::array<QStringList, 3> EditingProfileWindow::FilterListNames() const {
  std::array<QStringList, 3> names;
  const std::array<QListWidget*, 3> lists = {audioFilterList, videoFilterList, complexFilterList};
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
  const std::array<QListWidget*, 3> lists = {audioFilterList, videoFilterList, complexFilterList};
  // The lists show exactly the profile's filters, not those of a profile
  // opened before it in the same visit.
  for (QListWidget* list : lists) {
    for (int row = 0; row < list->count(); ++row) list->item(row)->setCheckState(Qt::Unchecked);
  }
  for (const EditingProfileEditor::FilterMatch::Tick& tick : match.ticks) {
    lists[tick.list]->item(tick.row)->setCheckState(Qt::Checked);
  }
}
