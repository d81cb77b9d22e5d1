#include "ui/order/OrderModel.h"

#include "base/Messages.h"
#include "browsers/PastedList.h"
#include "database/GameDatabase.h"
#include "order/OrderWindowLogic.h"
#include "ui/order/OrderCommands.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"

#include <QMimeData>

namespace
{
// Groups sit at the top (internal id 0); an item's internal id is its group's place plus 1.
constexpr quintptr GroupId = 0;
} // namespace

COrderModel::COrderModel(CAppContext& app, QObject* parent) : CLevelModel(parent), m_app(app)
{
    connect(&app.Bus(), &CWindowBus::OrderChanged, this, &COrderModel::Refresh);
}

void COrderModel::Refresh()
{
    COrder& order = m_app.Order();
    const CGameDatabase& db = m_app.Database();
    // An item joining a ticked group is ticked with it.
    std::set<std::string> checked;
    for (const CGroup& group : m_groups)
        if (GroupState(group) == Qt::Checked)
            checked.insert(group.name);

    AddMissingGroups(order, db);
    std::vector<CGroup> groups;
    std::vector<CItem> items;
    for (const std::string& name : order.groups)
        groups.push_back({name, Qs(name), {}});
    for (COrderItem* item : TreeOrder(order, db))
    {
        const auto group = std::find_if(groups.begin(), groups.end(), [&](const CGroup& g) { return g.name == item->group; });
        if (group == groups.end())
            continue;
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        group->items.push_back(static_cast<int>(items.size()));
        items.push_back({item->id, static_cast<int>(group - groups.begin()),
                         Qs(ItemLabel(formula ? formula->batchQty : 1, *item)), formula ? formula->iconIndex : -1});
    }

    std::set<int> ticked;
    for (const CItem& item : items)
        if (m_tickedItems.count(item.id) || checked.count(groups[static_cast<std::size_t>(item.group)].name))
            ticked.insert(item.id);
    std::set<std::string> tickedGroups;
    for (const CGroup& group : groups)
        if (group.items.empty() ? m_tickedGroups.count(group.name) > 0 : checked.count(group.name) > 0)
            tickedGroups.insert(group.name);

    // The same entries in the same places: only their texts and ticks may have changed, and
    // the views keep what they show open and selected.
    const auto sameGroup = [](const CGroup& a, const CGroup& b) { return a.name == b.name && a.items == b.items; };
    const auto sameItem = [](const CItem& a, const CItem& b) { return a.id == b.id && a.group == b.group; };
    const bool same = std::equal(groups.begin(), groups.end(), m_groups.begin(), m_groups.end(), sameGroup) &&
                      std::equal(items.begin(), items.end(), m_items.begin(), m_items.end(), sameItem);
    if (!same)
        beginResetModel();
    m_groups = std::move(groups);
    m_items = std::move(items);
    m_tickedItems = std::move(ticked);
    m_tickedGroups = std::move(tickedGroups);
    if (!same)
    {
        endResetModel();
        return;
    }
    for (std::size_t g = 0; g < m_groups.size(); ++g)
        if (!m_groups[g].items.empty())
            Q_EMIT dataChanged(index(0, 0, index(static_cast<int>(g), 0)),
                               index(static_cast<int>(m_groups[g].items.size()) - 1, 0, index(static_cast<int>(g), 0)));
    if (!m_groups.empty())
        Q_EMIT dataChanged(index(0, 0), index(static_cast<int>(m_groups.size()) - 1, 0));
}

Qt::CheckState COrderModel::GroupState(const CGroup& group) const
{
    if (group.items.empty())
        return m_tickedGroups.count(group.name) ? Qt::Checked : Qt::Unchecked;
    std::size_t ticked = 0;
    for (const int item : group.items)
        ticked += m_tickedItems.count(m_items[static_cast<std::size_t>(item)].id);
    return ticked == 0 ? Qt::Unchecked : ticked == group.items.size() ? Qt::Checked : Qt::PartiallyChecked;
}

COrderSelection COrderModel::Ticked() const
{
    COrderSelection ticked;
    for (const CGroup& group : m_groups)
        if (GroupState(group) == Qt::Checked)
            ticked.groups.insert(group.name);
    ticked.items = m_tickedItems;
    return ticked;
}

void COrderModel::TicksChanged(int group)
{
    CGroup& changed = m_groups[static_cast<std::size_t>(group)];
    if (!changed.items.empty())
    {
        if (GroupState(changed) == Qt::Checked)
            m_tickedGroups.insert(changed.name);
        else
            m_tickedGroups.erase(changed.name);
        const QModelIndex parent = index(group, 0);
        Q_EMIT dataChanged(index(0, 0, parent), index(static_cast<int>(changed.items.size()) - 1, 0, parent),
                           {Qt::CheckStateRole});
    }
    Q_EMIT dataChanged(index(group, 0), index(group, 0), {Qt::CheckStateRole});
}

void COrderModel::SetTicked(const QModelIndex& entry, bool ticked)
{
    setData(entry, ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void COrderModel::TickAll(bool ticked)
{
    for (int group = 0; group < rowCount(); ++group)
        SetTicked(index(group, 0), ticked);
}

void COrderModel::InvertTicks()
{
    for (std::size_t group = 0; group < m_groups.size(); ++group)
    {
        CGroup& g = m_groups[group];
        if (g.items.empty() && !m_tickedGroups.erase(g.name))
            m_tickedGroups.insert(g.name);
        for (const int item : g.items)
        {
            const int id = m_items[static_cast<std::size_t>(item)].id;
            if (!m_tickedItems.erase(id))
                m_tickedItems.insert(id);
        }
        TicksChanged(static_cast<int>(group));
    }
}

QModelIndex COrderModel::ItemIndex(int id) const
{
    for (const CGroup& group : m_groups)
        for (std::size_t row = 0; row < group.items.size(); ++row)
            if (m_items[static_cast<std::size_t>(group.items[row])].id == id)
                return index(static_cast<int>(row), 0, index(m_items[static_cast<std::size_t>(group.items[row])].group, 0));
    return {};
}

QModelIndex COrderModel::GroupIndex(const std::string& name) const
{
    for (std::size_t group = 0; group < m_groups.size(); ++group)
        if (m_groups[group].name == name)
            return index(static_cast<int>(group), 0);
    return {};
}

bool COrderModel::IsGroup(const QModelIndex& entry) const
{
    return entry.isValid() && entry.internalId() == GroupId;
}

int COrderModel::ItemId(const QModelIndex& entry) const
{
    if (!entry.isValid() || IsGroup(entry))
        return -1;
    const CGroup& group = m_groups[entry.internalId() - 1];
    return m_items[static_cast<std::size_t>(group.items[static_cast<std::size_t>(entry.row())])].id;
}

std::string COrderModel::GroupName(const QModelIndex& entry) const
{
    if (!entry.isValid())
        return {};
    return m_groups[IsGroup(entry) ? static_cast<std::size_t>(entry.row()) : entry.internalId() - 1].name;
}

QModelIndex COrderModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row < static_cast<int>(m_groups.size()) ? createIndex(row, 0, GroupId) : QModelIndex();
    if (!IsGroup(parent) || row >= static_cast<int>(m_groups[static_cast<std::size_t>(parent.row())].items.size()))
        return {};
    return createIndex(row, 0, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex COrderModel::parent(const QModelIndex& index) const
{
    if (!index.isValid() || IsGroup(index))
        return {};
    return createIndex(static_cast<int>(index.internalId() - 1), 0, GroupId);
}

int COrderModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return static_cast<int>(m_groups.size());
    return IsGroup(parent) ? static_cast<int>(m_groups[static_cast<std::size_t>(parent.row())].items.size()) : 0;
}

int COrderModel::columnCount(const QModelIndex&) const
{
    return 1;
}

namespace
{
// A label longer than a tree shows at a glance is read whole in its tooltip.
QVariant LongNameTip(const QString& label)
{
    constexpr qsizetype Glance = 60;
    return label.size() > Glance ? QVariant(PlainToolTip(label)) : QVariant();
}
} // namespace

QVariant COrderModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (IsGroup(index))
    {
        const CGroup& group = m_groups[static_cast<std::size_t>(index.row())];
        switch (role)
        {
        case Qt::DisplayRole:
        case Qt::EditRole: return group.label;
        case Qt::ToolTipRole: return LongNameTip(group.label);
        case Qt::CheckStateRole: return static_cast<int>(GroupState(group));
        case Qt::ForegroundRole: return LevelColour(ELevel::Level1);
        default: return {};
        }
    }
    const CGroup& group = m_groups[index.internalId() - 1];
    const CItem& item = m_items[static_cast<std::size_t>(group.items[static_cast<std::size_t>(index.row())])];
    switch (role)
    {
    case Qt::DisplayRole:
    case Qt::EditRole: return item.label;
    case Qt::ToolTipRole: return LongNameTip(item.label);
    case Qt::DecorationRole: return item.icon >= 0 ? QVariant(m_app.Icon(item.icon)) : QVariant();
    case Qt::CheckStateRole: return static_cast<int>(m_tickedItems.count(item.id) ? Qt::Checked : Qt::Unchecked);
    case Qt::ForegroundRole: return LevelColour(ELevel::Level2);
    default: return {};
    }
}

bool COrderModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid())
        return false;
    const int group = IsGroup(index) ? index.row() : static_cast<int>(index.internalId() - 1);
    CGroup& g = m_groups[static_cast<std::size_t>(group)];
    if (role == Qt::CheckStateRole)
    {
        const bool ticked = value.toInt() != Qt::Unchecked;
        const auto tick = [ticked](auto& set, const auto& key)
        {
            if (ticked)
                set.insert(key);
            else
                set.erase(key);
        };
        if (IsGroup(index))
        {
            for (const int item : g.items)
                tick(m_tickedItems, m_items[static_cast<std::size_t>(item)].id);
            tick(m_tickedGroups, g.name);
        }
        else
            tick(m_tickedItems, ItemId(index));
        TicksChanged(group);
        return true;
    }
    if (role != Qt::EditRole || !value.isValid())
        return false;
    COrder& order = m_app.Order();
    const std::string text = Bytes(value.toString());
    if (IsGroup(index))
    {
        const std::string oldName = g.name;
        if (!RenameGroup(order, oldName, text))
            return false;
        // The entry keeps its place and its tick under the new name.
        g.name = CleanLabel(text);
        g.label = Qs(g.name);
        if (m_tickedGroups.erase(oldName))
            m_tickedGroups.insert(g.name);
        Q_EMIT dataChanged(index, index);
        m_app.OrderEdited(Messages::EditRenameGroup);
        return true;
    }
    if (!RenameItem(order, ItemId(index), text))
        return false;
    m_app.OrderEdited(Messages::EditRenameItem);
    return true;
}

Qt::ItemFlags COrderModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags =
        Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEditable | Qt::ItemIsDropEnabled;
    return IsGroup(index) ? flags : flags | Qt::ItemIsDragEnabled;
}

QStringList COrderModel::mimeTypes() const
{
    return {QString::fromLatin1(MoveMimeType), QString::fromLatin1(ItemMimeType), QStringLiteral("text/plain")};
}

QMimeData* COrderModel::mimeData(const QModelIndexList& indexes) const
{
    QStringList ids;
    for (const QModelIndex& entry : indexes)
        if (ItemId(entry) >= 0)
            ids << QString::number(ItemId(entry));
    if (ids.isEmpty())
        return nullptr;
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(MoveMimeType), ids.join(QLatin1Char(',')).toLatin1());
    return mime;
}

int COrderModel::DropGroup(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return -1;
    return IsGroup(parent) ? parent.row() : static_cast<int>(parent.internalId() - 1);
}

bool COrderModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int, const QModelIndex& parent) const
{
    if (!data)
        return false;
    // A move needs a group to go to; a formula or a list dropped on the empty space goes to
    // the selected group, as "Add Item" does.
    if (data->hasFormat(QString::fromLatin1(MoveMimeType)))
        return DropGroup(parent) >= 0;
    return OrderCommands::IsDroppedFormula(data) || data->hasText();
}

bool COrderModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                               const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    COrder& order = m_app.Order();
    std::string group;
    if (DropGroup(parent) >= 0)
        group = m_groups[static_cast<std::size_t>(DropGroup(parent))].name;
    if (data->hasFormat(QString::fromLatin1(MoveMimeType)))
    {
        bool moved = false;
        for (const QByteArray& id : data->data(QString::fromLatin1(MoveMimeType)).split(','))
            if (COrderItem* item = order.FindItem(id.toInt()); item && item->group != group)
            {
                item->group = group;
                moved = true;
            }
        if (!moved)
            return false;
        order.modified = true;
        m_app.OrderEdited(Messages::EditMoveItem);
        return true;
    }
    if (OrderCommands::IsDroppedFormula(data))
    {
        const int id = OrderCommands::AddDroppedFormula(m_app, data, group);
        if (id < 0)
            return false;
        Q_EMIT ItemDropped(id);
        return true;
    }
    if (group.empty())
        group = GroupForNewItem(order, m_app.OrderCurrentGroup());
    Q_EMIT ListDropped(data->text(), Qs(group));
    return true;
}
