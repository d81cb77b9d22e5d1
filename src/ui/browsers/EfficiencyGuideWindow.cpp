#include "ui/browsers/EfficiencyGuideWindow.h"

#include "base/Messages.h"
#include "base/Theme.h"
#include "browsers/EfficiencyGuide.h"
#include "database/Records.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

CEfficiencyGuideWindow::CEfficiencyGuideWindow(CAppContext& app, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_app(app)
{
    setModal(false);
    setWindowTitle(Tr(Messages::GuideTitle));
    auto* layout = new QVBoxLayout(this);
    m_info = new QLabel(this);
    m_info->setTextFormat(Qt::PlainText);
    layout->addWidget(m_info);
    m_grid = new CBrowserGrid(this, 3, Messages::GuideHeader);
    for (int col = 0; col < 3; ++col)
        m_grid->setColumnWidth(col, TwipsToPixels(1100));
    m_grid->FitColumns();
    m_grid->setAccessibleName(Tr(Messages::GuideTitle));
    layout->addWidget(m_grid, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    layout->addWidget(buttons);
    resize(320, 380);
    ApplyTheme();
}

void CEfficiencyGuideWindow::ApplyTheme()
{
    m_grid->ApplyTheme(m_app.Theme());
}

void CEfficiencyGuideWindow::ShowFor(const CGameDatabase& db, const CFormulaTier* tier,
                                     const std::vector<COrderTechnique>& techniques,
                                     const CProfile* profile, const std::string& name,
                                     const std::string& fallback)
{
    ApplyTheme();
    CGuideResource found;
    if (tier)
    {
        found = FindGuideResource(db, *tier, techniques, name);
        if (!found.resource && !fallback.empty())
            found = FindGuideResource(db, *tier, techniques, fallback);
    }
    m_resource = found.resource ? found.resource->name : std::string();
    const CEfficiencyGuideView view = EfficiencyGuideView(found, profile);
    setWindowTitle(Qs(view.caption));
    m_info->setText(Qs(view.info));
    m_grid->ShowRows(view.rows);
    if (view.currentRow >= 0)
    {
        const QModelIndex current = m_grid->model()->index(view.currentRow, 0);
        m_grid->setCurrentIndex(current);
        m_grid->scrollTo(current);
    }
    m_grid->setEnabled(found.resource != nullptr);
}
