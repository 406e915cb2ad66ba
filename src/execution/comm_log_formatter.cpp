#include "execution/comm_log_formatter.h"

#include "comm/event_clock.h"
#include "comm/host_types.h"
#include "execution/execution_texts.h"
#include "terminal_model/text_codec.h"

#include <QLocale>

#include <array>

namespace {

const QString OpenCom = QStringLiteral("Open COM");
const QString LineSettings = QStringLiteral(",N,8,1");

// What each byte value reads as in the text form of a frame.
const std::array<QString, 256> &TextTable()
{
    static const std::array<QString, 256> table = [] {
        std::array<QString, 256> t;
        for (int byte = 0; byte < 256; ++byte) {
            const QString decoded = TTextCodec::DecodeWindows1252(QByteArray(1, char(byte)));
            // The bytes 1252 leaves undefined decode to C1 controls.
            const bool control = byte < 0x20 || (byte >= 0x7F && byte <= 0x9F && decoded.at(0).unicode() < 0xA0);
            t[byte] = control ? QStringLiteral("<%1>").arg(byte, 2, 16, QLatin1Char('0')).toUpper() : decoded;
        }
        t[0x02] = QStringLiteral("<STX>");
        t[0x03] = QStringLiteral("<ETX>");
        t[0x06] = QStringLiteral("<ACK>");
        t[0x12] = QStringLiteral("<DC2>");
        t[0x15] = QStringLiteral("<NAK>");
        t[0x1B] = QStringLiteral("<ESC>");
        t[0x1C] = QStringLiteral("<FS>");
        return t;
    }();
    return table;
}

QString PortText(int commPort, const QString &deviceName)
{
    if (!deviceName.isEmpty())
        return QStringLiteral("Open ") + deviceName;
    return OpenCom + QString::number(commPort + 1);
}

}

QString TCommLogFormatter::Hex(const QByteArray &bytes)
{
    QString text;
    AppendHex(text, bytes);
    return text;
}

void TCommLogFormatter::AppendHex(QString &out, QByteArrayView bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    const qsizetype start = out.size();
    out.resize(start + bytes.size() * 3);
    QChar *to = out.data() + start;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *to++ = QLatin1Char(digits[byte >> 4]);
        *to++ = QLatin1Char(digits[byte & 0x0F]);
        *to++ = QLatin1Char(' ');
    }
}

QString TCommLogFormatter::Text(const QByteArray &bytes)
{
    QString text;
    AppendText(text, bytes);
    return text;
}

void TCommLogFormatter::AppendText(QString &out, QByteArrayView bytes)
{
    const std::array<QString, 256> &table = TextTable();
    out.reserve(out.size() + TextLength(bytes));
    for (const char c : bytes)
        out += table[static_cast<unsigned char>(c)];
}

qsizetype TCommLogFormatter::TextLength(QByteArrayView bytes)
{
    const std::array<QString, 256> &table = TextTable();
    qsizetype length = 0;
    for (const char c : bytes)
        length += table[static_cast<unsigned char>(c)].size();
    return length;
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

QByteArray TCommLogFormatter::StampedFileLine(qint64 us, const QString &line)
{
    return FileLine(TimeStamp(us) + QLatin1Char(' ') + line);
}

QString TCommLogFormatter::TimeStamp(qint64 us)
{
    return TEventClock::TimeOfDay(us);
}
