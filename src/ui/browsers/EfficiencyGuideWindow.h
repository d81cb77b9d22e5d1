#pragma once

#include "order/Order.h"

#include <QDialog>
#include <string>
#include <vector>

class CAppContext;
class CGameDatabase;
class CBrowserGrid;
class QLabel;
struct CFormulaTier;
struct CProfile;

// The efficiency level guide of the formula browser: a modeless window beside it that
// follows the item, so a new tier, technique, profile or skill shows at once.
class CEfficiencyGuideWindow : public QDialog
{
    Q_OBJECT

public:
    CEfficiencyGuideWindow(CAppContext& app, QWidget* parent);

    // Shows the guide of the named resource of the tier; when the tier has no resource of
    // that name (another tier was chosen), the one named fallback; with no tier, nothing.
    void ShowFor(const CGameDatabase& db, const CFormulaTier* tier,
                 const std::vector<COrderTechnique>& techniques, const CProfile* profile,
                 const std::string& name, const std::string& fallback = {});
    void ApplyTheme();

    // The resource shown; empty for none.
    const std::string& ResourceName() const { return m_resource; }
    QLabel* InfoLabel() const { return m_info; }
    CBrowserGrid* Grid() const { return m_grid; }

private:
    CAppContext& m_app;
    std::string m_resource;
    QLabel* m_info;
    CBrowserGrid* m_grid;
};
