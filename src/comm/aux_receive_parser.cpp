#include "comm/aux_receive_parser.h"

#include "comm/aux_framing.h"

#include <utility>

void TAuxReceiveParser::Feed(QByteArrayView bytes)
{
    if (m_inputPos == m_input.size()) {
        m_input.clear();
        m_inputPos = 0;
    }
    m_input.append(bytes.data(), bytes.size());
}

TAuxReceiveParser::TStep TAuxReceiveParser::Next()
{
    while (m_inputPos < m_input.size()) {
        const char b = m_input.at(m_inputPos++);
        switch (m_state) {
        case 0:
            if (b == TAuxFraming::ACK)
                return {TStep::AckReceived, {}};
            if (b == TAuxFraming::NAK)
                return {TStep::NakReceived, {}};
            if (b == TAuxFraming::STX) {
                m_frame = QByteArray(1, b);
                m_sum = quint8(b);
                m_state = 1;
                break;
            }
            return {TStep::OtherByte, QByteArray(1, b)};
        case 1:
            m_frame.append(b);
            m_sum += quint8(b);
            if (b == TAuxFraming::ETX)
                m_state = 2;
            break;
        default: {
            m_frame.append(b);
            m_state = 0;
            const bool good = quint8(m_sum + quint8(b)) == 0;
            return {good ? TStep::FrameComplete : TStep::BadChecksum, std::exchange(m_frame, {})};
        }
        }
        if (m_frame.size() >= BufferSize) {
            m_state = 0;
            return {TStep::Overflow, std::exchange(m_frame, {})};
        }
    }
    return {TStep::MoreNeeded, {}};
}

void TAuxReceiveParser::Reset()
{
    m_input.clear();
    m_inputPos = 0;
    m_frame.clear();
    m_state = 0;
    m_sum = 0;
}
