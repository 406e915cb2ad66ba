#include "terminal_model/answer_field.h"
#include "terminal_model/command_field.h"
#include "terminal_model/fixed_answer.h"
#include "terminal_model/return_codes.h"
#include "terminal_model/terminal_document.h"
#include "terminal_model/value_list.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QByteArray kBase = "; head\n"
                         "[General]\n"
                         "Protocol=0\n"
                         "\n"
                         "[Groups]\n"
                         "Sales=\n"
                         "Reports=\n"
                         "\n"
                         "[Sales]\n"
                         "Open=\n"
                         "Sell=\n"
                         "\n"
                         "[SalesOpen]\n"
                         "Commands=0,\"a\",\"b\",0,\"\",0,0,0,0,0,0,0\n"
                         "Answers=\n"
                         "\n"
                         "[SalesSell]\n"
                         "Commands=\n"
                         "Answers=\"x\",3,0\n"
                         "CL1=\"1,2\"\n"
                         "Notes=\"\"Hint text\"\"\n"
                         "\n"
                         "[Reports]\n"
                         "Daily=\n"
                         "\n"
                         "[ReportsDaily]\n"
                         "Commands=\n"
                         "Answers=\n";

using TChoice = TTerminalDocument::TPasteChoice;

} // namespace

class TestTerminalDocument : public QObject {
    Q_OBJECT

private slots:
    void init();

    void lists();
    void cutName_data();
    void cutName();
    void addGroup();
    void addGroupRefused_data();
    void addGroupRefused();
    void renameGroup();
    void renameGroupRefused_data();
    void renameGroupRefused();
    void renameGroupWithOverlappingSections();
    void removeGroup();
    void addCommand();
    void addCommandOverLeftoverSection();
    void addCommandRefused_data();
    void addCommandRefused();
    void renameCommand();
    void removeCommand();
    void sharedSectionsSurviveRemoval();
    void duplicateGroup();
    void mergeGroup();
    void copyCommand_data();
    void copyCommand();
    void copySectionKeepsStoredForms();
    void writeFailureChangesNothing();
    void changesMadeElsewhereAreKept();
    void emptyNameDoesNothing();
    void sampleFileReadsAndRoundTrips();

private:
    void Prepare(const QByteArray &data);
    QByteArray Text() const;
    void Check(const TTerminalDocument::TResult &result, const QByteArray &expected);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    TTerminalDocument m_doc;
};

void TestTerminalDocument::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("terminal.tsy"));
    Prepare(kBase);
}

void TestTerminalDocument::Prepare(const QByteArray &data)
{
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
    file.close();
    QVERIFY(m_doc.Load(m_path));
}

QByteArray TestTerminalDocument::Text() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void TestTerminalDocument::Check(const TTerminalDocument::TResult &result, const QByteArray &expected)
{
    QVERIFY2(result.Ok, qPrintable(result.Message));
    QCOMPARE(Text(), expected);
    QCOMPARE(m_doc.Ini().ToData(), expected);
    QVERIFY(!m_doc.Ini().IsModified());
}

void TestTerminalDocument::lists()
{
    QCOMPARE(m_doc.Groups(), QStringList({"Sales", "Reports"}));
    QCOMPARE(m_doc.Commands(QStringLiteral("sales")), QStringList({"Open", "Sell"}));
    QVERIFY(m_doc.CommandExists(QStringLiteral("SALES"), QStringLiteral("sell")));
    QVERIFY(!m_doc.CommandExists(QStringLiteral("Reports"), QStringLiteral("Sell")));
    QCOMPARE(TTerminalDocument::CommandSection(QStringLiteral("Group1"), QStringLiteral("Command1")),
             QStringLiteral("Group1Command1"));
}

void TestTerminalDocument::cutName_data()
{
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("stored");
    QTest::newRow("short") << "Sales" << "Sales";
    QTest::newRow("30 characters") << "123456789012345678901234567890" << "1234567890123456789012345";
    QTest::newRow("blanks around") << "  Sales  " << "Sales";
    QTest::newRow("blank at the cut") << "123456789012345678901234 6789" << "123456789012345678901234";
    QTest::newRow("only blanks") << "   " << "";
}

void TestTerminalDocument::cutName()
{
    QFETCH(QString, entered);
    QFETCH(QString, stored);
    QCOMPARE(TTerminalDocument::CutName(entered), stored);
}

void TestTerminalDocument::addGroup()
{
    const auto result = m_doc.AddGroup(QStringLiteral("  Service  "));
    QByteArray expected = kBase;
    expected.replace("Reports=\n\n[Sales]", "Reports=\nService=\n\n[Sales]");
    Check(result, expected);
    QCOMPARE(result.Name, QStringLiteral("Service"));
    QVERIFY(result.Changed);

    // A name of 30 characters is stored as its first 25.
    const auto cut = m_doc.AddGroup(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD"));
    QCOMPARE(cut.Name, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));
    QVERIFY(Text().contains("Service=\nABCDEFGHIJKLMNOPQRSTUVWXY=\n\n"));
}

void TestTerminalDocument::addGroupRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    const QString exists = QStringLiteral("Group already exists");
    QTest::newRow("same letters, other case") << "sales" << exists;
    QTest::newRow("reserved GENERAL") << "GENERAL" << exists;
    QTest::newRow("reserved groups") << "groups" << exists;
    QTest::newRow("reserved Return code") << "Return code" << exists;
    QTest::newRow("return code descriptions") << "Return codes" << "The section [Return codes] is reserved";
    QTest::newRow("a command's section") << "salesopen"
                                         << "The section [salesopen] is already used by command \"Open\" of group \"Sales\"";
    QTest::newRow("equals sign") << "a=b"
                                 << "The name \"a=b\" cannot be stored: names may not contain \"=\", \"[\", \"]\" "
                                    "or control characters, nor start with \";\"";
    QTest::newRow("bracket") << "[x" << "The name \"[x\" cannot be stored: names may not contain \"=\", \"[\", \"]\" "
                                        "or control characters, nor start with \";\"";
    QTest::newRow("comment") << ";x" << "The name \";x\" cannot be stored: names may not contain \"=\", \"[\", \"]\" "
                                        "or control characters, nor start with \";\"";
}

void TestTerminalDocument::addGroupRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    const auto result = m_doc.AddGroup(name);
    QVERIFY(!result.Ok);
    QVERIFY(!result.Changed);
    QCOMPARE(result.Message, message);
    QCOMPARE(Text(), kBase);
}

void TestTerminalDocument::renameGroup()
{
    const auto result = m_doc.RenameGroup(QStringLiteral("sales"), QStringLiteral("Shop"));
    Check(result, "; head\n"
                  "[General]\n"
                  "Protocol=0\n"
                  "\n"
                  "[Groups]\n"
                  "Reports=\n"
                  "Shop=\n"
                  "\n"
                  "[Reports]\n"
                  "Daily=\n"
                  "\n"
                  "[ReportsDaily]\n"
                  "Commands=\n"
                  "Answers=\n"
                  "\n"
                  "[Shop]\n"
                  "Open=\n"
                  "Sell=\n"
                  "\n"
                  "[ShopOpen]\n"
                  "Commands=0,\"a\",\"b\",0,\"\",0,0,0,0,0,0,0\n"
                  "Answers=\n"
                  "\n"
                  "[ShopSell]\n"
                  "Commands=\n"
                  "Answers=\"x\",3,0\n"
                  "CL1=\"1,2\"\n"
                  "Notes=\"\"Hint text\"\"\n");
    QCOMPARE(result.Name, QStringLiteral("Shop"));
    QCOMPARE(m_doc.Groups(), QStringList({"Reports", "Shop"}));
}

void TestTerminalDocument::renameGroupRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("case only") << "SALES" << "Group already exists";
    QTest::newRow("other group") << "reports" << "Group already exists";
    QTest::newRow("reserved") << "FiscalAnswer" << "Group already exists";
    // ReportsD + Open is the section of another group.
    QTest::newRow("new command section taken") << "ReportsD"
                                               << "The section [ReportsDOpen] is already used by group \"ReportsDOpen\"";
}

void TestTerminalDocument::renameGroupRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    if (name == QLatin1String("ReportsD")) {
        QVERIFY(m_doc.AddGroup(QStringLiteral("ReportsDOpen")).Ok);
    }
    const QByteArray before = Text();
    const auto result = m_doc.RenameGroup(QStringLiteral("Sales"), name);
    QVERIFY(!result.Ok);
    QCOMPARE(result.Message, message);
    QCOMPARE(Text(), before);
}

void TestTerminalDocument::renameGroupWithOverlappingSections()
{
    // Group A's command C moves to section ABC, which its command BC leaves.
    Prepare("[Groups]\nA=\n\n[A]\nBC=\nC=\n\n[ABC]\nCommands=bc\n\n[AC]\nCommands=c\n");
    const auto result = m_doc.RenameGroup(QStringLiteral("A"), QStringLiteral("AB"));
    Check(result, "[Groups]\nAB=\n\n[AB]\nBC=\nC=\n\n[ABBC]\nCommands=bc\n\n[ABC]\nCommands=c\n");
}

void TestTerminalDocument::removeGroup()
{
    const auto result = m_doc.RemoveGroup(QStringLiteral("SALES"));
    Check(result, "; head\n[General]\nProtocol=0\n\n[Groups]\nReports=\n\n[Reports]\nDaily=\n\n"
                  "[ReportsDaily]\nCommands=\nAnswers=\n");
    QVERIFY(!m_doc.RemoveGroup(QStringLiteral("Sales")).Ok);
}

void TestTerminalDocument::addCommand()
{
    const auto result = m_doc.AddCommand(QStringLiteral("reports"), QStringLiteral("Monthly"));
    QByteArray expected = kBase;
    expected.replace("Daily=\n", "Daily=\nMonthly=\n");
    expected += "\n[ReportsMonthly]\nCommands=\nAnswers=\n";
    Check(result, expected);
    QCOMPARE(m_doc.Commands(QStringLiteral("Reports")), QStringList({"Daily", "Monthly"}));
}

void TestTerminalDocument::addCommandOverLeftoverSection()
{
    // The command of [ReportsMonthly] was removed from [Reports] by hand.
    Prepare(kBase + "\n[ReportsMonthly]\nAnswers=\"Total\",2,2\n"
                    "Commands=0,\"Old\",\"\",0,\"\",0,5,0,0,0,0,0\n");
    const auto result = m_doc.AddCommand(QStringLiteral("Reports"), QStringLiteral("Monthly"));
    QByteArray expected = kBase;
    expected.replace("Daily=\n", "Daily=\nMonthly=\n");
    expected += "\n[ReportsMonthly]\nAnswers=\nCommands=\n";
    Check(result, expected);
}

void TestTerminalDocument::addCommandRefused_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("exists, other case") << "Reports" << "DAILY" << "The command already exists";
    QTest::newRow("section of a group") << "Sales" << "Sell1"
                                        << "The section [SalesSell1] is already used by group \"SalesSell1\"";
    QTest::newRow("section of another command") << "Sa" << "lesOpen"
                                                << "The section [SalesOpen] is already used by command \"Open\" of group \"Sales\"";
    QTest::newRow("reserved section") << "Gen" << "eral" << "The section [General] is reserved";
    QTest::newRow("bad character") << "Reports" << "x]"
                                   << "The name \"x]\" cannot be stored: names may not contain \"=\", \"[\", \"]\" "
                                      "or control characters, nor start with \";\"";
    QTest::newRow("no such group") << "Nothing" << "x" << "Group \"Nothing\" does not exist";
}

void TestTerminalDocument::addCommandRefused()
{
    QFETCH(QString, group);
    QFETCH(QString, name);
    QFETCH(QString, message);
    for (const QString &extra : {QStringLiteral("SalesSell1"), QStringLiteral("Sa"), QStringLiteral("Gen")})
        QVERIFY(m_doc.AddGroup(extra).Ok);
    const QByteArray before = Text();
    const auto result = m_doc.AddCommand(group, name);
    QVERIFY(!result.Ok);
    QCOMPARE(result.Message, message);
    QCOMPARE(Text(), before);
}

void TestTerminalDocument::renameCommand()
{
    const auto result = m_doc.RenameCommand(QStringLiteral("Sales"), QStringLiteral("sell"), QStringLiteral("Sell item"));
    Check(result, "; head\n[General]\nProtocol=0\n\n[Groups]\nSales=\nReports=\n\n"
                  "[Sales]\nOpen=\nSell item=\n\n"
                  "[SalesOpen]\nCommands=0,\"a\",\"b\",0,\"\",0,0,0,0,0,0,0\nAnswers=\n\n"
                  "[Reports]\nDaily=\n\n[ReportsDaily]\nCommands=\nAnswers=\n\n"
                  "[SalesSell item]\nCommands=\nAnswers=\"x\",3,0\nCL1=\"1,2\"\nNotes=\"\"Hint text\"\"\n");

    QCOMPARE(m_doc.RenameCommand(QStringLiteral("Sales"), QStringLiteral("Open"), QStringLiteral("OPEN")).Message,
             QStringLiteral("The command already exists"));
}

void TestTerminalDocument::removeCommand()
{
    const auto result = m_doc.RemoveCommand(QStringLiteral("Sales"), QStringLiteral("OPEN"));
    QByteArray expected = kBase;
    expected.replace("Open=\n", "");
    expected.replace("[SalesOpen]\nCommands=0,\"a\",\"b\",0,\"\",0,0,0,0,0,0,0\nAnswers=\n\n", "");
    Check(result, expected);
}

void TestTerminalDocument::sharedSectionsSurviveRemoval()
{
    // Files from older tools may already hold pairs that share a section.
    Prepare("[Groups]\nAB=\nA=\nGen=\n\n[AB]\nC=\n\n[A]\nBC=\n\n[Gen]\neral=\n\n[ABC]\nCommands=shared\n\n"
            "[General]\nProtocol=1\n");
    Check(m_doc.RemoveGroup(QStringLiteral("A")),
          "[Groups]\nAB=\nGen=\n\n[AB]\nC=\n\n[Gen]\neral=\n\n[ABC]\nCommands=shared\n\n[General]\nProtocol=1\n");
    Check(m_doc.RemoveCommand(QStringLiteral("Gen"), QStringLiteral("eral")),
          "[Groups]\nAB=\nGen=\n\n[AB]\nC=\n\n[Gen]\n\n[ABC]\nCommands=shared\n\n[General]\nProtocol=1\n");
}

void TestTerminalDocument::duplicateGroup()
{
    QVERIFY(m_doc.AddGroup(QStringLiteral("Sales1")).Ok);
    const auto result = m_doc.DuplicateGroup(QStringLiteral("Sales"));
    QByteArray expected = kBase;
    expected.replace("Reports=\n\n", "Reports=\nSales1=\nSales2=\n\n");
    expected += "\n[Sales2]\nOpen=\nSell=\n\n"
                "[Sales2Open]\nCommands=0,\"a\",\"b\",0,\"\",0,0,0,0,0,0,0\nAnswers=\n\n"
                "[Sales2Sell]\nCommands=\nAnswers=\"x\",3,0\nCL1=\"1,2\"\nNotes=\"\"Hint text\"\"\n";
    Check(result, expected);
    QCOMPARE(result.Name, QStringLiteral("Sales2"));
    QCOMPARE(result.Added, QStringList({"Open", "Sell"}));
}

void TestTerminalDocument::mergeGroup()
{
    Prepare("[Groups]\nSales=\nReports=\n\n[Sales]\nOpen=\nSell=\n\n"
            "[SalesOpen]\nCommands=open\n\n[SalesSell]\nCommands=new\nCL1=\"a\"\n\n"
            "[Reports]\nsell=\n\n[Reportssell]\nCommands=old\nCL3=\"keep\"\n");
    QStringList asked;
    const auto result = m_doc.MergeGroup(QStringLiteral("Reports"), QStringLiteral("Sales"), [&](const QString &c) {
        asked.append(c);
        return true;
    });
    Check(result, "[Groups]\nSales=\nReports=\n\n[Sales]\nOpen=\nSell=\n\n"
                  "[SalesOpen]\nCommands=open\n\n[SalesSell]\nCommands=new\nCL1=\"a\"\n\n"
                  "[Reports]\nsell=\nOpen=\n\n[Reportssell]\nCommands=new\nCL3=\"keep\"\nCL1=\"a\"\n\n"
                  "[ReportsOpen]\nCommands=open\n");
    QCOMPARE(asked, QStringList(QStringLiteral("sell")));
    QCOMPARE(result.Added, QStringList(QStringLiteral("Open")));

    // Declining keeps the target's command as it is.
    const QByteArray before = Text();
    const auto declined = m_doc.MergeGroup(QStringLiteral("Reports"), QStringLiteral("Sales"),
                                           [](const QString &) { return false; });
    QVERIFY(declined.Ok);
    QVERIFY(!declined.Changed);
    QCOMPARE(Text(), before);
    QVERIFY(!m_doc.MergeGroup(QStringLiteral("Sales"), QStringLiteral("Sales"), {}).Changed);
}

void TestTerminalDocument::copyCommand_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("answers");   // "overwrite", "cancel", or "new:<name>"
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("overwritten");
    QTest::addColumn<QStringList>("asked");
    QTest::newRow("free name") << "Reports" << QStringList() << true << "Sell" << false << QStringList();
    QTest::newRow("overwrite") << "Sales" << QStringList{"overwrite"} << false << "Sell" << true << QStringList{"Sell"};
    QTest::newRow("cancel") << "Sales" << QStringList{"cancel"} << false << "" << false << QStringList{"Sell"};
    QTest::newRow("new name") << "Sales" << QStringList{"new:Sell again"} << true << "Sell again" << false
                              << QStringList{"Sell"};
    QTest::newRow("new name taken, then overwrite that one")
        << "Sales" << QStringList{"new:open", "overwrite"} << true << "Open" << true << QStringList{"Sell", "Open"};
    QTest::newRow("empty new name stops") << "Sales" << QStringList{"new:  "} << false << "" << false
                                          << QStringList{"Sell"};
}

void TestTerminalDocument::copyCommand()
{
    QFETCH(QString, target);
    QFETCH(QStringList, answers);
    QFETCH(bool, written);
    QFETCH(QString, name);
    QFETCH(bool, overwritten);
    QFETCH(QStringList, asked);

    QStringList questions;
    const auto chooser = [&](const QString &taken, QString *newName) {
        questions.append(taken);
        const QString answer = answers.value(questions.size() - 1, QStringLiteral("cancel"));
        if (answer == QLatin1String("overwrite"))
            return TChoice::Overwrite;
        if (answer.startsWith(QLatin1String("new:"))) {
            *newName = answer.mid(4);
            return TChoice::New;
        }
        return TChoice::Cancel;
    };
    const auto result = m_doc.CopyCommand(target, QStringLiteral("Sales"), QStringLiteral("Sell"), chooser);
    QCOMPARE(questions, asked);
    QCOMPARE(result.Changed, written);
    QCOMPARE(result.Name, name);
    QCOMPARE(result.Overwritten, overwritten);
    if (!written) {
        QCOMPARE(Text(), kBase);
        return;
    }
    const QString section = target + name;
    QCOMPARE(m_doc.Ini().ReadString(section, QStringLiteral("Answers")), QStringLiteral("\"x\",3,0"));
    QCOMPARE(m_doc.Ini().ReadString(section, QStringLiteral("Notes")), QStringLiteral("\"\"Hint text\"\""));
    QVERIFY(m_doc.CommandExists(target, name));
    if (overwritten)   // the overwritten command took the copied Commands
        QCOMPARE(m_doc.Ini().ReadString(section, QStringLiteral("Commands")), QString());
}

void TestTerminalDocument::copySectionKeepsStoredForms()
{
    TExtIniFile ini;
    ini.LoadFromData("[S]\ncommands=0,\"a\",\"b\",0,\"\",0,0,0,0,0,0,0\nAnswers=\"x\",3,0\nCL1=\"1,2\"\n"
                     "Notes=plain\nCL2=\"\"\n[T]\nCL9=\"stay\"\nCL1=\"old\"\n");
    TTerminalDocument::CopySection(ini, QStringLiteral("S"), QStringLiteral("T"));
    QCOMPARE(ini.ToData(), QByteArray("[S]\ncommands=0,\"a\",\"b\",0,\"\",0,0,0,0,0,0,0\nAnswers=\"x\",3,0\nCL1=\"1,2\"\n"
                                      "Notes=plain\nCL2=\"\"\n[T]\nCL9=\"stay\"\nCL1=\"1,2\"\n"
                                      "commands=0,\"a\",\"b\",0,\"\",0,0,0,0,0,0,0\nAnswers=\"x\",3,0\n"
                                      "Notes=\"plain\"\nCL2=\"\"\n"));
}

void TestTerminalDocument::writeFailureChangesNothing()
{
    // The folder of the file went away (an unplugged stick): the write fails
    // and the document stays what the file was.
    const QString folder = m_dir->filePath(QStringLiteral("stick"));
    QVERIFY(QDir().mkpath(folder));
    m_path = folder + QStringLiteral("/t.tsy");
    Prepare(kBase);
    QVERIFY(QDir(folder).removeRecursively());
    const auto result = m_doc.RenameGroup(QStringLiteral("Sales"), QStringLiteral("Shop"));
    QVERIFY(!result.Ok);
    QVERIFY(!result.Changed);
    QCOMPARE(result.Message, QStringLiteral("Unable to write to %1").arg(m_path));
    QCOMPARE(m_doc.LastError(), result.Message);
    QCOMPARE(m_doc.Groups(), QStringList({"Sales", "Reports"}));
    QCOMPARE(m_doc.Ini().ToData(), kBase);
    QVERIFY(!m_doc.Ini().IsModified());
}

void TestTerminalDocument::changesMadeElsewhereAreKept()
{
    // An editor wrote the file through its own copy.
    TExtIniFile editor(m_path);
    editor.WriteString(QStringLiteral("SalesOpen"), QStringLiteral("Answers"), QStringLiteral("\"New\",3,0"));
    QVERIFY(editor.UpdateFile());
    QVERIFY(m_doc.AddGroup(QStringLiteral("Service")).Ok);
    QVERIFY(Text().contains("Answers=\"New\",3,0"));
    QVERIFY(Text().contains("Service="));
}

void TestTerminalDocument::emptyNameDoesNothing()
{
    for (const auto &result : {m_doc.AddGroup(QStringLiteral("   ")), m_doc.RenameGroup(QStringLiteral("Sales"), QString()),
                               m_doc.AddCommand(QStringLiteral("Sales"), QString()),
                               m_doc.RenameCommand(QStringLiteral("Sales"), QStringLiteral("Open"), QString())}) {
        QVERIFY(!result.Ok);
        QVERIFY(result.Message.isEmpty());
    }
    QCOMPARE(Text(), kBase);
}

void TestTerminalDocument::sampleFileReadsAndRoundTrips()
{
    const QString sample = QStringLiteral(TESSALY_SOURCE_DIR "/examples/demo.tsy");
    if (!QFile::exists(sample))
        QSKIP("no sample file");
    QFile file(sample);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    QVERIFY(m_doc.Load(sample));
    QCOMPARE(m_doc.Ini().ToData(), original);

    // Every record of the sample reads strictly, and writing it back with the
    // program's writers gives the same values.
    TExtIniFile rewritten = m_doc.Ini();
    int commands = 0;
    for (const QString &group : m_doc.Groups()) {
        for (const QString &command : m_doc.Commands(group)) {
            const QString section = TTerminalDocument::CommandSection(group, command);
            QString error;
            const auto fields = ReadCommandFields(m_doc.Ini(), section, TFieldReading::Strict, &error);
            QVERIFY2(error.isEmpty(), qPrintable(section + QLatin1String(": ") + error));
            const auto answers = ReadAnswerFields(m_doc.Ini(), section, TFieldReading::Strict, &error);
            QVERIFY2(error.isEmpty(), qPrintable(section + QLatin1String(": ") + error));
            WriteCommandFields(rewritten, section, fields);
            WriteAnswerFields(rewritten, section, answers);
            for (int n = 1; n <= fields.size(); ++n) {
                if (m_doc.Ini().ValueExists(section, TValueList::ComboKey(n)))
                    TValueList::WriteComboLines(rewritten, section, n, TValueList::ReadComboLines(m_doc.Ini(), section, n));
            }
            ++commands;
        }
    }
    QVERIFY(commands > 0);
    for (const QString &section : {FiscalAnswerSection, PrinterAnswerSection}) {
        QStringList errors;
        QVERIFY(!ReadFixedAnswers(m_doc.Ini(), section, &errors).isEmpty());
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    }
    QStringList errors;
    QVERIFY(!ReadReturnCodes(m_doc.Ini(), &errors).isEmpty());
    QVERIFY(errors.isEmpty());
    QCOMPARE(rewritten.ToData(), original);
}

QTEST_GUILESS_MAIN(TestTerminalDocument)
#include "tst_terminal_document.moc"
