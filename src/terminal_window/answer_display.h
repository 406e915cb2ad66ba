#pragma once

#include "execution/answer_page_layout.h"

#include <QColor>
#include <QList>
#include <QStringList>
#include <QWidget>

class QAbstractScrollArea;
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
    static inline const QColor ErrorColor = QColor(255, 0, 0);

    explicit TAnswerDisplay(QWidget *parent = nullptr);

    // The width the page may take in the scroll area: the room beside a
    // vertical scroll bar, whether or not one shows, so that a tall answer
    // needs no horizontal bar and a short one puts everything where a tall
    // one does.
    static int ContentWidth(const QAbstractScrollArea *scroll);

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
    // Beside the return code's box; null when the answer has none.
    QLabel *ReturnCodeDescription() const { return m_description; }
    // How long the command took, above the status boxes at the right;
    // hidden when the answer does not say.
    QLabel *ElapsedCaption() const { return m_elapsed; }

private:
    void ClearRows();
    TAnswerPageLayout::TMetrics Metrics(const QStringList &panelTexts) const;
    QList<QLabel *> CreatePanels(QGroupBox *box, const QList<QPoint> &places);

    QGroupBox *m_fiscalBox = nullptr;
    QGroupBox *m_printerBox = nullptr;
    QFrame *m_separator = nullptr;
    QList<QLabel *> m_fiscalPanels;
    QList<QLabel *> m_printerPanels;
    QList<QLabel *> m_rowLabels;
    QList<QLineEdit *> m_rowBoxes;
    QLabel *m_description = nullptr;
    QLabel *m_elapsed = nullptr;
};
