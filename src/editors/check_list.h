#pragma once

#include <QListWidget>
#include <QStringList>

// A list of check marks: a click anywhere on a line toggles it, as a click
// on a check box's label does; its frame is that of the dialog's edit
// boxes, whole at any display scale.
class TCheckList : public QListWidget
{
    Q_OBJECT

public:
    TCheckList(const QStringList &items, QWidget *parent = nullptr);

    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);

protected:
    bool event(QEvent *event) override;
};
