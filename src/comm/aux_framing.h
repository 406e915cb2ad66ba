#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Frames of the auxiliary fiscal port: STX, the data unchanged, ETX and one
// checksum byte that makes the 8-bit sum of the whole frame zero.
class TAuxFraming
{
public:
    static constexpr char STX = 0x02;
    static constexpr char ETX = 0x03;
    static constexpr char ENQ = 0x05;
    static constexpr char ACK = 0x06;
    static constexpr char NAK = 0x15;

    // Longest data a request frame may carry.
    static constexpr int MaxDataLength = 256;

    // The checksum byte for a frame with this data.
    static quint8 CheckSum(QByteArrayView data);

    // STX, data, ETX, checksum. The caller checks the length limit.
    static QByteArray BuildFrame(QByteArrayView data);

    // True when the 8-bit sum of all bytes is zero.
    static bool IsZeroSum(QByteArrayView frame);

    // The text of a whole frame: without STX, ETX and the checksum byte.
    // Anything shorter than a frame yields an empty text.
    static QByteArray FrameText(QByteArrayView frame);

    // True when the text starts with one of the final-answer codes.
    static bool IsFinalText(QByteArrayView text);

    // IsFinalText of the frame's text positions 1-4.
    static bool IsFinalFrame(QByteArrayView frame);
};
