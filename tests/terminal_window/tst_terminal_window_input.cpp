#include "terminal_model/settings.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "terminal_window/notice_bar.h"
#include "widgets/field_type_combo_box.h"
#include "widgets/scripted_prompts.h"

#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

const QByteArray SaleFields =
    "0,\"Code\",\"\",0,\"C1\",0,0,0,1,0,0,0,0,\"&Amount\",\"\",2,\"\",0,10,1,0,8,2,0,"
    "0,\"&Day\",\"\",8,\"\",3,0,0,0,0,0,0,0,\"&Kind\",\"\",0,\"\",2,0,0,0,0,0,0";

QByteArray Sample(const QByteArray &saleFields = SaleFields)
{
    return "[General]\nProtocol=1\n\n[Groups]\nG=\n\n[G]\nSale=\nPay=\nBad=\nEmpty=\n\n"
           "[GSale]\nCommands=" + saleFields + "\nAnswers=\nCL4=\"A,B,C\"\n\n"
           "[GPay]\nCommands=0,\"Code\",\"\",0,\"P1\",0,0,0,1,0,0,0,0,\"&Note\",\"\",0,\"\",0,0,0,0,0,0,0\nAnswers=\n\n"
           "[GBad]\nCommands=0,\"First\",\"\",0,\"v\",0,0,0,0,0,0,0,0,\"Second\",\"\",zero,\"v\",0,0,0,0,0,0,0\n"
           "Answers=\n\n"
           "[GEmpty]\nCommands=\nAnswers=\n";
}

} // namespace

// The command page as the user works on it with mouse and keyboard: values
// that stay while the user looks at other commands, field accelerators,
// why a field keeps the focus, and what the page says of a command it
// cannot show.
class TstTerminalWindowInput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void valuesKeptPerCommand();
    void valuesDroppedWhenFieldsEdited();
    void fieldAcceleratorsWinOverPageCaptions();
    void heldFocusSaysWhy();
    void commandWithoutFieldsSaysWhy_data();
    void commandWithoutFieldsSaysWhy();

private:
    void Click(const QString &command);
    template <typename T> T *Control(int field) const
    {
        return qobject_cast<T *>(m_window->CommandPage()->InputPanel()->Control(field));
    }

    QTemporaryDir m_dir;
    QString m_file;
    TSettings m_settings;
    TScriptedPrompts m_prompts;
    std::unique_ptr<TFormChildTerminalWindow> m_window;
    QStringList m_status;
};

void TstTerminalWindowInput::init()
{
    m_file = m_dir.filePath(QStringLiteral("input.tsy"));
    QFile out(m_file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(Sample());
    out.close();
    m_settings = TSettings();
    m_settings.HostPortOpen = true;
    m_prompts.Clear();
    m_status.clear();
    m_window = std::make_unique<TFormChildTerminalWindow>(m_settings, m_prompts, m_file);
    connect(m_window.get(), &TFormChildTerminalWindow::StatusText, this,
            [this](const QString &text) { m_status << text; });
    m_window->resize(900, 500);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->CommandTree()->RootNode()->child(0)->setExpanded(true);
}

void TstTerminalWindowInput::cleanup()
{
    m_window.reset();
}

void TstTerminalWindowInput::Click(const QString &command)
{
    QTreeWidget *tree = m_window->CommandTree();
    QTreeWidgetItem *group = m_window->CommandTree()->RootNode()->child(0);
    for (int i = 0; i < group->childCount(); ++i) {
        if (group->child(i)->text(0) == command) {
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(group->child(i)).center());
            QTRY_COMPARE(m_window->CommandPage()->CommandKey(), QStringLiteral("G") + command);
            return;
        }
    }
    QFAIL("no such command");
}

void TstTerminalWindowInput::valuesKeptPerCommand()
{
    Click(QStringLiteral("Sale"));
    auto *amount = Control<TFieldTypeComboBox>(1);
    QVERIFY(amount);
    QTest::mouseClick(amount->lineEdit(), Qt::LeftButton);
    QTest::keyClicks(amount->lineEdit(), QStringLiteral("12,5"));
    Control<QDateEdit>(2)->setDate(QDate(2026, 2, 3));
    auto *kind = Control<TFieldTypeComboBox>(3);
    kind->setFocus(Qt::TabFocusReason);
    QTest::keyClick(kind, Qt::Key_Down);
    QCOMPARE(kind->GetText(), QStringLiteral("B"));

    Click(QStringLiteral("Pay"));
    QCOMPARE(Control<TFieldTypeComboBox>(1)->GetText(), QString());
    QTest::mouseClick(Control<TFieldTypeComboBox>(1)->lineEdit(), Qt::LeftButton);
    QTest::keyClicks(Control<TFieldTypeComboBox>(1)->lineEdit(), QStringLiteral("cash"));

    // Back and forth, through a group, each command finds its own values.
    Click(QStringLiteral("Sale"));
    QCOMPARE(Control<TFieldTypeComboBox>(1)->GetText(), QStringLiteral("12,5"));
    QCOMPARE(Control<QDateEdit>(2)->date(), QDate(2026, 2, 3));
    QCOMPARE(Control<TFieldTypeComboBox>(3)->GetText(), QStringLiteral("B"));
    QTreeWidget *tree = m_window->CommandTree();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(m_window->CommandTree()->RootNode()->child(0)).center());
    QTRY_COMPARE(m_window->CommandPage()->CommandKey(), QString());
    Click(QStringLiteral("Pay"));
    QCOMPARE(Control<TFieldTypeComboBox>(1)->GetText(), QStringLiteral("cash"));

    // A command given a new name keeps them.
    m_prompts.Inputs.enqueue(QStringLiteral("Paid"));
    m_window->CommandTree()->RenameCommand();
    Click(QStringLiteral("Sale"));
    Click(QStringLiteral("Paid"));
    QCOMPARE(Control<TFieldTypeComboBox>(1)->GetText(), QStringLiteral("cash"));

    // A file opened again starts from the defaults.
    m_window = std::make_unique<TFormChildTerminalWindow>(m_settings, m_prompts, m_file);
    m_window->show();
    m_window->CommandTree()->RootNode()->child(0)->setExpanded(true);
    Click(QStringLiteral("Sale"));
    QCOMPARE(Control<TFieldTypeComboBox>(1)->GetText(), QString());
    QCOMPARE(Control<TFieldTypeComboBox>(3)->GetText(), QStringLiteral("A"));
}

void TstTerminalWindowInput::valuesDroppedWhenFieldsEdited()
{
    Click(QStringLiteral("Sale"));
    QTest::mouseClick(Control<TFieldTypeComboBox>(1)->lineEdit(), Qt::LeftButton);
    QTest::keyClicks(Control<TFieldTypeComboBox>(1)->lineEdit(), QStringLiteral("3"));

    // The fields editor closed without a change: the value stays.
    m_window->CommandTree()->EditFields();
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindDialog), 1);
    QCOMPARE(Control<TFieldTypeComboBox>(1)->GetText(), QStringLiteral("3"));

    // The editor changed the field: the command starts again from its
    // defaults, then and after a visit elsewhere.
    QFile file(m_file);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(Sample(QByteArray(SaleFields).replace("\"&Amount\",\"\",2,\"\"", "\"&Amount\",\"\",2,\"1\"")));
    file.close();
    m_window->CommandTree()->EditFields();
    QCOMPARE(Control<TFieldTypeComboBox>(1)->GetText(), QStringLiteral("1"));
    Click(QStringLiteral("Pay"));
    Click(QStringLiteral("Sale"));
    QCOMPARE(Control<TFieldTypeComboBox>(1)->GetText(), QStringLiteral("1"));
}

void TstTerminalWindowInput::fieldAcceleratorsWinOverPageCaptions()
{
    // "&Amount" and the page "Host &Answer" share Alt+A.
    Click(QStringLiteral("Sale"));
    QTabWidget *pages = m_window->CommandPage()->PageControl();
    QWidget *amount = m_window->CommandPage()->InputPanel()->Control(1);
    for (int press = 0; press < 3; ++press) {
        QTest::keyClick(m_window.get(), Qt::Key_A, Qt::AltModifier);
        QCOMPARE(pages->currentIndex(), 0);
        QTRY_VERIFY(amount->hasFocus());
    }
    QTest::keyClick(m_window.get(), Qt::Key_D, Qt::AltModifier);
    QTRY_VERIFY(m_window->CommandPage()->InputPanel()->Control(2)->hasFocus());
    QCOMPARE(pages->currentIndex(), 0);

    // Letters no field uses still reach the pages; once the fields are out
    // of sight, Alt+A is the page's again.
    QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
    QCOMPARE(pages->currentIndex(), 2);
    QTest::keyClick(m_window.get(), Qt::Key_A, Qt::AltModifier);
    QCOMPARE(pages->currentIndex(), 1);
    QTest::keyClick(m_window.get(), Qt::Key_M, Qt::AltModifier);
    QCOMPARE(pages->currentIndex(), 0);
}

void TstTerminalWindowInput::heldFocusSaysWhy()
{
    Click(QStringLiteral("Sale"));
    auto *amount = Control<TFieldTypeComboBox>(1);
    QTest::mouseClick(amount->lineEdit(), Qt::LeftButton);
    QTRY_VERIFY(amount->hasFocus());
    m_status.clear();
    const QStringList why{QStringLiteral("Field 2 (Amount): a text is required")};

    // Tab: the empty required box keeps the focus and the status bar says why.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(amount->hasFocus());
    QCOMPARE(m_status, why);

    // A click elsewhere: the box takes the focus back, and says why again.
    QTreeWidget *tree = m_window->CommandTree();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->currentItem()).center());
    QTRY_COMPARE(m_status, why + why);
    QTRY_VERIFY(amount->hasFocus());

    // With a text the focus moves on and nothing more is said.
    QTest::keyClicks(amount->lineEdit(), QStringLiteral("1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_VERIFY(!amount->hasFocus());
    QCOMPARE(m_status, why + why);
}

void TstTerminalWindowInput::commandWithoutFieldsSaysWhy_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("controls");
    QTest::addColumn<QString>("notice");
    QTest::newRow("unreadable second field")
        << "Bad" << 1
        << "This command cannot be sent: its command field 2 cannot be read ('zero' is not a valid integer value)";
    QTest::newRow("no fields") << "Empty" << 0
                               << "This command has no command fields yet: \"Edit fields\" in the context menu "
                                  "of the tree adds them";
}

void TstTerminalWindowInput::commandWithoutFieldsSaysWhy()
{
    QFETCH(QString, command);
    QFETCH(int, controls);
    QFETCH(QString, notice);
    Click(command);
    QCOMPARE(m_window->CommandPage()->InputPanel()->FieldCount(), controls);
    QCOMPARE(m_window->CommandPage()->NoticeBar()->text(), notice);
    QVERIFY(m_window->CommandPage()->NoticeBar()->isVisible());
    QVERIFY(!m_window->CommandPage()->ButtonSend()->isEnabled());
}

QTEST_MAIN(TstTerminalWindowInput)
#include "tst_terminal_window_input.moc"
