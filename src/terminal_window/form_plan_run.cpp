#include "terminal_window/form_plan_run.h"

#include "terminal_window/command_page.h"
#include "terminal_window/form_child_terminal_window.h"
#include "widgets/dialog_buttons.h"
#include "widgets/prompts.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QColor PassedColor(0, 128, 0);
const QColor FailedColor(128, 0, 0);

} // namespace

TFormPlanRun::TFormPlanRun(TFormChildTerminalWindow *window, TPrompts &prompts, const TPlan &plan,
                           const TPlanRun::TOptions &options)
    : QDialog(window), m_window(window), m_prompts(prompts), m_plan(plan)
{
    setObjectName(QStringLiteral("FormPlanRun"));
    setWindowTitle(tr("Plan %1").arg(plan.Name));
    setModal(false);

    auto *file = new QLabel(QDir::toNativeSeparators(plan.FileName), this);
    file->setObjectName(QStringLiteral("LabelPlanFile"));
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressPlan"));
    m_progress->setRange(0, int(plan.Steps.size()));
    m_progress->setValue(0);
    m_progress->setFormat(tr("%v of %m steps"));

    m_steps = new QTreeWidget(this);
    m_steps->setObjectName(QStringLiteral("ListSteps"));
    m_steps->setColumnCount(ColumnCount);
    m_steps->setHeaderLabels({tr("Step"), tr("Command"), tr("Outcome"), tr("Time"), tr("Result")});
    m_steps->setRootIsDecorated(true);
    m_steps->setSelectionMode(QAbstractItemView::SingleSelection);
    m_steps->header()->setStretchLastSection(false);
    m_steps->header()->setSectionResizeMode(ColumnStep, QHeaderView::Stretch);
    m_steps->header()->setSectionResizeMode(ColumnCommand, QHeaderView::Stretch);
    for (int column : {ColumnOutcome, ColumnTime, ColumnResult})
        m_steps->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    for (int i = 0; i < plan.Steps.size(); ++i) {
        const TPlan::TStep &step = plan.Steps.at(i);
        auto *item = new QTreeWidgetItem(m_steps);
        item->setText(ColumnStep, QStringLiteral("%1. %2").arg(i + 1).arg(step.DisplayTitle()));
        item->setText(ColumnCommand, step.CommandName.isEmpty() ? step.Command : step.CommandName);
        item->setData(ColumnStep, Qt::UserRole, i);
    }

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("LabelSummary"));
    m_summary->setWordWrap(true);

    m_buttonOpen = new QPushButton(tr("&Open in terminal window"), this);
    m_buttonOpen->setObjectName(QStringLiteral("ButtonOpenStep"));
    m_buttonOpen->setToolTip(tr("Show the failed step's command with the values it went out with"));
    m_buttonStop = new QPushButton(tr("&Stop"), this);
    m_buttonStop->setObjectName(QStringLiteral("ButtonStop"));
    m_buttonStop->setToolTip(tr("Stop the plan once the step under way has ended"));
    m_buttonClose = new QPushButton(tr("&Close"), this);
    m_buttonClose->setObjectName(QStringLiteral("ButtonClose"));
    TDialogButtons::SetDefault(this, m_buttonClose);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_buttonOpen);
    buttons->addStretch();
    buttons->addWidget(m_buttonStop);
    buttons->addWidget(m_buttonClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addWidget(m_progress);
    layout->addWidget(m_steps, 1);
    layout->addWidget(m_summary);
    layout->addLayout(buttons);
    resize(720, 420);

    m_run = new TPlanRun(m_plan, window->FileCopy(), &window->CommandPage()->Runner(), options, this);
    connect(m_run, &TPlanRun::StepStarted, this, &TFormPlanRun::StepStarted);
    connect(m_run, &TPlanRun::StepFinished, this, &TFormPlanRun::ShowStep);
    connect(m_run, &TPlanRun::Finished, this, &TFormPlanRun::ShowSummary);
    connect(m_buttonStop, &QPushButton::clicked, this, &TFormPlanRun::Stop);
    connect(m_buttonClose, &QPushButton::clicked, this, &TFormPlanRun::close);
    connect(m_buttonOpen, &QPushButton::clicked, this, &TFormPlanRun::OpenSelectedStep);
    connect(m_steps, &QTreeWidget::currentItemChanged, this, &TFormPlanRun::UpdateButtons);
    connect(m_steps, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_buttonOpen->isEnabled())
            OpenSelectedStep();
    });
    UpdateButtons();
}

QString TFormPlanRun::OutcomeText(const TStepResult &result)
{
    if (result.Wait)
        return tr("waited");
    switch (result.Outcome.kind) {
    case TRunOutcome::Answer: return tr("answer");
    case TRunOutcome::Ack: return tr("ACK");
    case TRunOutcome::TimeOut: return tr("time-out");
    case TRunOutcome::WriteError: return tr("write error");
    case TRunOutcome::Nak: return tr("NAK");
    case TRunOutcome::BadInput: return tr("bad input");
    case TRunOutcome::PortError: return tr("port closed");
    case TRunOutcome::Refused: return tr("refused");
    case TRunOutcome::Cancelled: return tr("cancelled");
    case TRunOutcome::NotSent: return tr("not sent");
    }
    return QString();
}

void TFormPlanRun::Start()
{
    if (!m_window || m_run->IsRunning())
        return;
    m_results.clear();
    m_progress->setValue(0);
    m_summary->clear();
    for (int i = 0; i < m_steps->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_steps->topLevelItem(i);
        qDeleteAll(item->takeChildren());
        for (int column : {ColumnOutcome, ColumnTime, ColumnResult})
            item->setText(column, QString());
    }
    m_window->SetPlanRunning(true);
    m_run->Start();
    UpdateButtons();
    emit RunningChanged(true);
}

void TFormPlanRun::Stop()
{
    m_run->Stop();
    if (m_run->IsRunning())
        m_summary->setText(tr("Stopping once this step has ended ..."));
    m_buttonStop->setEnabled(false);
}

bool TFormPlanRun::IsRunning() const
{
    return m_run->IsRunning();
}

void TFormPlanRun::reject()
{
    if (m_run->IsRunning())
        Stop();
    else
        QDialog::reject();
}

void TFormPlanRun::StepStarted(int index)
{
    QTreeWidgetItem *item = m_steps->topLevelItem(index);
    item->setText(ColumnResult, tr("running ..."));
    m_steps->scrollToItem(item);
}

void TFormPlanRun::ShowStep(const TStepResult &result)
{
    m_results.append(result);
    QTreeWidgetItem *item = m_steps->topLevelItem(result.Index);
    item->setText(ColumnOutcome, OutcomeText(result));
    item->setText(ColumnTime, tr("%1 ms").arg(result.ElapsedMs));
    item->setText(ColumnResult, result.Passed() ? tr("passed") : tr("failed"));
    item->setForeground(ColumnResult, result.Passed() ? PassedColor : FailedColor);
    for (const TStepResult::TFailure &failure : result.Failures) {
        auto *row = new QTreeWidgetItem(item);
        row->setText(ColumnStep, failure.Text());
        row->setToolTip(ColumnStep, failure.Text());
        row->setForeground(ColumnStep, FailedColor);
        row->setFirstColumnSpanned(true);
    }
    item->setExpanded(true);
    m_progress->setValue(m_progress->value() + 1);
    UpdateButtons();
    emit StepFinished(result);
}

void TFormPlanRun::ShowSummary(const TPlanRun::TSummary &summary)
{
    for (int i = m_results.size(); i < m_steps->topLevelItemCount(); ++i)
        m_steps->topLevelItem(i)->setText(ColumnResult, tr("not run"));
    QString text = tr("%1 passed, %2 failed, %3 not run, in %4 ms")
                       .arg(summary.Passed)
                       .arg(summary.Failed)
                       .arg(summary.NotRun)
                       .arg(summary.ElapsedMs);
    if (summary.Stopped)
        text = tr("Stopped: %1").arg(text);
    m_summary->setText(text);
    if (m_window)
        m_window->SetPlanRunning(false);
    UpdateButtons();
    emit RunningChanged(false);
    emit Finished();
}

const TStepResult *TFormPlanRun::SelectedResult() const
{
    QTreeWidgetItem *item = m_steps->currentItem();
    while (item && item->parent())
        item = item->parent();
    if (!item)
        return nullptr;
    const int index = item->data(ColumnStep, Qt::UserRole).toInt();
    for (const TStepResult &result : m_results)
        if (result.Index == index)
            return &result;
    return nullptr;
}

void TFormPlanRun::UpdateButtons()
{
    const bool running = m_run->IsRunning();
    const TStepResult *result = SelectedResult();
    m_buttonOpen->setEnabled(!running && result && !result->Passed() && !result->Wait);
    m_buttonStop->setEnabled(running);
    m_buttonClose->setEnabled(!running);
}

bool TFormPlanRun::OpenSelectedStep()
{
    const TStepResult *result = SelectedResult();
    if (!m_window || !result || result->Wait || m_run->IsRunning())
        return false;
    if (!m_window->OpenCommand(result->Section, result->Inputs)) {
        m_prompts.Error(this, TPrompts::ErrorCaption,
                        tr("The terminal file no longer holds the command %1.").arg(result->Command));
        return false;
    }
    if (QMdiArea *area = m_window->mdiArea())
        area->setActiveSubWindow(m_window);
    if (m_window->isMinimized())
        m_window->showNormal();
    return true;
}
