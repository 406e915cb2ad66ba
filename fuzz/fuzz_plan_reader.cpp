// Test plans: any file reads without failing hard, every mistake names a
// line of the file, a plan read without mistakes is whole, and a number
// taken the short way reads as Qt reads it.
#include "fuzz_check.h"

#include "execution/plan.h"
#include "execution/plan_reader.h"

#include <cmath>

namespace {

// Numbers as the plan took them before the short way: Qt's reading with
// "," as the decimal point.
bool QtNumber(QStringView text, double *value)
{
    QString copy = text.trimmed().toString();
    copy.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    *value = copy.toDouble(&ok);
    return ok && !copy.isEmpty();
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSilenceQt();
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    const TPlanReader::TResult result = TPlanReader::Parse(content, QStringLiteral("/plans/fuzz.plan"));
    const int lines = int(content.count('\n')) + 1;
    for (const TPlan::TProblem &problem : result.Problems) {
        FUZZ_CHECK(problem.Line >= 0 && problem.Line <= lines);
        FUZZ_CHECK(!problem.Message.isEmpty());
        FUZZ_CHECK(problem.File == QStringLiteral("fuzz.plan"));
    }
    int previous = 0;
    for (const TPlan::TStep &step : result.Plan.Steps) {
        FUZZ_CHECK(step.Line > previous && step.Line <= lines);
        previous = step.Line;
    }
    if (result.Problems.isEmpty()) {
        FUZZ_CHECK(result.Plan.TerminalLine > 0 && !result.Plan.Terminal.isEmpty());
        FUZZ_CHECK(!result.Plan.Steps.isEmpty());
        for (const TPlan::TStep &step : result.Plan.Steps)
            FUZZ_CHECK(step.IsWait() != (step.CommandLine > 0));
    }
    // Reading is a function of the file alone.
    FUZZ_CHECK(TPlanReader::Parse(content, QStringLiteral("/plans/fuzz.plan")).Problems == result.Problems);

    // The input as one number, at most one line of it.
    const QString text = QString::fromUtf8(content.left(content.indexOf('\n')));
    double fast = 0;
    double qt = 0;
    const bool fastOk = TPlan::Number(text, &fast);
    FUZZ_CHECK(fastOk == QtNumber(text, &qt));
    if (fastOk)
        FUZZ_CHECK(fast == qt || (std::isnan(fast) && std::isnan(qt)));
    return 0;
}
