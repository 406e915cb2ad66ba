#include "terminal_window/answer_display.h"

#include "execution/answer_page.h"
#include "execution/answer_page_layout.h"
#include "terminal_window/command_input_panel.h"
#include "terminal_window/system_colors.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

TAnswerDisplay::TAnswerDisplay(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AnswerDisplay"));
    m_fiscalBox = new QGroupBox(this);
    m_fiscalBox->setObjectName(QStringLiteral("GroupBoxFiscal"));
    m_fiscalBox->setToolTip(TAnswerPage::FiscalHint);
    m_printerBox = new QGroupBox(this);
    m_printerBox->setObjectName(QStringLiteral("GroupBoxPrinter"));
    m_printerBox->setToolTip(TAnswerPage::PrinterHint);
    m_separator = new QFrame(this);
    m_separator->setObjectName(QStringLiteral("Separator"));
    m_separator->setFrameShape(QFrame::HLine);
    m_separator->setFrameShadow(QFrame::Sunken);
    // Nothing to show before the first answer.
    m_fiscalBox->hide();
    m_printerBox->hide();
    m_separator->hide();
}

void TAnswerDisplay::ClearFiscalPanels()
{
    qDeleteAll(m_fiscalPanels);
    m_fiscalPanels.clear();
    m_fiscalBox->hide();
}

void TAnswerDisplay::ClearPrinterPanels()
{
    qDeleteAll(m_printerPanels);
    m_printerPanels.clear();
    m_printerBox->hide();
}

void TAnswerDisplay::ClearRows()
{
    qDeleteAll(m_rowBoxes);
    qDeleteAll(m_rowLabels);
    m_rowBoxes.clear();
    m_rowLabels.clear();
}

QList<QLabel *> TAnswerDisplay::CreatePanels(QGroupBox *box, const QList<QPoint> &places)
{
    QList<QLabel *> panels;
    for (const QPoint &place : places) {
        auto *panel = new QLabel(box);
        panel->move(place);
        panel->show();
        panels << panel;
    }
    return panels;
}

void TAnswerDisplay::Show(const TAnswerPage &page, int pageWidth)
{
    setUpdatesEnabled(false);
    ClearFiscalPanels();
    ClearPrinterPanels();
    ClearRows();

    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_fiscalBox);
    const TAnswerPageLayout layout =
        TAnswerPageLayout::Compute(pageWidth, frame, int(page.fiscalPanels.size()),
                                   int(page.printerPanels.size()), int(page.rows.size()));
    m_fiscalBox->setTitle(page.fiscalCaption);
    m_fiscalBox->setGeometry(layout.fiscalBox);
    m_fiscalBox->show();
    m_printerBox->setTitle(page.printerCaption);
    m_printerBox->setGeometry(layout.printerBox);
    m_printerBox->show();
    m_fiscalPanels = CreatePanels(m_fiscalBox, layout.fiscalPanels.panels);
    m_printerPanels = CreatePanels(m_printerBox, layout.printerPanels.panels);

    const auto decode = [](const QList<QLabel *> &panels, const QList<TFixedAnswerTable::TPanel> &values) {
        for (int k = 0; k < panels.size() && k < values.size(); ++k) {
            QLabel *panel = panels.at(k);
            const TFixedAnswerTable::TPanel &value = values.at(k);
            if (!value.shown)
                continue;
            panel->setText(value.text);
            QPalette palette = panel->palette();
            const QColor color = TSystemColors::Resolve(value.color, palette);
            if (color.isValid())
                palette.setColor(QPalette::WindowText, color);
            panel->setPalette(palette);
            panel->adjustSize();
        }
    };
    decode(m_fiscalPanels, page.fiscalPanels);
    decode(m_printerPanels, page.printerPanels);

    m_separator->setGeometry(layout.separator);
    m_separator->show();

    QRect used = m_fiscalBox->geometry() | m_printerBox->geometry() | m_separator->geometry();
    for (int r = 0; r < page.rows.size(); ++r) {
        const TAnswerRow &row = page.rows.at(r);
        auto *label = new QLabel(row.label, this);
        label->move(layout.rows.at(r).label);
        label->adjustSize();
        auto *box = new QLineEdit(row.text, this);
        box->setObjectName(QStringLiteral("AnswerRow%1").arg(r));
        box->setGeometry(layout.rows.at(r).box);
        box->setReadOnly(true);
        box->setCursorPosition(0);
        box->setToolTip(row.hint);
        QPalette boxPalette = box->palette();
        boxPalette.setColor(QPalette::Base,
                            TSystemColors::SystemColor(TSystemColors::InactiveBorder, boxPalette));
        box->setPalette(boxPalette);
        if (row.undefined) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, TCommandInputPanel::Maroon);
            label->setPalette(palette);
        }
        label->setBuddy(box);
        label->setVisible(row.visible);
        box->setVisible(row.visible);
        used |= label->geometry() | box->geometry();
        m_rowLabels << label;
        m_rowBoxes << box;
    }
    setMinimumSize(used.right() + TAnswerPageLayout::BoxLeft, used.bottom() + TAnswerPageLayout::BoxGap);
    setUpdatesEnabled(true);
}
