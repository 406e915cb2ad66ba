#pragma once

#include <QObject>

class QWidget;
class TCaptureWriter;
class TMainActions;
class TPorts;
class TPrompts;

// Record capture in the main window: the action asks for a file, records
// both ports into it and shows itself checked, as Stop capture, until the
// user stops it or the file can no longer be written, which an error box
// then says.
class TMainCapture : public QObject
{
    Q_OBJECT

public:
    TMainCapture(TPorts &ports, TPrompts &prompts, TMainActions &actions, QWidget *owner);

    bool IsRecording() const;
    QString FileName() const;

    // The action's reaction: starts a recording, or stops the running one.
    void Toggle();

private:
    void Start();
    void Stopped(const QString &error);

    TPrompts &m_prompts;
    TMainActions &m_actions;
    QWidget *m_owner;
    TCaptureWriter *m_writer;
};
