#pragma once

#include <QList>
#include <QStringList>
#include <QTableWidget>

// The read-only grids of the editors: a header row, whole-row selection,
// one row per record, and a single empty row when there is no record.
class TRecordGrid : public QTableWidget
{
    Q_OBJECT

public:
    TRecordGrid(const QStringList &headers, QWidget *parent = nullptr);

    void SetColumnWidths(const QList<int> &widths);
    // Columns as wide as their titles and texts, set again whenever the
    // rows change; the user may still resize them.
    void SetColumnsFitContents(bool fit);
    // The width that shows every column whole, frame and scroll bar included.
    int FullWidth() const;
    // Draws the first column like the header (a fixed column).
    void SetFixedFirstColumn(bool fixed);
    // Replaces the rows; the selection stays on the same row number when
    // that row still exists.
    void SetRows(const QList<QStringList> &rows);
    QList<QStringList> Rows() const;
    // Whether the grid holds a record (a row with empty cells is one).
    bool HasRecords() const;
    int RecordCount() const;
    // The selected record's index from 0, or -1 when there is none.
    int SelectedRecord() const;
    void SelectRecord(int index);
    QString Cell(int record, int column) const;

signals:
    // A double click anywhere on the grid, below the last row included.
    void DoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    int m_recordCount = 0;
    bool m_fixedFirstColumn = false;
    bool m_columnsFitContents = false;
};
