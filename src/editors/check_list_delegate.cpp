#include "editors/check_list_delegate.h"

#include <QMouseEvent>

bool TCheckListDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                     const QModelIndex &index)
{
    const Qt::ItemFlags flags = model->flags(index);
    const bool checkable = (flags & Qt::ItemIsUserCheckable) && (flags & Qt::ItemIsEnabled);
    if (checkable && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint())) {
            const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
