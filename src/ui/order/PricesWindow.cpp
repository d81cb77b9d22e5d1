#include "ui/order/PricesWindow.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "order/PlayerPrices.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/PatternDelegate.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

namespace
{
QPointer<CPricesWindow> g_window;
} // namespace

CPriceModel::CPriceModel(CAppContext& app, QObject* parent)
    : QAbstractTableModel(parent), m_app(app)
{
}

void CPriceModel::Refresh()
{
    beginResetModel();
    m_rows = PriceRows(m_app.Database(), &m_app.Order(), m_app.Prices().List());
    endResetModel();
}

int CPriceModel::PricedCount() const
{
    return static_cast<int>(std::count_if(
        m_rows.begin(), m_rows.end(), [](const CPriceRow& row) { return row.price.has_value(); }));
}

int CPriceModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CPriceModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant CPriceModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const CPriceRow& row = Row(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole)
    {
        if (index.column() == NameColumn)
            return Qs(row.name);
        return row.price ? Qs(CoinsText(*row.price)) : QString();
    }
    if (role == Qt::TextAlignmentRole && index.column() == PriceColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant CPriceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return Tr(section == NameColumn ? Messages::PriceColumnName : Messages::PriceColumnPrice);
}

Qt::ItemFlags CPriceModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == PriceColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool CPriceModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != PriceColumn ||
        index.row() >= rowCount())
        return false;
    CPriceRow& row = m_rows[static_cast<std::size_t>(index.row())];
    CPlayerPrices& prices = m_app.Prices();
    if (!SetPriceText(prices.List(), row.name, Bytes(value.toString().trimmed())))
    {
        Q_EMIT PriceRefused();
        return false;
    }
    const std::int64_t* price = prices.List().Find(row.name);
    row.price = price ? std::optional<std::int64_t>(*price) : std::nullopt;
    Q_EMIT dataChanged(index, index);
    if (!prices.Save())
        Q_EMIT SaveFailed();
    Q_EMIT m_app.Bus().PricesChanged();
    return true;
}

void CPriceFilter::SetText(const QString& text)
{
    m_text = Bytes(text);
    invalidateFilter();
}

bool CPriceFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const auto* model = static_cast<const CPriceModel*>(sourceModel());
    return PriceRowMatches(model->Row(sourceRow), m_text);
}

CPricesWindow* CPricesWindow::Open(CAppContext& app, QWidget* parent)
{
    if (g_window && &g_window->m_app != &app)
        delete g_window;
    if (!g_window)
        g_window = new CPricesWindow(app, parent);
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
    return g_window;
}

CPricesWindow* CPricesWindow::Existing()
{
    return g_window;
}

CPricesWindow::CPricesWindow(CAppContext& app, QWidget* parent)
    : QDialog(parent), m_app(app)
{
    setWindowTitle(Tr(Messages::PricesTitle));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    auto* searchRow = new QHBoxLayout;
    m_search = new QLineEdit(this);
    m_search->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(Tr(Messages::PricesSearch), this);
    searchLabel->setBuddy(m_search);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    layout->addLayout(searchRow);

    m_model = new CPriceModel(app, this);
    m_filter = new CPriceFilter(this);
    m_filter->setSourceModel(m_model);
    m_table = new QTableView(this);
    m_table->setModel(m_filter);
    m_table->setAccessibleName(windowTitle());
    // Digits and a point while typing; the model refuses what is still not a price.
    m_table->setItemDelegateForColumn(
        CPriceModel::PriceColumn,
        new CPatternDelegate(QStringLiteral("[0-9]{0,17}(\\.[0-9]{0,2})?"), m_table));
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_table->horizontalHeader()->setSectionResizeMode(CPriceModel::NameColumn,
                                                      QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(CPriceModel::PriceColumn,
                                                      QHeaderView::Interactive);
    m_table->setColumnWidth(CPriceModel::PriceColumn,
                            fontMetrics().horizontalAdvance(QStringLiteral("0000000.00")) + 16);
    layout->addWidget(m_table, 1);

    m_count = new QLabel(this);
    layout->addWidget(m_count);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* import =
        buttons->addButton(Tr(Messages::PricesImport), QDialogButtonBox::ActionRole);
    QPushButton* exportButton =
        buttons->addButton(Tr(Messages::PricesExport), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    // Return in the search box or a price cell closes nothing.
    for (QPushButton* button : {import, exportButton, close})
        button->setAutoDefault(false), button->setDefault(false);

    connect(m_search, &QLineEdit::textChanged, this,
            [this](const QString& text)
            {
                m_filter->SetText(text);
                UpdateCount();
            });
    connect(import, &QPushButton::clicked, this, &CPricesWindow::Import);
    connect(exportButton, &QPushButton::clicked, this, &CPricesWindow::Export);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // Not inside the editor's commit: a message box there would end the edit twice.
    connect(
        m_model, &CPriceModel::PriceRefused, this,
        [this] { m_app.Prompter().Warn(TrBytes(Messages::PriceNotANumber)); },
        Qt::QueuedConnection);
    connect(
        m_model, &CPriceModel::SaveFailed, this,
        [this]
        {
            m_app.Prompter().Warn(
                Bytes(TrFormat(Messages::PricesNotSaved, m_app.Prices().Path().string().c_str())));
        },
        Qt::QueuedConnection);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &CPricesWindow::UpdateCount);
    // The order's item names are rows too.
    connect(&app.Bus(), &CWindowBus::OrderChanged, this,
            [this]
            {
                if (isVisible())
                    m_model->Refresh(), UpdateCount();
            });
    resize(460, 560);
}

void CPricesWindow::showEvent(QShowEvent* event)
{
    m_model->Refresh();
    UpdateCount();
    QDialog::showEvent(event);
}

void CPricesWindow::UpdateCount()
{
    m_count->setText(TrFormat(Messages::PricesShown, m_filter->rowCount(), m_model->rowCount(),
                              m_model->PricedCount()));
}

void CPricesWindow::Changed()
{
    m_model->Refresh();
    UpdateCount();
    Q_EMIT m_app.Bus().PricesChanged();
}

void CPricesWindow::Import()
{
    const QString path = CFileDialog::GetOpenFileName(this, Qs(m_app.DataFolder().string()),
                                                      Tr(Messages::CsvFilter));
    if (path.isEmpty())
        return;
    CPriceList imported;
    std::vector<std::string> warnings;
    std::string error;
    if (!ReadPriceListFile(Bytes(path), Bytes(path), imported, warnings, error))
    {
        m_app.Prompter().Warn(Bytes(TrFormat(Messages::PricesNotRead, error.c_str())));
        return;
    }
    std::string lines;
    for (const std::string& warning : warnings)
        lines += warning + "\n";
    if (!lines.empty())
        m_app.Prompter().Warn(Bytes(TrFormat(Messages::PricesSkipped, lines.c_str())));
    CPlayerPrices& prices = m_app.Prices();
    if (!prices.Import(imported))
        m_app.Prompter().Warn(Bytes(TrFormat(Messages::PricesNotSaved, prices.Path().string().c_str())));
    Changed();
}

void CPricesWindow::Export()
{
    const QString path = CFileDialog::GetSaveFileName(
        this, Qs(m_app.DataFolder().string()), Tr(Messages::CsvFilter), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    if (!SavePriceList(m_app.Prices().List(), Bytes(path)))
        m_app.Prompter().Warn(Bytes(TrFormat(Messages::PricesNotSaved, Bytes(path).c_str())));
}
