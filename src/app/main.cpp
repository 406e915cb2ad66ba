#include "shell/action_icons.h"
#include "shell/form_main.h"
#include "widgets/dialog_prompts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QProxyStyle>
#include <QScreen>

namespace {

// Hints appear at once and stay ten seconds.
class THintStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 1;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return 10000;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    QApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));
    QApplication::setOrganizationName(QStringLiteral(TESSALY_COMPANY));
    QApplication::setStyle(new THintStyle);
    QApplication::setWindowIcon(TActionIcons::ApplicationIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Test and drive fiscal printers over serial ports."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption hostPort(QStringLiteral("host-port"),
                                      QStringLiteral("Serial device of the host port for this run."),
                                      QStringLiteral("device"));
    const QCommandLineOption fiscalPort(QStringLiteral("fiscal-port"),
                                        QStringLiteral("Serial device of the fiscal port for this run."),
                                        QStringLiteral("device"));
    parser.addOption(hostPort);
    parser.addOption(fiscalPort);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Terminal file (*.tsy) to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);

    TFormMain::TStartOptions options;
    options.Arguments = parser.positionalArguments();
    options.HostPort = parser.value(hostPort);
    options.FiscalPort = parser.value(fiscalPort);

    TDialogPrompts prompts;
    TFormMain window(options, prompts);
    // Without a window manager "maximised" means nothing: fill the screen anyway.
    if (QScreen *screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app.exec();
}
