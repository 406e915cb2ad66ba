#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class TFieldTypeComboBox;
class TPrompts;

// Edits one return-code description: its number and text.
class TFormRcRecord : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MaxDigits = 5;

    // The reason a typed number is refused, or an empty text.
    using TNumberCheck = std::function<QString(const QString &number)>;

    // A new description.
    explicit TFormRcRecord(TPrompts &prompts, QWidget *parent = nullptr);
    // An existing one.
    TFormRcRecord(const QString &number, const QString &description, TPrompts &prompts,
                  QWidget *parent = nullptr);

    // "&Ok" refuses a number the check finds fault with; the dialog stays
    // open with the number focused.
    void SetNumberCheck(const TNumberCheck &check);

    QString Number() const;
    QString Description() const;

    // "&Ok" is enabled exactly when number and description are filled.
    void UpdateOkButton();
    void AcceptIfValid();

private:
    void Build();

    TPrompts &m_prompts;
    TNumberCheck m_numberCheck;
    TFieldTypeComboBox *m_numberEdit = nullptr;
    QLineEdit *m_descriptionEdit = nullptr;
    QPushButton *m_buttonOk = nullptr;
    QPushButton *m_buttonCancel = nullptr;
};
