#include "app/command_line.h"
#include "shell/form_main.h"
#include "terminal_model/translations.h"
#include "widgets/action_icons.h"
#include "widgets/dialog_prompts.h"

#include <QApplication>
#include <QLocale>
#include <QProxyStyle>
#include <QScreen>

#include <cstdio>
#include <vector>

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

void SetIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tessaly"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral(TESSALY_COMPANY));
}

} // namespace

int main(int argc, char *argv[])
{
    {
        // Qt takes its own options out of the argument vector it is given:
        // the GUI below still needs them, so this reading works on a copy.
        std::vector<char *> copy(argv, argv + argc);
        int copyCount = argc;
        QCoreApplication core(copyCount, copy.data());
        SetIdentity();
        // The help is shown in the language the program would show.
        TTranslations earlyTranslations;
        earlyTranslations.Install(
            TTranslations::Choose(TTranslations::LanguageOption(QCoreApplication::arguments()), QLocale::system()));
        TCommandLine early;
        if (early.AnswerEarly(QCoreApplication::arguments())) {
            std::fputs(qPrintable(early.Output()), early.IsError() ? stderr : stdout);
            return early.ExitStatus();
        }
    }

    QApplication app(argc, argv);
    SetIdentity();
    TTranslations translations;
    translations.Install(
        TTranslations::Choose(TTranslations::LanguageOption(QCoreApplication::arguments()), QLocale::system()));
    QApplication::setStyle(new THintStyle);
    // An installed copy shows the icon of its menu entry.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tessaly"), TActionIcons::ApplicationIcon()));

    TCommandLine commandLine;
    commandLine.Process(app);

    TFormMain::TStartOptions options;
    options.Arguments = commandLine.Files();
    options.HostPort = commandLine.HostPort();
    options.FiscalPort = commandLine.FiscalPort();

    TDialogPrompts prompts;
    TFormMain window(options, prompts);
    // Without a window manager "maximised" means nothing: fill the screen anyway.
    if (QScreen *screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app.exec();
}
