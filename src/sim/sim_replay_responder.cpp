#include "sim/sim_replay_responder.h"

#include "comm/aux_framing.h"
#include "comm/host_framing.h"

#include <utility>

namespace {

// The answer frame for another sequence number: the recorded bytes, escapes
// included, with a new sequence number and checksum.
QByteArray WithSequence(const QByteArray &frame, quint8 sequence)
{
    THostFrame parsed;
    const THostFraming::TParseStatus status = THostFraming::ParseFrame(frame, parsed);
    if (status == THostFraming::FrameIncomplete || status == THostFraming::FrameNotStarted
        || parsed.Sequence == THostFraming::IntermediateSequence)
        return frame;
    QByteArray body = frame.left(parsed.Length - 4);
    body[1] = char(sequence);
    return body + THostFraming::GetFrameCheckSum(body) + frame.mid(parsed.Length);
}

} // namespace

TSimReplayResponder::TSimReplayResponder(const QList<TCaptureRecord> &records, TCommandPort port,
                                         bool withDelays)
    : m_port(port)
{
    Load(records, withDelays);
}

void TSimReplayResponder::Load(const QList<TCaptureRecord> &records, bool withDelays)
{
    bool open = false;
    QByteArray key;
    TExchange exchange;
    qint64 last = 0;
    const auto finish = [&] {
        if (!open)
            return;
        while (!exchange.Groups.isEmpty() && exchange.Groups.last().isEmpty())
            exchange.Groups.removeLast();
        m_exchanges[key].append(std::exchange(exchange, {}));
        ++m_recorded;
        open = false;
    };
    for (const TCaptureRecord &record : records) {
        if (record.Port != m_port)
            continue;
        if (record.Out && IsCommand(record.Bytes)) {
            finish();
            open = true;
            key = Key(record.Bytes);
            exchange.Groups = {TGroup()};
            last = record.OffsetUs;
        } else if (open && record.Out) {
            // The host's ACK lets the printer go on; its NAK asked for a
            // frame again that the capture holds only once, as accepted.
            if (record.Bytes == QByteArray(1, THostFraming::ACK)) {
                exchange.Groups.append(TGroup());
                last = record.OffsetUs;
            }
        } else if (open) {
            const qint64 gapMs = withDelays ? qMax<qint64>(0, record.OffsetUs - last) / 1000 : 0;
            exchange.Groups.last().append({int(gapMs), record.Bytes});
            last = record.OffsetUs;
        }
    }
    finish();
}

bool TSimReplayResponder::IsCommand(const QByteArray &bytes) const
{
    if (m_port == cpFiscalPort)
        return bytes == QByteArray(1, TAuxFraming::ENQ)
            || (bytes.size() >= 3 && bytes.at(0) == TAuxFraming::STX && TAuxFraming::IsZeroSum(bytes));
    THostFrame frame;
    return bytes.startsWith(THostFraming::STX)
        && THostFraming::ParseFrame(bytes, frame) == THostFraming::FrameComplete && frame.Length == bytes.size();
}

QByteArray TSimReplayResponder::Key(const QByteArray &command) const
{
    // Host: the fields and ETX, between the sequence number and the checksum.
    return m_port == cpFiscalPort ? command : command.mid(2, command.size() - 6);
}

void TSimReplayResponder::Reset()
{
    m_hostInput.Reset();
    m_auxInput.Reset();
    m_pending.clear();
    m_lastFrame.clear();
    m_repeats = 0;
}

TSimResponder::TReaction TSimReplayResponder::Receive(const QByteArray &bytes)
{
    TReaction reaction;
    if (m_port == cpHostPort) {
        for (const TSimHostInput::TUnit &unit : m_hostInput.Feed(bytes)) {
            if (!TSimHostInput::Common(unit, reaction))
                continue;
            if (unit.Kind == TSimHostInput::TUnit::Ack) {
                HostAck(reaction);
            } else if (unit.Kind == TSimHostInput::TUnit::Nak) {
                HostNak(reaction);
            } else {
                m_sequence = unit.Frame.Sequence;
                Command(unit.Bytes, reaction);
            }
        }
        return reaction;
    }
    for (const TSimAuxInput::TUnit &unit : m_auxInput.Feed(bytes)) {
        if (!TSimAuxInput::Common(unit, reaction))
            continue;
        if (unit.Kind == TSimAuxInput::TUnit::Ack)
            HostAck(reaction);
        else if (unit.Kind == TSimAuxInput::TUnit::Nak)
            HostNak(reaction);
        else
            Command(unit.Bytes, reaction);   // ENQ or a request
    }
    return reaction;
}

void TSimReplayResponder::Command(const QByteArray &command, TReaction &reaction)
{
    const int request = ++m_requests;
    const QString tag = (m_port == cpHostPort ? QStringLiteral("command %1: ") : QStringLiteral("request %1: "))
                            .arg(request);
    m_pending.clear();
    m_lastFrame.clear();
    m_repeats = 0;
    const QByteArray key = Key(command);
    const auto found = m_exchanges.constFind(key);
    if (found == m_exchanges.constEnd()) {
        reaction.Notes << tag + QStringLiteral("not in the capture, NAK");
        reaction.Outputs.append({0, QByteArray(1, THostFraming::NAK)});
        return;
    }
    int &taken = m_taken[key];
    if (taken >= found->size())
        reaction.Notes << tag + QStringLiteral("its %1 recorded answers used up, the last one again").arg(found->size());
    const TExchange &exchange = found->at(qMin<qsizetype>(taken, found->size() - 1));
    ++taken;
    if (exchange.Groups.isEmpty())
        reaction.Notes << tag + QStringLiteral("no answer in the capture");
    m_pending = exchange.Groups;
    SendGroup(reaction);
}

void TSimReplayResponder::HostAck(TReaction &reaction)
{
    m_lastFrame.clear();
    SendGroup(reaction);
}

void TSimReplayResponder::HostNak(TReaction &reaction)
{
    if (m_lastFrame.isEmpty() || m_repeats >= MaxRepeats)
        return;
    ++m_repeats;
    reaction.Notes << QStringLiteral("answer repeated on NAK");
    reaction.Outputs.append({0, m_lastFrame});
}

void TSimReplayResponder::SendGroup(TReaction &reaction)
{
    if (m_pending.isEmpty())
        return;
    for (TOutput output : m_pending.takeFirst()) {
        if (output.Bytes.startsWith(THostFraming::STX)) {
            if (m_port == cpHostPort)
                output.Bytes = WithSequence(output.Bytes, m_sequence);
            m_lastFrame = output.Bytes;
            m_repeats = 0;
        }
        reaction.Outputs.append(output);
    }
}
