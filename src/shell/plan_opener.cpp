#include "shell/plan_opener.h"

#include "execution/plan_checker.h"
#include "execution/plan_reader.h"
#include "terminal_model/terminal_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

bool TPlanOpener::SameFile(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    const QString canonicalB = QFileInfo(b).canonicalFilePath();
    if (canonicalA.isEmpty() || canonicalB.isEmpty())
        return false;
    return canonicalA == canonicalB;
}

TPlanOpener::TResult TPlanOpener::Open(const QString &planFile, const QString &terminalFile, bool hostOpen,
                                       bool fiscalOpen)
{
    TResult result;
    const TPlanReader::TResult read = TPlanReader::Read(planFile);
    result.Plan = read.Plan;
    result.Problems = read.Problems;
    if (read.Plan.TerminalLine == 0)
        return result;
    const QString file = QFileInfo(planFile).fileName();
    // Its commands checked against another file would only add mistakes
    // that are not its own.
    if (!SameFile(read.Plan.TerminalPath(), terminalFile)) {
        result.Problems.append({file, read.Plan.TerminalLine,
                                QCoreApplication::translate("TPlanOpener", "Terminal: %1 is not the terminal file on display, %2")
                                    .arg(QDir::toNativeSeparators(read.Plan.TerminalPath()),
                                         QDir::toNativeSeparators(terminalFile))});
        return result;
    }
    TTerminalDocument document;
    if (!TPlanChecker::LoadAndCheck(&result.Plan, &document, &result.Problems) || !result.Problems.isEmpty())
        return result;
    if (result.Plan.UsesPort(cpHostPort) && !hostOpen)
        result.Problems.append({file, 0, QCoreApplication::translate("TPlanOpener", "the host port is not open; its commands cannot go out")});
    if (result.Plan.UsesPort(cpFiscalPort) && !fiscalOpen)
        result.Problems.append({file, 0, QCoreApplication::translate("TPlanOpener", "the fiscal port is not open; its commands cannot go out")});
    return result;
}
