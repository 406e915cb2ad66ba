#include "editors/record_grid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

TRecordGrid::TRecordGrid(const QStringList &headers, QWidget *parent)
    : QTableWidget(1, int(headers.size()), parent)
{
    setHorizontalHeaderLabels(headers);
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWordWrap(false);
    // Whole records are picked: arrows move between them and Tab leaves the
    // grid instead of walking every cell.
    setTabKeyNavigation(false);
    SetRows({});
}

void TRecordGrid::SetColumnWidths(const QList<int> &widths)
{
    // A translated title may need more room than the designed width; the
    // last column gives back what the others took, down to its own title,
    // so the grid keeps its designed width.
    const int count = int(qMin(widths.size(), qsizetype(columnCount())));
    int taken = 0;
    for (int column = 0; column < count; ++column) {
        const int title = horizontalHeader()->sectionSizeHint(column);
        const int designed = widths.at(column) - (column == count - 1 ? taken : 0);
        const int width = qMax(designed, title);
        taken += width - widths.at(column);
        setColumnWidth(column, width);
    }
}

void TRecordGrid::SetColumnsFitContents(bool fit)
{
    m_columnsFitContents = fit;
    if (fit)
        resizeColumnsToContents();
}

int TRecordGrid::FullWidth() const
{
    return horizontalHeader()->length() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

void TRecordGrid::SetFixedFirstColumn(bool fixed)
{
    m_fixedFirstColumn = fixed;
    SetRows(Rows());
}

void TRecordGrid::SetRows(const QList<QStringList> &rows)
{
    const int selected = currentRow();
    clearContents();
    m_recordCount = int(rows.size());
    setRowCount(qMax(1, int(rows.size())));
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < columnCount(); ++column) {
            auto *cell = new QTableWidgetItem(rows.at(row).value(column));
            if (column == 0 && m_fixedFirstColumn)
                cell->setBackground(palette().button());
            setItem(row, column, cell);
        }
    if (m_columnsFitContents)
        resizeColumnsToContents();
    SelectRecord(qBound(0, selected, rowCount() - 1));
}

QList<QStringList> TRecordGrid::Rows() const
{
    QList<QStringList> rows;
    for (int row = 0; row < RecordCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columnCount(); ++column)
            cells.append(Cell(row, column));
        rows.append(cells);
    }
    return rows;
}

bool TRecordGrid::HasRecords() const
{
    return m_recordCount > 0;
}

int TRecordGrid::RecordCount() const
{
    return m_recordCount;
}

int TRecordGrid::SelectedRecord() const
{
    const int row = currentRow();
    return row >= 0 && row < RecordCount() ? row : -1;
}

void TRecordGrid::SelectRecord(int index)
{
    setCurrentCell(index, 0);
}

QString TRecordGrid::Cell(int record, int column) const
{
    const QTableWidgetItem *cell = item(record, column);
    return cell ? cell->text() : QString();
}

void TRecordGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked();
}
