#pragma once

#include "cli/cli_sender.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>

class QCommandLineParser;
class TExtIniFile;

// The options that say how the ports are opened, logged and recorded, the
// same for send and run.
class TCliPortOptions
{
public:
    TCliPortOptions();

    const QCommandLineOption port;
    const QCommandLineOption fiscalPort;
    const QCommandLineOption baud;
    const QCommandLineOption protocol;
    const QCommandLineOption timeOut;
    const QCommandLineOption log;
    const QCommandLineOption capture;
    const QList<QCommandLineOption> options;

    // False with *error set to what is wrong with a value.
    bool Read(const QCommandLineParser &parser, TCliSender::TOptions *options, QString *error) const;
    // The file's [General] protocol unless --protocol names one.
    bool ReadProtocol(const QCommandLineParser &parser, const TExtIniFile &ini, TCliSender::TOptions *options,
                      QString *error) const;
};
