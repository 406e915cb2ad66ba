#include "shell/main_plans.h"

#include "execution/answer_page.h"
#include "execution/plan_reader.h"
#include "shell/plan_opener.h"
#include "terminal_model/settings.h"
#include "terminal_window/form_child_terminal_window.h"
#include "terminal_window/form_plan_run.h"
#include "widgets/prompts.h"

#include <QDir>
#include <QFileInfo>

TMainPlans::TMainPlans(TPrompts &prompts, const TSettings &settings, QWidget *owner)
    : QObject(owner), m_prompts(prompts), m_settings(settings), m_owner(owner)
{
}

TFormPlanRun *TMainPlans::Window() const
{
    return m_window;
}

bool TMainPlans::IsRunning() const
{
    return m_window && m_window->IsRunning();
}

void TMainPlans::Run(TFormChildTerminalWindow *terminal)
{
    if (!terminal || IsRunning())
        return;
    // The terminal window may close while the question is open.
    const QPointer<TFormChildTerminalWindow> window = terminal;
    const QString fileName =
        m_prompts.OpenFileName(m_owner, tr("Run plan"), QFileInfo(window->FileName()).absolutePath(),
                               tr("Test plans (*.%1);;All files (*)").arg(TPlanReader::Extension));
    if (fileName.isEmpty() || !window)
        return;
    const TPlanOpener::TResult opened =
        TPlanOpener::Open(fileName, window->FileName(), m_settings.HostPortOpen, m_settings.FiscalPortOpen);
    if (!opened.Ok()) {
        QStringList lines{tr("The plan %1 cannot run; nothing was sent:").arg(QDir::toNativeSeparators(fileName))};
        for (const TPlan::TProblem &problem : opened.Problems)
            lines.append(problem.Text());
        m_prompts.Error(m_owner, TPrompts::ErrorCaption, lines.join(QLatin1Char('\n')));
        return;
    }
    delete m_window;
    TPlanRun::TOptions options;
    options.Answers = TAnswerPage::TOptions::FromSettings(m_settings);
    m_window = new TFormPlanRun(window, m_prompts, opened.Plan, options);
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_window, &TFormPlanRun::RunningChanged, this, &TMainPlans::RunningChanged);
    m_window->show();
    m_window->Start();
}
