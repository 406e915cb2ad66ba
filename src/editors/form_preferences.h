#pragma once

#include "editors/port_combo_box.h"

#include <QDialog>

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
    // Shown beside the fiscal time-out while it is 0.
    static const QString NoTimeOutNote;

    // devices gives the serial devices the port lists offer after Com1..Com4.
    TFormPreferences(TSettings &settings, TPrompts &prompts,
                     const TPortComboBox::TSource &devices = [] { return TSerialDevices::Available(); },
                     QWidget *parent = nullptr);
    ~TFormPreferences() override;

    void LoadSettings();
    void StoreAndAccept();
    void Cancel();
    void UpdateTimeOutNote();

private:
    void Build(const TPortComboBox::TSource &devices);

    TSettings &m_settings;
    TPrompts &m_prompts;

    QTabWidget *m_pages = nullptr;
    QComboBox *m_protocolBox = nullptr;
    TPortComboBox *m_hostPortBox = nullptr;
    QComboBox *m_hostBaudBox = nullptr;
    TPortComboBox *m_fiscalPortBox = nullptr;
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
