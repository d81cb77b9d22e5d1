#include "ui/browsers/BrowserGrids.h"

#include "ui/shell/QtText.h"
#include "ui/widgets/GridModel.h"

#include <QFontMetrics>
#include <QStyle>
#include <algorithm>

CBrowserGrid::CBrowserGrid(QWidget* parent, int columns, std::string_view heading)
    : CGridView(parent), m_model(new CRowsModel(columns, this))
{
    if (!heading.empty())
        m_model->SetHeadings(GridHeadings(TrBytes(heading)));
    setModel(m_model);
}

const CBrowserRows& CBrowserGrid::Rows() const
{
    return m_model->Rows();
}

void CBrowserGrid::ShowRows(CBrowserRows rows, bool wrap)
{
    if (wrap)
    {
        // The label column takes its longest label; the value column gives up that room.
        const QFontMetrics metrics(font());
        const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
        int labels = columnWidth(0);
        for (const CBrowserRow& row : rows)
            if (!row.cells.empty())
                labels = std::max(labels, metrics.horizontalAdvance(Qs(row.cells.front())) + margin);
        if (labels > columnWidth(0))
        {
            setColumnWidth(1, std::max(columnWidth(1) - (labels - columnWidth(0)), 60));
            setColumnWidth(0, labels);
        }
    }
    m_model->SetRows(std::move(rows));
    if (!wrap)
        return;
    // Each row as many lines tall as its value wraps to in the value column.
    const QFontMetrics metrics(font());
    const int width = std::max(columnWidth(1) - 6, 20);
    for (int row = 0; row < m_model->rowCount(); ++row)
    {
        const CBrowserRow& shown = m_model->Rows()[static_cast<std::size_t>(row)];
        int lines = 1;
        if (shown.cells.size() > 1 && !shown.cells[1].empty())
        {
            const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, Qs(shown.cells[1]));
            lines = std::max(1, (bounds.height() + metrics.lineSpacing() - 1) / metrics.lineSpacing());
        }
        setRowHeight(row, lines * LineHeight());
    }
}
