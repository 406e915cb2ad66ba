#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>

// A final answer of the host port as OnFinalAnswer carries it: the two
// status words, the return code and the extra fields, in order.
struct THostAnswer
{
    quint16 FiscalStatus = 0;
    quint16 PrinterStatus = 0;
    quint16 ReturnCode = 0;
    QList<QByteArray> Fields;
};
Q_DECLARE_METATYPE(THostAnswer)
