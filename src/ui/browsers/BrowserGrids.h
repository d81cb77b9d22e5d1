#pragma once

#include "browsers/BrowserRows.h"
#include "ui/widgets/GridView.h"

#include <string_view>

class CRowsModel;

// A grid of a browser window: its own model of the core's rows under the heading of a
// format (cells between bars, "<" left, "^" centred, ">" right; none when empty).
class CBrowserGrid : public CGridView
{
    Q_OBJECT

public:
    CBrowserGrid(QWidget* parent, int columns, std::string_view heading = {});

    // Shows computed rows. With wrap, the label column (0) takes its longest label and every
    // row is as tall as its value (column 1) wraps to.
    void ShowRows(CBrowserRows rows, bool wrap = false);
    const CBrowserRows& Rows() const;
    CRowsModel* Model() const { return m_model; }

private:
    CRowsModel* m_model;
};

// Grid widths are given in twips; the screen has 15 twips to the pixel.
constexpr int TwipsToPixels(int twips)
{
    return twips / 15;
}
