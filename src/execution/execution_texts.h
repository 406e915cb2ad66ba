#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QString>

// Texts of the road of a command, which the terminal window and the
// command-line tool report alike: the short state texts of status panel 1,
// the texts of the runner's message boxes and why a command cannot be sent.
namespace ExecutionTexts {

// The constants below stay in English, for callers and tests that compare
// them; this gives one of them in the language shown (any other text as it is).
inline QString Shown(const QString &text)
{
    return QCoreApplication::translate("ExecutionTexts", text.toUtf8().constData());
}

inline const QString Ready = QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Ready"));
inline const QString Error = QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Error"));
inline const QString Sending = QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Sending ..."));
inline const QString TimeOut = QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "TimeOut"));
inline const QString Abort = QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Abort"));
inline const QString HostPortClosed = QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Host port closed"));
inline const QString FiscalPortClosed = QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Fiscal port closed"));

inline const QString BadInput = QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Bad user data input in control"));
inline const QString CommunicationError =
    QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Communication errors!!! Fiscal printer not ready."));
inline const QString BadFrame = QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Error!!! Bad data in frame."));
inline const QString FiscalPortAlive = QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "     Fiscal Port it's alive !!!     "));

// How long a command took, in milliseconds without the unit: whole ones
// from 10 ms, tenths below ("3.4", "127"), in the given locale's digits.
inline QString Milliseconds(qint64 elapsedUs, const QLocale &locale = QLocale())
{
    return locale.toString(double(elapsedUs) / 1000.0, 'f', elapsedUs < 9950 ? 1 : 0);
}

// Status panel 1 when a command was answered: "Ready (127 ms)", or "Ready"
// when the time was not measured.
inline QString Answered(qint64 elapsedUs)
{
    if (elapsedUs < 0)
        return Ready;
    return QCoreApplication::translate("ExecutionTexts", "Ready (%1 ms)").arg(Milliseconds(elapsedUs));
}

// Beside the answer: "Answered in 127 ms".
inline QString AnsweredIn(qint64 elapsedUs)
{
    return QCoreApplication::translate("ExecutionTexts", "Answered in %1 ms").arg(Milliseconds(elapsedUs));
}

// "i/n" of a Repeat run.
inline QString RepeatProgress(int step, int count)
{
    return QString::number(step) + QLatin1Char('/') + QString::number(count);
}

// Notice when a command has more fields than the panel holds.
inline QString FieldsCut(int shown, int total)
{
    return QCoreApplication::translate("ExecutionTexts", "Showing the first %1 of %2 command fields").arg(shown).arg(total);
}

// Notices that say why Send is disabled for the command on display.
inline QString CommandUnreadable(int field, const QString &error)
{
    return QCoreApplication::translate("ExecutionTexts", "This command cannot be sent: its command field %1 cannot be read (%2)")
        .arg(field)
        .arg(error);
}
inline const QString NoCommandFields =
    QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "This command has no command fields yet: \"Edit fields\" in the context menu "
                   "of the tree adds them"));
inline const QString HostPortClosedNotice =
    QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Host port closed: this command cannot be sent until the host port opens "
                   "(Options, Preferences)"));
inline const QString FiscalPortClosedNotice =
    QStringLiteral(QT_TRANSLATE_NOOP("ExecutionTexts", "Fiscal port closed: this command goes to the fiscal port, which the "
                   "fiscal-port button of the toolbar turns on"));

}
