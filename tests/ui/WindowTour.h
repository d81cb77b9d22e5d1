#pragma once

// Every window of the program, one scene at a time, as a player opens them on the sample
// data with the example order loaded: the toolbar is always shown, each scene docks its tool
// windows beside it (or opens its dialog over it) with something selected. Used by the test
// of cut texts and by the screenshot program.
#include "ui/browsers/EfficiencyGuideWindow.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/order/OrderWindow.h"
#include "ui/order/WizardDialog.h"
#include "ui/shell/ConfigDialog.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/update/UpdateDialog.h"
#include "ui/widgets/ThemedTree.h"

#include <QDialog>
#include <QListWidget>
#include <QPointer>
#include <string>
#include <vector>

inline const std::vector<std::string>& TourScenes()
{
    static const std::vector<std::string> scenes = {
        "orders", "reports",       "formulae", "techniques", "components",  "profiles",
        "guide",  "configuration", "update",   "wizard-who", "wizard-what", "wizard-how"};
    return scenes;
}

class CWindowTour
{
public:
    CWindowTour(CAppContext& app, CToolbarWindow& toolbar) : m_app(app), m_toolbar(toolbar) {}
    ~CWindowTour() { delete m_dialog; }

    // Shows one scene (hiding the previous one's windows) and returns its windows, the toolbar
    // first.
    std::vector<QWidget*> Show(const std::string& scene)
    {
        delete m_dialog;
        if (CToolWindow* formulae = m_toolbar.ExistingWindow(EToolWindow::Formulae))
            if (auto* guide = formulae->findChild<CEfficiencyGuideWindow*>())
                guide->hide();
        for (int i = 0; i < ToolWindowCount; ++i)
            if (CToolWindow* window = m_toolbar.ExistingWindow(static_cast<EToolWindow>(i)))
                window->hide();
        std::vector<QWidget*> windows{&m_toolbar};
        if (scene == "orders" || scene == "reports")
        {
            // Each docked as the player would: its partner beside it where the screen has room.
            m_toolbar.Dock(scene == "orders" ? EToolWindow::Order : EToolWindow::Reports);
            auto* order = static_cast<COrderWindow*>(m_toolbar.Window(EToolWindow::Order));
            QTreeView* tree = order->Tree();
            const QModelIndex first = tree->model()->index(0, 0);
            if (tree->model()->rowCount(first) > 0)
                tree->setCurrentIndex(tree->model()->index(0, 0, first));
            m_toolbar.Window(EToolWindow::Reports)->GenerateCurrentReport();
            AddShown(windows, {EToolWindow::Order, EToolWindow::Reports});
        }
        else if (scene == "formulae" || scene == "techniques" || scene == "guide")
        {
            auto* formulae = static_cast<CFormulaWindow*>(m_toolbar.Window(EToolWindow::Formulae));
            m_toolbar.Dock(scene == "techniques" ? EToolWindow::Techniques : EToolWindow::Formulae);
            // The order's first item: a formula with its techniques attached.
            formulae->PickQuickItem(1);
            if (scene == "guide")
            {
                formulae->ShowEfficiencyLevels();
                windows.push_back(formulae);
                windows.push_back(formulae->findChild<CEfficiencyGuideWindow*>());
            }
            else
                AddShown(windows, {EToolWindow::Formulae, EToolWindow::Techniques});
        }
        else if (scene == "components" || scene == "profiles")
        {
            const EToolWindow id =
                scene == "components" ? EToolWindow::Components : EToolWindow::Profiles;
            CToolWindow* window = m_toolbar.Window(id);
            m_toolbar.ShowWindow(id);
            m_toolbar.Dock(id);
            auto* tree = window->findChild<CThemedTree*>();
            QModelIndex item = tree ? tree->model()->index(0, 0) : QModelIndex();
            while (item.isValid() && tree->model()->rowCount(item) > 0)
            {
                tree->expand(item);
                item = tree->model()->index(0, 0, item);
            }
            if (item.isValid())
                tree->setCurrentIndex(item);
            windows.push_back(window);
        }
        else if (scene == "configuration")
            m_dialog = new CConfigDialog(m_app, &m_toolbar);
        else if (scene == "update")
            m_dialog = new CUpdateDialog(m_app, &m_toolbar);
        else if (scene.starts_with("wizard-"))
        {
            // The current profile's first template, its sets as offered, then the techniques.
            auto* wizard = new CWizardDialog(m_app, &m_toolbar);
            m_dialog = wizard;
            wizard->show(); // a wizard starts on its first page when shown
            if (wizard->TemplateList()->currentRow() < 0 && wizard->TemplateList()->count() > 0)
                wizard->TemplateList()->setCurrentRow(0);
            if (scene != "wizard-who")
                wizard->next();
            if (scene == "wizard-how")
                wizard->next();
        }
        if (m_dialog)
        {
            m_dialog->show();
            windows.push_back(m_dialog);
        }
        return windows;
    }

private:
    void AddShown(std::vector<QWidget*>& windows, std::initializer_list<EToolWindow> ids)
    {
        for (EToolWindow id : ids)
            if (m_toolbar.IsShown(id))
                windows.push_back(m_toolbar.Window(id));
    }

    CAppContext& m_app;
    CToolbarWindow& m_toolbar;
    QPointer<QDialog> m_dialog;
};
