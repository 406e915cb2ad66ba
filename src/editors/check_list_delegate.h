#pragma once

#include <QStyledItemDelegate>

// Draws the lines of a check list as usual, but a click anywhere on a line
// toggles its check mark, as a click on a check box's label does.
class TCheckListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
};
