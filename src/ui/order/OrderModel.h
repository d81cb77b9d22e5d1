#pragma once

#include "order/Requirements.h"
#include "ui/widgets/TreeModel.h"

#include <set>
#include <string>
#include <vector>

class CAppContext;

// The order as the order window shows it: its groups in list order, each with its items whose
// formula is known, and the ticks that choose what the reports cover. The model follows every
// change of the order. Renaming an entry in place, ticking it, and dropping items onto a group
// (moved from another group, or brought from the formula browser) go through here; each edit
// of the order is a step of the history.
class COrderModel : public CLevelModel
{
    Q_OBJECT

public:
    // What the formula browser's drags carry (an order item), and an item moved within the tree.
    static constexpr const char* ItemMimeType = "application/x-moxa-order-item";
    static constexpr const char* MoveMimeType = "application/x-moxa-order-move";

    explicit COrderModel(CAppContext& app, QObject* parent = nullptr);

    // The order as it is now (groups the items name but the list lacks are added to it). Ticks
    // stay with their items and groups; an item added to a ticked group is ticked.
    void Refresh();

    // The ticked entries: item ids, and the groups whose box is ticked (all their items are).
    COrderSelection Ticked() const;
    void SetTicked(const QModelIndex& entry, bool ticked);
    void TickAll(bool ticked);
    // Every item's tick turned over; the groups follow their items.
    void InvertTicks();

    QModelIndex ItemIndex(int id) const;
    QModelIndex GroupIndex(const std::string& name) const;
    bool IsGroup(const QModelIndex& entry) const;
    // The item's id (-1 for a group), or the group's name (an item's group).
    int ItemId(const QModelIndex& entry) const;
    std::string GroupName(const QModelIndex& entry) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction | Qt::MoveAction; }

Q_SIGNALS:
    // An item from the formula browser joined the order.
    void ItemDropped(int id);
    // Text (a list of items) dropped on a group: the order window pastes it.
    void ListDropped(const QString& text, const QString& group);

private:
    struct CGroup
    {
        std::string name;
        QString label;
        std::vector<int> items; // ids, in tree order
    };
    struct CItem
    {
        int id = 0;
        int group = 0; // its place in m_groups
        QString label;
        int icon = -1;
    };

    const CItem* Item(int id) const;
    Qt::CheckState GroupState(const CGroup& group) const;
    // The group a drop onto an entry goes to: the group itself, or the item's; -1 for none.
    int DropGroup(const QModelIndex& parent) const;
    void TicksChanged(int group);

    CAppContext& m_app;
    std::vector<CGroup> m_groups;
    std::vector<CItem> m_items; // in tree order
    std::set<int> m_tickedItems;
    // Groups whose own box is ticked; for a group with items it follows them.
    std::set<std::string> m_tickedGroups;
};
