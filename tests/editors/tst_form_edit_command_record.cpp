#include "editors/form_edit_answer_record.h"
#include "editors/form_edit_command_record.h"
#include "support_editors.h"
#include "widgets/field_type_combo_box.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace EditorTest;

namespace {

// The state of the dependent inputs: text and whether the box is free.
struct TBoxes
{
    QString Max, Min, Decimals;
    bool MaxFree, MinFree, DecimalsFree;
};

TFieldTypeComboBox *Box(const QDialog &dialog, const char *name)
{
    return Child<TFieldTypeComboBox>(&dialog, name);
}

TBoxes Boxes(const QDialog &dialog)
{
    TFieldTypeComboBox *max = Box(dialog, "FieldTypeComboBoxMaxLength");
    TFieldTypeComboBox *min = Box(dialog, "FieldTypeComboBoxMinLength");
    TFieldTypeComboBox *decimals = Box(dialog, "FieldTypeComboBoxDecimalDigits");
    return {max->GetText(), min->GetText(), decimals->GetText(),
            max->isEnabled(), min->isEnabled(), decimals->isEnabled()};
}

QString Describe(const TBoxes &b)
{
    auto one = [](const QString &text, bool free) { return text + (free ? " free" : " locked"); };
    return one(b.Max, b.MaxFree) + ", " + one(b.Min, b.MinFree) + ", " + one(b.Decimals, b.DecimalsFree);
}

TCommandField Field(int textType, int controlType, int max, int min, int decimals, const QString &text = QString())
{
    TCommandField field;
    field.Caption = QStringLiteral("Amount");
    field.TextType = textType;
    field.ControlType = controlType;
    field.MaxLength = max;
    field.MinLength = min;
    field.DecimalDigits = decimals;
    field.DefaultText = text;
    return field;
}

} // namespace

class TstFormEditCommandRecord : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void textTypeRule_data();
    void textTypeRule();
    void existingFieldTable_data();
    void existingFieldTable();
    void oneTableOpenedAndChosen_data();
    void oneTableOpenedAndChosen();
    void presetsDiscardEnteredValues();
    void controlChangeKeepsNumbers_data();
    void controlChangeKeepsNumbers();
    void checkMarkLabelToggles();
    void comboLinesCheckedAgainstTextType_data();
    void comboLinesCheckedAgainstTextType();
    void okRule();
    void booleanDefaultTakesOneLetter();
    void modeAndNotesFollowFieldNumber();
    void resultIsNormalised();
    void tabOrder();
    void answerRecordDecimals();

private:
    TDialogScript m_prompts;
};

void TstFormEditCommandRecord::init()
{
    m_prompts = TDialogScript();
}

void TstFormEditCommandRecord::textTypeRule_data()
{
    QTest::addColumn<int>("controlType");
    QTest::addColumn<int>("textType");
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<bool>("defaultFree");
    QTest::addColumn<int>("defaultLimit");
    QTest::addColumn<bool>("linesFree");
    QTest::addColumn<QString>("shownTextType");
    QTest::addColumn<bool>("textTypeFree");

    QTest::newRow("alpha, simple") << 0 << 1 << "0 free, 0 locked, 0 locked" << true << 0 << false << "asAlpha" << true;
    QTest::newRow("numeric, drop-down") << 1 << 3 << "0 free, 0 locked, 0 locked" << false << 0 << true << "asNumeric" << true;
    QTest::newRow("currency, simple") << 0 << 2 << "0 free, 0 free, 0 free" << true << 0 << false << "asCurrency" << true;
    QTest::newRow("decimal, list") << 2 << 4 << "0 free, 0 free, 0 locked" << false << 0 << true << "asDecimal" << true;
    QTest::newRow("hexa, simple") << 0 << 5 << "0 free, 0 free, 0 locked" << true << 0 << false << "asHexa" << true;
    QTest::newRow("hexa, drop-down") << 1 << 5 << "0 free, 0 locked, 0 locked" << false << 0 << true << "asHexa" << true;
    QTest::newRow("binary, simple") << 0 << 6 << "0 free, 0 free, 0 locked" << true << 0 << false << "asBinary" << true;
    QTest::newRow("boolean, simple") << 0 << 7 << "1 locked, 0 locked, 0 locked" << true << 1 << false << "asBoolean" << true;
    QTest::newRow("date text, simple") << 0 << 8 << "10 locked, 0 locked, 0 locked" << true << 10 << false << "asDate" << true;
    QTest::newRow("time text, list") << 2 << 9 << "10 locked, 0 locked, 0 locked" << false << 10 << true << "asTime" << true;
    QTest::newRow("date control") << 3 << -1 << "10 locked, 0 locked, 0 locked" << false << 0 << false << "asDate" << false;
    QTest::newRow("time control") << 4 << -1 << "10 locked, 0 locked, 0 locked" << false << 0 << false << "asTime" << false;
}

void TstFormEditCommandRecord::textTypeRule()
{
    QFETCH(int, controlType);
    QFETCH(int, textType);
    TFormEditCommandRecord dialog(true, m_prompts);
    // Lines typed under a drop-down control must go when the rules lock the memo.
    Choose(Box(dialog, "FieldTypeComboBoxControlType"), 1);
    Child<QPlainTextEdit>(&dialog, "MemoComboLines")->setPlainText("X\nY");
    Choose(Box(dialog, "FieldTypeComboBoxControlType"), controlType);
    if (textType >= 0)
        Choose(Box(dialog, "FieldTypeComboBoxTextType"), textType);

    QTEST(Describe(Boxes(dialog)), "boxes");
    TFieldTypeComboBox *text = Box(dialog, "FieldTypeComboBoxDefaultText");
    QTEST(text->isEnabled(), "defaultFree");
    QTEST(text->GetMaxLength(), "defaultLimit");
    QCOMPARE(text->GetText(), QString());
    const int shown = Box(dialog, "FieldTypeComboBoxTextType")->currentIndex();
    QCOMPARE(text->GetFieldTypeCode(), shown >= 8 ? 0 : shown);
    auto *lines = Child<QPlainTextEdit>(&dialog, "MemoComboLines");
    QTEST(lines->isEnabled(), "linesFree");
    if (!lines->isEnabled())
        QCOMPARE(lines->toPlainText(), QString());
    QTEST(Box(dialog, "FieldTypeComboBoxTextType")->currentText(), "shownTextType");
    QTEST(Box(dialog, "FieldTypeComboBoxTextType")->isEnabled(), "textTypeFree");
}

void TstFormEditCommandRecord::existingFieldTable_data()
{
    QTest::addColumn<TCommandField>("field");
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("defaultText");
    QTest::addColumn<bool>("defaultFree");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<bool>("linesFree");

    QTest::newRow("alphanumeric, simple") << Field(0, 0, 12, 3, 2, "abc") << "12 free, 0 locked, 0 locked"
                                          << "abc" << true << "" << false;
    QTest::newRow("alpha, drop-down") << Field(1, 1, 12, 3, 2, "abc") << "12 free, 0 locked, 0 locked" << ""
                                      << false << "A\nB" << true;
    QTest::newRow("currency") << Field(2, 0, 10, 3, 2, "1.5") << "10 free, 3 free, 2 free" << "1.5" << true << ""
                              << false;
    QTest::newRow("numeric") << Field(3, 0, 8, 3, 2) << "8 free, 0 locked, 0 locked" << "" << true << "" << false;
    QTest::newRow("decimal") << Field(4, 2, 8, 3, 2) << "8 free, 3 free, 0 locked" << "" << false << "A\nB" << true;
    QTest::newRow("binary") << Field(6, 0, 16, 8, 2) << "16 free, 8 free, 0 locked" << "" << true << "" << false;
    QTest::newRow("hexa, simple") << Field(5, 0, 4, 4, 0) << "4 free, 4 free, 0 locked" << "" << true << ""
                                  << false;
    QTest::newRow("hexa, drop-down") << Field(5, 1, 4, 4, 0) << "4 free, 0 locked, 0 locked" << "" << false << "A\nB"
                                     << true;
    QTest::newRow("boolean") << Field(7, 0, 5, 3, 2, "S") << "1 locked, 0 locked, 0 locked" << "S" << true << ""
                             << false;
    QTest::newRow("date, simple") << Field(8, 0, 6, 3, 2, "01012024") << "10 locked, 0 locked, 0 locked"
                                  << "01012024" << true << "" << false;
    QTest::newRow("time control") << Field(9, 4, 6, 3, 2, "1200") << "10 locked, 0 locked, 0 locked" << "" << false
                                  << "" << false;
    QTest::newRow("unknown codes") << Field(42, 9, 3, 1, 1, "x") << "3 free, 0 locked, 0 locked" << "x" << true
                                   << "" << false;
}

void TstFormEditCommandRecord::existingFieldTable()
{
    QFETCH(TCommandField, field);
    TFormEditCommandRecord dialog(3, field, {"A", "B"}, {}, m_prompts);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit field number 3"));
    QTEST(Describe(Boxes(dialog)), "boxes");
    QTEST(Box(dialog, "FieldTypeComboBoxDefaultText")->GetText(), "defaultText");
    QTEST(Box(dialog, "FieldTypeComboBoxDefaultText")->isEnabled(), "defaultFree");
    QTEST(Child<QPlainTextEdit>(&dialog, "MemoComboLines")->toPlainText(), "lines");
    QTEST(Child<QPlainTextEdit>(&dialog, "MemoComboLines")->isEnabled(), "linesFree");
    QVERIFY(Child<QPushButton>(&dialog, "ButtonOk")->isEnabled());
    if (field.ControlType == 4) {
        QCOMPARE(Box(dialog, "FieldTypeComboBoxTextType")->currentText(), QStringLiteral("asTime"));
        QVERIFY(!Box(dialog, "FieldTypeComboBoxTextType")->isEnabled());
    }
}

void TstFormEditCommandRecord::oneTableOpenedAndChosen_data()
{
    QTest::addColumn<int>("textType");
    QTest::addColumn<int>("controlType");
    for (int controlType = 0; controlType < 5; ++controlType)
        for (int textType = 0; textType < 10; ++textType)
            // A date or time control forces its own text type.
            if (controlType < 3 || textType == controlType + 5)
                QTest::addRow("text %d, control %d", textType, controlType) << textType << controlType;
}

// Opening an existing field frees and locks exactly what choosing its types
// in a new field does.
void TstFormEditCommandRecord::oneTableOpenedAndChosen()
{
    QFETCH(int, textType);
    QFETCH(int, controlType);
    TFormEditCommandRecord opened(2, Field(textType, controlType, 7, 5, 3), {}, {}, m_prompts);
    TFormEditCommandRecord chosen(false, m_prompts);
    Choose(Box(chosen, "FieldTypeComboBoxControlType"), controlType);
    if (controlType < 3)
        Choose(Box(chosen, "FieldTypeComboBoxTextType"), textType);
    for (const char *name : {"FieldTypeComboBoxMaxLength", "FieldTypeComboBoxMinLength",
                             "FieldTypeComboBoxDecimalDigits", "FieldTypeComboBoxDefaultText",
                             "FieldTypeComboBoxTextType"})
        QVERIFY2(Box(opened, name)->isEnabled() == Box(chosen, name)->isEnabled(), name);
    QCOMPARE(Child<QPlainTextEdit>(&opened, "MemoComboLines")->isEnabled(),
             Child<QPlainTextEdit>(&chosen, "MemoComboLines")->isEnabled());
    QCOMPARE(Box(opened, "FieldTypeComboBoxDefaultText")->GetMaxLength(),
             Box(chosen, "FieldTypeComboBoxDefaultText")->GetMaxLength());
}

void TstFormEditCommandRecord::presetsDiscardEnteredValues()
{
    TFormEditCommandRecord dialog(2, Field(6, 0, 16, 8, 0), {}, {}, m_prompts);
    QCOMPARE(Describe(Boxes(dialog)), QStringLiteral("16 free, 8 free, 0 locked"));
    Choose(Box(dialog, "FieldTypeComboBoxTextType"), 2);
    QCOMPARE(Describe(Boxes(dialog)), QStringLiteral("0 free, 0 free, 0 free"));
    Choose(Box(dialog, "FieldTypeComboBoxTextType"), 6);
    QCOMPARE(Describe(Boxes(dialog)), QStringLiteral("0 free, 0 free, 0 locked"));

    // Back from a date control: the text type stays Date and is free again.
    Choose(Box(dialog, "FieldTypeComboBoxControlType"), 3);
    Choose(Box(dialog, "FieldTypeComboBoxControlType"), 0);
    QCOMPARE(Box(dialog, "FieldTypeComboBoxTextType")->currentText(), QStringLiteral("asDate"));
    QVERIFY(Box(dialog, "FieldTypeComboBoxTextType")->isEnabled());
    QCOMPARE(Box(dialog, "FieldTypeComboBoxDefaultText")->GetMaxLength(), 10);
}

void TstFormEditCommandRecord::controlChangeKeepsNumbers_data()
{
    QTest::addColumn<int>("textType");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<int>("controlType");
    QTest::addColumn<QString>("boxes");

    QTest::newRow("alpha to a fixed list") << 1 << QStringList{"12", "", ""} << 2 << "12 free, 0 locked, 0 locked";
    QTest::newRow("currency to a list") << 2 << QStringList{"9", "8", "2"} << 1 << "9 free, 8 free, 2 free";
    QTest::newRow("hexa to a list locks min") << 5 << QStringList{"4", "2", ""} << 2 << "4 free, 0 locked, 0 locked";
    QTest::newRow("a date control presets") << 0 << QStringList{"12", "", ""} << 3 << "10 locked, 0 locked, 0 locked";
}

// Another control keeps the numbers of boxes that stay free; only a new
// text type presets them.
void TstFormEditCommandRecord::controlChangeKeepsNumbers()
{
    QFETCH(int, textType);
    QFETCH(QStringList, typed);
    QFETCH(int, controlType);
    TFormEditCommandRecord dialog(true, m_prompts);
    Choose(Box(dialog, "FieldTypeComboBoxTextType"), textType);
    const char *names[] = {"FieldTypeComboBoxMaxLength", "FieldTypeComboBoxMinLength", "FieldTypeComboBoxDecimalDigits"};
    for (int i = 0; i < 3; ++i)
        if (!typed.at(i).isEmpty())
            Type(Box(dialog, names[i]), typed.at(i));
    Choose(Box(dialog, "FieldTypeComboBoxControlType"), controlType);
    QTEST(Describe(Boxes(dialog)), "boxes");
}

void TstFormEditCommandRecord::checkMarkLabelToggles()
{
    TFormEditCommandRecord dialog(true, m_prompts);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *list = Child<QListWidget>(&dialog, "CheckListBoxOther");
    const auto clickLabel = [list](int row) {
        const QRect line = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(line.right() - 10, line.center().y()));
    };
    clickLabel(0);
    QCOMPARE(list->item(0)->checkState(), Qt::Checked);
    clickLabel(2);
    QCOMPARE(list->item(2)->checkState(), Qt::Checked);
    clickLabel(0);
    QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
    QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
    QVERIFY(dialog.Field().AutoIncrement && !dialog.Field().Required);
    // Space on the current line still toggles it, once.
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(list->item(0)->checkState(), Qt::Checked);
}

void TstFormEditCommandRecord::comboLinesCheckedAgainstTextType_data()
{
    QTest::addColumn<int>("textType");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("selected");

    QTest::newRow("numeric word") << 3 << QStringList{"0", "0", "0"} << "12\nabc\n3"
                                  << "Combo box line 2: 'abc' is not a valid Numeric text" << "abc";
    QTest::newRow("numeric digits") << 3 << QStringList{"0", "0", "0"} << "12\n3\n" << "" << "";
    QTest::newRow("currency wider than the field")
        << 2 << QStringList{"0", "4", "2"} << "12,50\n123,45"
        << "Combo box line 2: '123,45' has 3 integer digits; the field holds 2" << "123,45";
    QTest::newRow("hexa") << 5 << QStringList{"0", "0", "0"} << "0G\n0A"
                          << "Combo box line 1: '0G' is not a valid Hexa text" << "0G";
    QTest::newRow("alphanumeric takes anything") << 0 << QStringList{"0", "0", "0"} << "a b\n#1" << "" << "";
}

// A list line the field's type would not send is refused; the dialog stays
// open with the lines as typed and the faulty one selected.
void TstFormEditCommandRecord::comboLinesCheckedAgainstTextType()
{
    QFETCH(int, textType);
    QFETCH(QStringList, numbers);
    QFETCH(QString, lines);
    TFormEditCommandRecord dialog(true, m_prompts);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    Choose(Box(dialog, "FieldTypeComboBoxControlType"), 2);
    Choose(Box(dialog, "FieldTypeComboBoxTextType"), textType);
    Type(Box(dialog, "FieldTypeComboBoxCaption"), "Department");
    const char *names[] = {"FieldTypeComboBoxMaxLength", "FieldTypeComboBoxMinLength", "FieldTypeComboBoxDecimalDigits"};
    for (int i = 0; i < 3; ++i)
        if (Box(dialog, names[i])->isEnabled())
            Type(Box(dialog, names[i]), numbers.at(i));
    auto *memo = Child<QPlainTextEdit>(&dialog, "MemoComboLines");
    memo->setPlainText(lines);
    Child<QPushButton>(&dialog, "ButtonOk")->setFocus();

    QFETCH(QString, refusal);
    const int result = Click(&dialog, "ButtonOk");
    QCOMPARE(m_prompts.Texts(TScriptedPrompts::KindError), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    QCOMPARE(result, refusal.isEmpty() ? int(QDialog::Accepted) : -1);
    if (refusal.isEmpty())
        return;
    QCOMPARE(m_prompts.Captions(TScriptedPrompts::KindError), QStringList{QStringLiteral(" E R R O R ")});
    QVERIFY(dialog.isVisible());
    QCOMPARE(memo->toPlainText(), lines);
    QTRY_VERIFY(memo->hasFocus());
    QTEST(memo->textCursor().selectedText(), "selected");
}

void TstFormEditCommandRecord::okRule()
{
    TFormEditCommandRecord dialog(true, m_prompts);
    auto *ok = Child<QPushButton>(&dialog, "ButtonOk");
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add new field"));
    QVERIFY(!ok->isEnabled());
    Type(Box(dialog, "FieldTypeComboBoxCaption"), "Amount");
    QVERIFY(ok->isEnabled());
    Type(Box(dialog, "FieldTypeComboBoxMaxLength"), "");
    QVERIFY(!ok->isEnabled());
    Type(Box(dialog, "FieldTypeComboBoxMaxLength"), "0");
    QVERIFY(ok->isEnabled());
    // A locked empty box does not count; the preset fills the free ones.
    Choose(Box(dialog, "FieldTypeComboBoxTextType"), 2);
    Type(Box(dialog, "FieldTypeComboBoxDecimalDigits"), "");
    QVERIFY(!ok->isEnabled());
    Choose(Box(dialog, "FieldTypeComboBoxTextType"), 0);
    QVERIFY(ok->isEnabled());
    Type(Box(dialog, "FieldTypeComboBoxCaption"), "");
    QVERIFY(!ok->isEnabled());
    // Captions and hints stop at 35 characters.
    Type(Box(dialog, "FieldTypeComboBoxCaption"), QString(40, 'c'));
    QCOMPARE(Box(dialog, "FieldTypeComboBoxCaption")->GetText().size(), 35);
}

void TstFormEditCommandRecord::booleanDefaultTakesOneLetter()
{
    TFormEditCommandRecord dialog(true, m_prompts);
    Choose(Box(dialog, "FieldTypeComboBoxTextType"), 7);
    TFieldTypeComboBox *text = Box(dialog, "FieldTypeComboBoxDefaultText");
    QTest::keyClicks(text->lineEdit(), "x");
    QCOMPARE(text->GetText(), QString());
    QTest::keyClicks(text->lineEdit(), "ys");
    QCOMPARE(text->GetText(), QStringLiteral("Y"));
}

void TstFormEditCommandRecord::modeAndNotesFollowFieldNumber()
{
    TFormEditCommandRecord first(1, Field(0, 0, 0, 0, 0), {}, {"n1", "n2"}, m_prompts);
    QVERIFY(Box(first, "FieldTypeComboBoxMode")->isEnabled());
    QVERIFY(Child<QPlainTextEdit>(&first, "MemoNotes")->isEnabled());
    QCOMPARE(first.Notes(), QStringList({"n1", "n2"}));

    TCommandField fiscal = Field(0, 0, 0, 0, 0);
    fiscal.Mode = 1;
    TFormEditCommandRecord second(2, fiscal, {}, {}, m_prompts);
    QVERIFY(!Box(second, "FieldTypeComboBoxMode")->isEnabled());
    QCOMPARE(Box(second, "FieldTypeComboBoxMode")->currentText(), QStringLiteral("Fiscal"));
    QVERIFY(!Child<QPlainTextEdit>(&second, "MemoNotes")->isEnabled());

    TFormEditCommandRecord fresh(true, m_prompts);
    QVERIFY(Box(fresh, "FieldTypeComboBoxMode")->isEnabled());
    QVERIFY(Child<QPlainTextEdit>(&fresh, "MemoNotes")->isEnabled());
    QCOMPARE(Box(fresh, "FieldTypeComboBoxMode")->currentText(), QStringLiteral("Host"));
    QCOMPARE(Box(fresh, "FieldTypeComboBoxControlType")->currentText(), QStringLiteral("Simple"));
}

void TstFormEditCommandRecord::resultIsNormalised()
{
    TFormEditCommandRecord dialog(true, m_prompts);
    Choose(Box(dialog, "FieldTypeComboBoxControlType"), 1);
    Choose(Box(dialog, "FieldTypeComboBoxTextType"), 2);
    Type(Box(dialog, "FieldTypeComboBoxCaption"), "Say \"hi\"");
    Type(Box(dialog, "FieldTypeComboBoxMaxLength"), "007");
    Type(Box(dialog, "FieldTypeComboBoxMinLength"), "");
    Type(Box(dialog, "FieldTypeComboBoxDecimalDigits"), "02");
    Child<QListWidget>(&dialog, "CheckListBoxOther")->item(1)->setCheckState(Qt::Checked);
    Child<QPlainTextEdit>(&dialog, "MemoComboLines")->setPlainText("One\nTwo\n");
    const TCommandField field = dialog.Field();
    QCOMPARE(field.Caption, QStringLiteral("Say \"hi\""));
    QCOMPARE(field.TextType, 2);
    QCOMPARE(field.ControlType, 1);
    QCOMPARE(field.MaxLength, 7);
    QCOMPARE(field.MinLength, 0);
    QCOMPARE(field.DecimalDigits, 2);
    QVERIFY(field.ReadOnly && !field.Required && !field.AutoIncrement);
    QCOMPARE(dialog.ComboLines(), QStringList({"One", "Two"}));
}

void TstFormEditCommandRecord::tabOrder()
{
    TFormEditCommandRecord dialog(true, m_prompts);
    const QStringList expected = {"FieldTypeComboBoxMode", "FieldTypeComboBoxCaption", "FieldTypeComboBoxHint",
                                  "FieldTypeComboBoxTextType", "FieldTypeComboBoxDefaultText",
                                  "FieldTypeComboBoxControlType", "FieldTypeComboBoxMinLength",
                                  "FieldTypeComboBoxMaxLength", "FieldTypeComboBoxDecimalDigits",
                                  "CheckListBoxOther", "MemoComboLines", "MemoNotes", "ButtonOk", "ButtonCancel"};
    QStringList order;
    QWidget *widget = Box(dialog, "FieldTypeComboBoxMode");
    for (int step = 0; step < 200 && order.size() < expected.size(); ++step, widget = widget->nextInFocusChain())
        if (expected.contains(widget->objectName()) && !order.contains(widget->objectName()))
            order.append(widget->objectName());
    QCOMPARE(order, expected);
}

void TstFormEditCommandRecord::answerRecordDecimals()
{
    TAnswerField currency{QStringLiteral("Total"), 2, 2};
    TFormEditAnswerRecord existing(4, currency, m_prompts);
    QCOMPARE(existing.windowTitle(), QStringLiteral("Edit field number 4"));
    auto *decimals = Child<TFieldTypeComboBox>(&existing, "FieldTypeComboBoxDecimals");
    QCOMPARE(decimals->GetText(), QStringLiteral("2"));
    QVERIFY(decimals->isEnabled());
    Choose(Child<QComboBox>(&existing, "ComboBoxFormat"), 3);
    QCOMPARE(decimals->GetText(), QStringLiteral("0"));
    QVERIFY(!decimals->isEnabled());
    QCOMPARE(existing.Field(), (TAnswerField{QStringLiteral("Total"), 3, 0}));

    TFormEditAnswerRecord fresh(m_prompts);
    QCOMPARE(fresh.windowTitle(), QStringLiteral("Add new field"));
    QVERIFY(Child<QPushButton>(&fresh, "ButtonOk")->isEnabled());
    QVERIFY(!Child<TFieldTypeComboBox>(&fresh, "FieldTypeComboBoxDecimals")->isEnabled());
}

QTEST_MAIN(TstFormEditCommandRecord)
#include "tst_form_edit_command_record.moc"
