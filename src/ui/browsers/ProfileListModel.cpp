#include "ui/browsers/ProfileListModel.h"

#include "ui/shell/QtText.h"

namespace
{
std::size_t ListSize(const CProfile& profile, EProfileList list)
{
    switch (list)
    {
    case EProfileList::Statistics: return profile.statistics.size();
    case EProfileList::CraftLevels: return profile.craftLevels.size();
    case EProfileList::CraftSkills: return profile.craftSkills.size();
    case EProfileList::AdventureLevels: return profile.adventureLevels.size();
    case EProfileList::AdventureSkills: return profile.adventureSkills.size();
    }
    return 0;
}

const std::string& EntryName(const CProfile& profile, EProfileList list, std::size_t row)
{
    switch (list)
    {
    case EProfileList::Statistics: return profile.statistics[row].name;
    case EProfileList::CraftLevels: return profile.craftLevels[row].name;
    case EProfileList::CraftSkills: return profile.craftSkills[row].name;
    case EProfileList::AdventureLevels: return profile.adventureLevels[row].name;
    case EProfileList::AdventureSkills: break;
    }
    return profile.adventureSkills[row].name;
}

// The number a list's cell shows: its value, or for craft levels the column's field.
int CellValue(const CProfile& profile, EProfileList list, std::size_t row, int col)
{
    switch (list)
    {
    case EProfileList::Statistics: return profile.statistics[row].value;
    case EProfileList::CraftSkills: return profile.craftSkills[row].value;
    case EProfileList::AdventureLevels: return profile.adventureLevels[row].value;
    case EProfileList::AdventureSkills: return profile.adventureSkills[row].value;
    case EProfileList::CraftLevels: break;
    }
    const CCraftLevel& level = profile.craftLevels[row];
    return col == 1 ? level.level : col == 2 ? level.workTierMin : level.workTierMax;
}
} // namespace

CProfileListModel::CProfileListModel(EProfileList list, std::string_view header, QObject* parent)
    : QAbstractTableModel(parent), m_list(list), m_header(Tr(header).split(QLatin1Char('|')))
{
}

void CProfileListModel::Show(CProfile* profile)
{
    beginResetModel();
    m_profile = profile;
    endResetModel();
}

int CProfileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_profile ? 0 : static_cast<int>(ListSize(*m_profile, m_list));
}

int CProfileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_header.size());
}

QVariant CProfileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_profile || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == 0)
        return Qs(EntryName(*m_profile, m_list, row));
    return QString::number(CellValue(*m_profile, m_list, row, index.column()));
}

QVariant CProfileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_header.size())
        return {};
    return m_header[section];
}

Qt::ItemFlags CProfileListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() > 0 && CanEditProfile(m_profile))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool CProfileListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const ECraftField field = index.column() == 2   ? ECraftField::WorkTierMin
                              : index.column() == 3 ? ECraftField::WorkTierMax
                                                    : ECraftField::Level;
    const std::string message =
        SetProfileValue(*m_profile, m_list, static_cast<std::size_t>(index.row()), Bytes(value.toString()), field);
    // The cell shows what the profile holds: the number as read, or the old one when refused.
    Q_EMIT dataChanged(index, index);
    if (!message.empty())
    {
        Q_EMIT Refused(message);
        return false;
    }
    Q_EMIT Edited();
    return true;
}
