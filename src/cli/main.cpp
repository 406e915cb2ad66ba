#include "cli/cli_tool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessaly-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return TCliTool::Run(app.arguments().mid(1), out, err);
}
