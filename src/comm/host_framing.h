#pragma once

#include "comm/host_types.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A frame as read from the wire: fields unescaped, separators removed.
struct THostFrame
{
    quint8 Sequence = 0;
    QList<QByteArray> Fields;
    qsizetype Length = 0;  // bytes from the STX through the last checksum digit
};

// The status words, return code and extra fields of an answer.
struct TSplitAnswer
{
    qint16 PrinterStatus = 0;
    qint16 FiscalStatus = 0;
    qint16 ReturnCode = 0;
    bool HasExtraFields = false;   // the answer reached the extra fields
    QList<QByteArray> ExtraFields;
};

// The host wire format, both directions, as pure functions:
//   STX, sequence number, fields separated by FS, ETX, then four hexadecimal
//   digits of the 16-bit sum of every byte from the STX through the ETX.
// Command frames of the extended protocol escape control bytes inside fields
// with ESC; answers may escape in both protocols.
class THostFraming
{
public:
    static constexpr char STX = 0x02;
    static constexpr char ETX = 0x03;
    static constexpr char ACK = 0x06;
    static constexpr char DC2 = 0x12;
    static constexpr char NAK = 0x15;
    static constexpr char ESC = 0x1B;
    static constexpr char FS = 0x1C;

    // Sequence number of an intermediate answer frame; never sent by the host.
    static constexpr quint8 IntermediateSequence = 0x80;
    // Raw field bytes of one command, separators not counted.
    static constexpr int MaxDataLength = 2048;
    // Largest command frame the worker accepts.
    static constexpr int SendBufferSize = 8192;
    // Bytes the worker collects while reading one answer.
    static constexpr int ReceiveBufferSize = 8192;
    // Silence after which a command ends without an answer.
    static constexpr int AnswerTimeOutMs = 2500;
    // Added to the per-byte time of every write.
    static constexpr int WriteTimeOutMarginMs = 1500;

    // 16-bit sum, modulo 65536, of every byte.
    static quint16 FrameSum(const QByteArray &bytes);
    // That sum as four upper-case hexadecimal digits.
    static QByteArray GetFrameCheckSum(const QByteArray &bytes);
    // Four hexadecimal digits of either case; anything else reads as 0.
    static quint16 CheckSumValue(const QByteArray &digits);

    // A byte written as ESC plus the byte inside extended command fields.
    static bool NeedsEscape(quint8 byte);
    // The only bytes a compatible-protocol field may hold (0x20-0x7F).
    static bool IsCompatibleDataByte(quint8 byte);
    static QByteArray EscapeField(const QByteArray &field);

    // STX, sequence, the given fields joined by FS (escaped when asked), ETX, checksum.
    static QByteArray BuildFrame(quint8 sequence, const QList<QByteArray> &fields, bool escape);
    // A command frame as the host sends it in the given protocol.
    static QByteArray BuildCommandFrame(TProtocolType protocol, quint8 sequence,
                                        const QList<QByteArray> &fields);
    // An answer frame as a printer sends it (control bytes escaped).
    static QByteArray BuildAnswerFrame(quint8 sequence, const QList<QByteArray> &fields);

    // The fields of an answer in the given protocol: the unused positions
    // are empty, the status words written the protocol's way.
    static QList<QByteArray> AnswerFields(TProtocolType protocol, qint16 printerStatus,
                                          qint16 fiscalStatus, qint16 returnCode,
                                          const QList<QByteArray> &extraFields);
    // A binary status field of the extended protocol: two bytes, big-endian.
    static QByteArray ExtenFixedFieldBytes(qint16 value);
    // A status field of the compatible protocol: "$" and four hex digits.
    static QByteArray CompatibleStatusText(qint16 value);

    enum TParseStatus {
        FrameComplete,     // checksum matches
        FrameBadChecksum,  // complete, but the checksum differs
        FrameIncomplete,   // more bytes needed
        FrameNotStarted    // the bytes do not start with STX
    };
    // Reads one frame from the start of bytes, which must begin with STX.
    // Length is set for complete frames, good or bad.
    static TParseStatus ParseFrame(const QByteArray &bytes, THostFrame &frame);

    // Sequence numbers: compatible 0x20-0x7F, extended 0x81-0xFF, wrapping.
    static quint8 NextSequenceNumber(TProtocolType protocol, quint8 previous);
    // The stored start drawn from a random number; the first frame carries
    // NextSequenceNumber() of it.
    static quint8 FirstSequenceNumber(TProtocolType protocol, quint32 random);

    // An extended status field padded to two bytes: empty gives "00", one
    // byte b gives "0" b; longer fields are returned as they are.
    static QByteArray FormatExtenFixedField(const QByteArray &field);
    // Its first two bytes as a big-endian signed 16-bit value.
    static qint16 ExtenFixedFieldValue(const QByteArray &field);
    // A compatible status text: a signed integer in decimal, or hexadecimal
    // after "$" or "0x", truncated to 16 bits. False (and 0) when it is not one.
    static bool CompatibleStatusValue(const QByteArray &text, qint16 &value);

    // Splits the fields of an answer by protocol.
    static TSplitAnswer SplitAnswer(TProtocolType protocol, const QList<QByteArray> &fields);

    // Milliseconds a write of count bytes may take at the given baud rate.
    static int WriteTimeOut(TBaudRate baudRate, qsizetype count,
                            int marginMs = WriteTimeOutMarginMs);
    // Bits per second; unknown values give 19200.
    static qint32 BaudRateValue(TBaudRate baudRate);
    // "COM1".."COM4" on Windows, /dev/ttyS0../dev/ttyS3 elsewhere; unknown
    // values give the first port.
    static QString PortName(TCommPort port);
};
