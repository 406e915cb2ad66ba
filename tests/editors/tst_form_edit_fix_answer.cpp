#include "editors/color_box.h"
#include "editors/form_edit_fix_answer.h"
#include "editors/form_edit_fix_answer_record.h"
#include "editors/form_test_fixed_answer.h"
#include "editors/record_grid.h"
#include "support_editors.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_model/fixed_answer.h"
#include "widgets/field_type_combo_box.h"

#include <QColorDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace EditorTest;

namespace {

const QByteArray Head = "[General]\nProtocol=0\n\n";
const QByteArray Printer = "\n[PrinterAnswer]\n; paper sensors\nRecord1=1,2,0004,0004,\"No paper\",clRed\n";

// Types a record into the record dialog and confirms it.
TDialogScript::TScript Enter(const QString &panel, const QString &mask, const QString &result, const QString &text,
                             const QString &color)
{
    return [=](QDialog *dialog) {
        Choose(Child<QComboBox>(dialog, "ComboBoxPanel"), panel);
        Type(Child<TFieldTypeComboBox>(dialog, "EditMask"), mask);
        Type(Child<TFieldTypeComboBox>(dialog, "EditResult"), result);
        Type(Child<TFieldTypeComboBox>(dialog, "EditText"), text);
        Choose(Child<QComboBox>(dialog, "ColorBoxText"), color);
        return Click(dialog, "ButtonOk");
    };
}

} // namespace

class TstFormEditFixAnswer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void recordsRenumberedOnWrite();
    void firstRecordFillsEmptyRow();
    void modifyKeepsOtherRecordsAsWritten();
    void removeSecondOfThree();
    void removeOnlyRecord();
    void quotedTextReadsBack();
    void recordDialogOkRule();
    void resultOutsideMaskRefused_data();
    void resultOutsideMaskRefused();
    void customColour();
    void testerEnablesTest();
    void unreadableFileReportedOnce();

private:
    QString Path() const { return m_dir.filePath("printer.tsy"); }

    QTemporaryDir m_dir;
    TDialogScript m_prompts;
};

void TstFormEditFixAnswer::init()
{
    m_prompts = TDialogScript();
}

void TstFormEditFixAnswer::recordsRenumberedOnWrite()
{
    WriteFile(Path(), Head + "[FiscalAnswer]\nRecord2=2,1,FF11,0011,\"Two\",clRed\nRecord5=5,3,0001,0000,\"Five\",clBlue\n"
                             "Record9=9,16,8000,8000,\"Nine\",$00123456\n" + Printer);
    TFormEditFixAnswer editor(Path(), m_prompts);
    QCOMPARE(editor.windowTitle(), QStringLiteral("Fix answer fields"));
    auto *grid = Child<TRecordGrid>(&editor, "StringGridFiscal");
    QCOMPARE(grid->Rows(), (QList<QStringList>{{"1", "FF11", "0011", "Two", "clRed"},
                                              {"3", "0001", "0000", "Five", "clBlue"},
                                              {"16", "8000", "8000", "Nine", "$00123456"}}));
    m_prompts.Scripts.enqueue(Enter("4", "8", "8", "Low battery", "clGreen"));
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QCOMPARE(ReadFile(Path()), Head + "[FiscalAnswer]\nRecord1=1,1,FF11,0011,\"Two\",clRed\n"
                                      "Record2=2,3,0001,0000,\"Five\",clBlue\nRecord3=3,16,8000,8000,\"Nine\",$00123456\n"
                                      "Record4=4,4,0008,0008,\"Low battery\",clGreen\n" + Printer);
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindDialog), QStringList{QStringLiteral("Add answer record")});
}

void TstFormEditFixAnswer::firstRecordFillsEmptyRow()
{
    WriteFile(Path(), Head + "[FiscalAnswer]\n" + Printer);
    TFormEditFixAnswer editor(Path(), m_prompts);
    auto *grid = Child<TRecordGrid>(&editor, "StringGridFiscal");
    QCOMPARE(grid->rowCount(), 1);
    QVERIFY(!Child<QPushButton>(&editor, "ButtonModify")->isEnabled());
    m_prompts.Scripts.enqueue(Enter("2", "10", "10", "Open", "clBlack"));
    editor.show();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(ReadFile(Path()), Head + "[FiscalAnswer]\nRecord1=1,2,0010,0010,\"Open\",clBlack\n" + Printer);
    QVERIFY(Child<QPushButton>(&editor, "ButtonRemove")->isEnabled());
}

void TstFormEditFixAnswer::modifyKeepsOtherRecordsAsWritten()
{
    WriteFile(Path(), Head + Printer + "Record7=7,20,zz,1,Odd,clRed\n");
    TFormEditFixAnswer editor(Path(), m_prompts);
    Child<QTabWidget>(&editor, "PageControl")->setCurrentIndex(1);
    auto *grid = Child<TRecordGrid>(&editor, "StringGridPrinter");
    QCOMPARE(grid->RecordCount(), 2);
    grid->SelectRecord(0);
    QStringList shown;
    m_prompts.Scripts.enqueue([&](QDialog *dialog) {
        shown << dialog->windowTitle() << Child<QComboBox>(dialog, "ComboBoxPanel")->currentText()
              << Child<TFieldTypeComboBox>(dialog, "EditText")->GetText()
              << Child<QComboBox>(dialog, "ColorBoxText")->currentText();
        Type(Child<TFieldTypeComboBox>(dialog, "EditText"), "Paper out");
        return Click(dialog, "ButtonOk");
    });
    Child<QPushButton>(&editor, "ButtonModify")->click();
    QCOMPARE(shown, QStringList({"Modify answer record", "2", "No paper", "clRed"}));
    // The record written by hand is not understood but not lost either; the
    // section's comment stays in it, after the records.
    QCOMPARE(ReadFile(Path()), Head + "\n[PrinterAnswer]\nRecord1=1,2,0004,0004,\"Paper out\",clRed\n"
                                      "Record2=2,20,zz,1,\"Odd\",clRed\n; paper sensors\n");

    // Its dialog selects no panel and cannot be confirmed until one is chosen.
    grid->SelectRecord(1);
    bool locked = false;
    m_prompts.Scripts.enqueue([&](QDialog *dialog) {
        locked = Child<QComboBox>(dialog, "ComboBoxPanel")->currentIndex() == -1
                 && !Child<QPushButton>(dialog, "ButtonOk")->isEnabled();
        return Click(dialog, "ButtonOk");
    });
    Child<QPushButton>(&editor, "ButtonModify")->click();
    QVERIFY(locked);
}

void TstFormEditFixAnswer::removeSecondOfThree()
{
    WriteFile(Path(), Head + "[FiscalAnswer]\nRecord1=1,1,0001,0001,\"A\",clRed\nRecord2=2,2,0002,0002,\"B\",clRed\n"
                             "Record3=3,3,0004,0004,\"C\",clRed\n");
    TFormEditFixAnswer editor(Path(), m_prompts);
    Child<TRecordGrid>(&editor, "StringGridFiscal")->SelectRecord(1);
    m_prompts.Confirms << false << true;
    Child<QPushButton>(&editor, "ButtonRemove")->click();
    QCOMPARE(ReadFile(Path()).count("Record"), 3);
    Child<QPushButton>(&editor, "ButtonRemove")->click();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindConfirm),
             QStringList(2, QStringLiteral("Do you wish to delete this field number? 2")));
    QCOMPARE(ReadFile(Path()), Head + "[FiscalAnswer]\nRecord1=1,1,0001,0001,\"A\",clRed\n"
                                      "Record2=2,3,0004,0004,\"C\",clRed\n");
}

void TstFormEditFixAnswer::removeOnlyRecord()
{
    WriteFile(Path(), Head + "[FiscalAnswer]\nRecord1=1,1,0001,0001,\"A\",clRed\n" + Printer);
    TFormEditFixAnswer editor(Path(), m_prompts);
    m_prompts.Confirms << true;
    Child<QPushButton>(&editor, "ButtonRemove")->click();
    QCOMPARE(ReadFile(Path()), Head + "[FiscalAnswer]\n" + Printer);
    auto *grid = Child<TRecordGrid>(&editor, "StringGridFiscal");
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(grid->Cell(0, 0), QString());
    QVERIFY(!Child<QPushButton>(&editor, "ButtonModify")->isEnabled());
    QVERIFY(!Child<QPushButton>(&editor, "ButtonRemove")->isEnabled());
}

void TstFormEditFixAnswer::quotedTextReadsBack()
{
    WriteFile(Path(), Head);
    TFormEditFixAnswer editor(Path(), m_prompts);
    m_prompts.Scripts.enqueue(Enter("1", "1", "1", "Say \"Z\", then", "clRed"));
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QCOMPARE(ReadFile(Path()), Head + "[FiscalAnswer]\nRecord1=1,1,0001,0001,\"Say \"\"Z\"\", then\",clRed\n");
    TExtIniFile ini(Path());
    const QList<TFixedAnswer> records = ReadFixedAnswers(ini, FiscalAnswerSection);
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first().Text, QStringLiteral("Say \"Z\", then"));
}

void TstFormEditFixAnswer::recordDialogOkRule()
{
    TFormEditFixAnswerRecord dialog(0, {}, {}, {}, QStringLiteral("0"), m_prompts);
    auto *ok = Child<QPushButton>(&dialog, "ButtonOk");
    QVERIFY(!ok->isEnabled());
    QCOMPARE(Child<QComboBox>(&dialog, "ComboBoxPanel")->count(), 16);
    Choose(Child<QComboBox>(&dialog, "ComboBoxPanel"), "16");
    Type(Child<TFieldTypeComboBox>(&dialog, "EditMask"), "1g2h3");
    QCOMPARE(Child<TFieldTypeComboBox>(&dialog, "EditMask")->GetText(), QStringLiteral("123"));
    Type(Child<TFieldTypeComboBox>(&dialog, "EditResult"), "23");
    QVERIFY(!ok->isEnabled());
    Type(Child<TFieldTypeComboBox>(&dialog, "EditText"), QString(30, 't'));
    QCOMPARE(Child<TFieldTypeComboBox>(&dialog, "EditText")->GetText().size(), 25);
    QVERIFY(ok->isEnabled());
    Type(Child<TFieldTypeComboBox>(&dialog, "EditResult"), "");
    QVERIFY(!ok->isEnabled());
    Type(Child<TFieldTypeComboBox>(&dialog, "EditResult"), "23");
    QCOMPARE(Click(&dialog, "ButtonOk"), int(QDialog::Accepted));
    QCOMPARE(dialog.Mask(), QStringLiteral("0123"));
    QCOMPARE(dialog.Result(), QStringLiteral("0023"));
    QCOMPARE(dialog.Panel(), QStringLiteral("16"));
}

void TstFormEditFixAnswer::resultOutsideMaskRefused_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("bit 4 outside") << "1" << "11"
                                   << "The result 0011 has bits outside the mask 0001 (0010): a masked status word "
                                      "never has them, so the record could never match";
    QTest::newRow("no mask, a result") << "0" << "8000"
                                       << "The result 8000 has bits outside the mask 0000 (8000): a masked status "
                                          "word never has them, so the record could never match";
    QTest::newRow("inside the mask") << "FF11" << "11" << "";
    QTest::newRow("the default record") << "0" << "0" << "";
}

// A record that could never match is refused while the dialog is open,
// the result focused with the digits as typed; once corrected it is kept.
void TstFormEditFixAnswer::resultOutsideMaskRefused()
{
    QFETCH(QString, mask);
    QFETCH(QString, result);
    QFETCH(QString, refusal);
    WriteFile(Path(), Head + "[FiscalAnswer]\n" + Printer);
    TFormEditFixAnswer editor(Path(), m_prompts);
    int first = 0;
    bool open = false;
    QString kept;
    bool resultFocused = false;
    m_prompts.Scripts.enqueue([&](QDialog *dialog) {
        first = Enter("3", mask, result, "Drawer open", "clRed")(dialog);
        open = dialog->isVisible();
        auto *edit = Child<TFieldTypeComboBox>(dialog, "EditResult");
        kept = edit->GetText();
        resultFocused = dialog->focusWidget() == edit;
        if (first != -1)
            return first;
        Type(edit, "0");
        return Click(dialog, "ButtonOk");
    });
    Child<QPushButton>(&editor, "ButtonAdd")->click();
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    const QString stored = (refusal.isEmpty() ? result : QStringLiteral("0")).rightJustified(4, QLatin1Char('0'));
    QCOMPARE(ReadFile(Path()), Head + "[FiscalAnswer]\nRecord1=1,3," + mask.rightJustified(4, '0').toLatin1() + ","
                                   + stored.toLatin1() + ",\"Drawer open\",clRed\n" + Printer);
    if (refusal.isEmpty())
        return;
    QCOMPARE(first, -1);
    QVERIFY(open);
    QCOMPARE(kept, result);
    QVERIFY(resultFocused);
}

void TstFormEditFixAnswer::customColour()
{
    TColorBox box(m_prompts);
    m_prompts.Scripts.enqueue([](QDialog *dialog) {
        static_cast<QColorDialog *>(dialog)->setCurrentColor(QColor(0x12, 0x34, 0x56));
        return int(QDialog::Accepted);
    });
    Choose(&box, TColorBox::CustomItem);
    QCOMPARE(box.Color(), quint32(0x563412));
    QCOMPARE(box.currentText(), QStringLiteral("$00563412"));
    // Cancelled: the colour stays.
    Choose(&box, TColorBox::CustomItem);
    QCOMPARE(box.Color(), quint32(0x563412));
    QCOMPARE(box.currentText(), QStringLiteral("$00563412"));
}

void TstFormEditFixAnswer::testerEnablesTest()
{
    TFormTestFixedAnswer tester;
    QCOMPARE(tester.windowTitle(), QStringLiteral("Test fixed answers"));
    auto *test = Child<QPushButton>(&tester, "ButtonTest");
    QVERIFY(!test->isEnabled());
    Type(Child<TFieldTypeComboBox>(&tester, "EditFiscal"), "80");
    QVERIFY(!test->isEnabled());
    Type(Child<TFieldTypeComboBox>(&tester, "EditPrinter"), "ffffa");
    QVERIFY(test->isEnabled());
    QCOMPARE(Click(&tester, "ButtonTest"), int(QDialog::Accepted));
    QCOMPARE(tester.FiscalStatus(), quint16(0x80));
    QCOMPARE(tester.PrinterStatus(), quint16(0xFFFF));
    Type(Child<TFieldTypeComboBox>(&tester, "EditFiscal"), "");
    QVERIFY(!test->isEnabled());
}

void TstFormEditFixAnswer::unreadableFileReportedOnce()
{
    TFormEditFixAnswer editor(m_dir.filePath("missing.tsy"), m_prompts);
    auto *pages = Child<QTabWidget>(&editor, "PageControl");
    pages->setCurrentIndex(1);
    pages->setCurrentIndex(0);
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 1);
    // Once the file can be read again, a later failure is news again.
    WriteFile(m_dir.filePath("missing.tsy"), Head + "[FiscalAnswer]\n" + Printer);
    pages->setCurrentIndex(1);
    QFile::remove(m_dir.filePath("missing.tsy"));
    pages->setCurrentIndex(0);
    QCOMPARE(m_prompts.Count(TScriptedPrompts::KindError), 2);
}

QTEST_MAIN(TstFormEditFixAnswer)
#include "tst_form_edit_fix_answer.moc"
