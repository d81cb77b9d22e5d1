#include "ui/order/OrderCommands.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "browsers/OrderWizard.h"
#include "browsers/PastedList.h"
#include "order/OrderWindowLogic.h"
#include "ui/order/OrderModel.h"
#include "ui/order/WizardDialog.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/QtText.h"

#include "base/NumberText.h"

#include <QFile>
#include <QMimeData>

namespace
{
const QString XmlSuffix = QStringLiteral("xml");

QString OrdersFolder(CAppContext& app)
{
    const std::filesystem::path folder = app.OrdersFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return Qs(folder.string());
}

bool WriteTo(CAppContext& app, QWidget* parent, const std::string& path)
{
    if (!MaySaveOrderOver(app.Order(), path, app.Prompter()))
        return false;
    EOrderSave saved = app.Order().Save(path, app.Database());
    if (saved == EOrderSave::ChangedOnDisk &&
        app.Prompter().AskYesNo(TrBytes(Messages::OrderChangedOnDisk1) + path + TrBytes(Messages::OrderChangedOnDisk2)))
        saved = app.Order().Save(path, app.Database(), true);
    if (saved == EOrderSave::ChangedOnDisk)
        return false; // kept as it is: the player may save it elsewhere or reopen the file
    if (saved == EOrderSave::Saved)
    {
        app.History().MarkClean();
        AddRecentOrder(app.Settings(), path);
        app.OrderChanged();
        return true;
    }
    // The order stays marked modified; the user must know it is not on disk.
    CMessageBox::Show(parent,
                      Qs(TrBytes(Messages::OrderNotSaved1) + path + std::string(Messages::OrderNotSaved2) + "\n\n" +
                         app.Order().SaveFailure()),
                      CMessageBox::EIcon::Warning);
    return false;
}
} // namespace

namespace OrderCommands
{
void NewOrder(CAppContext& app, QWidget*)
{
    if (app.Order().NewOrder(app.Prompter()))
    {
        app.History().Reset();
        app.OrderChanged();
    }
}

bool OpenOrder(CAppContext& app, QWidget* parent)
{
    if (!SaveChangesFirst(app, parent))
        return false;
    const QString name = CFileDialog::GetOpenFileName(parent, OrdersFolder(app), Tr(Messages::OrderFileFilter));
    if (name.isEmpty())
        return false;
    OpenOrderFile(app, parent, QFile::encodeName(name).toStdString());
    return true;
}

void OpenOrderFile(CAppContext& app, QWidget*, const std::string& path)
{
    if (::OpenOrder(app.Order(), path, app.Database(), app.Prompter()))
        AddRecentOrder(app.Settings(), path);
    app.History().Reset();
    app.OrderChanged();
}

std::vector<std::string> RecentOrders(CAppContext& app, QWidget* parent)
{
    const std::vector<std::string> dropped = DropMissingRecentOrders(app.Settings());
    for (const std::string& path : dropped)
        CMessageBox::Show(parent, TrFormat(Messages::RecentOrderMissing, path.c_str()),
                          CMessageBox::EIcon::Information);
    return app.Settings().RecentOrders;
}

bool SaveOrder(CAppContext& app, QWidget* parent)
{
    const std::string& path = app.Order().filePath;
    if (path.empty() || path == DataPaths::UntitledOrder)
        return SaveOrderAs(app, parent);
    return WriteTo(app, parent, path);
}

bool SaveOrderAs(CAppContext& app, QWidget* parent)
{
    const QString name =
        CFileDialog::GetSaveFileName(parent, OrdersFolder(app), Tr(Messages::OrderFileFilter), XmlSuffix);
    if (name.isEmpty())
        return false;
    return WriteTo(app, parent, QFile::encodeName(name).toStdString());
}
bool NewOrderFromTemplate(CAppContext& app, QWidget* parent)
{
    CWizardDialog dialog(app, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    ApplyWizard(app.Order(), dialog.Plan(), dialog.Replace());
    app.OrderEdited(Messages::EditWizard);
    return true;
}

bool SaveChangesFirst(CAppContext& app, QWidget* parent)
{
    if (!app.Order().modified)
        return true;
    const std::string question =
        TrBytes(Messages::UnsavedOrder1) + app.Order().filePath + std::string(Messages::UnsavedOrder2);
    switch (CMessageBox::AskSaveDiscardCancel(parent, Qs(question)))
    {
    case CMessageBox::EAnswer::Yes: return SaveOrder(app, parent);
    case CMessageBox::EAnswer::No: return true;
    case CMessageBox::EAnswer::Cancel: return false;
    }
    return false;
}

bool IsDroppedFormula(const QMimeData* data)
{
    return data && data->hasFormat(QString::fromLatin1(COrderModel::ItemMimeType));
}

int AddDroppedFormula(CAppContext& app, const QMimeData* data, const std::string& group)
{
    if (!IsDroppedFormula(data))
        return -1;
    std::optional<COrderItem> dropped =
        ItemFromDragText(data->data(QString::fromLatin1(COrderModel::ItemMimeType)).toStdString());
    if (!dropped)
        return -1;
    COrder& order = app.Order();
    const std::string selected = group.empty() ? app.OrderCurrentGroup() : std::string();
    dropped->group = group.empty() ? GroupForNewItem(order, selected) : group;
    order.AddGroup(dropped->group);
    const int id = order.AddItem(std::make_unique<COrderItem>(std::move(*dropped))).id;
    order.modified = true;
    app.OrderEdited(Messages::EditAddItem);
    return id;
}
} // namespace OrderCommands
