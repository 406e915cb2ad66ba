#include "execution/plan.h"

#include <QDir>
#include <QFileInfo>

#include <charconv>

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

QString TPlan::Folded(const QString &text)
{
    QString folded = text;
    QChar *out = nullptr;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x80)
            return text.toLower();
        if (c >= 'A' && c <= 'Z') {
            if (!out)
                out = folded.data();
            out[i] = QChar(char16_t(c + ('a' - 'A')));
        }
    }
    return folded;
}

bool TPlan::Number(QStringView text, double *value)
{
    text = text.trimmed();
    if (text.isEmpty())
        return false;
    // Plain decimals take the short way; anything else (an exponent, a
    // plus sign) is left to Qt as before.
    char digits[64];
    if (text.size() < qsizetype(sizeof digits)) {
        bool plain = true;
        for (qsizetype i = 0; i < text.size() && plain; ++i) {
            const char16_t c = text.at(i).unicode();
            plain = (c >= '0' && c <= '9') || c == '.' || c == ',' || (i == 0 && c == '-');
            digits[i] = c == ',' ? '.' : char(c);
        }
        if (plain) {
            const char *end = digits + text.size();
            const std::from_chars_result parsed = std::from_chars(digits, end, *value);
            if (parsed.ec == std::errc() && parsed.ptr == end)
                return true;
        }
    }
    QString copy = text.toString();
    copy.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    *value = copy.toDouble(&ok);
    return ok;
}
