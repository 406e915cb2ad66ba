#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

// An invariant that does not hold is a finding: libFuzzer keeps the input
// that broke it as a crash file.
#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__,   \
                         #condition);                                                  \
            std::abort();                                                              \
        }                                                                              \
    } while (false)

// Qt's own diagnostics (e.g. about odd encodings) are not findings.
inline void FuzzSilenceQt()
{
    static const bool done = [] {
        qputenv("QT_LOGGING_RULES", "*=false");
        return true;
    }();
    (void)done;
}
