#include "FirmSelectionList.h"

QItemSelectionModel::SelectionFlags FirmSelectionList::selectionCommand(const QModelIndex &index,
                                                                     const QEvent *event) const
{
    // Ctrl+click or Ctrl+Space on the selected row would deselect it.
    const auto command = QListWidget::selectionCommand(index, event);
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    if (command & QItemSelectionModel::Clear && !index.isValid())
        return QItemSelectionModel::NoUpdate;
    return command;
}
