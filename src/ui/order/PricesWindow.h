#pragma once

#include "order/Prices.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QDialog>
#include <vector>

class CAppContext;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The rows of the Prices window: every name that may take a price, the price cell editable.
// An edit goes into the player's list, which is saved at once.
class CPriceModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int NameColumn = 0;
    static constexpr int PriceColumn = 1;

    CPriceModel(CAppContext& app, QObject* parent);

    // The names of the database and the order again, with the list's prices.
    void Refresh();
    const CPriceRow& Row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    int PricedCount() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

Q_SIGNALS:
    // What was typed is not a price; the list is unchanged.
    void PriceRefused();
    // The list could not be saved.
    void SaveFailed();

private:
    CAppContext& m_app;
    std::vector<CPriceRow> m_rows;
};

// The search as you type: rows whose name holds every word of the text.
class CPriceFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    std::string m_text;
};

// "Prices": the player's price list ("Prices.csv" of the data folder), searched, edited in
// place, imported from and exported to CSV files.
class CPricesWindow : public QDialog
{
    Q_OBJECT

public:
    // The one Prices window of the program, made on first use, shown and raised.
    static CPricesWindow* Open(CAppContext& app, QWidget* parent);
    // The window when it exists.
    static CPricesWindow* Existing();

    CPricesWindow(CAppContext& app, QWidget* parent);

    // Asks for a CSV file and takes its prices over those of the list.
    void Import();
    // Asks for a file and writes the list there.
    void Export();

    QLineEdit* SearchBox() const { return m_search; }
    QTableView* Table() const { return m_table; }
    CPriceModel* Model() const { return m_model; }
    CPriceFilter* Filter() const { return m_filter; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Changed();
    void UpdateCount();

    CAppContext& m_app;
    QLineEdit* m_search;
    QTableView* m_table;
    QLabel* m_count;
    CPriceModel* m_model;
    CPriceFilter* m_filter;
};
