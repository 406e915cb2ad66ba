#include "runner_log.h"

#include <QTest>

TRunnerLog::TRunnerLog(TCommandRunner &runner)
{
    connect(&runner, &TCommandRunner::StatusText, this,
            [this](const QString &text) { Events << "status:" + text; });
    connect(&runner, &TCommandRunner::TreeEnabledChanged, this,
            [this](bool on) { Events << QStringLiteral("tree:%1").arg(on); });
    connect(&runner, &TCommandRunner::SendEnabledChanged, this,
            [this](bool on) { Events << QStringLiteral("send:%1").arg(on); });
    connect(&runner, &TCommandRunner::RepeatEnabledChanged, this,
            [this](bool on) { Events << QStringLiteral("repeat:%1").arg(on); });
    connect(&runner, &TCommandRunner::ErrorMessage, this,
            [this](const QString &text) { Events << "error:" + text; });
    connect(&runner, &TCommandRunner::InformationMessage, this,
            [this](const QString &text) { Events << "info:" + text; });
    connect(&runner, &TCommandRunner::FocusField, this,
            [this](int field) { Events << QStringLiteral("focus:%1").arg(field); });
    connect(&runner, &TCommandRunner::AnswerReady, this, [this](const TReceivedAnswer &a) {
        Answers << a;
        Events << "answer:" + a.commandKey;
    });
    connect(&runner, &TCommandRunner::FiscalAnswer, this, [this](const QByteArray &text, bool final) {
        Events << QStringLiteral("fiscal:%1:%2").arg(final ? "final" : "more", QString::fromLatin1(text));
    });
    connect(&runner, &TCommandRunner::Finished, this, [this](const TRunOutcome &outcome) {
        Outcomes << outcome;
        Events << QStringLiteral("finished:%1:%2").arg(TRunOutcome::KindName(outcome.kind)).arg(outcome.sent);
    });
}

QStringList TRunnerLog::Statuses() const
{
    QStringList result;
    for (const QString &e : Events)
        if (e.startsWith("status:"))
            result << e.mid(7);
    return result;
}

bool TRunnerLog::WaitFinished(int timeoutMs)
{
    return QTest::qWaitFor([this] { return !Outcomes.isEmpty(); }, timeoutMs);
}
