#include "comm/pseudo_terminal.h"
#include "shell/form_child_log_window.h"
#include "shell/form_main.h"
#include "widgets/scripted_prompts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

const QByteArray HintFile =
    "[General]\nProtocol=1\n\n[Groups]\nSales=\n\n[Sales]\nPay=\n\n"
    "[SalesPay]\nCommands=0,\"&Amount\",\"Amount|Amount to pay, with two decimals\",2,\"\",0,0,0,0,0,2,0\n"
    "Answers=\n";

void Write(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

} // namespace

// The main window's child windows as a person sees them.
class TstFormMainWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void logWindowClosedComesBack();

private:
    std::unique_ptr<TFormMain> Start(const QStringList &arguments = {});

    QTemporaryDir m_root;
    TFormMain::TStartOptions m_options;
    TScriptedPrompts m_prompts;
    std::unique_ptr<TPseudoTerminal> m_hostLine;
    int m_counter = 0;
};

void TstFormMainWindows::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_root.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_root.filePath("config"));
}

void TstFormMainWindows::init()
{
    ++m_counter;
    const QString base = m_root.filePath(QString::number(m_counter));
    QDir().mkpath(base);
    m_options = TFormMain::TStartOptions();
    m_options.SettingsName = QStringLiteral("TessalyWindows%1").arg(m_counter);
    m_options.ApplicationDir = base;
    m_options.UserDataDir = base + "/userdata";
    m_options.AssociationDataDir = base + "/xdg";
    m_options.NotifyDesktop = false;
    m_hostLine = std::make_unique<TPseudoTerminal>();
    QVERIFY(m_hostLine->open());
    m_options.HostPort = m_hostLine->slavePath();
    m_prompts.Clear();
    QDir::setCurrent(base);
    Write(QDir(base).filePath("hints.tsy"), HintFile);
}

std::unique_ptr<TFormMain> TstFormMainWindows::Start(const QStringList &arguments)
{
    m_options.Arguments = arguments;
    auto window = std::make_unique<TFormMain>(m_options, m_prompts);
    window->resize(900, 600);
    window->show();
    return window;
}

void TstFormMainWindows::logWindowClosedComesBack()
{
    auto window = Start({"hints.tsy"});
    TFormChildLogWindow *log = window->LogWindow();
    QVERIFY(log);
    log->showNormal();
    // The close box minimises it, as every other child.
    QVERIFY(!log->close());
    QCOMPARE(window->LogWindow(), log);
    QVERIFY(log->isVisible());
    QVERIFY(log->isMinimized());

    // The Window menu brings it back, however it went out of sight.
    QMenu *menu = window->findChild<QMenu *>("MenuWindow");
    const auto bringBack = [&] {
        emit menu->aboutToShow();
        const QList<QAction *> items = menu->actions();
        const auto item = std::find_if(items.begin(), items.end(),
                                       [](QAction *a) { return a->text() == QStringLiteral("&2 Log window"); });
        QVERIFY(item != items.end());
        (*item)->trigger();
        QVERIFY(log->isVisible());
        QVERIFY(!log->isMinimized());
        QCOMPARE(window->MdiArea()->activeSubWindow(), log);
    };
    bringBack();
    log->hide();
    bringBack();
}

QTEST_MAIN(TstFormMainWindows)
#include "tst_form_main_windows.moc"
