#include "terminal_model/settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TstSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void firstStartCreatesDefaults();
    void roundTrip();
    void badValueFallsBack_data();
    void badValueFallsBack();
    void integersKeepLowByte();
    void unsavedChangesAreNotStored();
    void otherNameHasOwnStore();

private:
    QString Name() const;
    QTemporaryDir m_dir;
    int m_counter = 0;
};

void TstSettings::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
}

void TstSettings::init()
{
    ++m_counter;
}

QString TstSettings::Name() const
{
    return QStringLiteral("TessalyTest%1").arg(m_counter);
}

void TstSettings::firstStartCreatesDefaults()
{
    TSettings settings;
    settings.HBaud = 0;
    settings.DComm = 0;
    settings.DTimeOut = 0;
    LoadSettings(settings, Name());
    QCOMPARE(settings.File, QString());
    QCOMPARE(settings.TVWidth, 0);
    QCOMPARE(settings.HComm, quint8(0));
    QCOMPARE(settings.HBaud, quint8(3));
    QCOMPARE(settings.DComm, quint8(1));
    QCOMPARE(settings.DTimeOut, 1000);
    QCOMPARE(settings.DGIEnabled, false);
    QCOMPARE(settings.HostColor, 0u);
    QCOMPARE(settings.LowLevel, false);
    QCOMPARE(settings.HPort, QString());
    QCOMPARE(settings.LogTimeShown, true);
    QCOMPARE(settings.LogFileTimeStamps, false);
    QCOMPARE(settings.LogFrameForm, quint8(0));

    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, Name());
    QStringList expected = {"TVWidth", "File", "Language", "ExtReservedFields", "HComm", "HBaud",
                            "HTimeOut", "DComm", "DBaud", "DTimeOut", "DGIEnabled", "HostColor",
                            "FPColor", "DGIColor", "LowLevel", "HPort", "DPort"};
    expected << "LogTimeShown" << "LogFileTimeStamps" << "LogFrameForm";
    QStringList keys = store.allKeys();
    expected.sort();
    keys.sort();
    QCOMPARE(keys, expected);
    QCOMPARE(store.value("HTimeOut").toInt(), 1000);
    QCOMPARE(store.value("DBaud").toInt(), 3);
}

void TstSettings::roundTrip()
{
    TSettings saved;
    saved.File = QStringLiteral("/data/printers/model, one.tsy");
    saved.TVWidth = 180;
    saved.Language = 1;
    saved.ExtReservedFields = true;
    saved.HostColor = 0x0000FF;
    saved.FPColor = 0x80000005;   // a system colour: the top bit must survive
    saved.DGIColor = 0x1FFFFFFF;
    saved.LowLevel = true;
    saved.HBaud = 5;
    saved.HComm = 2;
    saved.DGIEnabled = true;
    saved.DComm = 3;
    saved.DTimeOut = 0;
    saved.HPort = QStringLiteral("/dev/ttyUSB0");
    saved.DPort = QStringLiteral("/dev/ttyUSB1");
    saved.LogTimeShown = false;
    saved.LogFileTimeStamps = true;
    saved.LogFrameForm = 2;
    // Per-file and run-time values never go to the store.
    saved.Protocol = 1;
    saved.InputDateFormat = 5;
    saved.HostPortOpen = true;
    SaveSettings(saved, Name());

    TSettings loaded;
    LoadSettings(loaded, Name());
    QCOMPARE(loaded.File, saved.File);
    QCOMPARE(loaded.TVWidth, 180);
    QCOMPARE(loaded.Language, quint8(1));
    QCOMPARE(loaded.ExtReservedFields, true);
    QCOMPARE(loaded.HostColor, 0x0000FFu);
    QCOMPARE(loaded.FPColor, 0x80000005u);
    QCOMPARE(loaded.DGIColor, 0x1FFFFFFFu);
    QCOMPARE(loaded.LowLevel, true);
    QCOMPARE(loaded.HBaud, quint8(5));
    QCOMPARE(loaded.HComm, quint8(2));
    QCOMPARE(loaded.DGIEnabled, true);
    QCOMPARE(loaded.DComm, quint8(3));
    QCOMPARE(loaded.DTimeOut, 0);
    QCOMPARE(loaded.HPort, saved.HPort);
    QCOMPARE(loaded.DPort, saved.DPort);
    QCOMPARE(loaded.LogTimeShown, false);
    QCOMPARE(loaded.LogFileTimeStamps, true);
    QCOMPARE(loaded.LogFrameForm, quint8(2));
    QCOMPARE(loaded.Protocol, quint8(0));
    QCOMPARE(loaded.InputDateFormat, quint8(0));
    QCOMPARE(loaded.HostPortOpen, false);
}

void TstSettings::badValueFallsBack_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("baud not a number") << "HBaud" << QVariant("fast");
    QTest::newRow("time-out empty") << "DTimeOut" << QVariant("");
    QTest::newRow("flag as a word") << "DGIEnabled" << QVariant("yes");
    QTest::newRow("colour too wide") << "HostColor" << QVariant("99999999999");
    QTest::newRow("width as a list") << "TVWidth" << QVariant(QStringList{"1", "2"});
    QTest::newRow("missing") << "DComm" << QVariant();
}

void TstSettings::badValueFallsBack()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    {
        TSettings settings;
        LoadSettings(settings, Name());
        settings.HBaud = 1;
        settings.DTimeOut = 50;
        settings.DGIEnabled = true;
        settings.HostColor = 0xFF;
        settings.TVWidth = 200;
        settings.DComm = 3;
        SaveSettings(settings, Name());
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, Name());
        if (value.isValid())
            store.setValue(key, value);
        else
            store.remove(key);
    }
    TSettings settings;
    settings.HBaud = 9;
    settings.DTimeOut = 9;
    settings.DGIEnabled = true;
    settings.HostColor = 9;
    settings.TVWidth = 9;
    settings.DComm = 9;
    LoadSettings(settings, Name());
    const TSettings defaults;
    QCOMPARE(settings.HBaud, key == "HBaud" ? defaults.HBaud : quint8(1));
    QCOMPARE(settings.DTimeOut, key == "DTimeOut" ? defaults.DTimeOut : 50);
    QCOMPARE(settings.DGIEnabled, key == "DGIEnabled" ? defaults.DGIEnabled : true);
    QCOMPARE(settings.HostColor, key == "HostColor" ? defaults.HostColor : 0xFFu);
    QCOMPARE(settings.TVWidth, key == "TVWidth" ? defaults.TVWidth : 200);
    QCOMPARE(settings.DComm, key == "DComm" ? defaults.DComm : quint8(3));
}

void TstSettings::integersKeepLowByte()
{
    TSettings settings;
    LoadSettings(settings, Name());
    {
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, Name());
        store.setValue("HBaud", 259);
        store.setValue("LowLevel", 2);
        store.setValue("HostColor", -1);
    }
    LoadSettings(settings, Name());
    QCOMPARE(settings.HBaud, quint8(3));
    QCOMPARE(settings.LowLevel, true);
    QCOMPARE(settings.HostColor, 0xFFFFFFFFu);
}

void TstSettings::unsavedChangesAreNotStored()
{
    TSettings settings;
    LoadSettings(settings, Name());
    settings.HComm = 3;
    settings.LowLevel = true;
    TSettings again;
    LoadSettings(again, Name());
    QCOMPARE(again.HComm, quint8(0));
    QCOMPARE(again.LowLevel, false);
}

void TstSettings::otherNameHasOwnStore()
{
    TSettings settings;
    LoadSettings(settings, Name());
    settings.HComm = 2;
    settings.File = QStringLiteral("/x.tsy");
    SaveSettings(settings, Name());

    TSettings other;
    LoadSettings(other, Name() + QStringLiteral("Copy"));
    QCOMPARE(other.HComm, quint8(0));
    QCOMPARE(other.File, QString());
}

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
