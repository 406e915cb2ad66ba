#pragma once

#include <QList>
#include <QWidget>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
struct TAnswerPage;

// The "Host &Answer" page's content: the fiscal and printer status boxes
// with their decoded panels, the separator and the answer rows. Placed when
// an answer is shown; later resizing does not rearrange it.
class TAnswerDisplay : public QWidget
{
    Q_OBJECT

public:
    explicit TAnswerDisplay(QWidget *parent = nullptr);

    // Replaces what is shown by the answer, laid out for a page of the given
    // client width.
    void Show(const TAnswerPage &page, int pageWidth);
    // Destroy the panels of one box and hide the box.
    void ClearFiscalPanels();
    void ClearPrinterPanels();

    QGroupBox *FiscalBox() const { return m_fiscalBox; }
    QGroupBox *PrinterBox() const { return m_printerBox; }
    QFrame *Separator() const { return m_separator; }
    const QList<QLabel *> &FiscalPanels() const { return m_fiscalPanels; }
    const QList<QLabel *> &PrinterPanels() const { return m_printerPanels; }
    int RowCount() const { return int(m_rowBoxes.size()); }
    QLabel *RowLabel(int row) const { return m_rowLabels.at(row); }
    QLineEdit *RowBox(int row) const { return m_rowBoxes.at(row); }

private:
    void ClearRows();
    QList<QLabel *> CreatePanels(QGroupBox *box, const QList<QPoint> &places);

    QGroupBox *m_fiscalBox = nullptr;
    QGroupBox *m_printerBox = nullptr;
    QFrame *m_separator = nullptr;
    QList<QLabel *> m_fiscalPanels;
    QList<QLabel *> m_printerPanels;
    QList<QLabel *> m_rowLabels;
    QList<QLineEdit *> m_rowBoxes;
};
