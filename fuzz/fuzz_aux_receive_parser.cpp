// The auxiliary port's receive parser: whatever arrives, in whatever chunks,
// gives the same steps; complete frames sum to zero, bad ones do not, and
// every byte fed is accounted for exactly once.
#include "fuzz_check.h"

#include "comm/aux_framing.h"
#include "comm/aux_receive_parser.h"

#include <QList>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

using TStep = TAuxReceiveParser::TStep;

void Drain(TAuxReceiveParser &parser, QList<TStep> &steps)
{
    for (;;) {
        TStep step = parser.Next();
        if (step.Kind == TStep::MoreNeeded)
            return;
        steps.append(step);
        // Bounded: one step per byte at most.
        FUZZ_CHECK(steps.size() <= 1 << 20);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSilenceQt();
    const QByteArray all(reinterpret_cast<const char *>(data), qsizetype(size));

    TAuxReceiveParser whole;
    whole.Feed(all);
    QList<TStep> expected;
    Drain(whole, expected);

    // Byte by byte and in chunks whose sizes come from the input itself.
    TAuxReceiveParser single;
    TAuxReceiveParser chunked;
    QList<TStep> bySingle;
    QList<TStep> byChunk;
    for (qsizetype i = 0; i < all.size(); ++i) {
        single.Feed(all.mid(i, 1));
        Drain(single, bySingle);
    }
    for (qsizetype i = 0; i < all.size();) {
        const qsizetype length = 1 + quint8(all.at(i)) % 17;
        chunked.Feed(all.mid(i, length));
        Drain(chunked, byChunk);
        i += length;
    }
    FUZZ_CHECK(bySingle.size() == expected.size());
    FUZZ_CHECK(byChunk.size() == expected.size());

    qsizetype accounted = 0;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const TStep &step = expected[i];
        FUZZ_CHECK(bySingle[i].Kind == step.Kind && bySingle[i].Frame == step.Frame);
        FUZZ_CHECK(byChunk[i].Kind == step.Kind && byChunk[i].Frame == step.Frame);
        switch (step.Kind) {
        case TStep::AckReceived:
        case TStep::NakReceived:
            FUZZ_CHECK(all.at(accounted) == (step.Kind == TStep::AckReceived ? TAuxFraming::ACK
                                                                              : TAuxFraming::NAK));
            accounted += 1;
            break;
        case TStep::OtherByte:
            FUZZ_CHECK(step.Frame.size() == 1);
            FUZZ_CHECK(step.Frame.at(0) != TAuxFraming::ACK && step.Frame.at(0) != TAuxFraming::NAK);
            FUZZ_CHECK(all.at(accounted) == step.Frame.at(0));
            accounted += 1;
            break;
        case TStep::FrameComplete:
        case TStep::BadChecksum:
            FUZZ_CHECK(step.Frame.size() >= 3);
            FUZZ_CHECK(step.Frame.at(0) == TAuxFraming::STX);
            FUZZ_CHECK(step.Frame.at(step.Frame.size() - 2) == TAuxFraming::ETX);
            FUZZ_CHECK(step.Frame.size() <= TAuxReceiveParser::BufferSize);
            FUZZ_CHECK(TAuxFraming::IsZeroSum(step.Frame) == (step.Kind == TStep::FrameComplete));
            FUZZ_CHECK(all.mid(accounted, step.Frame.size()) == step.Frame);
            accounted += step.Frame.size();
            break;
        case TStep::Overflow:
            FUZZ_CHECK(step.Frame.size() == TAuxReceiveParser::BufferSize);
            FUZZ_CHECK(step.Frame.at(0) == TAuxFraming::STX);
            FUZZ_CHECK(all.mid(accounted, step.Frame.size()) == step.Frame);
            accounted += step.Frame.size();
            break;
        case TStep::MoreNeeded:
            FUZZ_CHECK(false);
        }
    }
    // What is left is the start of a frame still open.
    FUZZ_CHECK(accounted == all.size() || all.at(accounted) == TAuxFraming::STX);
    return 0;
}
