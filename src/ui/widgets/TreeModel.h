#pragma once

#include <QAbstractItemModel>
#include <QFont>
#include <QIcon>

#include <array>
#include <functional>
#include <string>
#include <variant>
#include <vector>

class CTheme;
struct CComponent;
struct CFormula;
struct CProfile;
struct CTechnique;

// A tree model whose entries take their text colour from the theme by their level
// ("TREE_LVL1_" ...).
class CLevelModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum class ELevel
    {
        Level1,
        Level2,
        Level3,
        Empty,
        Disabled
    };
    static const char* LevelPrefix(ELevel level);

    using QAbstractItemModel::QAbstractItemModel;
    // The theme's level colours; the views repaint.
    void ApplyTheme(const CTheme& theme);

protected:
    const QVariant& LevelColour(ELevel level) const { return m_colours[static_cast<std::size_t>(level)]; }

private:
    std::array<QVariant, 5> m_colours;
};

// A browser's tree: labelled nodes with icons, coloured by their level from the theme, each
// keeping the record it stands for. The windows fill it from the core's typed trees; the
// views show what is expanded and on the screen.
class CTreeModel : public CLevelModel
{
    Q_OBJECT

public:

    // What a node stands for: a category (its name), a formula, a technique, a component or
    // a profile; nothing for a node known by its label alone.
    using CRecord = std::variant<std::monostate, std::string, const CFormula*, const CTechnique*,
                                 const CComponent*, CProfile*>;
    struct CNode
    {
        CNode(QString label, int icon, ELevel level, CRecord record = {}, int parent = -1, bool bold = false)
            : label(std::move(label)), icon(icon), level(level), record(std::move(record)), bold(bold), parent(parent)
        {
        }

        QString label;
        int icon = -1; // in the icon store; -1 for none
        ELevel level = ELevel::Level1;
        CRecord record;
        bool bold = false;
        int parent = -1; // the parent's place in the node list; -1 at the top
        // Set by the model.
        int row = 0;
        std::vector<int> children;
    };

    // icons gives the store's icon of an index.
    explicit CTreeModel(std::function<QIcon(int)> icons, QObject* parent = nullptr);

    // Replaces every node; a node's parent comes before it, and siblings keep their order.
    void SetNodes(std::vector<CNode> nodes);
    // Appends nodes under a node (the first of them at index first, their parents given as
    // for SetNodes), and removes a node's children.
    void AddChildren(int parent, std::vector<CNode> nodes);
    void RemoveChildren(int parent);
    // What the views drag: the items' MIME data, or null.
    void SetDrag(QString mimeType, std::function<QByteArray(int node)> data);

    int NodeCount() const { return static_cast<int>(m_nodes.size()); }
    const CNode& Node(int node) const { return m_nodes[static_cast<std::size_t>(node)]; }
    // The node of an index of this model; -1 for none.
    int NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(int node) const;
    const std::vector<int>& Children(int node) const;
    // 1 at the top.
    int Depth(int node) const;
    template <typename T> const T* Record(int node) const
    {
        return node >= 0 && node < NodeCount() ? std::get_if<T>(&Node(node).record) : nullptr;
    }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

private:
    void Link(int first);

    std::function<QIcon(int)> m_icons;
    std::vector<CNode> m_nodes;
    std::vector<int> m_top;
    QFont m_bold;
    QString m_mimeType;
    std::function<QByteArray(int)> m_drag;
};
