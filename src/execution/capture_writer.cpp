#include "execution/capture_writer.h"

#include "comm/aux_framing.h"
#include "comm/event_clock.h"
#include "comm/host_framing.h"
#include "execution/ports.h"

#include <QCoreApplication>
#include <QFile>

namespace {

QByteArray WallText(const QDateTime &wall)
{
    // With its offset from UTC, so the time reads the same anywhere.
    return wall.toOffsetFromUtc(wall.offsetFromUtc()).toString(Qt::ISODateWithMs).toLatin1();
}

QByteArray OffsetText(qint64 us)
{
    us = qMax<qint64>(0, us);
    return QByteArray::number(us / 1000000) + '.' + QByteArray::number(us % 1000000).rightJustified(6, '0');
}

} // namespace

TCaptureWriter::TCaptureWriter(TPorts &ports, QObject *parent)
    : QObject(parent)
{
    Connect(ports);
}

TCaptureWriter::~TCaptureWriter()
{
    Stop();
}

QByteArray TCaptureWriter::HeaderLine()
{
    return FormatName + ' ' + QByteArray::number(Version) + '\n';
}

QByteArray TCaptureWriter::Line(const TCaptureRecord &record)
{
    return WallText(record.Wall) + ' ' + OffsetText(record.OffsetUs) + ' '
        + (record.Port == cpHostPort ? "host" : "fiscal") + ' ' + (record.Out ? "out" : "in") + ' '
        + record.Bytes.toHex(' ').toUpper() + '\n';
}

bool TCaptureWriter::Start(const QString &fileName, TMode mode, QString *error)
{
    auto file = std::make_unique<QFile>(fileName);
    // A missing or empty file starts anew; one with content is appended to
    // only when it is a capture.
    const bool appending = mode == TMode::Append && file->exists() && file->size() > 0;
    if (appending) {
        // Records go only after the header of a capture.
        if (!file->open(QIODevice::ReadOnly)) {
            *error = tr("cannot open the capture file %1: %2").arg(fileName, file->errorString());
            return false;
        }
        const bool isCapture = file->read(FormatName.size() + 1) == FormatName + ' ';
        file->close();
        if (!isCapture) {
            *error = tr("%1 is not a capture file; it is left as it is").arg(fileName);
            return false;
        }
    }
    const QIODevice::OpenMode how = QIODevice::WriteOnly | QIODevice::Unbuffered
        | (appending ? QIODevice::Append : QIODevice::Truncate);
    if (!file->open(how)) {
        *error = tr("cannot open the capture file %1: %2").arg(fileName, file->errorString());
        return false;
    }
    return Start(std::move(file), fileName, error);
}

bool TCaptureWriter::Start(std::unique_ptr<QIODevice> device, const QString &fileName, QString *error)
{
    Stop();
    m_device = std::move(device);
    m_fileName = fileName;
    m_goodSize = m_device->size();
    m_startUs = TEventClock::NowUs();
    const QByteArray session = "# session " + WallText(TEventClock::WallTime(m_startUs)) + ' '
        + QCoreApplication::applicationName().toUtf8() + '\n';
    if ((m_goodSize == 0 && !Write(HeaderLine())) || !Write(session)) {
        *error = tr("cannot write the capture file %1: %2").arg(fileName, m_writeError);
        m_device.reset();
        return false;
    }
    return true;
}

void TCaptureWriter::Stop()
{
    m_device.reset();
}

bool TCaptureWriter::Write(const QByteArray &bytes)
{
    if (m_device->write(bytes) == bytes.size()) {
        m_goodSize += bytes.size();
        return true;
    }
    m_writeError = m_device->errorString();
    // A line written in part would stop every reader at it.
    if (auto *file = qobject_cast<QFileDevice *>(m_device.get()))
        file->resize(m_goodSize);
    return false;
}

void TCaptureWriter::Record(TCommandPort port, bool out, const QByteArray &bytes)
{
    if (!m_device)
        return;
    const qint64 now = TEventClock::NowUs();
    if (Write(Line({TEventClock::WallTime(now), now - m_startUs, port, out, bytes})))
        return;
    const QString message = tr("cannot write the capture file %1: %2").arg(m_fileName, m_writeError);
    m_device.reset();
    emit Failed(message);
}

void TCaptureWriter::Connect(TPorts &ports)
{
    const auto in = [this](TCommandPort port, char byte) { Record(port, false, QByteArray(1, byte)); };
    TFPHostControl *host = &ports.Host();
    connect(host, &TFPHostControl::OnWrite, this, [this](const QByteArray &frame) { Record(cpHostPort, true, frame); });
    connect(host, &TFPHostControl::OnRead, this, [this](const QByteArray &frame) { Record(cpHostPort, false, frame); });
    connect(host, &TFPHostControl::OnAck, this, [in] { in(cpHostPort, THostFraming::ACK); });
    connect(host, &TFPHostControl::OnNack, this, [in] { in(cpHostPort, THostFraming::NAK); });
    connect(host, &TFPHostControl::OnIntermediateAnswer, this, [in] { in(cpHostPort, THostFraming::DC2); });
    TFPAuxControl *aux = &ports.Aux();
    connect(aux, &TFPAuxControl::OnWrite, this, [this](const QByteArray &frame) { Record(cpFiscalPort, true, frame); });
    connect(aux, &TFPAuxControl::OnRead, this, [this](const QByteArray &frame) { Record(cpFiscalPort, false, frame); });
    connect(aux, &TFPAuxControl::OnAck, this, [in] { in(cpFiscalPort, TAuxFraming::ACK); });
    connect(aux, &TFPAuxControl::OnNack, this, [in] { in(cpFiscalPort, TAuxFraming::NAK); });
}
