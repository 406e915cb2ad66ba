#include "comm/host_framing.h"

#include <limits>

quint16 THostFraming::FrameSum(const QByteArray &bytes)
{
    quint16 sum = 0;
    for (char byte : bytes)
        sum = quint16(sum + quint8(byte));
    return sum;
}

QByteArray THostFraming::GetFrameCheckSum(const QByteArray &bytes)
{
    return QByteArray::number(FrameSum(bytes), 16).toUpper().rightJustified(4, '0');
}

quint16 THostFraming::CheckSumValue(const QByteArray &digits)
{
    if (digits.size() != 4)
        return 0;
    quint16 value = 0;
    for (char digit : digits) {
        int nibble;
        if (digit >= '0' && digit <= '9')
            nibble = digit - '0';
        else if (digit >= 'A' && digit <= 'F')
            nibble = digit - 'A' + 10;
        else if (digit >= 'a' && digit <= 'f')
            nibble = digit - 'a' + 10;
        else
            return 0;
        value = quint16((value << 4) | nibble);
    }
    return value;
}

bool THostFraming::NeedsEscape(quint8 byte)
{
    return byte == 0x02 || byte == 0x03 || (byte >= 0x1A && byte <= 0x1F);
}

bool THostFraming::IsCompatibleDataByte(quint8 byte)
{
    return byte >= 0x20 && byte <= 0x7F;
}

QByteArray THostFraming::EscapeField(const QByteArray &field)
{
    QByteArray escaped;
    escaped.reserve(field.size());
    for (char byte : field) {
        if (NeedsEscape(quint8(byte)))
            escaped += ESC;
        escaped += byte;
    }
    return escaped;
}

QByteArray THostFraming::BuildFrame(quint8 sequence, const QList<QByteArray> &fields, bool escape)
{
    QByteArray frame;
    frame += STX;
    frame += char(sequence);
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            frame += FS;
        frame += escape ? EscapeField(fields[i]) : fields[i];
    }
    frame += ETX;
    frame += GetFrameCheckSum(frame);
    return frame;
}

QByteArray THostFraming::BuildCommandFrame(TProtocolType protocol, quint8 sequence,
                                           const QList<QByteArray> &fields)
{
    return BuildFrame(sequence, fields, protocol == protocol_Extended);
}

QByteArray THostFraming::BuildAnswerFrame(quint8 sequence, const QList<QByteArray> &fields)
{
    return BuildFrame(sequence, fields, true);
}

QList<QByteArray> THostFraming::AnswerFields(TProtocolType protocol, qint16 printerStatus,
                                             qint16 fiscalStatus, qint16 returnCode,
                                             const QList<QByteArray> &extraFields)
{
    QList<QByteArray> fields;
    if (protocol == protocol_Compatible) {
        fields << QByteArray() << CompatibleStatusText(printerStatus)
               << CompatibleStatusText(fiscalStatus);
    } else {
        fields << ExtenFixedFieldBytes(printerStatus) << ExtenFixedFieldBytes(fiscalStatus)
               << QByteArray() << ExtenFixedFieldBytes(returnCode) << QByteArray();
    }
    fields += extraFields;
    return fields;
}

QByteArray THostFraming::ExtenFixedFieldBytes(qint16 value)
{
    const quint16 word = quint16(value);
    QByteArray bytes;
    bytes += char(word >> 8);
    bytes += char(word & 0xFF);
    return bytes;
}

QByteArray THostFraming::CompatibleStatusText(qint16 value)
{
    return '$' + QByteArray::number(quint16(value), 16).toUpper().rightJustified(4, '0');
}

THostFraming::TParseStatus THostFraming::ParseFrame(const QByteArray &bytes, THostFrame &frame)
{
    frame = THostFrame();
    if (bytes.isEmpty() || bytes.at(0) != STX)
        return FrameNotStarted;
    if (bytes.size() < 2)
        return FrameIncomplete;
    frame.Sequence = quint8(bytes.at(1));
    quint16 sum = quint16(quint8(STX) + frame.Sequence);
    QByteArray field;
    qsizetype i = 2;
    for (; i < bytes.size(); ++i) {
        const char byte = bytes.at(i);
        sum = quint16(sum + quint8(byte));
        if (byte == ETX)
            break;
        if (byte == FS) {
            frame.Fields.append(field);
            field.clear();
        } else if (byte == ESC) {
            if (++i == bytes.size())
                return FrameIncomplete;
            sum = quint16(sum + quint8(bytes.at(i)));
            field += bytes.at(i);
        } else {
            field += byte;
        }
    }
    if (i + 4 >= bytes.size()) {
        frame.Fields.clear();
        return FrameIncomplete;
    }
    frame.Fields.append(field);
    frame.Length = i + 5;
    return CheckSumValue(bytes.mid(i + 1, 4)) == sum ? FrameComplete : FrameBadChecksum;
}

quint8 THostFraming::NextSequenceNumber(TProtocolType protocol, quint8 previous)
{
    if (protocol == protocol_Compatible)
        return previous < 0x20 || previous >= 0x7F ? 0x20 : quint8(previous + 1);
    return previous < 0x81 || previous == 0xFF ? 0x81 : quint8(previous + 1);
}

quint8 THostFraming::FirstSequenceNumber(TProtocolType protocol, quint32 random)
{
    if (protocol == protocol_Compatible)
        return quint8(0x20 + random % 0x60);
    return quint8(0x81 + random % 0x7F);
}

QByteArray THostFraming::FormatExtenFixedField(const QByteArray &field)
{
    if (field.isEmpty())
        return QByteArrayLiteral("00");
    if (field.size() == 1)
        return '0' + field;
    return field;
}

qint16 THostFraming::ExtenFixedFieldValue(const QByteArray &field)
{
    const QByteArray padded = FormatExtenFixedField(field);
    return qint16(quint16((quint8(padded.at(0)) << 8) | quint8(padded.at(1))));
}

bool THostFraming::CompatibleStatusValue(const QByteArray &text, qint16 &value)
{
    value = 0;
    QByteArray digits = text.trimmed();
    bool negative = false;
    if (digits.startsWith('-') || digits.startsWith('+')) {
        negative = digits.startsWith('-');
        digits.remove(0, 1);
    }
    int base = 10;
    if (digits.startsWith('$')) {
        digits.remove(0, 1);
        base = 16;
    } else if (digits.startsWith("0x") || digits.startsWith("0X")) {
        digits.remove(0, 2);
        base = 16;
    }
    // toULongLong would take a second sign or white space; the digits alone count.
    if (digits.isEmpty() || digits.startsWith('-') || digits.startsWith('+')
        || digits.trimmed().size() != digits.size())
        return false;
    bool ok = false;
    const qulonglong magnitude = digits.toULongLong(&ok, base);
    if (!ok)
        return false;
    const quint16 low = quint16(magnitude & 0xFFFF);
    value = qint16(negative ? quint16(0x10000 - low) : low);
    return true;
}

TSplitAnswer THostFraming::SplitAnswer(TProtocolType protocol, const QList<QByteArray> &fields)
{
    TSplitAnswer answer;
    const qsizetype n = fields.size();
    if (protocol == protocol_Compatible) {
        if (n >= 2)
            CompatibleStatusValue(fields[1], answer.PrinterStatus);
        if (n >= 3)
            CompatibleStatusValue(fields[2], answer.FiscalStatus);
        if (n >= 4) {
            answer.HasExtraFields = true;
            answer.ExtraFields = fields.mid(3);
        }
    } else {
        if (n >= 1)
            answer.PrinterStatus = ExtenFixedFieldValue(fields[0]);
        if (n >= 2)
            answer.FiscalStatus = ExtenFixedFieldValue(fields[1]);
        if (n >= 4)
            answer.ReturnCode = ExtenFixedFieldValue(fields[3]);
        if (n >= 6) {
            answer.HasExtraFields = true;
            answer.ExtraFields = fields.mid(5);
        }
    }
    return answer;
}

int THostFraming::WriteTimeOut(TBaudRate baudRate, qsizetype count, int marginMs)
{
    int perByte = 10;
    switch (baudRate) {
    case br1200: perByte = 25; break;
    case br2400: perByte = 20; break;
    case br4800: perByte = 14; break;
    default: break;
    }
    return int(qMin<qint64>(qint64(count) * perByte + marginMs, std::numeric_limits<int>::max()));
}

qint32 THostFraming::BaudRateValue(TBaudRate baudRate)
{
    switch (baudRate) {
    case br1200: return 1200;
    case br2400: return 2400;
    case br4800: return 4800;
    case br9600: return 9600;
    case br19200: return 19200;
    case br38400: return 38400;
    }
    return 19200;
}

QString THostFraming::PortName(TCommPort port)
{
    const int number = port <= Com4 ? int(port) : int(Com1);
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number + 1);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number);
#endif
}
