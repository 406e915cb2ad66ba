#include "comm/host_framing.h"
#include "comm/pseudo_terminal.h"
#include "execution/capture_reader.h"
#include "execution/capture_writer.h"
#include "execution/port_settings.h"
#include "execution/ports.h"
#include "terminal_model/settings.h"
#include "test_files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// A file on a disk that fills up after budget more bytes: the write that
// crosses it goes out in part and fails, as a full disk does.
class TFillingFile : public QFile
{
public:
    TFillingFile(const QString &name, qint64 budget) : QFile(name), m_budget(budget) {}

protected:
    qint64 writeData(const char *data, qint64 size) override
    {
        if (size <= m_budget) {
            m_budget -= size;
            return QFile::writeData(data, size);
        }
        QFile::writeData(data, m_budget);
        m_budget = 0;
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }

private:
    qint64 m_budget;
};

QStringList Records(const QString &fileName)
{
    TCaptureReader reader;
    if (!reader.Read(fileName))
        return {reader.ErrorString()};
    QStringList lines;
    for (const TCaptureRecord &record : reader.Records())
        lines << QStringLiteral("%1 %2 %3").arg(record.Port == cpHostPort ? "host" : "fiscal",
                                                record.Out ? "out" : "in",
                                                QString::fromLatin1(record.Bytes.toHex(' ')));
    return lines;
}

} // namespace

// Recording both ports: every exchange as it goes over the wire, files
// started anew or appended to, and a disk that fills up.
class TestCaptureWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void recordsBothPortsAsOnTheWire();
    void appendsToCaptureOnly();
    void fullDiskStopsAndKeepsEarlierRecords();
    void fullDiskAtStart();

private:
    QString Path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    TPseudoTerminal m_hostEnd;
    TPseudoTerminal m_fiscalEnd;
    std::unique_ptr<TPorts> m_ports;
};

void TestCaptureWriter::init()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(m_hostEnd.open());
    QVERIFY(m_fiscalEnd.open());
    m_ports = std::make_unique<TPorts>();
    TSettings settings;
    settings.HPort = m_hostEnd.slavePath();
    settings.DPort = m_fiscalEnd.slavePath();
    settings.Protocol = 1;
    settings.DGIEnabled = true;
    QVERIFY(m_ports->Open(cpHostPort, TPortSettings::FromSettings(settings)));
    QVERIFY(m_ports->Open(cpFiscalPort, TPortSettings::FromSettings(settings)));
}

void TestCaptureWriter::cleanup()
{
    m_ports.reset();
    m_hostEnd.close();
    m_fiscalEnd.close();
}

void TestCaptureWriter::recordsBothPortsAsOnTheWire()
{
    TCaptureWriter writer(*m_ports);
    QString error;
    QVERIFY2(writer.Start(Path("both.tcap"), TCaptureWriter::TMode::Replace, &error), qPrintable(error));
    TFPHostControl &host = m_ports->Host();

    // A command answered after one DC2.
    QSignalSpy answered(&host, &TFPHostControl::OnFinalAnswer);
    QVERIFY(host.AddDataField("A"));
    QVERIFY(host.SendCommand());
    const QByteArray command = m_hostEnd.readExactly(8, 5000);
    QCOMPARE(command.size(), 8);
    const QByteArray answer = THostFraming::BuildAnswerFrame(quint8(command.at(1)), {"01", "Z"});
    QVERIFY(m_hostEnd.write(QByteArray("\x06\x12", 2) + answer));
    QVERIFY(answered.wait(5000));
    QCOMPARE(m_hostEnd.readExactly(1, 5000), QByteArray(1, THostFraming::ACK));

    // ENQ on the fiscal port, acknowledged.
    QSignalSpy fiscalAck(&m_ports->Aux(), &TFPAuxControl::OnAck);
    QVERIFY(m_ports->Aux().SendData(QByteArray(1, 0x05)));
    QCOMPARE(m_fiscalEnd.readExactly(1, 5000), QByteArray(1, 0x05));
    QVERIFY(m_fiscalEnd.write(QByteArray(1, 0x06)));
    QVERIFY(fiscalAck.wait(5000));

    // A command the printer refuses.
    QSignalSpy failed(&host, &TFPHostControl::OnError);
    host.SetAnswerTimeOut(100);
    QVERIFY(host.AddDataField("B"));
    QVERIFY(host.SendCommand());
    const QByteArray refused = m_hostEnd.readExactly(8, 5000);
    QVERIFY(m_hostEnd.write(QByteArray(1, 0x15)));
    QVERIFY(failed.wait(5000));
    writer.Stop();
    QVERIFY(!writer.IsRecording());

    const QString hex = QString::fromLatin1(answer.toHex(' '));
    QCOMPARE(Records(Path("both.tcap")),
             QStringList({"host out " + QString::fromLatin1(command.toHex(' ')), "host in 06", "host in 12",
                          "host in " + hex, "host out 06", "fiscal out 05", "fiscal in 06",
                          "host out " + QString::fromLatin1(refused.toHex(' ')), "host in 15"}));
    // Nothing more once stopped.
    QVERIFY(m_ports->Aux().SendData(QByteArray(1, 0x05)));
    QCOMPARE(m_fiscalEnd.readExactly(1, 5000), QByteArray(1, 0x05));
    QVERIFY(m_fiscalEnd.write(QByteArray(1, 0x06)));
    QVERIFY(fiscalAck.wait(5000));
    QCOMPARE(Records(Path("both.tcap")).size(), 9);
}

void TestCaptureWriter::appendsToCaptureOnly()
{
    TCaptureWriter writer(*m_ports);
    QString error;
    const QString capture = Path("append.tcap");
    QVERIFY(writer.Start(capture, TCaptureWriter::TMode::Replace, &error));
    emit m_ports->Aux().OnWrite(QByteArray(1, 0x05));
    QVERIFY(writer.Start(capture, TCaptureWriter::TMode::Append, &error));
    emit m_ports->Aux().OnAck(-1);
    writer.Stop();
    QCOMPARE(Records(capture), QStringList({"fiscal out 05", "fiscal in 06"}));
    const QByteArray text = TestFiles::ReadAll(capture);
    QCOMPARE(text.count("tessaly-capture"), 1);
    QCOMPARE(text.count("# session "), 2);

    // Replace starts the file anew.
    QVERIFY(writer.Start(capture, TCaptureWriter::TMode::Replace, &error));
    emit m_ports->Host().OnNack();
    writer.Stop();
    QCOMPARE(Records(capture), QStringList({"host in 15"}));

    // Another file is never written to.
    const QString log = Path("session.log");
    TestFiles::Write(log, "Quvero S.A.\r\ntessaly-cli\r\n");
    QVERIFY(!writer.Start(log, TCaptureWriter::TMode::Append, &error));
    QCOMPARE(error, log + QStringLiteral(" is not a capture file; it is left as it is"));
    QVERIFY(!writer.IsRecording());
    QCOMPARE(TestFiles::ReadAll(log), QByteArray("Quvero S.A.\r\ntessaly-cli\r\n"));
}

void TestCaptureWriter::fullDiskStopsAndKeepsEarlierRecords()
{
    TCaptureWriter writer(*m_ports);
    QSignalSpy failed(&writer, &TCaptureWriter::Failed);
    const QString capture = Path("full.tcap");
    auto file = std::make_unique<TFillingFile>(capture, 200);
    QVERIFY(file->open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    QString error;
    QVERIFY2(writer.Start(std::move(file), capture, &error), qPrintable(error));
    emit m_ports->Host().OnWrite(QByteArray::fromHex("0241033836"));
    emit m_ports->Host().OnAck();
    QCOMPARE(failed.count(), 0);
    // The budget ends in the middle of this record.
    emit m_ports->Host().OnRead(QByteArray(60, 'x'));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.at(0).at(0).toString(),
             QStringLiteral("cannot write the capture file %1: No space left on device").arg(capture));
    QVERIFY(!writer.IsRecording());
    emit m_ports->Host().OnWrite(QByteArray(1, 0x06));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(Records(capture), QStringList({"host out 02 41 03 38 36", "host in 06"}));
}

void TestCaptureWriter::fullDiskAtStart()
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");
    TCaptureWriter writer(*m_ports);
    QString error;
    QVERIFY(!writer.Start(QStringLiteral("/dev/full"), TCaptureWriter::TMode::Replace, &error));
    QCOMPARE(error, QStringLiteral("cannot write the capture file /dev/full: No space left on device"));
    QVERIFY(!writer.IsRecording());
}

QTEST_GUILESS_MAIN(TestCaptureWriter)
#include "tst_capture_writer.moc"
