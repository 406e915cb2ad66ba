#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/execution_texts.h"
#include "shell/terminal_files.h"
#include "sim_process.h"
#include "terminal_model/settings.h"
#include "terminal_window/answer_display.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "test_files.h"
#include "widgets/field_type_combo_box.h"
#include "widgets/scripted_prompts.h"

#include <QClipboard>
#include <QDateEdit>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

// Values that do not fit their fields, typed or given by the file, and a
// date command; dateFormat is both [General] date formats.
QByteArray TerminalFile(int dateFormat)
{
    const QByteArray code = "0,\"Code\",\"\",0,\"C1\",0,0,0,0,0,0,0,";
    return "[General]\nProtocol=1\nInputDateFormat=" + QByteArray::number(dateFormat)
        + "\nOutputDateFormat=" + QByteArray::number(dateFormat) + "\n\n"
        "[Groups]\nV=\n\n[V]\nAmount=\nNumber=\nBits=\nCount=\nDay=\nPrice=\n\n"
        "[VAmount]\nCommands=" + code + "0,\"&Total\",\"\",2,\"\",0,0,0,0,6,2,0\nAnswers=\n\n"
        "[VNumber]\nCommands=" + code + "0,\"Id\",\"\",4,\"\",0,0,0,0,0,0,0\nAnswers=\n\n"
        "[VBits]\nCommands=" + code + "0,\"Mask\",\"\",6,\"0102\",0,0,0,0,2,0,0\nAnswers=\n\n"
        "[VCount]\nCommands=" + code + "0,\"Count\",\"\",3,\"12a\",1,0,0,0,0,0,0\nAnswers=\n\n"
        "[VPrice]\nCommands=" + code + "0,\"&Price\",\"\",2,\"\",0,0,1,0,8,2,0\nAnswers=\n\n"
        "[VDay]\nCommands=" + code + "0,\"Day\",\"\",8,\"\",3,0,0,0,0,0,0\n"
        "Answers=\"Code\",0,0,\"Day\",8,0\n";
}

// The fields of a host command frame: STX, sequence number, fields
// separated by FS (control bytes escaped with ESC), ETX, checksum.
QList<QByteArray> CommandFields(const QByteArray &frame)
{
    QList<QByteArray> fields;
    QByteArray field;
    for (qsizetype i = 2; i < frame.size() && frame.at(i) != 0x03; ++i) {
        if (frame.at(i) == 0x1B && i + 1 < frame.size())
            field += frame.at(++i);
        else if (frame.at(i) == 0x1C)
            fields.append(std::exchange(field, QByteArray()));
        else
            field += frame.at(i);
    }
    fields.append(field);
    return fields;
}

struct TCliRun {
    int exit = -1;
    QByteArray out;
    QString err;
};

} // namespace

// The window and tessaly-cli on the same file, against the simulated
// printer: what one refuses the other refuses, what one sends the other
// sends, and both read the answer alike.
class TstTypedValuesOnSimulator : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void valueThatDoesNotFitIsRefused_data();
    void valueThatDoesNotFitIsRefused();
    void requiredFieldLeftEmptyIsRefused_data();
    void requiredFieldLeftEmptyIsRefused();
    void dateFormatOutOfRangeAsTheCli();

private:
    bool Start(int dateFormat);
    void Select(const QString &command);
    int HostFrames();
    TCliRun Cli(const QStringList &arguments);

    QTemporaryDir m_dir;
    QString m_file;
    TSimProcess *m_sim = nullptr;
    TSettings m_settings;
    TScriptedPrompts m_prompts;
    std::unique_ptr<TFPHostControl> m_host;
    std::unique_ptr<TFPAuxControl> m_aux;
    std::unique_ptr<TFormChildTerminalWindow> m_window;
};

void TstTypedValuesOnSimulator::init()
{
    m_sim = new TSimProcess;
    m_prompts.Clear();
}

void TstTypedValuesOnSimulator::cleanup()
{
    m_window.reset();
    m_host.reset();
    m_aux.reset();
    delete m_sim;
    m_sim = nullptr;
}

bool TstTypedValuesOnSimulator::Start(int dateFormat)
{
    m_file = m_dir.filePath(QStringLiteral("values.tsy"));
    TestFiles::Write(m_file, TerminalFile(dateFormat));
    if (!m_sim->Start({})) {
        qWarning() << m_sim->Error();
        return false;
    }
    // The [General] section read as the main window reads it.
    m_settings = TSettings();
    if (!TerminalFiles::ReadGeneralSection(m_settings, m_file, nullptr))
        return false;
    m_host = std::make_unique<TFPHostControl>();
    m_host->SetDeviceName(m_sim->HostPath());
    m_host->SetProtocolType(protocol_Extended);
    m_aux = std::make_unique<TFPAuxControl>();
    m_settings.HostPortOpen = m_host->OpenPort();
    m_window = std::make_unique<TFormChildTerminalWindow>(m_settings, m_prompts, m_file, nullptr, m_host.get(),
                                                          m_aux.get());
    m_window->show();
    m_window->activateWindow();
    return m_settings.HostPortOpen && QTest::qWaitForWindowActive(m_window.get());
}

void TstTypedValuesOnSimulator::Select(const QString &command)
{
    QTreeWidgetItem *group = m_window->CommandTree()->RootNode()->child(0);
    for (int c = 0; c < group->childCount(); ++c) {
        if (group->child(c)->text(0) == command) {
            m_window->CommandTree()->setCurrentItem(group->child(c));
            m_window->CommandTree()->ShowSelectedCommand();
            return;
        }
    }
    QFAIL("no such command");
}

int TstTypedValuesOnSimulator::HostFrames()
{
    return int(m_sim->Trace().count(QStringLiteral("host   <- 02")));
}

TCliRun TstTypedValuesOnSimulator::Cli(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TESSALY_CLI), arguments);
    TCliRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void TstTypedValuesOnSimulator::valueThatDoesNotFitIsRefused_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("entry");   // "type", "paste", or "" for the file's default
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("reason");

    QTest::newRow("amount ten times smaller") << "Amount" << "type" << "12345,67"
                                              << "Field 2 (Total): '12345,67' has 5 integer digits; the field holds 4";
    QTest::newRow("amount with decimals cut") << "Amount" << "type" << "1,999"
                                              << "Field 2 (Total): '1,999' has 3 decimals; the field holds 2";
    QTest::newRow("pasted amount with both separators")
        << "Amount" << "paste" << "1.250,75" << "Field 2 (Total): '1.250,75': its integer part '1.250' is not a number";
    QTest::newRow("number beyond 32 bits") << "Number" << "type" << "4294967296"
                                           << "Field 2 (Id): '4294967296' is not a whole number from 0 to 4294967295";
    QTest::newRow("default bits") << "Bits" << "" << "0102"
                                  << "Field 2 (Mask): '0102' is not a binary number of at most 32 digits";
    QTest::newRow("default of a drop-down") << "Count" << "" << "12a"
                                            << "Field 2 (Count): '12a' is not a valid Numeric text";
}

void TstTypedValuesOnSimulator::valueThatDoesNotFitIsRefused()
{
    QFETCH(QString, command);
    QFETCH(QString, entry);
    QFETCH(QString, value);
    QFETCH(QString, reason);
    QVERIFY(Start(0));

    // The window: typed with real keys, the field named and focused,
    // nothing sent.
    Select(command);
    auto *box = qobject_cast<TFieldTypeComboBox *>(m_window->CommandPage()->InputPanel()->Control(1));
    QVERIFY(box);
    if (!entry.isEmpty()) {
        box->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(box->hasFocus());
        if (entry == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(value);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(box, value);
        }
    }
    QCOMPARE(box->GetText(), value);
    QSignalSpy finished(&m_window->CommandPage()->Runner(), &TCommandRunner::Finished);
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().value<TRunOutcome>().kind, TRunOutcome::BadInput);
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError),
             QStringList{ExecutionTexts::BadInput + QLatin1Char('\n') + reason});
    QTRY_VERIFY(box->hasFocus());
    QCOMPARE(box->GetText(), value);
    QCOMPARE(HostFrames(), 0);
    m_host->ClosePort();

    // The command-line tool: exit 4, the same reason, nothing written.
    const QString log = m_dir.filePath(QStringLiteral("refused.log"));
    QStringList arguments{QStringLiteral("send"), m_file, QStringLiteral("V/") + command,
                          QStringLiteral("--port"), m_sim->HostPath(), QStringLiteral("--log"), log};
    if (!entry.isEmpty())
        arguments << QStringLiteral("--set") << QStringLiteral("2=") + value;
    const TCliRun run = Cli(arguments);
    QCOMPARE(run.exit, 4);
    QCOMPARE(run.err, QStringLiteral("tessaly-cli: ") + reason + QLatin1Char('\n'));
    QCOMPARE(run.out, QByteArray());
    QVERIFY(!QFileInfo::exists(log));
    QCOMPARE(HostFrames(), 0);
}

void TstTypedValuesOnSimulator::requiredFieldLeftEmptyIsRefused_data()
{
    QTest::addColumn<bool>("repeat");
    QTest::newRow("Send") << false;
    QTest::newRow("Repeat") << true;
}

// Left empty, a required field would go out as zeros: Send and Repeat
// refuse it as bad input, and Repeat does not ask for a count first.
void TstTypedValuesOnSimulator::requiredFieldLeftEmptyIsRefused()
{
    QFETCH(bool, repeat);
    QVERIFY(Start(0));
    Select(QStringLiteral("Price"));
    auto *box = qobject_cast<TFieldTypeComboBox *>(m_window->CommandPage()->InputPanel()->Control(1));
    QVERIFY(box);
    QPushButton *button = repeat ? m_window->CommandPage()->ButtonRepeat() : m_window->CommandPage()->ButtonSend();
    const QString reason = QStringLiteral("Field 2 (Price): a text is required");
    QSignalSpy finished(&m_window->CommandPage()->Runner(), &TCommandRunner::Finished);
    m_prompts.Inputs.enqueue(QStringLiteral("3"));
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().value<TRunOutcome>().kind, TRunOutcome::BadInput);
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError),
             QStringList{ExecutionTexts::BadInput + QLatin1Char('\n') + reason});
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindInput), 0);
    QTRY_VERIFY(box->hasFocus());
    QVERIFY(m_window->CommandTree()->isEnabled());
    QVERIFY(button->isEnabled());
    QCOMPARE(HostFrames(), 0);

    // Filled in, the same button sends it.
    QTest::keyClicks(box->lineEdit(), QStringLiteral("2,5"));
    m_prompts.Inputs.clear();
    m_prompts.Inputs.enqueue(QStringLiteral("2"));
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 10000);
    QCOMPARE(finished.last().first().value<TRunOutcome>().kind, TRunOutcome::Answer);
    QTRY_COMPARE(HostFrames(), repeat ? 2 : 1);
    m_host->ClosePort();
    if (repeat)
        return;

    // The command-line tool refuses the field's empty default alike.
    const QString log = m_dir.filePath(QStringLiteral("required.log"));
    const TCliRun run = Cli({QStringLiteral("send"), m_file, QStringLiteral("V/Price"), QStringLiteral("--port"),
                             m_sim->HostPath(), QStringLiteral("--log"), log});
    QCOMPARE(run.exit, 4);
    QCOMPARE(run.err, QStringLiteral("tessaly-cli: ") + reason + QLatin1Char('\n'));
    QVERIFY(!QFileInfo::exists(log));
}

// A date format outside 0..7 reads as 0 in both: the same frame goes out and
// the echoed date is read back alike.
void TstTypedValuesOnSimulator::dateFormatOutOfRangeAsTheCli()
{
    QVERIFY(Start(9));
    Select(QStringLiteral("Day"));
    auto *picker = qobject_cast<QDateEdit *>(m_window->CommandPage()->InputPanel()->Control(1));
    QVERIFY(picker);
    picker->setDate(QDate(2026, 3, 5));
    QSignalSpy written(m_host.get(), &TFPHostControl::OnWrite);
    QSignalSpy finished(&m_window->CommandPage()->Runner(), &TCommandRunner::Finished);
    QTest::mouseClick(m_window->CommandPage()->ButtonSend(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
    QCOMPARE(finished.first().first().value<TRunOutcome>().kind, TRunOutcome::Answer);
    QList<QList<QByteArray>> windowFrames;
    for (const QList<QVariant> &frame : written)
        if (frame.first().toByteArray().startsWith('\x02'))
            windowFrames << CommandFields(frame.first().toByteArray());
    QCOMPARE(windowFrames, QList<QList<QByteArray>>({{"C1", "050326"}}));
    QStringList windowRows;
    TAnswerDisplay *display = m_window->CommandPage()->AnswerDisplay();
    for (int r = 3; r < display->RowCount(); ++r)
        windowRows << display->RowLabel(r)->text() + QLatin1Char('=') + display->RowBox(r)->text();
    QCOMPARE(windowRows, QStringList({"Code=C1", "Day=05/03/26"}));
    m_host->ClosePort();

    const TCliRun run = Cli({QStringLiteral("send"), m_file, QStringLiteral("V/Day"), QStringLiteral("--port"),
                             m_sim->HostPath(), QStringLiteral("--date"), QStringLiteral("2=2026-03-05"),
                             QStringLiteral("--json")});
    QVERIFY2(run.exit == 0, qPrintable(run.err));
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    QList<QList<QByteArray>> cliFrames;
    for (const QJsonValue &frame : json.value(QStringLiteral("frames")).toArray()) {
        const QJsonObject f = frame.toObject();
        const QByteArray bytes = QByteArray::fromHex(f.value(QStringLiteral("hex")).toString().toLatin1());
        if (f.value(QStringLiteral("dir")).toString() == QLatin1String("out") && bytes.startsWith('\x02'))
            cliFrames << CommandFields(bytes);
    }
    QCOMPARE(cliFrames, windowFrames);
    QStringList cliRows;
    for (const QJsonValue &row : json.value(QStringLiteral("rows")).toArray())
        cliRows << row.toObject().value(QStringLiteral("label")).toString() + QLatin1Char('=')
                       + row.toObject().value(QStringLiteral("text")).toString();
    QCOMPARE(cliRows.mid(1), windowRows);
}

QTEST_MAIN(TstTypedValuesOnSimulator)
#include "tst_typed_values_on_simulator.moc"
