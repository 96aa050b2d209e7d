#pragma once

#include <QListWidget>

// The species list: single selection that the user can move but, once made, never clear, so
// the entry on screen always belongs to a selected species.
class FirmSelectionList : public QListWidget
{
    Q_OBJECT

public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
};
