#pragma once

#include <QDialog>

class QLabel;

// The About box: product name, version, company and legal notice of the build.
class TFormAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TFormAboutBox(QWidget *parent = nullptr);

    QString ProductName() const;
    QString Version() const;
    QString Company() const;
    QString Copyright() const;

private:
    QLabel *m_productName;
    QLabel *m_version;
    QLabel *m_company;
    QLabel *m_copyright;
};
