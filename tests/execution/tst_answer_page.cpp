#include "execution/answer_page.h"
#include "terminal_model/ext_ini_file.h"

#include <QtTest>

namespace {

const QByteArray Document = "[FiscalAnswer]\n"
                            "Record1=1,2,0600,0600,\"Memory full\",clRed\n"
                            "Record2=2,1,0001,0000,\"OK\",clGreen\n"
                            "[PrinterAnswer]\n"
                            "Record1=1,1,0000,0000,\"Printer\",clBlack\n"
                            "[Return codes]\n"
                            "RC257=Paper out\n"
                            "[ReportsDaily]\n"
                            "Answers=\"Total\",2,2,\"Day\",8,0\n"
                            "[ReportsBroken]\n"
                            "Answers=\"Total\",2,2,\"Day\",date,0\n";

}

class TestAnswerPage : public QObject {
    Q_OBJECT
private slots:
    void statusBoxes();
    void rowsFromTheCommandSent();
    void unreadableDefinitions();
};

void TestAnswerPage::statusBoxes()
{
    TExtIniFile ini;
    QVERIFY(ini.LoadFromData(Document));
    const auto fiscal = TFixedAnswerTable::Load(ini, QStringLiteral("FiscalAnswer"));
    const auto printer = TFixedAnswerTable::Load(ini, QStringLiteral("PrinterAnswer"));
    TReceivedAnswer answer;
    answer.fiscalStatus = 0x0600;
    answer.printerStatus = 0xa00b;
    const TAnswerPage page = TAnswerPage::Build(ini, fiscal, printer, answer, {});
    QCOMPARE(page.fiscalCaption, QStringLiteral("Fiscal answer = 0600"));
    QCOMPARE(page.printerCaption, QStringLiteral("Printer answer = A00B"));
    // No time without a command that was timed.
    QCOMPARE(page.ElapsedCaption, QString());
    answer.ElapsedUs = 127400;
    QCOMPARE(TAnswerPage::Build(ini, fiscal, printer, answer, {}).ElapsedCaption, QStringLiteral("Answered in 127 ms"));
    QCOMPARE(page.fiscalPanels.size(), 2);
    QCOMPARE(page.fiscalPanels.at(0).text, QStringLiteral("OK"));
    QCOMPARE(page.fiscalPanels.at(0).color, quint32(0x008000));
    QCOMPARE(page.fiscalPanels.at(1).text, QStringLiteral("Memory full"));
    QCOMPARE(page.fiscalPanels.at(1).color, quint32(0x0000FF));
    QCOMPARE(page.printerPanels.size(), 1);
    QCOMPARE(page.printerPanels.at(0).text, QStringLiteral("Printer"));
    // The panels are sized for every text the tables hold, not only the
    // ones this answer shows.
    QCOMPARE(page.panelTexts, (QStringList{"Memory full", "OK", "Printer"}));
}

void TestAnswerPage::rowsFromTheCommandSent()
{
    TExtIniFile ini;
    QVERIFY(ini.LoadFromData(Document));
    TReceivedAnswer answer;
    answer.commandKey = QStringLiteral("ReportsDaily");
    answer.returnCode = 257;
    answer.fields = {"12345", "030504", "extra"};
    TAnswerPage::TOptions options;
    options.protocol = 1;
    options.outputDateFormat = 7;
    options.today = QDate(2026, 12, 7);
    const TAnswerPage page = TAnswerPage::Build(ini, {}, {}, answer, options);
    QVERIFY(page.error.isEmpty());
    QCOMPARE(page.rows.size(), 6);
    QCOMPARE(page.rows.at(1).hint, QStringLiteral("(0101) Paper out"));
    QCOMPARE(page.rows.at(3).label, QStringLiteral("Total"));
    QCOMPARE(page.rows.at(3).text, QStringLiteral("123.45"));
    QCOMPARE(page.rows.at(4).text, QStringLiteral("2004/05/03"));
    QCOMPARE(page.rows.at(5).label, QStringLiteral("Field5"));
    QVERIFY(page.rows.at(5).undefined);
    QVERIFY(page.fiscalPanels.isEmpty());
}

void TestAnswerPage::unreadableDefinitions()
{
    TExtIniFile ini;
    QVERIFY(ini.LoadFromData(Document));
    TReceivedAnswer answer;
    answer.commandKey = QStringLiteral("ReportsBroken");
    answer.fields = {"100", "030504"};
    const TAnswerPage page = TAnswerPage::Build(ini, {}, {}, answer, {});
    QCOMPARE(page.error, QStringLiteral("'date' is not a valid integer value"));
    QCOMPARE(page.rows.at(3).label, QStringLiteral("Total"));
    QCOMPARE(page.rows.at(4).label, QStringLiteral("Field4"));
    QCOMPARE(page.rows.at(4).text, QStringLiteral("030504"));
}

QTEST_GUILESS_MAIN(TestAnswerPage)
#include "tst_answer_page.moc"
