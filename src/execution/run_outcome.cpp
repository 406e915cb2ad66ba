#include "execution/run_outcome.h"

#include "comm/port_error.h"

TRunOutcome::TKind TRunOutcome::KindOfPortError(int error)
{
    // The host and auxiliary codes share their values from 0 to 12.
    switch (error) {
    case EFP_E_WriteError:
        return TRunOutcome::WriteError;
    case EFP_E_ReadTimeOut:
        return TRunOutcome::TimeOut;
    case EFP_E_NackReceived:
        return TRunOutcome::Nak;
    case EFP_E_ComClose:
        return TRunOutcome::PortError;
    case EFP_E_InvalidDataInField:
        return TRunOutcome::BadInput;
    default:
        return TRunOutcome::Refused;
    }
}

QString TRunOutcome::KindName(TKind kind)
{
    switch (kind) {
    case Answer:
        return QStringLiteral("answer");
    case Ack:
        return QStringLiteral("ack");
    case TimeOut:
        return QStringLiteral("timeout");
    case WriteError:
        return QStringLiteral("write-error");
    case Nak:
        return QStringLiteral("nak");
    case BadInput:
        return QStringLiteral("bad-input");
    case PortError:
        return QStringLiteral("port-error");
    case Refused:
        return QStringLiteral("refused");
    case Cancelled:
        return QStringLiteral("cancelled");
    case NotSent:
        break;
    }
    return QStringLiteral("not-sent");
}
