#pragma once

#include "base/Docking.h"
#include "browsers/WorkingItem.h"
#include "order/Requirements.h"

#include <QObject>

#include <string>

struct CTechnique;

// What the tool windows tell each other. The application context owns it: a window emits
// here and listens here, and never looks another window up. A request to a window that may
// not exist yet comes after WindowNeeded (or ShowWindowRequested), which makes it.
class CWindowBus : public QObject
{
    Q_OBJECT

public:
    // The formula browser's item, which the technique browser shows and attaches to; an
    // empty item while no formula browser exists.
    const CWorkingItem& Working() const { return m_working ? *m_working : m_none; }
    bool HasFormulaBrowser() const { return m_working != nullptr; }
    // The formula browser publishes its item; only the one published may withdraw it.
    void PublishWorking(const CWorkingItem* working) { m_working = working; }
    void WithdrawWorking(const CWorkingItem* working)
    {
        if (m_working == working)
            m_working = nullptr;
    }

Q_SIGNALS:
    // Made on first use: the tool window exists after this (shown only by the second).
    void WindowNeeded(EToolWindow id);
    void ShowWindowRequested(EToolWindow id);

    // The order was edited, opened, reset or undone.
    void OrderChanged();
    // A price was edited or imported: every report showing costs follows.
    void PricesChanged();
    // A profile was edited, added, deleted or made current by from (null: by none of them).
    void ProfilesChanged(const void* from);
    // The formula browser's item was shown again or cleared: a tier chosen, a technique
    // attached or removed, another formula or order item taken.
    void WorkingItemChanged();
    // The formula browser's item is the order's item id: the order window selects it.
    void OrderItemTaken(int id);
    // The player picked the order's item id in the order window: an open formula browser
    // shows it.
    void OrderItemPicked(int id);

    // Requests to the formula browser (see WindowNeeded).
    // The formula (its tier when it has one of that name), found by a name search.
    void ShowFormulaRequested(const std::string& formula, const std::string& category,
                              const std::string& tier);
    // Only the formulae a technique can go on.
    void FilterByTechniqueRequested(const CTechnique* technique);
    // Attaches a technique tier to the item; attached tells whether it went on (a refusal
    // has been shown).
    void AttachTechniqueRequested(const COrderTechnique& technique, bool* attached);

private:
    const CWorkingItem* m_working = nullptr;
    CWorkingItem m_none;
};
