#include "support_scripted_printer.h"

void ScriptPrinter(TScriptedSerialLine &line, TPrinterReaction reaction)
{
    line.setResponder([reaction](TScriptedSerialLine &far, const QByteArray &written) {
        THostFrame frame;
        if (THostFraming::ParseFrame(written, frame) == THostFraming::FrameComplete)
            reaction(far, frame.Sequence, frame.Fields);
    });
}

QByteArray ExtendedAnswer(quint8 sequence, qint16 printer, qint16 fiscal, qint16 returnCode,
                          const QList<QByteArray> &extra)
{
    return THostFraming::BuildAnswerFrame(
        sequence, THostFraming::AnswerFields(protocol_Extended, printer, fiscal, returnCode, extra));
}
