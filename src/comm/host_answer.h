#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>

// A final answer of the host port as OnFinalAnswer carries it: the two
// status words, the return code and the extra fields, in order, and how
// long the printer took.
struct THostAnswer
{
    quint16 FiscalStatus = 0;
    quint16 PrinterStatus = 0;
    quint16 ReturnCode = 0;
    QList<QByteArray> Fields;
    // Microseconds from the first byte of the frame written to the answer
    // parsed; -1 when not measured.
    qint64 ElapsedUs = -1;
};
Q_DECLARE_METATYPE(THostAnswer)
