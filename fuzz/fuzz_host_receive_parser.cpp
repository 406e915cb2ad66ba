// The host's receive parser fed with whatever a line may deliver, in chunks
// of any size, as the worker feeds it. A frame reported final always carries
// the sequence number of the command and a checksum that matches, and its
// fields are those of the frame.
#include "fuzz_check.h"

#include "comm/host_framing.h"
#include "comm/host_receive_parser.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSilenceQt();
    FuzzedDataProvider input(data, size);
    THostReceiveParser parser;
    quint8 sent = input.ConsumeIntegral<quint8>();
    parser.SetLastSentSequence(sent);
    while (input.remaining_bytes() > 0) {
        const qsizetype free = parser.FreeSpace();
        FUZZ_CHECK(free >= 0 && free <= THostFraming::ReceiveBufferSize);
        if (free == 0)
            break;   // the worker's read would fail: the command times out
        const size_t length = input.ConsumeIntegralInRange<size_t>(1, 300);
        std::string bytes = input.ConsumeBytesAsString(length);
        QByteArray chunk(bytes.data(), qsizetype(bytes.size()));
        chunk.truncate(free);

        const THostReceiveParser::TResult result = parser.Feed(chunk);
        FUZZ_CHECK(parser.State() >= 0 && parser.State() <= 8);
        FUZZ_CHECK(result.Actions.size() <= chunk.size());
        if (result.Outcome == THostReceiveParser::FinalFrame) {
            const QByteArray frame = parser.ReadFrame();
            FUZZ_CHECK(frame.size() >= 7);
            FUZZ_CHECK(frame.at(0) == THostFraming::STX);
            FUZZ_CHECK(quint8(frame.at(1)) == sent);
            FUZZ_CHECK(frame.at(frame.size() - 5) == THostFraming::ETX);
            FUZZ_CHECK(THostFraming::CheckSumValue(frame.right(4))
                       == THostFraming::FrameSum(frame.left(frame.size() - 4)));
            THostFrame parsed;
            FUZZ_CHECK(THostFraming::ParseFrame(frame, parsed) == THostFraming::FrameComplete);
            FUZZ_CHECK(parsed.Length == frame.size());
            FUZZ_CHECK(parsed.Sequence == sent);
            FUZZ_CHECK(parsed.Fields == parser.Fields());
            // The next command.
            parser.Reset();
            sent = input.ConsumeIntegral<quint8>();
            parser.SetLastSentSequence(sent);
        }
    }
    return 0;
}
