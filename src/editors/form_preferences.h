#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class TColorBox;
class TPrompts;
class TTimeOutEdit;
struct TSettings;

// "System preferences": edits the settings record. OK copies the controls
// back into the record; Cancel changes nothing. Applying the new values to
// the ports and the log window is the caller's part (TApplyPreferences).
class TFormPreferences : public QDialog
{
    Q_OBJECT

public:
    // Com1..Com4 are the port indices; the serial ports the system reports
    // follow them and are stored by name.
    static const QStringList ComPorts;
    // Shown beside the fiscal time-out while it is 0.
    static const QString NoTimeOutNote;

    TFormPreferences(TSettings &settings, TPrompts &prompts, const QStringList &systemPorts = AvailablePorts(),
                     QWidget *parent = nullptr);
    ~TFormPreferences() override;

    // The names of the serial ports the system reports, sorted.
    static QStringList AvailablePorts();

    void LoadSettings();
    void StoreAndAccept();
    void Cancel();
    void UpdateTimeOutNote();

private:
    void Build(const QStringList &systemPorts);
    QComboBox *PortList(const QString &name, const QString &hint, const QStringList &systemPorts);
    static void SelectPort(QComboBox *list, int index, const QString &device);
    static void ReadPort(const QComboBox *list, quint8 &index, QString &device);

    TSettings &m_settings;
    TPrompts &m_prompts;

    QTabWidget *m_pages = nullptr;
    QComboBox *m_protocolBox = nullptr;
    QComboBox *m_hostPortBox = nullptr;
    QComboBox *m_hostBaudBox = nullptr;
    QComboBox *m_fiscalPortBox = nullptr;
    TTimeOutEdit *m_timeOutEdit = nullptr;
    QLabel *m_timeOutNote = nullptr;
    TColorBox *m_hostColorBox = nullptr;
    TColorBox *m_printerColorBox = nullptr;
    TColorBox *m_fiscalColorBox = nullptr;
    QCheckBox *m_lowLevelCheck = nullptr;
    QCheckBox *m_timeShownCheck = nullptr;
    QCheckBox *m_fileTimeStampsCheck = nullptr;
    QComboBox *m_languageBox = nullptr;
    QComboBox *m_inputDateFormatBox = nullptr;
    QComboBox *m_outputDateFormatBox = nullptr;
    QCheckBox *m_reservedFieldsCheck = nullptr;
    QPushButton *m_buttonOk = nullptr;
    QPushButton *m_buttonCancel = nullptr;
};
