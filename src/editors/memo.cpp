#include "editors/memo.h"

#include "editors/editor_widgets.h"

#include <QEvent>

TMemo::TMemo(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

bool TMemo::event(QEvent *event)
{
    // The frame keeps its width, so the text area and the scroll bars stay
    // inside it; only its painting is replaced.
    if (event->type() == QEvent::Paint) {
        EditorWidgets::PaintInputFrame(this);
        return true;
    }
    return QPlainTextEdit::event(event);
}
