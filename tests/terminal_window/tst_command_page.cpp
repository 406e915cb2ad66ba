#include "terminal_model/ext_ini_file.h"
#include "terminal_model/settings.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "widgets/scripted_prompts.h"
#include "test_files.h"

#include <QComboBox>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QByteArray Sample =
    "[General]\nProtocol=1\n\n"
    "[Groups]\nG=\n\n"
    "[G]\nHost=\nOther=\n\n"
    "[GHost]\nCommands=0,\"F\",\"\",0,\"v\",0,0,0,0,0,0,0\nAnswers=\n\n"
    "[GOther]\nCommands=0,\"F\",\"\",0,\"w\",0,0,0,0,0,0,0\nAnswers=\n";

} // namespace

// The page without a window, driven as the tree's signals drive it.
class TstCommandPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void followsWhatTheTreeSelects();
    void renamedCommandKeepsItsInputs();

private:
    QTemporaryDir m_dir;
    TSettings m_settings;
    TScriptedPrompts m_prompts;
    TExtIniFile m_file;
    std::unique_ptr<TCommandPage> m_page;
};

void TstCommandPage::init()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath("printer.tsy");
    TestFiles::Write(path, Sample);
    m_file.Load(path);
    m_settings = TSettings();
    m_settings.HostPortOpen = true;
    m_page = std::make_unique<TCommandPage>(m_settings, m_prompts, m_file);
}

void TstCommandPage::followsWhatTheTreeSelects()
{
    m_page->PageControl()->setCurrentIndex(TCommandPage::FiscalAnswerPage);
    m_page->ShowSelectedCommand(QStringLiteral("GHost"));
    QCOMPARE(m_page->CommandKey(), QStringLiteral("GHost"));
    QCOMPARE(m_page->InputPanel()->FieldCount(), 1);
    QCOMPARE(m_page->PageControl()->currentIndex(), int(TCommandPage::CommandsPage));
    QVERIFY(m_page->ButtonSend()->isEnabled());

    // The command on display selected again keeps its controls; the fields
    // editor's reshowing builds them anew.
    QPointer<QWidget> control = m_page->InputPanel()->Control(0);
    m_page->ShowSelectedCommand(QStringLiteral("GHost"));
    QVERIFY(!control.isNull());
    m_page->ShowCommand(QStringLiteral("GHost"));
    QVERIFY(control.isNull());

    // A group: nothing on display, nothing to send.
    m_page->ShowSelectedCommand(QString());
    QCOMPARE(m_page->CommandKey(), QString());
    QCOMPARE(m_page->InputPanel()->FieldCount(), 0);
    QVERIFY(!m_page->ButtonSend()->isEnabled());
    QVERIFY(!m_page->ButtonRepeat()->isEnabled());
}

void TstCommandPage::renamedCommandKeepsItsInputs()
{
    m_page->ShowSelectedCommand(QStringLiteral("GHost"));
    auto *box = qobject_cast<QComboBox *>(m_page->InputPanel()->Control(0));
    QVERIFY(box);
    box->setEditText(QStringLiteral("typed"));
    // The tree renamed GHost to GSell and wrote the file.
    QByteArray renamed = Sample;
    renamed.replace("Host=", "Sell=").replace("[GHost]", "[GSell]");
    QFile file(m_dir.filePath("printer.tsy"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(renamed);
    file.close();
    m_file.Load(file.fileName());
    m_page->FollowRename(QStringLiteral("GHost"), QStringLiteral("GSell"));
    QCOMPARE(m_page->CommandKey(), QStringLiteral("GSell"));

    m_page->ShowSelectedCommand(QStringLiteral("GOther"));
    m_page->ShowSelectedCommand(QStringLiteral("GSell"));
    box = qobject_cast<QComboBox *>(m_page->InputPanel()->Control(0));
    QVERIFY(box);
    QCOMPARE(box->currentText(), QStringLiteral("typed"));
}

QTEST_MAIN(TstCommandPage)
#include "tst_command_page.moc"
