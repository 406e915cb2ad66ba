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

    void FormCreate();
    void ButtonOkClick();
    void ButtonCancelClick();
    void TimeOutChange();

private:
    void Build(const QStringList &systemPorts);
    QComboBox *PortList(const QString &name, const QString &hint, const QStringList &systemPorts);
    static void SelectPort(QComboBox *list, int index, const QString &device);
    static void ReadPort(const QComboBox *list, quint8 &index, QString &device);

    TSettings &FSettings;
    TPrompts &FPrompts;

    QTabWidget *PageControl = nullptr;
    QComboBox *ComboBoxProtocol = nullptr;
    QComboBox *ComboBoxHostPort = nullptr;
    QComboBox *ComboBoxHostBaud = nullptr;
    QComboBox *ComboBoxFiscalPort = nullptr;
    TTimeOutEdit *SpinEditTimeOut = nullptr;
    QLabel *LabelTimeOutNote = nullptr;
    TColorBox *ColorBoxHost = nullptr;
    TColorBox *ColorBoxPrinter = nullptr;
    TColorBox *ColorBoxFiscal = nullptr;
    QCheckBox *CheckBoxLowLevel = nullptr;
    QComboBox *ComboBoxLanguage = nullptr;
    QComboBox *ComboBoxInputDateFormat = nullptr;
    QComboBox *ComboBoxOutputDateFormat = nullptr;
    QCheckBox *CheckBoxReservedFields = nullptr;
    QPushButton *ButtonOk = nullptr;
    QPushButton *ButtonCancel = nullptr;
};
