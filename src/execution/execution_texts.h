#pragma once

#include <QString>

// Texts the terminal window shows while it executes commands: the short state
// texts of status panel 1 and the texts of its message boxes.
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
inline const QString RepeatPrompt = QStringLiteral("Enter times to repeat the command");

inline const QString SendCaption = QStringLiteral("&Send");
inline const QString RepeatCaption = QStringLiteral("&Repeat ...");
inline const QString CancelCaption = QStringLiteral("&Cancel");
inline const QString SendHint = QStringLiteral("Send selected command");
inline const QString RepeatHint = QStringLiteral("Send commands \"n\" times");
inline const QString CancelHint = QStringLiteral("Cancel command in progress");

// "i/n" of a Repeat run.
inline QString RepeatProgress(int step, int count)
{
    return QString::number(step) + QLatin1Char('/') + QString::number(count);
}

// Status-bar text when a command has more fields than the panel holds.
inline QString FieldsCut(int shown, int total)
{
    return QStringLiteral("Showing the first %1 of %2 command fields").arg(shown).arg(total);
}

}
