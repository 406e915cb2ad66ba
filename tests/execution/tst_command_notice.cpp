#include "execution/command_definition.h"
#include "execution/command_notice.h"
#include "execution/execution_texts.h"

#include <QtTest>

// Why Send is disabled for the command on display, in words.
class TestCommandNotice : public QObject {
    Q_OBJECT

private slots:
    void notice_data();
    void notice();
};

void TestCommandNotice::notice_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("inFile");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("hostOpen");
    QTest::addColumn<bool>("fiscalOpen");
    QTest::addColumn<QString>("notice");

    const QString bad = QStringLiteral("'x' is not a valid integer value");
    QTest::newRow("sendable") << 2 << 2 << int(cpHostPort) << QString() << true << false << QString();
    QTest::newRow("fiscal, sendable") << 1 << 1 << int(cpFiscalPort) << QString() << false << true << QString();
    QTest::newRow("read in part") << 1 << 1 << int(cpHostPort) << bad << true << true
                                  << ExecutionTexts::CommandUnreadable(2, bad);
    QTest::newRow("no fields") << 0 << 0 << int(cpHostPort) << QString() << true << true
                               << ExecutionTexts::NoCommandFields;
    QTest::newRow("host port closed") << 1 << 1 << int(cpHostPort) << QString() << false << true
                                      << ExecutionTexts::HostPortClosedNotice;
    QTest::newRow("fiscal port closed") << 1 << 1 << int(cpFiscalPort) << QString() << true << false
                                        << ExecutionTexts::FiscalPortClosedNotice;
    QTest::newRow("cut") << 70 << 72 << int(cpHostPort) << QString() << true << true
                         << ExecutionTexts::FieldsCut(70, 72);
    QTest::newRow("cut, port closed") << 70 << 72 << int(cpHostPort) << QString() << false << false
                                      << ExecutionTexts::HostPortClosedNotice + '\n'
                                             + ExecutionTexts::FieldsCut(70, 72);
}

void TestCommandNotice::notice()
{
    QFETCH(int, fields);
    QFETCH(int, inFile);
    QFETCH(int, port);
    QFETCH(QString, error);
    QFETCH(bool, hostOpen);
    QFETCH(bool, fiscalOpen);
    QFETCH(QString, notice);
    TCommandDefinition definition;
    definition.port = TCommandPort(port);
    definition.fields = QList<TCommandField>(fields);
    definition.fileFieldCount = inFile;
    definition.error = error;
    QCOMPARE(CommandNotice(definition, hostOpen, fiscalOpen), notice);
}

QTEST_GUILESS_MAIN(TestCommandNotice)
#include "tst_command_notice.moc"
