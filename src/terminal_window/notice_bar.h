#pragma once

#include <QLabel>
#include <QMap>

// A band across the terminal window, above its pages, that says in full
// what the status bar has no room for: why the command on display cannot be
// sent or shows fewer fields, which fixed-answer records give no panel, why
// answer rows are unnamed. Each topic holds one text; the band shows every
// text on its own lines, wrapped to the window's width, and hides when
// there is nothing to say.
class TNoticeBar : public QLabel
{
    Q_OBJECT

public:
    enum TTopic { File, Command, Answer };

    explicit TNoticeBar(QWidget *parent = nullptr);

    // An empty text clears the topic.
    void SetNotice(TTopic topic, const QString &text);
    QString Notice(TTopic topic) const;

private:
    QMap<TTopic, QString> m_notices;
};
