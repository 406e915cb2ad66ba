#pragma once

#include <QDialog>
#include <QtGlobal>

class QPushButton;
class TFieldTypeComboBox;

// Takes two status words typed in hexadecimal, so that the terminal window
// can show them decoded as if they came with an answer.
class TFormTestFixedAnswer : public QDialog
{
    Q_OBJECT

public:
    explicit TFormTestFixedAnswer(QWidget *parent = nullptr);

    quint16 FiscalStatus() const;
    quint16 PrinterStatus() const;

    // "&Test" is enabled exactly when both words are typed.
    void UpdateTestButton();

private:
    TFieldTypeComboBox *m_fiscalEdit = nullptr;
    TFieldTypeComboBox *m_printerEdit = nullptr;
    QPushButton *m_buttonTest = nullptr;
    QPushButton *m_buttonCancel = nullptr;
};
