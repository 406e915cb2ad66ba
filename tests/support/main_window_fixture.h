#pragma once

#include "comm/pseudo_terminal.h"
#include "shell/form_main.h"
#include "test_files.h"
#include "widgets/scripted_prompts.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// What every test of the main window stands on: a settings store and
// folders of its own for each test, scripted prompts, and a host port on a
// pseudo-terminal, so a window opens without hardware and leaves nothing
// behind. A test class derives from it and calls the three steps from its
// initTestCase(), init() and cleanup(). Prompts is TScriptedPrompts or a
// test's own refinement of it.
template <class Prompts = TScriptedPrompts>
class TMainWindowFixture
{
protected:
    // settingsPrefix keeps the stores of different test programs apart.
    explicit TMainWindowFixture(const QString &settingsPrefix) : m_settingsPrefix(settingsPrefix) {}

    // Once per test program: standard paths in test mode and the settings
    // stored under the temporary root.
    void SetUpStore()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_root.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_root.filePath("config"));
    }

    // Before each test: fresh options with a settings name of their own, an
    // application folder "app" and the current folder "work" under a new
    // test folder, a new host line, and prompts with no history.
    void SetUpTest()
    {
        ++m_counter;
        QVERIFY(QDir().mkpath(TestFolder() + "/app"));
        QVERIFY(QDir().mkpath(TestFolder() + "/work"));
        m_options = TFormMain::TStartOptions();
        m_options.SettingsName = m_settingsPrefix + QString::number(m_counter);
        m_options.ApplicationDir = TestFolder() + "/app";
        m_options.UserDataDir = TestFolder() + "/userdata";
        m_options.AssociationDataDir = TestFolder() + "/xdg";
        m_options.NotifyDesktop = false;
        m_hostLine = std::make_unique<TPseudoTerminal>();
        QVERIFY(m_hostLine->open());
        m_options.HostPort = m_hostLine->slavePath();
        m_prompts.Clear();
        QVERIFY(QDir::setCurrent(TestFolder() + "/work"));
    }

    // After each test: out of the test's folder, so it can go.
    void TearDownTest() { QDir::setCurrent(m_root.path()); }

    // The folder of the running test.
    QString TestFolder() const { return m_root.filePath(QString::number(m_counter)); }

    // The main window, shown, opened with these command-line arguments.
    std::unique_ptr<TFormMain> Start(const QStringList &arguments = {})
    {
        m_options.Arguments = arguments;
        auto window = std::make_unique<TFormMain>(m_options, m_prompts);
        window->resize(900, 600);
        window->show();
        return window;
    }

    // The main window opened on a terminal file of this content, written
    // under name into the current folder.
    std::unique_ptr<TFormMain> StartWithFile(const QString &name, const QByteArray &content)
    {
        const QString path = QDir::current().absoluteFilePath(name);
        TestFiles::Write(path, content);
        return Start({path});
    }

    QTemporaryDir m_root;
    TFormMain::TStartOptions m_options;
    Prompts m_prompts;
    // The host port every window opens at start.
    std::unique_ptr<TPseudoTerminal> m_hostLine;
    int m_counter = 0;

private:
    QString m_settingsPrefix;
};
