#include "ui/browsers/FormulaWindow.h"

#include "base/Messages.h"
#include "database/GameDatabase.h"
#include "profile/Profile.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/widgets/GridModel.h"
#include "ui/widgets/TreeModel.h"

#include <QComboBox>
#include <QPushButton>

// What the formula browser's item does: its tier and techniques, "Add Item" and "Increase
// Qty", the Quick Item and Profile combos. An edit of an item in the order is an order edit.

void CFormulaWindow::ItemEdited(std::string_view name)
{
    if (!m_working.inOrder)
        return;
    App().OrderEdited(name);
    Q_EMIT App().Bus().OrderItemTaken(m_working.item.id);
}

void CFormulaWindow::ChooseTierRow(int row)
{
    const CBrowserRow* shown = m_tiers->Model()->Row(row);
    if (!shown || shown->kind != EBrowserRow::TierAvailable)
        return;
    const std::string name = shown->cells.front();
    const std::string message = ChooseTier(App().Database(), m_working, App().Order(), name);
    if (!message.empty())
    {
        App().Prompter().Warn(message);
        FillTiers();
        return;
    }
    ShowItem();
    ItemEdited(Messages::EditChooseTier);
}

void CFormulaWindow::RemoveSelectedTechnique()
{
    const int row = m_techniques->currentIndex().row();
    const CBrowserRow* shown = m_techniques->Model()->Row(row);
    if (!shown || m_techniques->Rows() == NoneRow(EBrowserRow::Technique))
        return;
    if (RemoveTechnique(App().Database(), m_working, App().Order(), row))
    {
        ShowItem();
        ItemEdited(Messages::EditRemoveTechnique);
    }
}

bool CFormulaWindow::AttachTechniqueTier(const COrderTechnique& technique)
{
    const std::string message =
        AttachTechnique(App().Database(), m_working, App().Order(), technique);
    if (!message.empty())
    {
        App().Prompter().Warn(message);
        return false;
    }
    ShowItem();
    ItemEdited(Messages::EditAddTechnique);
    return true;
}

void CFormulaWindow::AddOrIncreaseItem()
{
    if (m_working.item.formula.empty())
        return;
    const bool increase = m_working.inOrder && App().Order().FindItem(m_working.item.id);
    AddOrIncrease(m_working, App().Order(), App().OrderCurrentGroup());
    m_add->setText(Qs(AddButtonCaption(m_working)));
    App().OrderEdited(increase ? Messages::EditIncreaseQty : Messages::EditAddItem);
    Q_EMIT App().Bus().OrderItemTaken(m_working.item.id);
}

void CFormulaWindow::OrderChanged()
{
    // The item may have been deleted from the order window, or changed by an undo.
    const COrderItem* item = m_working.inOrder ? App().Order().FindItem(m_working.item.id) : nullptr;
    if (m_working.inOrder && !item)
    {
        m_working.inOrder = false;
        m_add->setText(Tr(AddButtonCaption(m_working)));
    }
    else if (item && (item->tierName != m_working.item.tierName || item->batches != m_working.item.batches ||
                      item->techniques.size() != m_working.item.techniques.size()))
    {
        m_working.item = *item;
        ShowItem();
    }
    FillQuickItems();
}

void CFormulaWindow::FillQuickItems()
{
    m_quick->clear();
    for (const std::string& entry : QuickItemEntries(App().Database(), App().Order()))
        m_quick->addItem(entry == Messages::GridNone ? Tr(entry) : Qs(entry));
    int selected = 0;
    if (m_working.inOrder)
    {
        const auto& items = App().Order().items;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i]->id == m_working.item.id)
                selected = static_cast<int>(i) + 1;
    }
    m_quick->setCurrentIndex(selected);
}

void CFormulaWindow::PickQuickItem(int entry)
{
    if (!::PickQuickItem(m_working, App().Order(), entry))
        return;
    m_add->setText(Tr(AddButtonCaption(m_working)));
    if (entry == 0)
    {
        Q_EMIT WorkingItemChanged(); // back in "Add Item" mode
        return;
    }
    if (LoadOrderItem(entry))
        Q_EMIT App().Bus().OrderItemTaken(m_working.item.id);
}

void CFormulaWindow::ShowOrderItem(int id)
{
    const auto& items = App().Order().items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i]->id == id)
        {
            const int entry = static_cast<int>(i) + 1;
            if (::PickQuickItem(m_working, App().Order(), entry))
                LoadOrderItem(entry);
            return;
        }
}

bool CFormulaWindow::LoadOrderItem(int entry)
{
    m_add->setText(Tr(AddButtonCaption(m_working)));
    const CFormula* formula =
        App().Database().FindFormula(m_working.item.category, m_working.item.formula);
    if (!formula)
    {
        Clear();
        return false;
    }
    bool shown = false;
    for (int node = 0; node < m_treeModel->NodeCount() && !shown; ++node)
        if (const CFormula* const* record = m_treeModel->Record<const CFormula*>(node))
            shown = (*record)->name == formula->name;
    m_filter.category = LoadedItemCategory(m_filter.category, formula->category, shown);
    m_formula = formula->name;
    m_formulaCategory = formula->category;
    const CWorkingItem kept = m_working;
    FillCategories();
    FillTree();
    m_working = kept;
    m_quick->setCurrentIndex(entry);
    ShowItem();
    return true;
}

void CFormulaWindow::FillProfiles()
{
    const CProfileEntries entries = ProfileEntries(App().Profiles());
    m_profile->clear();
    for (const std::string& entry : entries.entries)
        m_profile->addItem(Qs(entry));
    m_profile->setCurrentIndex(entries.current);
}

void CFormulaWindow::ChooseProfile(int entry)
{
    const CProfileEntries entries = ProfileEntries(App().Profiles());
    if (entry < 0 || entry >= static_cast<int>(entries.profiles.size()))
        return;
    CProfile* profile = entries.profiles[static_cast<std::size_t>(entry)];
    App().Profiles().current = profile;
    App().Settings().CurrentProfile = profile->name;
    App().Settings().CurrentProfileType = profile->type;
    ShowItem();
    App().ProfilesChanged(this);
}
