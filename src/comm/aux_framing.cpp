#include "comm/aux_framing.h"

#include <array>

quint8 TAuxFraming::CheckSum(QByteArrayView data)
{
    quint8 sum = quint8(STX) + quint8(ETX);
    for (char b : data)
        sum += quint8(b);
    return quint8(0x100 - sum);
}

QByteArray TAuxFraming::BuildFrame(QByteArrayView data)
{
    QByteArray frame;
    frame.reserve(data.size() + 3);
    frame.append(STX);
    frame.append(data.data(), data.size());
    frame.append(ETX);
    frame.append(char(CheckSum(data)));
    return frame;
}

bool TAuxFraming::IsZeroSum(QByteArrayView frame)
{
    quint8 sum = 0;
    for (char b : frame)
        sum += quint8(b);
    return sum == 0;
}

QByteArray TAuxFraming::FrameText(QByteArrayView frame)
{
    if (frame.size() < 3)
        return {};
    return frame.sliced(1, frame.size() - 3).toByteArray();
}

bool TAuxFraming::IsFinalText(QByteArrayView text)
{
    static constexpr std::array<const char *, 7> finalCodes = {
        "0000", "0001", "0002", "0003", "0004", "0010", "0011"};
    if (text.size() < 4)
        return false;
    const QByteArrayView head = text.first(4);
    for (const char *code : finalCodes) {
        if (head == QByteArrayView(code))
            return true;
    }
    return false;
}

bool TAuxFraming::IsFinalFrame(QByteArrayView frame)
{
    if (frame.size() < 5)
        return false;
    return IsFinalText(frame.sliced(1, 4));
}
