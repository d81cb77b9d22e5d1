#include "ui/widgets/GridView.h"

#include "base/Theme.h"
#include "platform/QtSystemColours.h"
#include "ui/widgets/GridModel.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>

CGridView::CGridView(QWidget* parent) : QTableView(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(true);
    // Rows are one line tall unless the owner sizes them to their text: no row is measured
    // before it is shown.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CGridView::WidenToShownRows);
}

void CGridView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    if (!model)
        return;
    connect(model, &QAbstractItemModel::headerDataChanged, this, &CGridView::ShowHeading);
    connect(model, &QAbstractItemModel::modelReset, this,
            [this]
            {
                ShowHeading();
                if (m_fitColumns)
                    FitColumns();
            });
    ShowHeading();
}

void CGridView::ShowHeading()
{
    const auto* grid = qobject_cast<const CGridModel*>(model());
    horizontalHeader()->setVisible(grid && grid->HasHeadings());
}

int CGridView::LineHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

int CGridView::HeightForRows(int dataRows) const
{
    const int heading = horizontalHeader()->isVisibleTo(this) ? horizontalHeader()->sizeHint().height() : 0;
    const int scrollBar = horizontalScrollBar()->isVisible() ? horizontalScrollBar()->height() : 0;
    return heading + dataRows * LineHeight() + scrollBar + 2 * frameWidth();
}

int CGridView::ContentWidth(int col)
{
    if (!model())
        return 0;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    // Every row while there are no more than Qt measures for a column; of a longer grid the
    // rows in view, the columns widening as others come into view.
    int first = 0;
    int end = model()->rowCount();
    if (end > horizontalHeader()->resizeContentsPrecision())
    {
        first = std::max(rowAt(0), 0);
        const int last = rowAt(viewport()->height() - 1);
        end = last < 0 ? end : last + 1;
    }
    int width = 0;
    for (int row = first; row < end; ++row)
    {
        if (isRowHidden(row))
            continue;
        width = std::max(width, m_widths.Width(*this, option, model()->index(row, col)));
    }
    if (showGrid())
        ++width;
    if (horizontalHeader()->isVisibleTo(this))
        width = std::max(width, horizontalHeader()->sectionSizeHint(col));
    return width;
}

void CGridView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_widths.Clear();
    QTableView::changeEvent(event);
}

void CGridView::FitColumns()
{
    m_fitColumns = true;
    if (!model())
        return;
    horizontalHeader()->setStretchLastSection(false);
    int used = 0;
    int last = -1;
    for (int col = 0; col < model()->columnCount(); ++col)
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

void CGridView::WidenToShownRows()
{
    if (!m_fitColumns || !model() || model()->rowCount() <= horizontalHeader()->resizeContentsPrecision())
        return;
    for (int col = 0; col < model()->columnCount(); ++col)
        if (!isColumnHidden(col))
            if (const int needs = ContentWidth(col); needs > columnWidth(col))
                setColumnWidth(col, needs);
}

QSize CGridView::minimumSizeHint() const
{
    constexpr int Limit = 900;
    if (!m_fitColumns)
        return QTableView::minimumSizeHint();
    const int width = std::min(m_contentWidth, Limit) + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    return QTableView::minimumSizeHint().expandedTo(QSize(width, 0));
}

void CGridView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    if (m_fitColumns)
        FitColumns();
}

bool CGridView::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    // The whole text of a cell that has too little room for it.
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.data().toString();
    if (!text.isEmpty())
    {
        const QRect rect = visualRect(index);
        const QVariant font = index.data(Qt::FontRole);
        const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : this->font());
        const int room = rect.width() - 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
        const QRect needs = metrics.boundingRect(QRect(0, 0, std::max(room, 1), 100000),
                                                 wordWrap() ? int(Qt::TextWordWrap) : 0, text);
        if (needs.width() > room || needs.height() > rect.height())
        {
            QToolTip::showText(help->globalPos(), text, viewport(), rect);
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

void CGridView::SetLineColourKeys(std::string light, std::string dark)
{
    m_lightKey = std::move(light);
    m_darkKey = std::move(dark);
}

void CGridView::UpdateStyleSheet()
{
    // All in the style sheet: a grid with one keeps the palette it had when it was first
    // polished, so colours given through the palette would not change with the theme.
    QString sheet = QStringLiteral("QTableView { gridline-color: %1; border: 1px solid %2;").arg(m_light.name(), m_dark.name());
    if (m_back.isValid())
        sheet += QStringLiteral(" background-color: %1;").arg(m_back.name());
    if (m_selectBack.isValid())
        sheet += QStringLiteral(" selection-background-color: %1; selection-color: %2;")
                     .arg(m_selectBack.name(), m_selectText.name());
    sheet += QStringLiteral(" }");
    if (sheet != styleSheet())
        setStyleSheet(sheet);
}

void CGridView::ApplyTheme(const CTheme& theme)
{
    m_back = ColourFromTheme(theme.ThemeColour(m_backKey));
    m_light = ColourFromTheme(theme.ThemeColour(m_lightKey));
    m_dark = ColourFromTheme(theme.ThemeColour(m_darkKey));
    m_selectBack = ColourFromTheme(theme.ThemeColour("SELECTCOLOUR_BG"));
    m_selectText = ColourFromTheme(theme.ThemeColour("SELECTCOLOUR_FG"));
    UpdateStyleSheet();
    // A heading without colours of its own takes the dialog's.
    QPalette heading = horizontalHeader()->palette();
    for (const QPalette::ColorRole role : {QPalette::Button, QPalette::Window})
        heading.setColor(role, ColourFromTheme(theme.ThemeColour("DIALOGCOLOUR_BG")));
    for (const QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText})
        heading.setColor(role, ColourFromTheme(theme.ThemeColour("DIALOGCOLOUR_FG")));
    horizontalHeader()->setPalette(heading);
    if (auto* grid = qobject_cast<CGridModel*>(model()))
        grid->ApplyTheme(theme);
}
