#include "terminal_window/terminal_window_texts.h"

#include <QTest>

class TstTerminalWindowTexts : public QObject
{
    Q_OBJECT
private slots:
    void questionTexts();
};

void TstTerminalWindowTexts::questionTexts()
{
    QCOMPARE(TerminalWindowTexts::RemoveGroupQuestion(QStringLiteral("G")),
             QStringLiteral("Are you sure you want to delete group \"G\" ?"));
    QCOMPARE(TerminalWindowTexts::RemoveCommandQuestion(QStringLiteral("C")),
             QStringLiteral("Are you sure you want to delete command \"C\" ?"));
    QCOMPARE(TerminalWindowTexts::RenameGroupCaption(QStringLiteral("G")), QStringLiteral("Rename group \"G\""));
    QCOMPARE(TerminalWindowTexts::RenameCommandCaption(QStringLiteral("C")), QStringLiteral("Rename command \"C\""));
}

QTEST_GUILESS_MAIN(TstTerminalWindowTexts)
#include "tst_terminal_window_texts.moc"
