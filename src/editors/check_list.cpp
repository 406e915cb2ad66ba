#include "editors/check_list.h"

#include "editors/check_list_delegate.h"
#include "editors/editor_widgets.h"

#include <QEvent>

TCheckList::TCheckList(const QStringList &items, QWidget *parent)
    : QListWidget(parent)
{
    setItemDelegate(new TCheckListDelegate(this));
    for (const QString &text : items) {
        auto *item = new QListWidgetItem(text, this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    setFixedHeight(sizeHintForRow(0) * int(items.size()) + 2 * frameWidth());
}

bool TCheckList::event(QEvent *event)
{
    // The frame keeps its width, so the text area and the scroll bars stay
    // inside it; only its painting is replaced.
    if (event->type() == QEvent::Paint) {
        EditorWidgets::PaintInputFrame(this);
        return true;
    }
    return QListWidget::event(event);
}

bool TCheckList::IsChecked(int row) const
{
    return item(row)->checkState() == Qt::Checked;
}

void TCheckList::SetChecked(int row, bool checked)
{
    item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}
