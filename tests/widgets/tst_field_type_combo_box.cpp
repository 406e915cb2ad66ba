#include "widgets/field_type_combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// Types the text key by key, as a keyboard would deliver it.
void typeText(QWidget *target, const QString &text)
{
    for (QChar c : text) {
        const auto key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, target, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, key, QString(c), Qt::NoModifier);
    }
}

void paste(TFieldTypeComboBox &box, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

class TestFieldTypeComboBox : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void typing_data();
    void typing();
    void keysDeliveredToTheLineEdit();
    void pasting_data();
    void pasting();
    void currencySeparatorLooksAtSelection();
    void booleanLimitsLength();
    void programTextIsNotValidatedOrCut();
    void changedFollowsUserEditsOnly();
    void listChoiceIsValidated_data();
    void listChoiceIsValidated();
    void styles();
    void inputMethodCommitIsFiltered();
    void requiredKeepsFocus();
    void requiredReclaimsFocusFromClick();
    void twoEmptyRequiredBoxesDoNotFight();
};

void TestFieldTypeComboBox::defaults()
{
    TFieldTypeComboBox box;
    QCOMPARE(box.GetFieldType(), ftdAlphaNumeric);
    QCOMPARE(box.GetRequired(), false);
    QCOMPARE(box.property("FldType").toInt(), int(ftdAlphaNumeric));
    QVERIFY(box.setProperty("FldType", int(ftdHexadecimal)));
    QCOMPARE(box.GetFieldType(), ftdHexadecimal);
    QVERIFY(box.setProperty("Required", true));
    QVERIFY(box.GetRequired());
}

void TestFieldTypeComboBox::typing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");

    QTest::newRow("numeric") << 3 << "12a3" << "123";
    QTest::newRow("decimal") << 4 << "4.2" << "42";
    QTest::newRow("currency one separator") << 2 << "10,5.3" << "10,53";
    QTest::newRow("hexa upper-cased") << 5 << "f0x1a" << "F01A";
    QTest::newRow("binary") << 6 << "01210" << "0110";
    QTest::newRow("boolean one character") << 7 << "yn" << "Y";
    QTest::newRow("boolean refuses others") << 7 << "tq" << "";
    QTest::newRow("alpha with accents") << 1 << QString::fromUtf8("aé1 ß") << QString::fromUtf8("aéß");
    QTest::newRow("numeric refuses accented") << 3 << QString::fromUtf8("1é2") << "12";
    QTest::newRow("alphanumeric anything") << 0 << "a, \"b\"" << "a, \"b\"";
    QTest::newRow("date type anything") << 8 << "x,y\"" << "x,y\"";
    QTest::newRow("time type anything") << 9 << "12:3a" << "12:3a";
}

void TestFieldTypeComboBox::typing()
{
    QFETCH(int, type);
    QFETCH(QString, keys);
    QFETCH(QString, text);

    TFieldTypeComboBox box;
    box.SetFieldTypeCode(type);
    typeText(&box, keys);
    QCOMPARE(box.GetText(), text);

    // Backspace works whatever the type.
    if (!text.isEmpty()) {
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.GetText(), text.chopped(1));
    }
}

void TestFieldTypeComboBox::keysDeliveredToTheLineEdit()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdHexadecimal);
    typeText(box.lineEdit(), QStringLiteral("fg1"));
    QCOMPARE(box.GetText(), QStringLiteral("F1"));
}

void TestFieldTypeComboBox::pasting_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");

    QTest::newRow("numeric with a letter clears") << 3 << "" << "12a3" << "";
    QTest::newRow("numeric digits") << 3 << "1" << "23" << "123";
    QTest::newRow("numeric into valid text clears it all") << 3 << "99" << "x" << "";
    QTest::newRow("currency several separators kept") << 2 << "" << "1.2.3" << "1.2.3";
    QTest::newRow("hexa 0x clears") << 5 << "" << "0x1F" << "";
    QTest::newRow("hexa lower case kept") << 5 << "" << "1f" << "1f";
    QTest::newRow("boolean lower case kept") << 7 << "" << "s" << "s";
    QTest::newRow("binary with 2 clears") << 6 << "" << "0102" << "";
    QTest::newRow("alpha with blank clears") << 1 << "" << "ab c" << "";
    QTest::newRow("alphanumeric comma and quote") << 0 << "" << "a,\"b\"" << "a,\"b\"";
}

void TestFieldTypeComboBox::pasting()
{
    QFETCH(int, type);
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(QString, text);

    TFieldTypeComboBox box;
    box.SetFieldTypeCode(type);
    typeText(&box, before);
    paste(box, pasted);
    QCOMPARE(box.GetText(), text);
}

void TestFieldTypeComboBox::currencySeparatorLooksAtSelection()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdCurrency);
    box.SetText(QStringLiteral("1.5"));
    box.lineEdit()->setSelection(1, 1);
    typeText(&box, QStringLiteral(","));
    QCOMPARE(box.GetText(), QStringLiteral("1.5"));
}

void TestFieldTypeComboBox::booleanLimitsLength()
{
    TFieldTypeComboBox box;
    box.SetMaxLength(10);
    box.SetFieldType(ftdBool);
    QCOMPARE(box.GetMaxLength(), 1);
    typeText(&box, QStringLiteral("ny"));
    QCOMPARE(box.GetText(), QStringLiteral("N"));

    // Another type keeps the limit until the owner sets a new one.
    box.SetFieldType(ftdNumerical);
    QCOMPARE(box.GetMaxLength(), 1);
    box.SetMaxLength(0);
    box.SetText(QString());
    typeText(&box, QStringLiteral("12345"));
    QCOMPARE(box.GetText(), QStringLiteral("12345"));
}

void TestFieldTypeComboBox::programTextIsNotValidatedOrCut()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdNumerical);
    box.SetText(QStringLiteral("12345"));
    box.SetMaxLength(3);
    QCOMPARE(box.GetText(), QStringLiteral("12345"));
    box.addItem(QStringLiteral("987654"));
    box.setCurrentIndex(0);
    QCOMPARE(box.GetText(), QStringLiteral("987654"));

    // The user may shorten an over-long text but not lengthen it.
    box.lineEdit()->end(false);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.GetText(), QStringLiteral("98765"));
    typeText(&box, QStringLiteral("1"));
    QCOMPARE(box.GetText(), QStringLiteral("98765"));

    // A text that does not fit stays until the user changes it.
    box.SetText(QStringLiteral("ab"));
    QCOMPARE(box.GetText(), QStringLiteral("ab"));
    box.lineEdit()->end(false);
    typeText(&box, QStringLiteral("1"));
    QCOMPARE(box.GetText(), QString());
}

void TestFieldTypeComboBox::changedFollowsUserEditsOnly()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdNumerical);
    QSignalSpy changed(&box, &TFieldTypeComboBox::Changed);

    box.SetText(QStringLiteral("12"));
    QCOMPARE(changed.count(), 0);

    typeText(&box, QStringLiteral("3"));
    QCOMPARE(changed.count(), 1);

    // A refused key changes nothing and raises nothing.
    typeText(&box, QStringLiteral("x"));
    QCOMPARE(changed.count(), 1);

    // A change that clears the text is still reported.
    paste(box, QStringLiteral("z"));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(box.GetText(), QString());
}

void TestFieldTypeComboBox::listChoiceIsValidated_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("drop-down") << int(TFieldTypeComboBox::csDropDown);
    QTest::newRow("drop-down list") << int(TFieldTypeComboBox::csDropDownList);
}

void TestFieldTypeComboBox::listChoiceIsValidated()
{
    QFETCH(int, style);

    TFieldTypeComboBox box;
    box.SetStyle(TFieldTypeComboBox::TComboStyle(style));
    box.SetFieldType(ftdNumerical);
    box.addItems({QStringLiteral("12"), QStringLiteral("34"), QStringLiteral("5x")});
    box.setCurrentIndex(0);
    QSignalSpy changed(&box, &TFieldTypeComboBox::Changed);

    QTest::keyClick(&box, Qt::Key_Down);
    QCOMPARE(box.GetText(), QStringLiteral("34"));
    QCOMPARE(changed.count(), 1);

    QTest::keyClick(&box, Qt::Key_Down);
    QCOMPARE(box.GetText(), QString());
    QCOMPARE(changed.count(), 2);
}

void TestFieldTypeComboBox::styles()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdNumerical);

    box.SetStyle(TFieldTypeComboBox::csSimple);
    QVERIFY(box.isEditable());
    box.addItem(QStringLiteral("1"));
    box.show();
    box.showPopup();
    QVERIFY(!box.view()->isVisible());
    QVERIFY(!box.grab().isNull());
    box.hide();

    box.SetStyle(TFieldTypeComboBox::csDropDownList);
    QVERIFY(!box.isEditable());
    QCOMPARE(box.GetStyle(), TFieldTypeComboBox::csDropDownList);

    // A new edit box after a style change filters as before.
    box.SetStyle(TFieldTypeComboBox::csDropDown);
    QVERIFY(box.isEditable());
    box.SetText(QString());
    typeText(&box, QStringLiteral("7a"));
    QCOMPARE(box.GetText(), QStringLiteral("7"));
    paste(box, QStringLiteral("q"));
    QCOMPARE(box.GetText(), QString());
}

void TestFieldTypeComboBox::inputMethodCommitIsFiltered()
{
    TFieldTypeComboBox box;
    box.SetFieldType(ftdHexadecimal);
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8("1éa"));
    QApplication::sendEvent(&box, &event);
    QCOMPARE(box.GetText(), QStringLiteral("1A"));
}

void TestFieldTypeComboBox::requiredKeepsFocus()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *box = new TFieldTypeComboBox(&window);
    auto *next = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(next);
    box->SetStyle(TFieldTypeComboBox::csSimple);
    box->SetRequired(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(box->hasFocus());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(box->hasFocus());

    // A blank is not empty.
    typeText(QApplication::focusWidget(), QStringLiteral(" "));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_VERIFY(next->hasFocus());

    // Not required: the box may be left empty.
    box->SetRequired(false);
    box->SetText(QString());
    box->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(box->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_VERIFY(next->hasFocus());
}

void TestFieldTypeComboBox::requiredReclaimsFocusFromClick()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *box = new TFieldTypeComboBox(&window);
    auto *next = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(next);
    box->SetRequired(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(box->hasFocus());

    QTest::mouseClick(next, Qt::LeftButton);
    QTRY_VERIFY(box->hasFocus());

    typeText(QApplication::focusWidget(), QStringLiteral("x"));
    QTest::mouseClick(next, Qt::LeftButton);
    QTRY_VERIFY(next->hasFocus());
    QTest::qWait(0);
    QVERIFY(next->hasFocus());
}

void TestFieldTypeComboBox::twoEmptyRequiredBoxesDoNotFight()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *first = new TFieldTypeComboBox(&window);
    auto *second = new TFieldTypeComboBox(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    first->SetRequired(true);
    second->SetRequired(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(first->hasFocus());

    second->setFocus(Qt::MouseFocusReason);
    // Let every queued reclaim run; the focus must settle, not bounce.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    QWidget *settled = QApplication::focusWidget();
    QVERIFY(settled);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), settled);
}

QTEST_MAIN(TestFieldTypeComboBox)
#include "tst_field_type_combo_box.moc"
