#include "execution/plan.h"

#include <QDir>
#include <QFileInfo>

QString TPlan::TProblem::Text() const
{
    const QString where = Line > 0 ? File + QLatin1Char(':') + QString::number(Line) : File;
    return where + QStringLiteral(": ") + Message;
}

QString TPlan::TStep::DisplayTitle() const
{
    if (!Title.isEmpty())
        return Title;
    if (!Command.isEmpty())
        return Command;
    return QStringLiteral("Wait %1 ms").arg(WaitMs);
}

bool TPlan::TStep::ExpectsOutcome() const
{
    for (const TExpectation &expectation : Expectations)
        if (expectation.Kind == TExpectationKind::Outcome)
            return true;
    return false;
}

QString TPlan::TerminalPath() const
{
    if (Terminal.isEmpty() || QFileInfo(Terminal).isAbsolute())
        return Terminal;
    return QDir::cleanPath(QFileInfo(FileName).absoluteDir().filePath(Terminal));
}

bool TPlan::UsesPort(TCommandPort port) const
{
    for (const TStep &step : Steps)
        if (!step.IsWait() && step.Port == port)
            return true;
    return false;
}
