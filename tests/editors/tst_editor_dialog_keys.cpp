#include "support_editors.h"
#include "support_every_dialog.h"
#include "terminal_model/settings.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace EditorTest;
using namespace EveryDialog;

class TstEditorDialogKeys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void focusedButtonTakesEnter_data();
    void focusedButtonTakesEnter();
    void enterAndEscapeInAnInput_data();
    void enterAndEscapeInAnInput();

private:
    std::unique_ptr<QDialog> Make(int kind);
    QString Path() const { return m_dir.filePath("keys.tsy"); }

    QTemporaryDir m_dir;
    TDialogScript m_prompts;
    TSettings m_settings;
};

void TstEditorDialogKeys::initTestCase()
{
    WriteFile(Path(), File);
}

std::unique_ptr<QDialog> TstEditorDialogKeys::Make(int kind)
{
    return EveryDialog::Make(kind, Path(), m_prompts, m_settings);
}

void TstEditorDialogKeys::focusedButtonTakesEnter_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("button");
    for (int kind = 0; kind < KindCount; ++kind) {
        const std::unique_ptr<QDialog> dialog = Make(kind);
        for (const QPushButton *button : dialog->findChildren<QPushButton *>())
            if (button->isEnabled() && !button->objectName().isEmpty())
                QTest::addRow("%s, %s", KindNames[kind], qPrintable(button->objectName()))
                    << kind << button->objectName();
    }
}

// Enter on a focused button presses that button, never the default one.
void TstEditorDialogKeys::focusedButtonTakesEnter()
{
    QFETCH(int, kind);
    QFETCH(QString, button);
    const std::unique_ptr<QDialog> dialog = Make(kind);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    auto *target = dialog->findChild<QPushButton *>(button);
    target->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(target->hasFocus());

    QList<std::pair<QString, std::shared_ptr<QSignalSpy>>> spies;
    for (QPushButton *each : dialog->findChildren<QPushButton *>())
        spies.append({each->objectName(), std::make_shared<QSignalSpy>(each, &QPushButton::clicked)});
    QTest::keyClick(target, Qt::Key_Return);
    QStringList pressed;
    for (const auto &[name, spy] : spies)
        if (!spy->isEmpty())
            pressed.append(name);
    QCOMPARE(pressed, QStringList{button});
}

void TstEditorDialogKeys::enterAndEscapeInAnInput_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<int>("result");

    const int accepted = QDialog::Accepted;
    const int rejected = QDialog::Rejected;
    QTest::newRow("return code, Enter confirms") << int(RcRecord) << "EditDescription" << int(Qt::Key_Return)
                                                 << "ButtonOk" << accepted;
    QTest::newRow("return code, Escape") << int(RcRecord) << "EditNumber" << int(Qt::Key_Escape) << "" << rejected;
    QTest::newRow("preferences, Enter confirms") << int(Preferences) << "ComboBoxHostPort" << int(Qt::Key_Enter)
                                                 << "ButtonOk" << accepted;
    QTest::newRow("preferences, Escape") << int(Preferences) << "ComboBoxHostPort" << int(Qt::Key_Escape) << ""
                                         << rejected;
    QTest::newRow("answer field, Enter") << int(AnswerRecord) << "EditCaption" << int(Qt::Key_Return) << "ButtonOk"
                                         << accepted;
    QTest::newRow("command field, Enter") << int(CommandRecord) << "FieldTypeComboBoxHint" << int(Qt::Key_Return)
                                          << "ButtonOk" << accepted;
    QTest::newRow("command field, Escape") << int(CommandRecord) << "FieldTypeComboBoxCaption"
                                           << int(Qt::Key_Escape) << "" << rejected;
    QTest::newRow("fixed answer, Enter") << int(FixAnswerRecord) << "EditText" << int(Qt::Key_Return) << "ButtonOk"
                                         << accepted;
    QTest::newRow("fields editor, Enter closes") << int(FieldsEditor) << "StringGridCommands"
                                                 << int(Qt::Key_Return) << "ButtonClose" << accepted;
    QTest::newRow("fields editor, Escape") << int(FieldsEditor) << "StringGridCommands" << int(Qt::Key_Escape) << ""
                                           << rejected;
}

// Enter in an input presses the default button; Escape cancels.
void TstEditorDialogKeys::enterAndEscapeInAnInput()
{
    QFETCH(int, kind);
    QFETCH(QString, input);
    QFETCH(int, key);
    const std::unique_ptr<QDialog> dialog = Make(kind);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    auto *target = dialog->findChild<QWidget *>(input);
    target->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(target->hasFocus());

    QList<std::pair<QString, std::shared_ptr<QSignalSpy>>> spies;
    for (QPushButton *each : dialog->findChildren<QPushButton *>())
        spies.append({each->objectName(), std::make_shared<QSignalSpy>(each, &QPushButton::clicked)});
    dialog->setResult(-1);
    QTest::keyClick(target, Qt::Key(key));
    QString pressed;
    for (const auto &[name, spy] : spies)
        if (!spy->isEmpty())
            pressed += name;
    QTEST(pressed, "pressed");
    QTEST(dialog->result(), "result");
    QVERIFY(!dialog->isVisible());
}

QTEST_MAIN(TstEditorDialogKeys)
#include "tst_editor_dialog_keys.moc"
