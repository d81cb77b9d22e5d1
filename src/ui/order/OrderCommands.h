#pragma once

class CAppContext;
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
// Before something that would lose an unsaved order: asks to save it, discard it or
// cancel. True when the caller may go on (nothing unsaved, saved, or discarded).
bool SaveChangesFirst(CAppContext& app, QWidget* parent);
} // namespace OrderCommands
