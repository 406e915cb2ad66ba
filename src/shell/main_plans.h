#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class TFormChildTerminalWindow;
class TFormPlanRun;
class TPrompts;
struct TSettings;

// Run plan in the main window: asks for a plan, refuses one that cannot run
// against the terminal file on display (every problem in one error box,
// nothing sent), and shows the plan window running it. One plan window at
// a time: a new run takes the place of the last one's results.
class TMainPlans : public QObject
{
    Q_OBJECT

public:
    TMainPlans(TPrompts &prompts, const TSettings &settings, QWidget *owner);

    void Run(TFormChildTerminalWindow *terminal);
    bool IsRunning() const;
    TFormPlanRun *Window() const;

signals:
    void RunningChanged();

private:
    TPrompts &m_prompts;
    const TSettings &m_settings;
    QWidget *m_owner;
    QPointer<TFormPlanRun> m_window;
};
