#pragma once

#include "base/Messages.h"
#include "base/Placement.h"
#include "order/OrderHistory.h"
#include "order/PlayerPrices.h"
#include "order/Requirements.h"
#include "platform/QtImageDecoder.h"
#include "platform/QtLinkOpener.h"
#include "platform/QtSystemColours.h"
#include "session/Session.h"
#include "ui/shell/MessageBox.h"
#include "ui/shell/WindowBus.h"

#include <QHash>
#include <QIcon>

#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

class COrderModel;
class QItemSelectionModel;
class ISettingsStore;

// The desktop program's share of a run: the session (settings, database, icons, profiles,
// theme, order) with the Qt pieces it is given (settings store, image decoder, system
// colours, message-box prompter), and the commands that several windows run.
class CAppContext
{
public:
    CAppContext(std::filesystem::path dataFolder, std::unique_ptr<ISettingsStore> store);
    ~CAppContext();
    CAppContext(const CAppContext&) = delete;
    CAppContext& operator=(const CAppContext&) = delete;

    // Start-up: settings (and the thread priority), a waiting archive, the database.
    ELoadSource Start(ILoadProgress* progress);
    // The load sequence; the windows hear about the order reset afterwards.
    ELoadSource LoadDatabase(ILoadProgress* progress);
    // "Recache Database" and the configuration dialog's recache: settings saved, a waiting
    // archive installed, the database rebuilt from XML (the prompter says why when it is not).
    void Recache(ILoadProgress* progress);
    // Reloads the theme "CurrentTheme"; false (colours kept) when it cannot be read.
    bool ReloadTheme();
    // Raises or lowers the user-interface thread's priority from "HighPriority".
    void ApplyThreadPriority();
    // The orders folder (the setting, else the data folder's "Orders").
    std::filesystem::path OrdersFolder();

    CSession& Session() { return m_session; }
    const std::filesystem::path& DataFolder() const { return m_session.DataFolder(); }
    CSettings& Settings() { return m_session.Settings(); }
    CGameDatabase& Database() { return m_session.Database(); }
    CIconManager& Icons() { return m_session.Icons(); }
    CProfileList& Profiles() { return m_session.Profiles(); }
    CTheme& Theme() { return m_session.Theme(); }
    COrder& Order() { return m_session.Order(); }
    ISettingsStore& Store() { return *m_store; }
    IPrompter& Prompter() { return m_prompter; }
    CMessageBoxPrompter& MessagePrompter() { return m_prompter; }
    // What opens web pages and exported files; tests put a recorder in its place.
    ILinkOpener& Links() { return m_links ? *m_links : m_qtLinks; }
    void SetLinkOpener(ILinkOpener* opener) { m_links = opener; }

    // The player's price list, read from the data folder on first use (the prompter says
    // what could not be read). The windows that show costs follow Bus().PricesChanged.
    CPlayerPrices& Prices();

    // The icon store's icon as the views draw it, made once per load.
    const QIcon& Icon(int index);

    // The windows' placement records.
    CWindowPlacements placements;
    // The global hotkeys another program holds, for the configuration dialog.
    std::vector<std::string> hotkeysTaken;

    // The order was edited, opened or reset: every window showing it refreshes. A change no
    // window named still becomes a step of the history, so that nothing escapes undo.
    void OrderChanged()
    {
        m_history.Commit(std::string(Messages::EditOrder));
        Q_EMIT m_bus.OrderChanged();
    }
    // An edit of the order, named for the Edit menu ("Rename Group"); edits of one merge
    // key that follow each other are undone together.
    void OrderEdited(std::string_view name, const std::string& mergeKey = {})
    {
        m_history.Commit(std::string(name), mergeKey);
        OrderChanged();
    }
    // Undo and redo of order edits; false when there was nothing to do.
    bool UndoOrderEdit();
    bool RedoOrderEdit();
    COrderHistory& History() { return m_history; }
    // The order with its ticks, as the order window shows it.
    COrderModel& OrderModel() { return *m_orderModel; }
    // The ticked entries: what the reports cover.
    COrderSelection OrderSelection();
    // The order window's current entry, kept beside the model so that other windows read it.
    QItemSelectionModel& OrderCurrent() { return *m_orderCurrent; }
    // The group of that entry, where a new item goes (empty: none).
    std::string OrderCurrentGroup();

    // Set by the windows: the order was reset by a load; the revision may have changed.
    std::function<void()> onDatabaseLoaded;
    // The theme's colours are applied; true repaints the open windows.
    std::function<void(bool)> onApplyTheme;

    // What the windows tell each other.
    CWindowBus& Bus() { return m_bus; }
    // A profile was edited, added, deleted or made current: every window showing profiles
    // but the one that made the change (it shows it already) follows.
    void ProfilesChanged(const void* from = nullptr) { Q_EMIT m_bus.ProfilesChanged(from); }

private:
    void AfterLoad();

    std::unique_ptr<ISettingsStore> m_store;
    CQtImageDecoder m_decoder;
    CQtSystemColours m_systemColours;
    CMessageBoxPrompter m_prompter;
    CSession m_session;
    COrderHistory m_history{m_session.Order()};
    CQtLinkOpener m_qtLinks;
    ILinkOpener* m_links = nullptr;
    CWindowBus m_bus;
    QHash<int, QIcon> m_icons;
    CPlayerPrices m_prices;
    bool m_pricesLoaded = false;
    std::unique_ptr<COrderModel> m_orderModel;
    std::unique_ptr<QItemSelectionModel> m_orderCurrent;
};
