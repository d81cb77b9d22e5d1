#include "ui/browsers/CategoryBrowser.h"

#include "base/Messages.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/ThemedTree.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

CCategoryBrowser::CCategoryBrowser(QWidget* parent, std::string_view categoriesLabel, bool filter)
    : QWidget(parent), m_entries(new QStringListModel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(Tr(categoriesLabel), this);
    layout->addWidget(label);
    m_categories = new QListView(this);
    label->setBuddy(m_categories);
    m_categories->setAccessibleName(label->text()); // item views take no name from their buddy
    m_categories->setModel(m_entries);
    m_categories->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_categories->setMaximumHeight(110);
    layout->addWidget(m_categories);
    auto* buttons = new QHBoxLayout;
    auto* collapse = new QPushButton(QStringLiteral("<"), this);
    auto* expand = new QPushButton(QStringLiteral(">"), this);
    collapse->setAccessibleName(QStringLiteral("Collapse Categories"));
    expand->setAccessibleName(QStringLiteral("Expand Categories"));
    m_found = new QLabel(this);
    m_found->setTextFormat(Qt::PlainText);
    buttons->addWidget(collapse);
    buttons->addWidget(expand);
    buttons->addWidget(m_found, 1);
    layout->addLayout(buttons);
    if (filter)
    {
        m_filter = new QLineEdit(this);
        m_filter->setPlaceholderText(Tr(Messages::FormulaQuickFilter));
        m_filter->setClearButtonEnabled(true);
        m_filter->setAccessibleName(m_filter->placeholderText());
        layout->addWidget(m_filter);
    }
    m_tree = new CThemedTree(this);
    layout->addWidget(m_tree, 1);

    connect(collapse, &QPushButton::clicked, this, [this] { m_tree->ExpandTop(false); });
    connect(expand, &QPushButton::clicked, this, [this] { m_tree->ExpandTop(true); });
    connect(m_categories->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { Q_EMIT CategoryChosen(current.row()); });
}

void CCategoryBrowser::SetCategories(const std::vector<std::string>& entries, int current)
{
    QStringList list;
    for (const std::string& entry : entries)
        list << Qs(entry);
    m_entries->setStringList(list);
    m_categories->setCurrentIndex(m_entries->index(current, 0));
}

std::string CCategoryBrowser::Category(int row) const
{
    return Bytes(m_entries->index(row, 0).data().toString());
}

void CCategoryBrowser::SetFound(const std::string& text)
{
    m_found->setText(Qs(text));
}

void CCategoryBrowser::ApplyTheme(const CTheme& theme)
{
    m_tree->ApplyTheme(theme);
    ApplyListTheme(*m_categories, theme);
}
