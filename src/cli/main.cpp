#include "cli/cli_tool.h"
#include "terminal_model/translations.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessaly-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The human-readable output follows --lang or the locale; JSON stays as it is.
    const QStringList arguments = QCoreApplication::arguments();
    QString error;
    const QString language =
        TTranslations::Choose(TTranslations::LanguageOption(arguments), QLocale::system(), &error);
    if (!error.isEmpty()) {
        err << QCoreApplication::applicationName() << ": " << error << '\n';
        return TCliTool::ExitError;
    }
    TTranslations translations;
    translations.Install(language);
    return TCliTool::Run(TTranslations::WithoutLanguageOption(arguments).mid(1), out, err);
}
