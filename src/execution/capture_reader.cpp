#include "execution/capture_reader.h"

#include "execution/capture_writer.h"

#include <QFile>
#include <QRegularExpression>

#include <cctype>

namespace {

// Seconds with up to six decimals, as microseconds; -1 when it is not one.
qint64 OffsetUs(const QByteArray &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,12})(?:\\.(\\d{1,6}))?$"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(text));
    if (!match.hasMatch())
        return -1;
    const QString fraction = match.captured(2).leftJustified(6, QLatin1Char('0'));
    return match.captured(1).toLongLong() * 1000000 + fraction.toLongLong();
}

bool IsHexByte(const QByteArray &token)
{
    return token.size() == 2 && std::isxdigit(uchar(token[0])) && std::isxdigit(uchar(token[1]));
}

} // namespace

bool TCaptureReader::Read(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_records.clear();
        m_error = tr("cannot read the capture file %1: %2").arg(fileName, file.errorString());
        return false;
    }
    return ReadText(file.readAll(), fileName);
}

bool TCaptureReader::Fail(const QString &name, int line, const QString &message)
{
    m_records.clear();
    m_error = QStringLiteral("%1:%2: %3").arg(name).arg(line).arg(message);
    return false;
}

bool TCaptureReader::ReadText(const QByteArray &text, const QString &name)
{
    m_records.clear();
    m_error.clear();
    const QList<QByteArray> lines = text.split('\n');
    bool header = false;
    for (int i = 0; i < lines.size(); ++i) {
        const int number = i + 1;
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> tokens = line.simplified().split(' ');
        if (!header) {
            bool ok = false;
            const int version = tokens.size() == 2 ? tokens[1].toInt(&ok) : 0;
            if (tokens[0] != TCaptureWriter::FormatName || !ok || version < 1)
                return Fail(name, number, tr("not a capture file: the first line is not \"tessaly-capture %1\"")
                                              .arg(TCaptureWriter::Version));
            if (version > TCaptureWriter::Version)
                return Fail(name, number, tr("capture version %1 is newer than this program reads (%2)")
                                              .arg(version)
                                              .arg(TCaptureWriter::Version));
            header = true;
            continue;
        }
        if (tokens.size() < 4)
            return Fail(name, number, tr("a record needs a time, an offset, a port, a kind and its data"));
        const QByteArray &kind = tokens[3];
        if (kind != "out" && kind != "in")
            continue;
        TCaptureRecord record;
        record.Out = kind == "out";
        record.Wall = QDateTime::fromString(QString::fromLatin1(tokens[0]), Qt::ISODateWithMs);
        if (!record.Wall.isValid())
            return Fail(name, number, tr("'%1' is not a date and time").arg(QString::fromLatin1(tokens[0])));
        record.OffsetUs = OffsetUs(tokens[1]);
        if (record.OffsetUs < 0)
            return Fail(name, number, tr("'%1' is not an offset in seconds").arg(QString::fromLatin1(tokens[1])));
        if (tokens[2] == "host")
            record.Port = cpHostPort;
        else if (tokens[2] == "fiscal")
            record.Port = cpFiscalPort;
        else
            return Fail(name, number, tr("'%1' is not a port (host or fiscal)").arg(QString::fromLatin1(tokens[2])));
        if (tokens.size() == 4)
            return Fail(name, number, tr("the record holds no bytes"));
        for (qsizetype t = 4; t < tokens.size(); ++t) {
            if (!IsHexByte(tokens[t]))
                return Fail(name, number, tr("'%1' is not a hexadecimal byte").arg(QString::fromLatin1(tokens[t])));
            record.Bytes += char(tokens[t].toUShort(nullptr, 16));
        }
        m_records.append(record);
    }
    if (!header)
        return Fail(name, int(lines.size()), tr("not a capture file: it has no \"tessaly-capture %1\" line")
                                                  .arg(TCaptureWriter::Version));
    return true;
}
