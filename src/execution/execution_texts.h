#pragma once

#include <QString>

// Texts of the road of a command, which the terminal window and the
// command-line tool report alike: the short state texts of status panel 1,
// the texts of the runner's message boxes and why a command cannot be sent.
namespace ExecutionTexts {

inline const QString Ready = QStringLiteral("Ready");
inline const QString Error = QStringLiteral("Error");
inline const QString Sending = QStringLiteral("Sending ...");
inline const QString TimeOut = QStringLiteral("TimeOut");
inline const QString Abort = QStringLiteral("Abort");
inline const QString HostPortClosed = QStringLiteral("Host port closed");
inline const QString FiscalPortClosed = QStringLiteral("Fiscal port closed");

inline const QString BadInput = QStringLiteral("Bad user data input in control");
inline const QString CommunicationError =
    QStringLiteral("Communication errors!!! Fiscal printer not ready.");
inline const QString BadFrame = QStringLiteral("Error!!! Bad data in frame.");
inline const QString FiscalPortAlive = QStringLiteral("     Fiscal Port it's alive !!!     ");

// "i/n" of a Repeat run.
inline QString RepeatProgress(int step, int count)
{
    return QString::number(step) + QLatin1Char('/') + QString::number(count);
}

// Notice when a command has more fields than the panel holds.
inline QString FieldsCut(int shown, int total)
{
    return QStringLiteral("Showing the first %1 of %2 command fields").arg(shown).arg(total);
}

// Notices that say why Send is disabled for the command on display.
inline QString CommandUnreadable(int field, const QString &error)
{
    return QStringLiteral("This command cannot be sent: its command field %1 cannot be read (%2)")
        .arg(field)
        .arg(error);
}
inline const QString NoCommandFields =
    QStringLiteral("This command has no command fields yet: \"Edit fields\" in the context menu "
                   "of the tree adds them");
inline const QString HostPortClosedNotice =
    QStringLiteral("Host port closed: this command cannot be sent until the host port opens "
                   "(Options, Preferences)");
inline const QString FiscalPortClosedNotice =
    QStringLiteral("Fiscal port closed: this command goes to the fiscal port, which the "
                   "fiscal-port button of the toolbar turns on");

}
