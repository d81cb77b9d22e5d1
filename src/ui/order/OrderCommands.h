#pragma once

#include <string>
#include <vector>

class CAppContext;
class QMimeData;
class QWidget;

// The order file commands of the toolbar's File menu. Each refreshes the windows that show
// the order when it changed it.
namespace OrderCommands
{
void NewOrder(CAppContext& app, QWidget* parent);
// False when nothing was opened (cancelled).
bool OpenOrder(CAppContext& app, QWidget* parent);
// Save asks for a name while the order is untitled. False when nothing was written.
bool SaveOrder(CAppContext& app, QWidget* parent);
bool SaveOrderAs(CAppContext& app, QWidget* parent);
// Reads an order file (a recent one, say): on success it joins the recent orders.
void OpenOrderFile(CAppContext& app, QWidget* parent, const std::string& path);
// The recent orders after those that no longer exist were dropped, each with a message.
std::vector<std::string> RecentOrders(CAppContext& app, QWidget* parent);
// "New Order from Template...": the wizard, then the order it makes replaces or joins the
// current one (a modified order is replaced only after a question). False when cancelled.
bool NewOrderFromTemplate(CAppContext& app, QWidget* parent);
// Before something that would lose an unsaved order: asks to save it, discard it or
// cancel. True when the caller may go on (nothing unsaved, saved, or discarded).
bool SaveChangesFirst(CAppContext& app, QWidget* parent);
// A formula dragged from a browser, dropped where the order takes it: whether the data is one.
bool IsDroppedFormula(const QMimeData* data);
// It joins the order in the group (empty: the group selected in the order window, as "Add
// Item" does). The new item's id; -1 when the data holds no item.
int AddDroppedFormula(CAppContext& app, const QMimeData* data, const std::string& group = {});
} // namespace OrderCommands
