#include "UiFixture.h"
#include "ViewText.h"

#include "ui/browsers/FormulaWindow.h"
#include "ui/order/OrderCommands.h"
#include "ui/order/OrderModel.h"
#include "ui/order/OrderWindow.h"
#include "ui/order/WizardDialog.h"
#include "ui/MainWindows.h"
#include "ui/shell/ToggleButton.h"
#include "ui/shell/ToolbarWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace
{
struct CWizardSession
{
    CWizardSession()
    {
        app = fixture.MakeApp();
        app->Start(nullptr);
        RegisterOrderWindows();
        toolbar = std::make_unique<CToolbarWindow>(*app);
        toolbar->Initialise();
        orders = static_cast<COrderWindow*>(toolbar->Window(EToolWindow::Order));
    }
    CFormulaWindow* Formulae() { return static_cast<CFormulaWindow*>(toolbar->Window(EToolWindow::Formulae)); }

    CUiFixture fixture;
    std::unique_ptr<CAppContext> app;
    std::unique_ptr<CToolbarWindow> toolbar;
    COrderWindow* orders = nullptr;
};

QStringList Texts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& start)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0).startsWith(start))
            return parent->child(i);
    return nullptr;
}

QTreeWidgetItem* Top(QTreeWidget* tree, const QString& start)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0).startsWith(start))
            return tree->topLevelItem(i);
    return nullptr;
}
} // namespace

class CWizardWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { CMessageBox::SetScripted(true); }
    void WizardPagesBuildTheOrder();
    void WizardAlwaysAddsToTheOrder();
    void WindowAndCommandLineMakeTheSameOrder();
    void PasteDragUndoAndFilter();
    void FormulaeDroppedOnTheOrderButtonOrBesideTheGroups();
};

void CWizardWindowsTest::WizardPagesBuildTheOrder()
{
    CWizardSession s;
    s.app->Profiles().current = s.app->Profiles().Find("Ysolde", "Local");
    bool driven = false;
    // The dialog is modal: it is driven from inside its own event loop.
    QTimer::singleShot(0, this, [&]
    {
        auto* wizard = qobject_cast<CWizardDialog*>(QApplication::activeModalWidget());
        QVERIFY(wizard);
        // A failed check returns early: the dialog is closed so that the test ends.
        struct CCloser
        {
            CWizardDialog* dialog;
            ~CCloser()
            {
                if (dialog->isVisible())
                    dialog->reject();
            }
        } closer{wizard};
        // Page 1: the current profile offers every template of a school it has.
        QVERIFY(wizard->ProfileRadio()->isChecked());
        QCOMPARE(wizard->ProfileCombo()->currentText(), QStringLiteral("Amberlight:Ysolde"));
        QCOMPARE(Texts(wizard->TemplateList()),
                 (QStringList{QStringLiteral("Bladesmith (Craft) - Tier II to Tier V"),
                              QStringLiteral("Scribe (Craft) - Tier IV to Tier IX"),
                              QStringLiteral("Warden (Adventure) - Tier V")}));
        // By hand: a Khutit has no scribe template; an adventurer of level 12 works Tier III.
        wizard->ByHandRadio()->setChecked(true);
        wizard->RaceCombo()->setCurrentText(QStringLiteral("Khutit"));
        wizard->TypeCombo()->setCurrentText(QStringLiteral("Adventure"));
        wizard->LevelSpin()->setValue(12);
        QCOMPARE(Texts(wizard->TemplateList()), QStringList{QStringLiteral("Warden (Adventure) - Tier III")});
        wizard->TypeCombo()->setCurrentText(QStringLiteral("Craft"));
        wizard->SchoolCombo()->setCurrentText(QStringLiteral("Scribe"));
        QCOMPARE(wizard->TemplateList()->count(), 0);
        QVERIFY(!wizard->button(QWizard::NextButton)->isEnabled());
        wizard->SchoolCombo()->setCurrentText(QStringLiteral("Bladesmith"));
        QCOMPARE(Texts(wizard->TemplateList()), QStringList{QStringLiteral("Bladesmith (Craft) - Tier III")});
        wizard->next();

        // Page 2: every set ticked, as the command line makes it; choices kept per formula.
        QCOMPARE(wizard->currentId(), int(CWizardDialog::WhatPage));
        QTreeWidget* formulae = wizard->FormulaTree();
        QTreeWidgetItem* arms = Top(formulae, QStringLiteral("Bladesmith Arms: "));
        QTreeWidgetItem* stock = Top(formulae, QStringLiteral("Foundry Stock: "));
        QVERIFY(arms && stock);
        QCOMPARE(arms->checkState(0), Qt::Checked);
        QCOMPARE(stock->checkState(0), Qt::Checked);
        QCOMPARE(arms->childCount(), 9);
        for (int i = 1; i < arms->childCount(); ++i)
            arms->child(i)->setCheckState(0, Qt::Unchecked);
        QTreeWidgetItem* dirk = arms->child(0);
        QCOMPARE(dirk->text(0), QStringLiteral("Dirk"));
        auto* tiers = qobject_cast<QComboBox*>(formulae->itemWidget(dirk, 1));
        QCOMPARE(tiers->currentText(), QStringLiteral("Tinbright Dirk (Tier III)"));
        qobject_cast<QSpinBox*>(formulae->itemWidget(dirk, 2))->setValue(4);
        // An unticked set's formulae are out of reach until the set is ticked.
        stock->setCheckState(0, Qt::Unchecked);
        QVERIFY(stock->child(0)->isDisabled() && !formulae->itemWidget(stock->child(0), 1)->isEnabled());
        stock->setCheckState(0, Qt::Checked);
        QVERIFY(!stock->child(0)->isDisabled() && formulae->itemWidget(stock->child(0), 1)->isEnabled());
        for (int i = 1; i < stock->childCount(); ++i)
            stock->child(i)->setCheckState(0, Qt::Unchecked);
        QVERIFY(wizard->ProblemsLabel()->isHidden());
        wizard->next();

        // Page 3: a technique per item where its tier takes it, ticked from the start.
        QCOMPARE(wizard->currentId(), int(CWizardDialog::HowPage));
        QTreeWidget* techniques = wizard->TechniqueTree();
        QCOMPARE(techniques->topLevelItemCount(), 2);
        QTreeWidgetItem* dirkItem = techniques->topLevelItem(0);
        QCOMPARE(dirkItem->text(0), QStringLiteral("4 x Tinbright Dirk  (Bladesmith Arms)"));
        QTreeWidgetItem* keen = Child(dirkItem, QStringLiteral("Keen Edge"));
        QVERIFY(keen);
        QCOMPARE(keen->text(0), QStringLiteral("Keen Edge III"));
        QCOMPARE(keen->checkState(0), Qt::Checked);
        QCOMPARE(wizard->Summary()->toPlainText(),
                 QStringLiteral("Items: 2, groups: 2\nBladesmith Arms\n    4 x Tinbright Dirk (Keen Edge III)\n"
                                "Foundry Stock\n    2 x Tinbright Ingot\n"));
        QVERIFY(wizard->ReplaceRadio()->isChecked()); // the order is empty
        driven = true;
        wizard->button(QWizard::FinishButton)->click();
    });
    QVERIFY(OrderCommands::NewOrderFromTemplate(*s.app, s.toolbar.get()));
    QVERIFY(driven);

    const COrder& order = s.app->Order();
    QCOMPARE(order.groups, (std::vector<std::string>{"Bladesmith Arms", "Foundry Stock"}));
    QCOMPARE(order.ItemCount(), 2);
    QCOMPARE(order.items[0]->itemName, std::string("Tinbright Dirk"));
    QCOMPARE(order.items[0]->batches, 4);
    QCOMPARE(order.items[0]->techniques.size(), std::size_t(1));
    QCOMPARE(order.items[0]->techniques[0].tierName, std::string("Keen Edge III"));
    QVERIFY(order.modified);
    QVERIFY(s.orders->ItemEntry(order.items[1]->id).isValid());
    QCOMPARE(s.toolbar->UndoAction()->text(), QStringLiteral("Undo Order Wizard"));
    s.toolbar->UndoAction()->trigger();
    QCOMPARE(s.app->Order().ItemCount(), 0);
    QVERIFY(!s.app->Order().modified);
}

// The window's technique page started with every technique unticked where the command line
// gave every item its technique: two orders from one template and profile.
void CWizardWindowsTest::WindowAndCommandLineMakeTheSameOrder()
{
    CWizardSession s;
    s.app->Profiles().current = s.app->Profiles().Find("Ysolde", "Local");
    QString summary;
    QTimer::singleShot(0, this, [&]
    {
        auto* wizard = qobject_cast<CWizardDialog*>(QApplication::activeModalWidget());
        QVERIFY(wizard);
        QCOMPARE(wizard->TemplateList()->currentItem()->text(), QStringLiteral("Bladesmith (Craft) - Tier II to Tier V"));
        wizard->next();
        wizard->next();
        summary = wizard->Summary()->toPlainText();
        wizard->button(QWizard::FinishButton)->click();
    });
    QVERIFY(OrderCommands::NewOrderFromTemplate(*s.app, s.toolbar.get()));
    QVERIFY(summary.contains(QStringLiteral("(Keen Edge")));

    QProcess cli;
    cli.start(QString::fromUtf8(MOXA_CLI),
              {QStringLiteral("--data-dir"), QString::fromStdString(s.fixture.folder.Path().string()),
               QStringLiteral("wizard"), QStringLiteral("--template"), QStringLiteral("Bladesmith"),
               QStringLiteral("--profile"), QStringLiteral("Amberlight:Ysolde"), QStringLiteral("-o"),
               QStringLiteral("-")});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    const QByteArray made = cli.readAllStandardOutput();
    QVERIFY(made.contains("Keen Edge"));
    QCOMPARE(QByteArray::fromStdString(s.app->Order().FileText(s.app->Database())), made);
}

void CWizardWindowsTest::WizardAlwaysAddsToTheOrder()
{
    CWizardSession s;
    CToggleButton* button = s.toolbar->WizardButton();
    for (const bool vertical : {true, false})
    {
        s.toolbar->SetVertical(vertical);
        QVERIFY(button->isVisible());
        QVERIFY(s.toolbar->centralWidget()->rect().contains(button->geometry()));
        for (int id = 0; id < ToolWindowCount; ++id)
            QVERIFY(!button->geometry().intersects(s.toolbar->Button(static_cast<EToolWindow>(id))->geometry()));
    }
    // The wizard may always add to the order, also while the browser's item is in it.
    s.app->Profiles().current = s.app->Profiles().Find("Ysolde", "Local");
    QAction* command = nullptr;
    for (QAction* action : s.toolbar->findChildren<QAction*>())
        if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_T))
            command = action;
    QVERIFY(command);
    QCOMPARE(command->text(), QStringLiteral("New Order from &Template..."));
    CFormulaWindow* formulae = s.Formulae();
    formulae->ApplyNameFilter("Longblade");
    formulae->Tree()->setCurrentIndex(Entry(formulae->Tree(), {0, 0}));
    formulae->AddButton()->click();
    QCOMPARE(formulae->AddButton()->text(), QStringLiteral("Increase Qty"));
    const int taken = s.app->Order().items.front()->id;
    for (const bool replace : {false, true})
    {
        QVERIFY(button->isEnabled());
        QVERIFY(command->isEnabled());
        const int before = s.app->Order().ItemCount();
        bool driven = false;
        QTimer::singleShot(0, this, [&]
        {
            auto* wizard = s.toolbar->findChild<CWizardDialog*>();
            QVERIFY(wizard);
            wizard->next();
            wizard->next();
            (replace ? wizard->ReplaceRadio() : wizard->AppendRadio())->setChecked(true);
            if (replace)
                CMessageBox::SetNextAnswer(true); // the modified order may go
            driven = true;
            wizard->button(QWizard::FinishButton)->click();
            if (wizard->isVisible())
                wizard->reject();
        });
        command->trigger();
        QVERIFY(driven);
        const COrder& order = s.app->Order();
        QVERIFY(order.ItemCount() > (replace ? 0 : before));
        // Added to: the browser's item is still the order's; replaced: it is a new item again.
        QCOMPARE(order.FindItem(taken) != nullptr, !replace);
        QCOMPARE(formulae->AddButton()->text(), replace ? QStringLiteral("Add Item") : QStringLiteral("Increase Qty"));
    }
}

void CWizardWindowsTest::PasteDragUndoAndFilter()
{
    CWizardSession s;
    COrderWindow& orders = *s.orders;
    COrder& order = s.app->Order();
    order.AddGroup("Forge");
    orders.RefreshOrderTree();

    // The filter as you type narrows the tree on every keystroke, by name or keyword.
    CFormulaWindow* formulae = s.Formulae();
    const auto shown = [formulae]
    {
        QStringList names;
        const QTreeView* tree = formulae->Tree();
        for (int i = 0; i < RowCount(tree); ++i)
            for (int j = 0; j < RowCount(tree, Entry(tree, {i})); ++j)
                names << Cell(tree, j, 0, Entry(tree, {i}));
        return names;
    };
    QTest::keyClicks(formulae->QuickFilterEdit(), QStringLiteral("KITE"));
    QCOMPARE(shown(), QStringList{QStringLiteral("Kite Shield")});
    QTest::keyClick(formulae->QuickFilterEdit(), Qt::Key_Backspace);
    QTest::keyClick(formulae->QuickFilterEdit(), Qt::Key_Backspace);
    QTest::keyClicks(formulae->QuickFilterEdit(), QStringLiteral("ng shi")); // "KING SHI"
    QCOMPARE(shown(), QStringList{});
    formulae->QuickFilterEdit()->setText(QStringLiteral("shield armorwright"));
    QCOMPARE(shown(), (QStringList{QStringLiteral("Buckler"), QStringLiteral("Kite Shield"), QStringLiteral("Tower Shield")})); // keywords count too
    formulae->QuickFilterEdit()->clear();

    // Ctrl+V into the selected group; what matches nothing is named in one message.
    orders.Tree()->setCurrentIndex(orders.GroupEntry(QStringLiteral("Forge")));
    QGuiApplication::clipboard()->setText(QStringLiteral("2 x Ruddite Longblade\r\nNo Such Thing\r\n"));
    CMessageBox::TakeLog();
    orders.PasteAction()->trigger();
    QCOMPARE(order.ItemCount(), 1);
    QCOMPARE(order.items[0]->group, std::string("Forge"));
    QCOMPARE(order.items[0]->batches, 2);
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral("These lines name no formula and were not added:\n    No Such Thing")});
    QCOMPARE(s.toolbar->UndoAction()->text(), QStringLiteral("Undo Paste"));

    // A formula dragged from the browser joins the group at the browser's tier.
    formulae->ApplyNameFilter("Longblade");
    formulae->Tree()->setCurrentIndex(Entry(formulae->Tree(), {0, 0}));
    formulae->ChooseTierRow(2);
    orders.show();
    QVERIFY(QTest::qWaitForWindowExposed(&orders));
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(COrderModel::ItemMimeType), formulae->DragItem());
    const QPoint at = orders.Tree()->visualRect(orders.GroupEntry(QStringLiteral("Forge"))).center();
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(orders.Tree()->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDragMoveEvent move(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(orders.Tree()->viewport(), &move);
    QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(orders.Tree()->viewport(), &drop);
    delete mime;
    QCOMPARE(order.ItemCount(), 2);
    QCOMPARE(order.items[1]->itemName, std::string("Duskiron Longblade"));
    QCOMPARE(order.items[1]->tierName, std::string("Tier IV"));
    QCOMPARE(order.items[1]->group, std::string("Forge"));
    QCOMPARE(s.toolbar->UndoAction()->text(), QStringLiteral("Undo Add Item"));

    // Ctrl+Z twice, Ctrl+Y once.
    s.toolbar->UndoAction()->trigger();
    s.toolbar->UndoAction()->trigger();
    QCOMPARE(order.ItemCount(), 0);
    QCOMPARE(s.toolbar->RedoAction()->text(), QStringLiteral("Redo Paste"));
    s.toolbar->RedoAction()->trigger();
    QCOMPARE(order.ItemCount(), 1);
    QVERIFY(orders.ItemEntry(order.items[0]->id).isValid());

}

// With Autodock on the Formula Database hides the order window, so a formula could not be
// dragged into the order; dropped on the tree's empty space it did nothing.
void CWizardWindowsTest::FormulaeDroppedOnTheOrderButtonOrBesideTheGroups()
{
    CWizardSession s;
    s.app->Settings().DockingMode = true;
    COrder& order = s.app->Order();
    order.AddGroup("Forge");
    order.AddGroup("Spare");
    s.orders->RefreshOrderTree();
    s.toolbar->ShowWindow(EToolWindow::Order);
    s.orders->Tree()->setCurrentIndex(s.orders->GroupEntry(QStringLiteral("Spare")));
    s.toolbar->ShowWindow(EToolWindow::Formulae);
    QVERIFY(!s.orders->isVisible());
    CFormulaWindow* formulae = s.Formulae();
    formulae->ApplyNameFilter("Longblade");
    formulae->Tree()->setCurrentIndex(Entry(formulae->Tree(), {0, 0}));
    formulae->ChooseTierRow(2);
    QMimeData mime;
    mime.setData(QString::fromLatin1(COrderModel::ItemMimeType), formulae->DragItem());
    const auto dropOn = [&mime](QWidget* target, const QPoint& at)
    {
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        return enter.isAccepted() && drop.isAccepted();
    };
    QPushButton* button = s.toolbar->Button(EToolWindow::Order);
    QVERIFY(dropOn(button, button->rect().center()));
    QCOMPARE(order.ItemCount(), 1);
    QCOMPARE(order.items[0]->itemName, std::string("Duskiron Longblade"));
    QCOMPARE(order.items[0]->group, std::string("Spare"));
    QCOMPARE(s.toolbar->UndoAction()->text(), QStringLiteral("Undo Add Item"));

    s.toolbar->ShowWindow(EToolWindow::Order);
    QVERIFY(QTest::qWaitForWindowExposed(s.orders));
    s.orders->Tree()->setCurrentIndex(s.orders->GroupEntry(QStringLiteral("Forge")));
    QWidget* viewport = s.orders->Tree()->viewport();
    QVERIFY(dropOn(viewport, QPoint(viewport->width() / 2, viewport->height() - 4)));
    QCOMPARE(order.ItemCount(), 2);
    QCOMPARE(order.items[1]->group, std::string("Forge"));
}

QTEST_MAIN(CWizardWindowsTest)
#include "WizardWindowsTest.moc"
