#include "ui/shell/AppContext.h"

#include "base/DataPaths.h"
#include "base/NumberText.h"
#include "session/ThemeFile.h"
#include "ui/order/OrderModel.h"
#include "ui/shell/BusyCursor.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/IconImage.h"

#include <QItemSelectionModel>
#include <QThread>

CAppContext::CAppContext(std::filesystem::path dataFolder, std::unique_ptr<ISettingsStore> store)
    : m_store(std::move(store)), m_session(dataFolder, m_store.get(), &m_prompter, &m_decoder),
      m_qtLinks(dataFolder)
{
    m_session.SetSystemColours(&m_systemColours);
    m_orderModel = std::make_unique<COrderModel>(*this);
    m_orderCurrent = std::make_unique<QItemSelectionModel>(m_orderModel.get());
}

CAppContext::~CAppContext() = default;

COrderSelection CAppContext::OrderSelection()
{
    return m_orderModel->Ticked();
}

std::string CAppContext::OrderCurrentGroup()
{
    return m_orderModel->GroupName(m_orderCurrent->currentIndex());
}

ELoadSource CAppContext::Start(ILoadProgress* progress)
{
    m_session.SetProgress(progress);
    m_session.LoadSettings();
    ApplyThreadPriority();
    m_session.InstallPendingUpdate();
    const ELoadSource source = m_session.LoadDatabase();
    m_session.SetProgress(nullptr);
    AfterLoad();
    return source;
}

ELoadSource CAppContext::LoadDatabase(ILoadProgress* progress)
{
    m_session.SetProgress(progress);
    const ELoadSource source = m_session.LoadDatabase();
    m_session.SetProgress(nullptr);
    AfterLoad();
    return source;
}

void CAppContext::Recache(ILoadProgress* progress)
{
    m_session.SaveSettings();
    m_session.SetProgress(progress);
    // An installed archive reloads the database itself. The old cache goes only when the
    // rebuild has a database to replace it with.
    if (m_session.InstallPendingUpdate() != EPendingUpdate::Installed)
        m_session.LoadDatabase(true);
    m_session.SetProgress(nullptr);
    AfterLoad();
}

void CAppContext::AfterLoad()
{
    m_icons.clear();
    // A load resets the order: nothing of the old one can be undone into the new database.
    m_history.Reset();
    if (onDatabaseLoaded)
        onDatabaseLoaded();
}

bool CAppContext::ReloadTheme()
{
    CTheme fresh(&m_systemColours);
    if (!LoadTheme(fresh, DataPaths::Join(DataFolder(), DataPaths::Themes) / Settings().CurrentTheme))
        return false;
    Theme() = fresh;
    return true;
}

void CAppContext::ApplyThreadPriority()
{
    QThread::currentThread()->setPriority(m_session.Settings().HighPriority ? QThread::HighPriority
                                                                            : QThread::NormalPriority);
}

CPlayerPrices& CAppContext::Prices()
{
    if (m_pricesLoaded)
        return m_prices;
    m_pricesLoaded = true;
    std::vector<std::string> warnings;
    std::string error;
    if (!m_prices.Load(DataFolder(), warnings, error))
        m_prompter.Warn(Bytes(TrFormat(Messages::PricesNotRead, error.c_str())));
    std::string lines;
    for (const std::string& warning : warnings)
        lines += warning + "\n";
    if (!lines.empty())
        m_prompter.Warn(Bytes(TrFormat(Messages::PricesSkipped, lines.c_str())));
    return m_prices;
}

std::filesystem::path CAppContext::OrdersFolder()
{
    const CSettings& settings = m_session.Settings();
    if (!settings.OrdersFolder.empty())
        return settings.OrdersFolder;
    return DataPaths::Join(DataFolder(), DataPaths::Orders);
}

bool CAppContext::UndoOrderEdit()
{
    // A large order's windows take a while to follow.
    const CBusyCursor busy;
    if (!m_history.Undo())
        return false;
    OrderChanged();
    return true;
}

bool CAppContext::RedoOrderEdit()
{
    const CBusyCursor busy;
    if (!m_history.Redo())
        return false;
    OrderChanged();
    return true;
}

const QIcon& CAppContext::Icon(int index)
{
    auto found = m_icons.find(index);
    if (found == m_icons.end())
        found = m_icons.insert(index, IconFromStore(Icons(), index));
    return *found;
}
