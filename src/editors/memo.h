#pragma once

#include <QPlainTextEdit>

// The multi-line memo of the editors: lines scroll sideways instead of
// wrapping, Tab moves on, and its frame is that of the dialog's edit boxes,
// whole at any display scale.
class TMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TMemo(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;
};
