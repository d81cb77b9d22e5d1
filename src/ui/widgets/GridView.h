#pragma once

#include "ui/widgets/MeasuredWidths.h"

#include <QColor>
#include <QTableView>

#include <string>

class CGridModel;
class CTheme;

// The table every grid of the program is shown in, over a CGridModel. The model's heading is
// the view's header, so it never scrolls away and cannot be selected. A cell too narrow for
// its text shows it in a tooltip.
class CGridView : public QTableView
{
    Q_OBJECT

public:
    explicit CGridView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // The height of one line of cells.
    int LineHeight() const;
    // The height that shows the heading and the given count of one-line data rows.
    int HeightForRows(int dataRows) const;
    // The width the column's texts need, its heading's included, each text measured once: of
    // every row, or of the rows in view when there are more than Qt measures for a column.
    int ContentWidth(int col);
    // Widens every column to its texts; the last one also takes what room is left, and keeps
    // doing so when the grid is resized or shows other rows.
    void FitColumns();
    // With fitted columns, as wide as they are (up to a limit), so that layouts give them room.
    QSize minimumSizeHint() const override;

    // The theme keys of the grid's background ("GRID_BACKCOLOUR", "GRID_REPORTBACKCOLOUR", ...)
    // and lines, used whenever the theme is applied.
    void SetBackColourKey(std::string key) { m_backKey = std::move(key); }
    void SetLineColourKeys(std::string light, std::string dark);
    // The grid's own colours; the rows take theirs from the model.
    void ApplyTheme(const CTheme& theme);

protected:
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ShowHeading();
    // A long grid scrolled: its columns widen to the rows now in view.
    void WidenToShownRows();
    void UpdateStyleSheet();

    QColor m_back;
    QColor m_light;
    QColor m_dark;
    QColor m_selectBack;
    QColor m_selectText;

    bool m_fitColumns = false;
    int m_contentWidth = 0;
    CMeasuredWidths m_widths;
    std::string m_backKey = "GRID_BACKCOLOUR";
    std::string m_lightKey = "GRID_LINECOLOUR_LIGHT";
    std::string m_darkKey = "GRID_LINECOLOUR_DARK";
};
