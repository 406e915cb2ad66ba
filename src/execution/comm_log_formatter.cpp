#include "execution/comm_log_formatter.h"

#include "comm/host_types.h"
#include "execution/execution_texts.h"

#include <QLocale>

namespace {

const QString OpenCom = QStringLiteral("Open COM");
const QString LineSettings = QStringLiteral(",N,8,1");

QString PortText(int commPort, const QString &deviceName)
{
    if (!deviceName.isEmpty())
        return QStringLiteral("Open ") + deviceName;
    return OpenCom + QString::number(commPort + 1);
}

}

QString TCommLogFormatter::Hex(const QByteArray &bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    QString text;
    text.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += QLatin1Char(digits[byte >> 4]);
        text += QLatin1Char(digits[byte & 0x0F]);
        text += QLatin1Char(' ');
    }
    return text;
}

QString TCommLogFormatter::HostOpenText(int commPort, int baudRate, const QString &deviceName)
{
    static const char *const rates[] = {" 1200", " 2400", " 4800", " 9600", " 19200", " 38400"};
    const QString rate = baudRate >= 0 && baudRate <= 5 ? QString::fromLatin1(rates[baudRate]) : QString();
    return PortText(commPort, deviceName) + rate + LineSettings;
}

QString TCommLogFormatter::FiscalOpenText(int commPort, const QString &deviceName)
{
    return PortText(commPort, deviceName) + QStringLiteral(" 9600") + LineSettings;
}

TCommLogFormatter::TFailure TCommLogFormatter::FailureOf(int lastError, const TLineFailure &line)
{
    if (line.Error == TSerialLine::AbortedError)
        return TFailure::Cancelled;
    if (line.Lost)
        return TFailure::PortGone;
    if (lastError == EFP_E_WriteError)
        return TFailure::WriteError;
    if (lastError == EFP_E_NackReceived)
        return TFailure::Nak;
    return TFailure::TimeOut;
}

QString TCommLogFormatter::FailureText(TCommandPort port, TFailure failure, const QString &detail)
{
    QString text = port == cpFiscalPort ? QStringLiteral("Fiscal port: ") : QStringLiteral("Host port: ");
    switch (failure) {
    case TFailure::TimeOut:
        return text + QStringLiteral("no answer in time (time-out)");
    case TFailure::Nak:
        return text + QStringLiteral("the printer refused the frame (NAK)");
    case TFailure::Cancelled:
        return text + QStringLiteral("cancelled by the user");
    case TFailure::WriteError:
        text += QStringLiteral("the frame could not be written");
        break;
    case TFailure::PortGone:
        text += QStringLiteral("the port has gone away");
        break;
    }
    return detail.isEmpty() ? text : text + QStringLiteral(" (") + detail + QLatin1Char(')');
}

QString TCommLogFormatter::Elapsed(qint64 elapsedUs)
{
    return ElapsedPrefix + ExecutionTexts::Milliseconds(elapsedUs, QLocale::c()) + QStringLiteral(" ms");
}

QStringList TCommLogFormatter::HeaderLines(const QString &programName)
{
    return {QStringLiteral("Quvero S.A."), programName};
}

QByteArray TCommLogFormatter::SessionStart(const QDateTime &now)
{
    const QLocale locale;
    const QString stamp = locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ')
                          + locale.toString(now.time(), QLocale::LongFormat);
    return LineEnd + stamp.toUtf8() + LineEnd;
}

QByteArray TCommLogFormatter::FileLine(const QString &line)
{
    return line.toUtf8() + LineEnd;
}
