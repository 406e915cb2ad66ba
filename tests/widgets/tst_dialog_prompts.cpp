#include "widgets/dialog_prompts.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <functional>

class TstDialogPrompts : public QObject
{
    Q_OBJECT

private slots:
    void inputDialogShowsItsTitle_data();
    void inputDialogShowsItsTitle();
};

void TstDialogPrompts::inputDialogShowsItsTitle_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("answer");

    QTest::newRow("repeat count") << "Enter times to repeat the command" << int(Qt::Key_Return) << "12";
    QTest::newRow("add group") << "Add a new group" << int(Qt::Key_Enter) << "12";
    QTest::newRow("add command, cancelled") << "Add a new command" << int(Qt::Key_Escape) << "";
    QTest::newRow("rename command") << "Rename command \"Close the fiscal day now\"" << int(Qt::Key_Return) << "12";
}

// The window is at least as wide as its title in the bold face title bars
// use, with room for the bar's icon and buttons; Enter and Escape answer.
void TstDialogPrompts::inputDialogShowsItsTitle()
{
    QFETCH(QString, caption);
    QFETCH(int, key);
    TDialogPrompts prompts;
    int width = 0;
    QString title;
    QString prompt;
    int attempts = 0;
    std::function<void()> answer = [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (++attempts < 1000)
                QTimer::singleShot(0, answer);
            return;
        }
        width = dialog->width();
        title = dialog->windowTitle();
        prompt = dialog->findChild<QLabel *>()->text();
        QLineEdit *edit = dialog->findChild<QLineEdit *>();
        QTest::keyClicks(edit, "12");
        QTest::keyClick(edit, Qt::Key(key));
    };
    QTimer::singleShot(0, answer);
    QTEST(prompts.InputText(nullptr, caption), "answer");

    QCOMPARE(title, caption);
    QCOMPARE(prompt, QStringLiteral("Input text:"));
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    QVERIFY2(width >= metrics.horizontalAdvance(caption) + 3 * metrics.height(),
             qPrintable(QStringLiteral("%1 pixels wide").arg(width)));
}

QTEST_MAIN(TstDialogPrompts)
#include "tst_dialog_prompts.moc"
