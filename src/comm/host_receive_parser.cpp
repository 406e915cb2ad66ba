#include "comm/host_receive_parser.h"

#include "comm/host_framing.h"

THostReceiveParser::THostReceiveParser()
{
    m_buffer.reserve(THostFraming::ReceiveBufferSize);
}

void THostReceiveParser::Reset()
{
    m_buffer.clear();
    m_frameStart = 0;
    m_state = 0;
    m_sum = 0;
    m_received = 0;
    m_field.clear();
}

qsizetype THostReceiveParser::FreeSpace() const
{
    return THostFraming::ReceiveBufferSize - m_buffer.size();
}

THostReceiveParser::TResult THostReceiveParser::Feed(const QByteArray &chunk)
{
    TResult result;
    const qsizetype begin = m_buffer.size();
    m_buffer += chunk.left(FreeSpace());
    for (qsizetype i = begin; i < m_buffer.size(); ++i) {
        const char b = m_buffer.at(i);
        switch (m_state) {
        case 0:
        case 1:
            if (b == THostFraming::STX) {
                m_sum = quint8(THostFraming::STX);
                m_fields.clear();
                m_field.clear();
                m_frameStart = i;
                m_state = 2;
            } else if (b == THostFraming::DC2) {
                result.Actions.append(NotifyIntermediate);
            } else if (m_state == 0 && b == THostFraming::ACK) {
                result.Actions.append(NotifyAck);
                m_state = 1;
            } else if (m_state == 0 && b == THostFraming::NAK) {
                result.Actions.append(NotifyNak);
            }
            break;
        case 2:
            m_received = quint8(b);
            m_sum = quint16(m_sum + quint8(b));
            m_state = 3;
            break;
        case 3:
            m_sum = quint16(m_sum + quint8(b));
            if (b == THostFraming::ESC) {
                m_state = 4;
            } else if (b == THostFraming::FS) {
                m_fields.append(m_field);
                m_field.clear();
            } else if (b == THostFraming::ETX) {
                m_state = 5;
            } else {
                m_field += b;
            }
            break;
        case 4:
            m_sum = quint16(m_sum + quint8(b));
            m_field += b;
            m_state = 3;
            break;
        case 5:
            m_fields.append(m_field);
            m_field.clear();
            m_checkSum = QByteArray(1, b);
            m_state = 6;
            break;
        case 6:
        case 7:
            m_checkSum += b;
            ++m_state;
            break;
        case 8:
            m_checkSum += b;
            if (THostFraming::CheckSumValue(m_checkSum) != m_sum) {
                m_state = 1;
                m_buffer.clear();
                m_frameStart = 0;
                result.Outcome = BadChecksum;
                return result;
            }
            if (m_received == THostFraming::IntermediateSequence) {
                result.Actions.append(NotifyIntermediate);
                m_state = 1;
            } else if (m_received != m_lastSent) {
                result.Actions.append(WriteAck);
                m_state = 0;
            } else {
                m_readFrame = m_buffer.mid(m_frameStart, i + 1 - m_frameStart);
                m_state = 0;
                m_buffer.clear();
                m_frameStart = 0;
                result.Outcome = FinalFrame;
                return result;
            }
            break;
        }
    }
    // Keep only a frame that is half read, moved to the start of the buffer.
    if (m_state <= 1) {
        m_buffer.clear();
        m_frameStart = 0;
    } else if (m_frameStart > 0) {
        m_buffer.remove(0, m_frameStart);
        m_frameStart = 0;
    }
    return result;
}
