#pragma once

#include "profile/ProfileEdit.h"

#include <QAbstractTableModel>

#include <string_view>

// One list of a profile (statistics, levels or skills) as a table: the entries' names, then
// their values. Editing a value edits the profile; a value the profile refuses is reported
// and the cell keeps what the profile holds.
class CProfileListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // header: the columns' titles separated by "|".
    CProfileListModel(EProfileList list, std::string_view header, QObject* parent);

    // The profile shown (null for none); only an editable one takes edits.
    void Show(CProfile* profile);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

Q_SIGNALS:
    void Edited();
    void Refused(const std::string& message);

private:
    EProfileList m_list;
    QStringList m_header;
    CProfile* m_profile = nullptr;
};
