#include "ui/widgets/GridWidget.h"

#include "base/Theme.h"
#include "order/GridColours.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "platform/QtSystemColours.h"
#include "ui/shell/QtText.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>

namespace
{
// The row kind, kept on a row's first cell so a later theme can colour the row again.
constexpr int KindRole = Qt::UserRole + 101;

void ColourRow(CGridWidget& grid, int row, int kind, const CTheme& theme)
{
    for (int col = 0; col < grid.Cols(); ++col)
    {
        const CCellColourKeys keys = GridCellColourKeys(kind, col);
        grid.SetRow(row);
        grid.SetCol(col);
        if (!keys.foreground.empty())
            grid.SetCellForeColor(ColourFromTheme(theme.ThemeColour(keys.foreground)));
        if (!keys.background.empty())
            grid.SetCellBackColor(ColourFromTheme(theme.ThemeColour(keys.background)));
    }
    if (QTableWidgetItem* first = grid.item(row, 0))
        first->setData(KindRole, kind);
}
} // namespace

CGridWidget::CGridWidget(QWidget* parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(true);
    setColumnCount(1);
    setRowCount(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    auto heading = [this](const QModelIndex& first) { if (first.row() == 0) ShowHeading(); };
    connect(model(), &QAbstractItemModel::dataChanged, this, heading);
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int) { if (first == 0) ShowHeading(); });
    connect(model(), &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int) { if (first == 0) ShowHeading(); });
    connect(model(), &QAbstractItemModel::columnsInserted, this, &CGridWidget::ShowHeading);
    ShowHeading();
}

void CGridWidget::SetFixedRows(int rows)
{
    m_fixedRows = rows;
    ShowHeading();
}

void CGridWidget::ShowHeading()
{
    const bool heading = m_fixedRows > 0 && rowCount() > 0;
    horizontalHeader()->setVisible(heading);
    if (rowCount() > 0)
        setRowHidden(0, heading);
    for (int col = 0; col < columnCount(); ++col)
    {
        const QTableWidgetItem* cell = heading ? item(0, col) : nullptr;
        QTableWidgetItem* shown = cell ? cell->clone() : new QTableWidgetItem;
        if (!cell || !cell->data(Qt::TextAlignmentRole).isValid())
            shown->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setHorizontalHeaderItem(col, shown);
    }
}

int CGridWidget::LineHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

int CGridWidget::HeightForRows(int dataRows) const
{
    const int heading = horizontalHeader()->isVisible() || m_fixedRows > 0 ? horizontalHeader()->sizeHint().height() : 0;
    const int scrollBar = horizontalScrollBar()->isVisible() ? horizontalScrollBar()->height() : 0;
    return heading + dataRows * LineHeight() + scrollBar + 2 * frameWidth();
}

int CGridWidget::ContentWidth(int col) const
{
    int width = sizeHintForColumn(col);
    if (m_fixedRows > 0)
        width = std::max(width, horizontalHeader()->sectionSizeHint(col));
    return width;
}

void CGridWidget::FitColumns()
{
    m_fitColumns = true;
    horizontalHeader()->setStretchLastSection(false);
    int used = 0;
    int last = -1;
    for (int col = 0; col < columnCount(); ++col)
        if (!isColumnHidden(col))
        {
            setColumnWidth(col, ContentWidth(col));
            used += columnWidth(col);
            last = col;
        }
    if (last >= 0)
        setColumnWidth(last, std::max(columnWidth(last), viewport()->width() - (used - columnWidth(last))));
    if (used != m_contentWidth)
    {
        m_contentWidth = used;
        updateGeometry();
    }
}

QSize CGridWidget::minimumSizeHint() const
{
    constexpr int Limit = 900;
    if (!m_fitColumns)
        return QTableWidget::minimumSizeHint();
    const int width = std::min(m_contentWidth, Limit) + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    return QTableWidget::minimumSizeHint().expandedTo(QSize(width, 0));
}

void CGridWidget::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    if (m_fitColumns)
        FitColumns();
}

bool CGridWidget::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableWidget::viewportEvent(event);
    // The whole text of a cell that has too little room for it.
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QTableWidgetItem* cell = index.isValid() ? item(index.row(), index.column()) : nullptr;
    const QRect rect = index.isValid() ? visualRect(index) : QRect();
    if (cell && !cell->text().isEmpty())
    {
        const QFontMetrics metrics(cell->font());
        const int room = rect.width() - 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
        const QRect needs = metrics.boundingRect(QRect(0, 0, std::max(room, 1), 100000),
                                                 wordWrap() ? int(Qt::TextWordWrap) : 0, cell->text());
        if (needs.width() > room || needs.height() > rect.height())
        {
            QToolTip::showText(help->globalPos(), cell->text(), viewport(), rect);
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

void CGridWidget::SetRows(int rows)
{
    setRowCount(std::max(rows, 0));
    m_row = std::min(m_row, std::max(rowCount() - 1, 0));
}

void CGridWidget::SetCols(int cols)
{
    setColumnCount(std::max(cols, 0));
    m_col = std::min(m_col, std::max(columnCount() - 1, 0));
}

QTableWidgetItem* CGridWidget::CellItem(int row, int col)
{
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount())
        return nullptr;
    QTableWidgetItem* cell = item(row, col);
    if (!cell)
    {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, col, cell);
    }
    return cell;
}

void CGridWidget::SetCellBackColor(const QColor& colour)
{
    if (QTableWidgetItem* cell = CellItem(m_row, m_col))
        cell->setBackground(colour);
}

void CGridWidget::SetCellForeColor(const QColor& colour)
{
    if (QTableWidgetItem* cell = CellItem(m_row, m_col))
        cell->setForeground(colour);
}

void CGridWidget::SetCellAlignment(Qt::Alignment alignment)
{
    if (QTableWidgetItem* cell = CellItem(m_row, m_col))
        cell->setTextAlignment(alignment);
}

void CGridWidget::SetCellFontBold(bool bold)
{
    if (QTableWidgetItem* cell = CellItem(m_row, m_col))
    {
        QFont font = cell->font();
        font.setBold(bold);
        cell->setFont(font);
    }
}

std::string CGridWidget::TextMatrix(int row, int col) const
{
    const QTableWidgetItem* cell = item(row, col);
    return cell ? Bytes(cell->text()) : std::string();
}

void CGridWidget::SetTextMatrix(int row, int col, std::string_view text)
{
    if (QTableWidgetItem* cell = CellItem(row, col))
        cell->setText(Qs(text));
}

void CGridWidget::AddItem(std::string_view text)
{
    const int row = rowCount();
    setRowCount(row + 1);
    int col = 0;
    std::size_t start = 0;
    while (col < columnCount())
    {
        const std::size_t tab = text.find('\t', start);
        SetTextMatrix(row, col++, text.substr(start, tab == std::string_view::npos ? text.npos : tab - start));
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
}

void CGridWidget::SetBackColor(const QColor& colour)
{
    m_back = colour;
    UpdateStyleSheet();
}

void CGridWidget::SetLineColours(const QColor& light, const QColor& dark)
{
    m_light = light;
    m_dark = dark;
    UpdateStyleSheet();
}

void CGridWidget::UpdateStyleSheet()
{
    // All in the style sheet: a grid with one keeps the palette it had when it was first
    // polished, so colours given through the palette would not change with the theme.
    QString sheet = QStringLiteral("QTableWidget { gridline-color: %1; border: 1px solid %2;").arg(m_light.name(), m_dark.name());
    if (m_back.isValid())
        sheet += QStringLiteral(" background-color: %1;").arg(m_back.name());
    if (m_selectBack.isValid())
        sheet += QStringLiteral(" selection-background-color: %1; selection-color: %2;")
                     .arg(m_selectBack.name(), m_selectText.name());
    sheet += QStringLiteral(" }");
    if (sheet != styleSheet())
        setStyleSheet(sheet);
}

void CGridWidget::ClearRows()
{
    setRowCount(std::min(rowCount(), m_fixedRows));
    m_row = 0;
}

void CGridWidget::SetLineColourKeys(std::string light, std::string dark)
{
    m_lightKey = std::move(light);
    m_darkKey = std::move(dark);
}

void CGridWidget::ApplyTheme(const CTheme& theme)
{
    m_back = ColourFromTheme(theme.ThemeColour(m_backKey));
    m_light = ColourFromTheme(theme.ThemeColour(m_lightKey));
    m_dark = ColourFromTheme(theme.ThemeColour(m_darkKey));
    m_selectBack = ColourFromTheme(theme.ThemeColour("SELECTCOLOUR_BG"));
    m_selectText = ColourFromTheme(theme.ThemeColour("SELECTCOLOUR_FG"));
    UpdateStyleSheet();
    const int row = m_row;
    const int col = m_col;
    for (int r = 0; r < rowCount(); ++r)
        if (const QTableWidgetItem* first = item(r, 0); first && first->data(KindRole).isValid())
            ColourRow(*this, r, first->data(KindRole).toInt(), theme);
    m_row = row;
    m_col = col;
    // A heading without colours of its own takes the dialog's.
    QPalette heading = horizontalHeader()->palette();
    for (const QPalette::ColorRole role : {QPalette::Button, QPalette::Window})
        heading.setColor(role, ColourFromTheme(theme.ThemeColour("DIALOGCOLOUR_BG")));
    for (const QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText})
        heading.setColor(role, ColourFromTheme(theme.ThemeColour("DIALOGCOLOUR_FG")));
    horizontalHeader()->setPalette(heading);
}

void AddGridRow(CGridWidget& grid, std::string_view text, int kind, int lines, const CTheme& theme)
{
    const int row = grid.Rows();
    grid.SetRows(row + 1);
    std::size_t start = 0;
    for (int col = 0; col < grid.Cols(); ++col)
    {
        const std::size_t bar = start <= text.size() ? text.find('|', start) : std::string_view::npos;
        if (start <= text.size())
            grid.SetTextMatrix(row, col, text.substr(start, bar == std::string_view::npos ? text.npos : bar - start));
        start = bar == std::string_view::npos ? text.size() + 1 : bar + 1;
    }
    ColourRow(grid, row, kind, theme);
    if (row > 0)
        grid.SetRowHeight(row, std::max(lines, 1) * grid.LineHeight());
    // A heading further down (the components' in "Order & Comps") is not a row to select.
    if (row > 0 && kind == ReportRowKind::Heading)
        for (int col = 0; col < grid.Cols(); ++col)
            if (QTableWidgetItem* cell = grid.item(row, col))
                cell->setFlags(Qt::ItemIsEnabled);
}

void ShowReportGrid(CGridWidget& grid, const CReportGrid& report, const CTheme& theme)
{
    grid.SetRedraw(false);
    grid.SetRows(0);
    for (const CGridRow& row : report.Rows())
    {
        AddGridRow(grid, {}, row.kind, row.lines, theme);
        // The cells as they are: a name may hold a "|".
        for (int col = 0; col < grid.Cols() && col < static_cast<int>(row.cells.size()); ++col)
            grid.SetTextMatrix(grid.Rows() - 1, col, row.cells[static_cast<std::size_t>(col)]);
    }
    if (grid.FitsColumns())
        grid.FitColumns();
    grid.SetRedraw(true);
}
