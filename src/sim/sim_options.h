#pragma once

#include "comm/host_types.h"

#include <QString>
#include <QStringList>

// The command line of tessaly-printer-sim.
class TSimOptions
{
public:
    TProtocolType Protocol = protocol_Extended;
    QString ProfileFile;
    QString HostDevice;     // empty: a pseudo-terminal
    QString FiscalDevice;   // empty: a pseudo-terminal
    QString HostLink;       // a link that follows the host pseudo-terminal
    QString FiscalLink;     // likewise for the fiscal port
    int HostBaudRate = 9600;
    QStringList HostFaults;
    QStringList FiscalFaults;
    int FiscalFrames = 1;
    QString TraceFile;
    QString ReplayFile;     // empty: answer from the profile
    bool ReplayDelays = false;

    // arguments include the program name. False with error (or with help
    // text and ShowHelp set) when the program should stop.
    bool Parse(const QStringList &arguments, QString &error);
    bool ShowHelp = false;
};
