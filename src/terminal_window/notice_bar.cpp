#include "terminal_window/notice_bar.h"

#include <QStringList>

TNoticeBar::TNoticeBar(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("NoticeBar"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setMargin(4);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // The colours of a hint window: noticed, yet not an alarm.
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    hide();
}

void TNoticeBar::SetNotice(TTopic topic, const QString &text)
{
    if (text.isEmpty())
        m_notices.remove(topic);
    else
        m_notices.insert(topic, text);
    setText(QStringList(m_notices.values()).join(QLatin1Char('\n')));
    setVisible(!m_notices.isEmpty());
}

QString TNoticeBar::Notice(TTopic topic) const
{
    return m_notices.value(topic);
}
