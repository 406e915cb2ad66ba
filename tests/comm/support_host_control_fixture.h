#pragma once

#include "comm/fp_host_control.h"
#include "comm/scripted_serial_line.h"
#include "port_event_recorder.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtTest>

#include <memory>

using Fields = QList<QByteArray>;

inline QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

inline constexpr char ACK = 0x06, NAK = 0x15, DC2 = 0x12;

// Short silence limit for the tests that do not measure the real one.
inline constexpr int shortTimeOut = 300;

// A host component on a scripted line, with the recorder of its events. A
// test class derives from it and calls SetUpHost() from init() and
// TearDownHost() from cleanup().
class THostControlFixture
{
protected:
    void SetUpHost()
    {
        line = std::make_shared<TScriptedSerialLine>();
        host = std::make_unique<TFPHostControl>();
        host->SetLineFactory([this] { return line; });
        host->SetAnswerTimeOut(shortTimeOut);
        recorder = std::make_unique<TPortEventRecorder>(*host);
    }

    void TearDownHost()
    {
        recorder.reset();
        host.reset();
        line.reset();
    }

    void openHost(TProtocolType protocol = protocol_Extended)
    {
        host->SetProtocolType(protocol);
        QVERIFY(host->OpenPort());
        recorder->clear();
    }

    // The sequence number of the frame of that write.
    quint8 sentSequence(int write = 0) const
    {
        const QByteArray frame = line->writes().value(write);
        return frame.size() > 1 ? quint8(frame.at(1)) : 0;
    }

    std::shared_ptr<TScriptedSerialLine> line;
    std::unique_ptr<TFPHostControl> host;
    std::unique_ptr<TPortEventRecorder> recorder;
};
