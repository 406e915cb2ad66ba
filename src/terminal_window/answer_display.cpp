#include "terminal_window/answer_display.h"

#include "execution/answer_page.h"
#include "terminal_window/command_input_panel.h"
#include "widgets/accessible_text.h"
#include "widgets/system_colors.h"

#include <QAbstractScrollArea>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

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
    m_elapsed = new QLabel(this);
    m_elapsed->setObjectName(QStringLiteral("LabelElapsed"));
    m_elapsed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Nothing to show before the first answer.
    m_elapsed->hide();
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
    delete m_description;
    m_description = nullptr;
}

int TAnswerDisplay::ContentWidth(const QAbstractScrollArea *scroll)
{
    int bar = scroll->verticalScrollBar()->sizeHint().width();
    const QStyle *style = scroll->style();
    if (style->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, nullptr, scroll))
        bar += style->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr, scroll);
    return scroll->maximumViewportSize().width() - bar;
}

TAnswerPageLayout::TMetrics TAnswerDisplay::Metrics(const QStringList &panelTexts) const
{
    TAnswerPageLayout::TMetrics metrics;
    // The style decides where a box draws its caption (above its frame, or
    // across its top line); the panels go below it, inside the frame.
    metrics.boxMargins = m_fiscalBox->contentsMargins();
    const int line = fontMetrics().height();
    metrics.panelHeight = std::max(metrics.panelHeight, line + 2);
    for (const QString &text : panelTexts)
        metrics.panelPitchX = std::max(metrics.panelPitchX, fontMetrics().horizontalAdvance(text) + 10);
    metrics.labelHeight = std::max(metrics.labelHeight, line + 4);
    QLineEdit probe;
    probe.setFont(font());
    metrics.rowBoxHeight = std::max(metrics.rowBoxHeight, probe.sizeHint().height());
    return metrics;
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

    // The captions first: the room they take is part of the layout.
    m_fiscalBox->setTitle(page.fiscalCaption);
    m_printerBox->setTitle(page.printerCaption);
    TAnswerPageLayout::TInput input;
    input.pageWidth = pageWidth;
    input.metrics = Metrics(page.panelTexts);
    input.fiscalMaxPanel = int(page.fiscalPanels.size());
    input.printerMaxPanel = int(page.printerPanels.size());
    for (int r = 0; r < page.rows.size(); ++r) {
        input.rowsShown.append(page.rows.at(r).visible);
        if (page.rows.at(r).returnCode)
            input.describedRow = r;
    }
    // Room for any 16-bit code.
    input.codeWidth = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16;
    const TAnswerPageLayout layout = TAnswerPageLayout::Compute(input);

    // In the gap above the fiscal box, at its right end.
    m_elapsed->setText(page.ElapsedCaption);
    m_elapsed->setGeometry(layout.fiscalBox.left(), 0, layout.fiscalBox.width(), layout.fiscalBox.top());
    m_elapsed->setVisible(!page.ElapsedCaption.isEmpty());
    m_fiscalBox->setGeometry(layout.fiscalBox);
    m_fiscalBox->show();
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

    QRect used = m_fiscalBox->geometry() | m_printerBox->geometry();
    for (int r = 0; r < page.rows.size(); ++r) {
        const TAnswerRow &row = page.rows.at(r);
        const TAnswerPageLayout::TRow &place = layout.rows.at(r);
        auto *label = new QLabel(row.label, this);
        label->move(place.label);
        label->adjustSize();
        auto *box = new QLineEdit(row.text, this);
        box->setObjectName(QStringLiteral("AnswerRow%1").arg(r));
        box->setGeometry(place.box);
        box->setReadOnly(true);
        box->setCursorPosition(0);
        box->setToolTip(row.hint);
        QPalette boxPalette = box->palette();
        boxPalette.setColor(QPalette::Base,
                            TSystemColors::SystemColor(TSystemColors::InactiveBorder, boxPalette));
        if (row.failed)
            boxPalette.setColor(QPalette::Text, ErrorColor);
        box->setPalette(boxPalette);
        if (row.undefined) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, TCommandInputPanel::Maroon);
            label->setPalette(palette);
        }
        label->setBuddy(box);
        AccessibleText::Describe(box, label->text(), row.hint);
        label->setVisible(row.visible);
        box->setVisible(row.visible);
        used |= label->geometry() | box->geometry();
        m_rowLabels << label;
        m_rowBoxes << box;
        if (row.returnCode && !place.description.isEmpty()) {
            m_description = new QLabel(this);
            m_description->setObjectName(QStringLiteral("LabelReturnCodeDescription"));
            m_description->setGeometry(place.description);
            // A description longer than its room ends in an ellipsis; the
            // hint holds all of it.
            m_description->setText(m_description->fontMetrics().elidedText(row.description, Qt::ElideRight,
                                                                           place.description.width()));
            m_description->setToolTip(row.hint);
            if (row.failed) {
                QPalette palette = m_description->palette();
                palette.setColor(QPalette::WindowText, ErrorColor);
                m_description->setPalette(palette);
            }
            m_description->setVisible(row.visible);
            used |= m_description->geometry();
        }
    }
    // The separator runs the page's full width: it asks for no more room
    // than the page has, or a horizontal scroll bar would show for nothing.
    setMinimumSize(std::max(used.right() + TAnswerPageLayout::BoxLeft, layout.separator.right() + 1),
                   std::max(used.bottom(), layout.separator.bottom()) + TAnswerPageLayout::BoxGap);
    setUpdatesEnabled(true);
}
