// The writer process of the crash-safety test: runs the document steps on a
// terminal file and reports each one on standard output as it completes, so
// that the test can kill it at any moment.
//
//   document_writer FILE STEPS [--fsize-limit BYTES] [--user UID]
//
// --fsize-limit makes every write beyond BYTES fail as on a full disk;
// --user drops root's privileges first, so that file permissions count.
// Each step prints "<n> ok" or "<n> failed: <message>", then whether the
// document still matches the file ("<n> document matches file: yes|no").
// Exit status: 0 when every step succeeded, 1 when one failed, 2 on bad use.
#include "document_steps.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: document_writer FILE STEPS [--fsize-limit BYTES] [--user UID]\n");
        return 2;
    }
    const QString fileName = arguments.at(1);
    const int steps = arguments.at(2).toInt();
    for (qsizetype i = 3; i + 1 < arguments.size(); i += 2) {
        const qlonglong value = arguments.at(i + 1).toLongLong();
        if (arguments.at(i) == QLatin1String("--fsize-limit")) {
            // A write past the limit then fails with EFBIG instead of
            // killing the process.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(value), rlim_t(value)};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return 2;
        } else if (arguments.at(i) == QLatin1String("--user")) {
            if (::setgid(gid_t(value)) != 0 || ::setuid(uid_t(value)) != 0)
                return 2;
        }
    }

    TTerminalDocument document;
    if (!document.Load(fileName)) {
        std::printf("load failed: %s\n", qPrintable(document.LastError()));
        return 1;
    }
    TDocumentSteps series;
    for (int step = 0; step < steps; ++step) {
        const TTerminalDocument::TResult result = series.Apply(document, step);
        if (!result.Ok) {
            QFile file(fileName);
            const bool matches = file.open(QIODevice::ReadOnly) && file.readAll() == document.Ini().ToData();
            std::printf("%d failed: %s\n%d document matches file: %s\n", step, qPrintable(result.Message),
                        step, matches ? "yes" : "no");
            std::fflush(stdout);
            return 1;
        }
        std::printf("%d ok\n", step);
        std::fflush(stdout);
    }
    return 0;
}
