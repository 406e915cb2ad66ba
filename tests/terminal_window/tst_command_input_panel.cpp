#include "execution/command_definition.h"
#include "terminal_model/ext_ini_file.h"
#include "terminal_window/command_input_panel.h"
#include "widgets/field_type_combo_box.h"

#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimeEdit>
#include <QtTest>

namespace {

// A command section of twelve-value field records, read as the window reads it.
TCommandDefinition Definition(const QByteArray &commands, const QByteArray &more = {})
{
    TExtIniFile ini;
    ini.LoadFromData("[C]\nCommands=" + commands + "\nAnswers=\n" + more);
    return TCommandDefinition::Load(ini, QStringLiteral("C"));
}

QByteArray Field(int textType, const QByteArray &text, int controlType, int maxLength = 0, int required = 0,
                 int readOnly = 0, const QByteArray &caption = "F")
{
    return "0,\"" + caption + "\",\"hint of " + caption + "\"," + QByteArray::number(textType) + ",\"" + text + "\","
        + QByteArray::number(controlType) + "," + QByteArray::number(maxLength) + "," + QByteArray::number(required)
        + "," + QByteArray::number(readOnly) + ",0,0,0";
}

} // namespace

class TstCommandInputPanel : public QObject
{
    Q_OBJECT

private slots:
    void placesControlsInColumns_data();
    void placesControlsInColumns();
    void controlByType_data();
    void controlByType();
    void listLinesAndNotes();
    void readOnlyAndRequired();
    void rebuildReplacesControls();
};

void TstCommandInputPanel::placesControlsInColumns_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QList<QPoint>>("controls");
    QTest::addColumn<QSize>("size");

    QTest::newRow("three columns") << 700 << 96
        << QList<QPoint>{{20, 33}, {243, 33}, {466, 33}, {20, 88}} << QSize(213, 20);
    QTest::newRow("one column, large fonts") << 200 << 120
        << QList<QPoint>{{20, 33}, {20, 88}, {20, 143}, {20, 198}} << QSize(160, 24);
}

void TstCommandInputPanel::placesControlsInColumns()
{
    QFETCH(int, width);
    QFETCH(int, dpi);
    QFETCH(QList<QPoint>, controls);
    QFETCH(QSize, size);
    const QByteArray f = Field(0, "x", 0);
    TCommandInputPanel panel;
    panel.Build(Definition(f + "," + f + "," + f + "," + f), width, dpi);
    QCOMPARE(panel.FieldCount(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(panel.Control(i)->geometry(), QRect(controls.at(i), size));
        QCOMPARE(panel.Label(i)->pos(), controls.at(i) - QPoint(0, 18));
    }
    // The panel is as large as its controls, so the page scrolls.
    QVERIFY(panel.minimumWidth() >= controls.last().x() + size.width());
    QVERIFY(panel.minimumHeight() >= controls.last().y() + size.height());
}

void TstCommandInputPanel::controlByType_data()
{
    QTest::addColumn<int>("controlType");
    QTest::addColumn<QByteArray>("className");
    QTest::addColumn<int>("style");

    QTest::newRow("Simple") << 0 << QByteArray("TFieldTypeComboBox") << int(TFieldTypeComboBox::csSimple);
    QTest::newRow("DropDown") << 1 << QByteArray("TFieldTypeComboBox") << int(TFieldTypeComboBox::csDropDown);
    QTest::newRow("DropDownList") << 2 << QByteArray("TFieldTypeComboBox")
                                  << int(TFieldTypeComboBox::csDropDownList);
    QTest::newRow("Date") << 3 << QByteArray("QDateEdit") << -1;
    QTest::newRow("Time") << 4 << QByteArray("QTimeEdit") << -1;
    QTest::newRow("unknown built as Simple") << 9 << QByteArray("TFieldTypeComboBox")
                                             << int(TFieldTypeComboBox::csSimple);
}

void TstCommandInputPanel::controlByType()
{
    QFETCH(int, controlType);
    QFETCH(QByteArray, className);
    QFETCH(int, style);
    TCommandInputPanel panel;
    panel.Build(Definition(Field(4, "12", controlType, 5, 1)), 500, 96);
    QWidget *control = panel.Control(0);
    QCOMPARE(QByteArray(control->metaObject()->className()), className);
    QCOMPARE(control->toolTip(), QStringLiteral("hint of F"));
    QCOMPARE(panel.Label(0)->buddy(), control);
    const TFieldInput input = panel.Inputs().at(0);
    if (auto *box = qobject_cast<TFieldTypeComboBox *>(control)) {
        QCOMPARE(int(box->GetStyle()), style);
        QCOMPARE(box->GetFieldTypeCode(), 4);
        QCOMPARE(box->GetMaxLength(), 5);
        QVERIFY(box->GetRequired());
        // A choose-only list without lines shows no text.
        QCOMPARE(input.text, style == TFieldTypeComboBox::csDropDownList ? QString() : QStringLiteral("12"));
    } else if (controlType == 3) {
        QCOMPARE(input.date, QDate::currentDate());
    } else {
        QVERIFY(qAbs(input.time.secsTo(QTime::currentTime())) < 5);
    }
}

void TstCommandInputPanel::listLinesAndNotes()
{
    TCommandInputPanel panel;
    panel.Build(Definition(Field(0, "zz", 1) + "," + Field(0, "", 2),
                           "CL1=\"a,b,c\"\nCL2=\"x,y\"\nNotes=\"\"one\",\"two\",\"three\"\"\n"),
                700, 96);
    auto *edit = qobject_cast<TFieldTypeComboBox *>(panel.Control(0));
    auto *list = qobject_cast<TFieldTypeComboBox *>(panel.Control(1));
    QCOMPARE(edit->count(), 3);
    QCOMPARE(list->count(), 2);
    QCOMPARE(panel.Inputs().at(0).text, QStringLiteral("a"));
    QCOMPARE(panel.Inputs().at(1).text, QStringLiteral("x"));
    // Notes stand one row below the last row of controls, 20 pixels a line.
    QVERIFY(panel.NotesMemo());
    QCOMPARE(panel.NotesLabel()->text(), QStringLiteral("Notes"));
    QCOMPARE(panel.NotesLabel()->pos(), QPoint(20, 70));
    QCOMPARE(panel.NotesMemo()->geometry(), QRect(20, 88, 660, 60));
    QCOMPARE(panel.NotesMemo()->toPlainText(), QStringLiteral("one\ntwo\nthree"));
    QVERIFY(!panel.NotesMemo()->isEnabled());
}

void TstCommandInputPanel::readOnlyAndRequired()
{
    TCommandInputPanel panel;
    panel.Build(Definition(Field(0, "fixed", 0, 0, 0, 1, "&Ro") + "," + Field(0, "", 0, 0, 1, 0, "&Req")), 700, 96);
    QVERIFY(!panel.Control(0)->isEnabled());
    QCOMPARE(panel.Inputs().at(0).text, QStringLiteral("fixed"));
    QCOMPARE(panel.Label(1)->palette().color(QPalette::WindowText), TCommandInputPanel::Maroon);
    QVERIFY(panel.Label(0)->palette().color(QPalette::WindowText) != TCommandInputPanel::Maroon);
    // A read-only control never takes the focus, not even after a bad input.
    panel.show();
    panel.FocusField(0);
    QVERIFY(!panel.Control(0)->hasFocus());
}

void TstCommandInputPanel::rebuildReplacesControls()
{
    TCommandInputPanel panel;
    panel.Build(Definition(Field(0, "a", 0) + "," + Field(0, "b", 0), "Notes=\"\"n\"\"\n"), 700, 96);
    QPointer<QWidget> old = panel.Control(0);
    panel.Build(Definition(Field(0, "c", 3)), 700, 96);
    QVERIFY(old.isNull());
    QCOMPARE(panel.FieldCount(), 1);
    QVERIFY(!panel.NotesMemo());
    QCOMPARE(panel.findChildren<QLabel *>().size(), 1);
    panel.Clear();
    QCOMPARE(panel.FieldCount(), 0);
    QVERIFY(panel.findChildren<QWidget *>().isEmpty());
}

QTEST_MAIN(TstCommandInputPanel)
#include "tst_command_input_panel.moc"
