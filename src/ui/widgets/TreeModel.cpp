#include "ui/widgets/TreeModel.h"

#include "base/Theme.h"
#include "platform/QtSystemColours.h"

#include <QBrush>
#include <QMimeData>

const char* CLevelModel::LevelPrefix(ELevel level)
{
    switch (level)
    {
    case ELevel::Level1: return "TREE_LVL1_";
    case ELevel::Level2: return "TREE_LVL2_";
    case ELevel::Level3: return "TREE_LVL3_";
    case ELevel::Empty: return "TREE_EMPTY_";
    case ELevel::Disabled: return "TREE_DISABLED_";
    }
    return "TREE_LVL1_";
}

void CLevelModel::ApplyTheme(const CTheme& theme)
{
    for (std::size_t level = 0; level < m_colours.size(); ++level)
        m_colours[level] = QBrush(ColourFromTheme(
            theme.ThemeColour(std::string(LevelPrefix(static_cast<ELevel>(level))) + "NORMAL_FG")));
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::ForegroundRole});
}

CTreeModel::CTreeModel(std::function<QIcon(int)> icons, QObject* parent)
    : CLevelModel(parent), m_icons(std::move(icons))
{
    m_bold.setBold(true);
}

void CTreeModel::Link(int first)
{
    for (int i = first; i < NodeCount(); ++i)
    {
        CNode& node = m_nodes[static_cast<std::size_t>(i)];
        std::vector<int>& siblings = node.parent < 0 ? m_top : m_nodes[static_cast<std::size_t>(node.parent)].children;
        node.row = static_cast<int>(siblings.size());
        siblings.push_back(i);
    }
}

void CTreeModel::SetNodes(std::vector<CNode> nodes)
{
    beginResetModel();
    m_nodes = std::move(nodes);
    m_top.clear();
    Link(0);
    endResetModel();
}

void CTreeModel::AddChildren(int parent, std::vector<CNode> nodes)
{
    if (parent < 0 || parent >= NodeCount() || nodes.empty())
        return;
    const int first = NodeCount();
    int direct = 0;
    for (CNode& node : nodes)
    {
        node.parent = node.parent < 0 ? parent : node.parent;
        direct += node.parent == parent ? 1 : 0;
    }
    const int row = static_cast<int>(Children(parent).size());
    beginInsertRows(IndexOf(parent), row, row + direct - 1);
    m_nodes.insert(m_nodes.end(), std::make_move_iterator(nodes.begin()), std::make_move_iterator(nodes.end()));
    Link(first);
    endInsertRows();
}

void CTreeModel::RemoveChildren(int parent)
{
    if (parent < 0 || parent >= NodeCount() || Children(parent).empty())
        return;
    std::vector<int>& children = m_nodes[static_cast<std::size_t>(parent)].children;
    beginRemoveRows(IndexOf(parent), 0, static_cast<int>(children.size()) - 1);
    // The nodes stay in the list, unreachable, until the next SetNodes.
    children.clear();
    endRemoveRows();
}

void CTreeModel::SetDrag(QString mimeType, std::function<QByteArray(int)> data)
{
    m_mimeType = std::move(mimeType);
    m_drag = std::move(data);
}

int CTreeModel::NodeOf(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this ? static_cast<int>(index.internalId()) : -1;
}

QModelIndex CTreeModel::IndexOf(int node) const
{
    if (node < 0 || node >= NodeCount())
        return {};
    return createIndex(Node(node).row, 0, static_cast<quintptr>(node));
}

const std::vector<int>& CTreeModel::Children(int node) const
{
    return node < 0 ? m_top : Node(node).children;
}

int CTreeModel::Depth(int node) const
{
    int depth = 0;
    for (; node >= 0; node = Node(node).parent)
        ++depth;
    return depth;
}

QModelIndex CTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const std::vector<int>& children = Children(NodeOf(parent));
    if (column != 0 || row < 0 || row >= static_cast<int>(children.size()))
        return {};
    return createIndex(row, 0, static_cast<quintptr>(children[static_cast<std::size_t>(row)]));
}

QModelIndex CTreeModel::parent(const QModelIndex& index) const
{
    const int node = NodeOf(index);
    return node < 0 ? QModelIndex() : IndexOf(Node(node).parent);
}

int CTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return static_cast<int>(Children(NodeOf(parent)).size());
}

int CTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant CTreeModel::data(const QModelIndex& index, int role) const
{
    const int id = NodeOf(index);
    if (id < 0)
        return {};
    const CNode& node = Node(id);
    switch (role)
    {
    case Qt::DisplayRole: return node.label;
    case Qt::DecorationRole: return node.icon >= 0 && m_icons ? QVariant(m_icons(node.icon)) : QVariant();
    case Qt::ForegroundRole: return LevelColour(node.level);
    case Qt::FontRole: return node.bold ? QVariant(m_bold) : QVariant();
    default: return {};
    }
}

Qt::ItemFlags CTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_drag)
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList CTreeModel::mimeTypes() const
{
    return m_mimeType.isEmpty() ? QStringList() : QStringList{m_mimeType};
}

QMimeData* CTreeModel::mimeData(const QModelIndexList& indexes) const
{
    const QByteArray data = m_drag && indexes.size() == 1 ? m_drag(NodeOf(indexes.front())) : QByteArray();
    if (data.isEmpty())
        return nullptr;
    auto* mime = new QMimeData;
    mime->setData(m_mimeType, data);
    return mime;
}
