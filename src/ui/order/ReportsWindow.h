#pragma once

#include "order/Report.h"
#include "order/ReportGrid.h"
#include "ui/shell/ToolWindow.h"

#include <vector>

class CGridView;
class CReportModel;
class CReportsPlan;
class QActionGroup;
class QComboBox;
class QPushButton;

// "Reports": what the order needs and gives, in the grid, on screen, as an HTML page or as
// text on the clipboard.
class CReportsWindow : public CToolWindow
{
    Q_OBJECT

public:
    CReportsWindow(CAppContext& app, QWidget* parent);

    // The "Generate" button: the report, then the export of the chosen format.
    void Generate();
    // Fills the grid for the content choice.
    void GenerateReport();
    void ExportHtml();
    void CopyReportText();

    void GenerateCurrentReport() override { Generate(); }
    // The print dialog, then the report grid on the chosen printer.
    void PrintReport() override;
    void ApplyTheme() override;
    void OrderChanged() override;

    CGridView* Grid() const { return m_grid; }
    CReportModel* Model() const { return m_model; }
    QComboBox* ContentBox() const { return m_content; }
    QComboBox* FormatBox() const { return m_format; }
    // The report last generated and the cells the grid shows for it (the plan's own cells
    // when the plan is shown); the exports and the printout are made from these.
    const CReport& ShownReport() const;
    CReportGrid ShownGrid() const;
    void SetSortMode(ESortMode mode);
    ESortMode SortMode() const { return m_sort; }
    // The plan, the comparison of characters, acquired counts and the CSV and JSON exports.
    CReportsPlan* Planning() const { return m_planning; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateTitle();
    // An open window shows the report of the order and profile as they are now; one that
    // docking hid meanwhile does so when it is shown again.
    void RefreshIfOpen();
    QActionGroup* AddChoices(QMenu* menu, const std::vector<std::string_view>& texts, int checked,
                             std::function<void(int)> chosen);

    CGridView* m_grid;
    CReportModel* m_model;
    QComboBox* m_content;
    QComboBox* m_format;
    QPushButton* m_generate;
    QActionGroup* m_sortGroup = nullptr;
    ESortMode m_sort = SortByName;
    CReportsPlan* m_planning = nullptr;
    bool m_generated = false;
    bool m_stale = false;
};
