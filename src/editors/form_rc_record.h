#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class TFieldTypeComboBox;

// Edits one return-code description: its number and text.
class TFormRcRecord : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MaxDigits = 5;

    // A new description.
    explicit TFormRcRecord(QWidget *parent = nullptr);
    // An existing one.
    TFormRcRecord(const QString &number, const QString &description, QWidget *parent = nullptr);

    QString Number() const;
    QString Description() const;

    // "&Ok" is enabled exactly when number and description are filled.
    void InputChange();

private:
    void Build();

    TFieldTypeComboBox *EditNumber = nullptr;
    QLineEdit *EditDescription = nullptr;
    QPushButton *ButtonOk = nullptr;
    QPushButton *ButtonCancel = nullptr;
};
