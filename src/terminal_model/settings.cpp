#include "terminal_model/settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include <limits>

namespace {

// Value names of the store, as the other tools of the project know them.
const char *const KeyTVWidth = "TVWidth";
const char *const KeyFile = "File";
const char *const KeyLanguage = "Language";
const char *const KeyExtReservedFields = "ExtReservedFields";
const char *const KeyHComm = "HComm";
const char *const KeyHBaud = "HBaud";
const char *const KeyHTimeOut = "HTimeOut";
const char *const KeyDComm = "DComm";
const char *const KeyDBaud = "DBaud";
const char *const KeyDTimeOut = "DTimeOut";
const char *const KeyDGIEnabled = "DGIEnabled";
const char *const KeyHostColor = "HostColor";
const char *const KeyFPColor = "FPColor";
const char *const KeyDGIColor = "DGIColor";
const char *const KeyLowLevel = "LowLevel";
const char *const KeyHPort = "HPort";
const char *const KeyDPort = "DPort";
const char *const KeyLogTimeShown = "LogTimeShown";
const char *const KeyLogFileTimeStamps = "LogFileTimeStamps";
const char *const KeyLogFrameForm = "LogFrameForm";

// Integers are stored as signed 32-bit values, so colours above 0x7FFFFFFF
// (system colours) keep their bits.
qint32 ToStored(quint32 value)
{
    return static_cast<qint32>(value);
}

bool ReadInt32(const QSettings &store, const char *key, quint32 &result)
{
    const QVariant value = store.value(QLatin1String(key));
    if (!value.isValid())
        return false;
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint32>::min()
        || number > std::numeric_limits<quint32>::max())
        return false;
    result = static_cast<quint32>(number);
    return true;
}

void ReadByte(const QSettings &store, const char *key, quint8 &field, quint8 def)
{
    quint32 number;
    field = ReadInt32(store, key, number) ? static_cast<quint8>(number & 0xFF) : def;
}

void ReadBool(const QSettings &store, const char *key, bool &field, bool def)
{
    quint32 number;
    field = ReadInt32(store, key, number) ? number != 0 : def;
}

void ReadSigned(const QSettings &store, const char *key, qint32 &field, qint32 def)
{
    quint32 number;
    field = ReadInt32(store, key, number) ? static_cast<qint32>(number) : def;
}

void ReadColor(const QSettings &store, const char *key, quint32 &field, quint32 def)
{
    quint32 number;
    field = ReadInt32(store, key, number) ? number : def;
}

void ReadText(const QSettings &store, const char *key, QString &field, const QString &def)
{
    const QVariant value = store.value(QLatin1String(key));
    field = value.isValid() && value.canConvert<QString>() ? value.toString() : def;
}

void WriteDefaults(QSettings &store)
{
    const TSettings d;
    store.setValue(KeyTVWidth, d.TVWidth);
    store.setValue(KeyFile, d.File);
    store.setValue(KeyLanguage, int(d.Language));
    store.setValue(KeyExtReservedFields, int(d.ExtReservedFields));
    store.setValue(KeyHComm, int(d.HComm));
    store.setValue(KeyHBaud, int(d.HBaud));
    store.setValue(KeyHTimeOut, 1000);
    store.setValue(KeyDComm, int(d.DComm));
    store.setValue(KeyDBaud, 3);
    store.setValue(KeyDTimeOut, d.DTimeOut);
    store.setValue(KeyDGIEnabled, int(d.DGIEnabled));
    store.setValue(KeyHostColor, ToStored(d.HostColor));
    store.setValue(KeyFPColor, ToStored(d.FPColor));
    store.setValue(KeyDGIColor, ToStored(d.DGIColor));
    store.setValue(KeyLowLevel, int(d.LowLevel));
    store.setValue(KeyHPort, d.HPort);
    store.setValue(KeyDPort, d.DPort);
    store.setValue(KeyLogTimeShown, int(d.LogTimeShown));
    store.setValue(KeyLogFileTimeStamps, int(d.LogFileTimeStamps));
    store.setValue(KeyLogFrameForm, int(d.LogFrameForm));
}

} // namespace

QString DefaultSettingsName()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.isEmpty() ? QStringLiteral("Tessaly") : name;
}

void LoadSettings(TSettings &settings, const QString &storeName)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, storeName);
    if (store.allKeys().isEmpty()) {
        WriteDefaults(store);
        store.sync();
    }
    const TSettings d;
    ReadSigned(store, KeyTVWidth, settings.TVWidth, d.TVWidth);
    ReadText(store, KeyFile, settings.File, d.File);
    ReadByte(store, KeyLanguage, settings.Language, d.Language);
    ReadBool(store, KeyExtReservedFields, settings.ExtReservedFields, d.ExtReservedFields);
    ReadByte(store, KeyHComm, settings.HComm, d.HComm);
    ReadByte(store, KeyHBaud, settings.HBaud, d.HBaud);
    ReadBool(store, KeyDGIEnabled, settings.DGIEnabled, d.DGIEnabled);
    ReadByte(store, KeyDComm, settings.DComm, d.DComm);
    ReadSigned(store, KeyDTimeOut, settings.DTimeOut, d.DTimeOut);
    ReadColor(store, KeyHostColor, settings.HostColor, d.HostColor);
    ReadColor(store, KeyFPColor, settings.FPColor, d.FPColor);
    ReadColor(store, KeyDGIColor, settings.DGIColor, d.DGIColor);
    ReadBool(store, KeyLowLevel, settings.LowLevel, d.LowLevel);
    ReadText(store, KeyHPort, settings.HPort, d.HPort);
    ReadText(store, KeyDPort, settings.DPort, d.DPort);
    ReadBool(store, KeyLogTimeShown, settings.LogTimeShown, d.LogTimeShown);
    ReadBool(store, KeyLogFileTimeStamps, settings.LogFileTimeStamps, d.LogFileTimeStamps);
    ReadByte(store, KeyLogFrameForm, settings.LogFrameForm, d.LogFrameForm);
}

void SaveSettings(const TSettings &settings, const QString &storeName)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, storeName);
    store.setValue(KeyTVWidth, settings.TVWidth);
    store.setValue(KeyFile, settings.File);
    store.setValue(KeyLanguage, int(settings.Language));
    store.setValue(KeyExtReservedFields, int(settings.ExtReservedFields));
    store.setValue(KeyHComm, int(settings.HComm));
    store.setValue(KeyHBaud, int(settings.HBaud));
    store.setValue(KeyDComm, int(settings.DComm));
    store.setValue(KeyDTimeOut, settings.DTimeOut);
    store.setValue(KeyDGIEnabled, int(settings.DGIEnabled));
    store.setValue(KeyHostColor, ToStored(settings.HostColor));
    store.setValue(KeyFPColor, ToStored(settings.FPColor));
    store.setValue(KeyDGIColor, ToStored(settings.DGIColor));
    store.setValue(KeyLowLevel, int(settings.LowLevel));
    store.setValue(KeyHPort, settings.HPort);
    store.setValue(KeyDPort, settings.DPort);
    store.setValue(KeyLogTimeShown, int(settings.LogTimeShown));
    store.setValue(KeyLogFileTimeStamps, int(settings.LogFileTimeStamps));
    store.setValue(KeyLogFrameForm, int(settings.LogFrameForm));
    store.sync();
}
