#include "UiFixture.h"

#include "ui/browsers/FormulaWindow.h"
#include "ui/order/OrderWindow.h"
#include "ui/MainWindows.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/widgets/GridWidget.h"
#include "ui/widgets/ThemedTree.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace
{
// The value of the first details row with the label; empty when there is none.
std::string DetailValue(const CGridWidget& grid, const std::string& label)
{
    for (int row = 0; row < grid.Rows(); ++row)
        if (grid.TextMatrix(row, 0) == label)
            return grid.TextMatrix(row, 1);
    return {};
}

struct CFormulaSession
{
    CFormulaSession()
    {
        app = fixture.MakeApp();
        app->Start(nullptr);
        RegisterOrderWindows();
        toolbar = std::make_unique<CToolbarWindow>(*app);
        toolbar->Initialise();
        orders = static_cast<COrderWindow*>(toolbar->Window(EToolWindow::Order));
        window = static_cast<CFormulaWindow*>(toolbar->Window(EToolWindow::Formulae));
    }
    CUiFixture fixture;
    std::unique_ptr<CAppContext> app;
    std::unique_ptr<CToolbarWindow> toolbar;
    COrderWindow* orders = nullptr;
    CFormulaWindow* window = nullptr;
};
} // namespace

class CFormulaWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void SearchSelectTierAddAndIncrease();
    void TechniquesLimitTheTiers();
    void MenusCarryTheSettings();
    void TheTierShownIsTheTierAdded();
    void ASearchIsNotReopenedAfterARestart();
    void AddedItemsJoinANamedGroup();
};

void CFormulaWindowTest::SearchSelectTierAddAndIncrease()
{
    CFormulaSession s;
    CFormulaWindow& window = *s.window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Formula Database"));
    QCOMPARE(window.ResourceGrid()->TextMatrix(0, 3), std::string("Skill Used"));
    QCOMPARE(window.TiersGrid()->TextMatrix(0, 0), std::string("Tiers"));
    QCOMPARE(window.TechniquesGrid()->TextMatrix(0, 0), std::string("Techniques"));
    QCOMPARE(window.Categories()->item(0)->text(), QStringLiteral("All"));
    QCOMPARE(window.Categories()->item(1)->text(), QStringLiteral("Custom"));

    // The name search switches to "Custom" and shows only the matching formula.
    window.ApplyNameFilter("LONGBLADE");
    QCOMPARE(window.Categories()->currentItem()->text(), QStringLiteral("Custom"));
    QCOMPARE(s.app->Settings().LastFormulaCategory, std::string("Custom"));
    QCOMPARE(window.FoundLabel()->text(), QStringLiteral("1 Formulae (Filtered)"));
    QCOMPARE(window.Tree()->topLevelItemCount(), 1);
    QTreeWidgetItem* category = window.Tree()->topLevelItem(0);
    QVERIFY(category->text(0).startsWith(QStringLiteral("Bladesmith (1/")));
    QCOMPARE(category->childCount(), 1);
    QCOMPARE(category->child(0)->text(0), QStringLiteral("Longblade"));
    QVERIFY(!window.AddButton()->isEnabled());
    QCOMPARE(window.TiersGrid()->TextMatrix(1, 0), std::string("None"));

    // Selecting it starts a working item at its first tier.
    window.Tree()->setCurrentItem(category->child(0));
    QCOMPARE(window.Working().item.formula, std::string("Longblade"));
    QCOMPARE(window.Working().item.tierName, std::string("Tier II"));
    QCOMPARE(window.TiersGrid()->Rows(), 6);
    QCOMPARE(window.TiersGrid()->TextMatrix(1, 0), std::string("Ruddite Longblade"));
    QCOMPARE(window.DetailsGrid()->TextMatrix(0, 1), std::string("Ruddite Longblade"));
    QCOMPARE(DetailValue(*window.DetailsGrid(), "Damage"), std::string("12-19"));
    QCOMPARE(DetailValue(*window.DetailsGrid(), "Equip Slot"), std::string("Right Hand"));
    QVERIFY(window.AddButton()->isEnabled());
    QCOMPARE(window.AddButton()->text(), QStringLiteral("Add Item"));

    // Choosing the third tier.
    window.ChooseTierRow(3);
    QCOMPARE(window.Working().item.tierName, std::string("Tier IV"));
    QCOMPARE(window.Working().item.itemName, std::string("Duskiron Longblade"));
    QCOMPARE(window.DetailsGrid()->TextMatrix(0, 1), std::string("Duskiron Longblade"));
    QCOMPARE(window.DetailsGrid()->TextMatrix(1, 1),
             std::string("The blade of choice of the Gallowgate wardens, reforged after the winter war."));
    QCOMPARE(DetailValue(*window.DetailsGrid(), "Damage"), std::string("18-27"));
    const CGridWidget& resources = *window.ResourceGrid();
    QCOMPARE(resources.Rows(), 3);
    QCOMPARE(resources.TextMatrix(1, 0), std::string("Duskiron Plate"));
    QCOMPARE(resources.TextMatrix(1, 3), std::string("Smithing"));
    QCOMPARE(resources.TextMatrix(1, 4), std::string("26"));
    QCOMPARE(resources.TextMatrix(1, 5), std::string("56"));
    QCOMPARE(resources.TextMatrix(2, 0), std::string("Cavebear Strap"));
    QCOMPARE(resources.TextMatrix(2, 3), std::string("Tanning"));
    QCOMPARE(s.app->Order().items.size(), std::size_t(0));

    // Add, then increase twice: one order item of three batches, shown in the order window.
    window.AddButton()->click();
    QCOMPARE(window.AddButton()->text(), QStringLiteral("Increase Qty"));
    QVERIFY(s.app->Order().modified);
    QCOMPARE(s.app->Order().items.size(), std::size_t(1));
    const int id = window.Working().item.id;
    QVERIFY(s.orders->ItemEntry(id) != nullptr);
    QCOMPARE(s.orders->SelectedId(), id);
    window.AddButton()->click();
    window.AddButton()->click();
    QCOMPARE(s.app->Order().items.size(), std::size_t(1));
    const COrderItem& item = *s.app->Order().items.front();
    QCOMPARE(item.batches, 3);
    QCOMPARE(item.formula, std::string("Longblade"));
    QCOMPARE(item.tierName, std::string("Tier IV"));
    QCOMPARE(item.itemName, std::string("Duskiron Longblade"));
    QCOMPARE(window.QuickItemCombo()->count(), 2);
    QCOMPARE(window.QuickItemCombo()->itemText(0), QStringLiteral("None"));

    // A tier chosen in "Increase Qty" mode goes into the order item.
    window.ChooseTierRow(4);
    QCOMPARE(s.app->Order().items.front()->tierName, std::string("Tier V"));
    QCOMPARE(s.app->Order().items.front()->batches, 3);
    s.toolbar->close();
}

void CFormulaWindowTest::TechniquesLimitTheTiers()
{
    CFormulaSession s;
    CFormulaWindow& window = *s.window;
    window.ApplyNameFilter("shortblade");
    window.Tree()->setCurrentItem(window.Tree()->topLevelItem(0)->child(0));
    QCOMPARE(window.Working().item.itemName, std::string("Palecopper Shortblade"));
    CMessageBox::TakeLog();

    // Tier I is too low for the third tier of Keen Edge.
    const COrderTechnique keenIII{"Temper", "Keen Edge", "Keen Edge III"};
    const COrderTechnique keenI{"Temper", "Keen Edge", "Keen Edge I"};
    QVERIFY(!window.AttachTechniqueTier(keenIII));
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral("This tier of the Formula 'Palecopper Shortblade' cannot take 'Keen Edge'.\n"
                                        "Please remove it and try again")});
    QCOMPARE(window.TechniquesGrid()->TextMatrix(1, 0), std::string("None"));

    // Tier III takes two.
    window.ChooseTierRow(3);
    QVERIFY(window.AttachTechniqueTier(keenIII));
    QVERIFY(window.AttachTechniqueTier(keenI));
    QCOMPARE(window.TechniquesGrid()->Rows(), 3);
    QCOMPARE(window.TechniquesGrid()->TextMatrix(1, 0), std::string("Keen Edge"));
    const CGridWidget& resources = *window.ResourceGrid();
    QCOMPARE(resources.TextMatrix(1, 0), std::string("Tinbright Plate"));
    // Both tiers' skill adjustments (13 and 5) raise the minimum and the optimum.
    QCOMPARE(resources.TextMatrix(1, 4), std::string("34"));
    QCOMPARE(resources.TextMatrix(1, 5), std::string("64"));
    QCOMPARE(resources.TextMatrix(3, 0), std::string("Whetstone Grit"));
    QCOMPARE(resources.TextMatrix(3, 2), std::string("6"));
    QCOMPARE(resources.TextMatrix(3, 3), std::string("(technique)"));
    QCOMPARE(DetailValue(*window.DetailsGrid(), "Technique(s)"), std::string("Keen Edge"));
    QVERIFY(!window.AttachTechniqueTier(keenI));
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral(
                 "This tier of the Formula 'Tinbright Shortblade' has no room for 'Keen Edge': it can only take 2 techniques.")});

    // Back to Tier I is refused while two are attached; the tier stays.
    window.ChooseTierRow(1);
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral("This tier of the Formula 'Palecopper Shortblade' can only take 1 techniques.\n"
                                        "Please remove any excess techniques and try again")});
    QCOMPARE(window.Working().item.itemName, std::string("Tinbright Shortblade"));
    QCOMPARE(window.TiersGrid()->currentRow(), 3);

    // Removing the first leaves the second; Tier I then takes it.
    window.TechniquesGrid()->setCurrentCell(1, 0);
    window.RemoveSelectedTechnique();
    QCOMPARE(window.Working().item.techniques.size(), std::size_t(1));
    QCOMPARE(window.Working().item.techniques[0].tierName, std::string("Keen Edge I"));
    window.ChooseTierRow(1);
    QCOMPARE(window.Working().item.itemName, std::string("Palecopper Shortblade"));
    QVERIFY(CMessageBox::TakeLog().isEmpty());
    s.toolbar->close();
}

void CFormulaWindowTest::MenusCarryTheSettings()
{
    CFormulaSession s;
    CFormulaWindow& window = *s.window;
    window.SetExpandMode(EExpandMode::AllCategories);
    window.SetBreakdownMode(BreakdownBaseResources);
    window.SetResourceRows(12);
    const bool shrink = s.app->Settings().AutoShrink;
    window.ToggleAutoShrink();
    QCOMPARE(s.app->Settings().ExpandFormulaMode, 2);
    QCOMPARE(s.app->Settings().ShowResourceMode, 2);
    QCOMPARE(s.app->Settings().ItemResourceSize, 12);
    QCOMPARE(s.app->Settings().AutoShrink, !shrink);

    // Every checked entry of the Options menu names the current choice.
    QStringList checked;
    const QList<QAction*> menus = window.menuBar()->actions();
    for (QAction* menu : menus)
        if (menu->text() == QStringLiteral("Options"))
            for (QAction* sub : menu->menu()->actions())
                if (sub->menu())
                    for (QAction* entry : sub->menu()->actions())
                        if (entry->isChecked())
                            checked << entry->text();
    QStringList expected = {QStringLiteral("All Categories"), QStringLiteral("Show Base Resource"),
                            QStringLiteral("Set To 12 Rows")};
    if (!shrink)
        expected.insert(2, QStringLiteral("Autoshrink"));
    QCOMPARE(checked, expected);

    // The class search names its code in the count line.
    window.ApplyClassFilter("Craft: Armorer (ARM)");
    QVERIFY(window.FoundLabel()->text().endsWith(QStringLiteral(" Formulae (ARM)")));
    s.toolbar->close();
}

void CFormulaWindowTest::TheTierShownIsTheTierAdded()
{
    CFormulaSession s;
    CFormulaWindow& window = *s.window;
    window.show();
    window.ApplyNameFilter("blade");
    QTreeWidgetItem* category = window.Tree()->topLevelItem(0);
    QCOMPARE(category->child(2)->text(0), QStringLiteral("Shortblade"));
    window.Tree()->setCurrentItem(category->child(2));
    // A click on "Palecopper Shortblade" (Tier I); the Longblade has no Tier I, so a new
    // Longblade starts at its last tier, and every part of the window shows that tier.
    CGridWidget& tiers = *window.TiersGrid();
    QTest::mouseClick(tiers.viewport(), Qt::LeftButton, {}, tiers.visualItemRect(tiers.item(1, 0)).center());
    QCOMPARE(window.DetailsGrid()->TextMatrix(0, 1), std::string("Palecopper Shortblade"));
    QCOMPARE(category->child(1)->text(0), QStringLiteral("Longblade"));
    window.Tree()->setCurrentItem(category->child(1));
    QCOMPARE(tiers.TextMatrix(tiers.currentRow(), 0), std::string("Emberbronze Longblade"));
    QCOMPARE(window.DetailsGrid()->TextMatrix(0, 1), std::string("Emberbronze Longblade"));
    QCOMPARE(DetailValue(*window.DetailsGrid(), "Damage"), std::string("24-35"));
    QCOMPARE(window.ResourceGrid()->TextMatrix(1, 0), std::string("Emberbronze Plate"));
    window.AddButton()->click();
    QCOMPARE(s.app->Order().items.size(), std::size_t(1));
    QCOMPARE(s.app->Order().items[0]->itemName, std::string("Emberbronze Longblade"));
    QCOMPARE(s.app->Order().items[0]->tierName, std::string("Tier VI"));
    s.toolbar->close();
}

void CFormulaWindowTest::ASearchIsNotReopenedAfterARestart()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    app->Settings().LastFormulaCategory = "Custom";
    RegisterOrderWindows();
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    auto* window = static_cast<CFormulaWindow*>(toolbar.Window(EToolWindow::Formulae));
    QCOMPARE(window->Categories()->currentItem()->text(), QStringLiteral("All"));
    int shown = 0;
    for (int i = 0; i < window->Tree()->topLevelItemCount(); ++i)
        shown += window->Tree()->topLevelItem(i)->childCount();
    QVERIFY(shown > 40);
    QCOMPARE(window->FoundLabel()->text(), QStringLiteral("%1 Formulae").arg(shown));
    toolbar.close();
}

void CFormulaWindowTest::AddedItemsJoinANamedGroup()
{
    CFormulaSession s;
    CFormulaWindow& window = *s.window;
    COrder& order = s.app->Order();
    window.ApplyNameFilter("blade");
    QTreeWidgetItem* category = window.Tree()->topLevelItem(0);
    // An empty order gets a group of its own name.
    window.Tree()->setCurrentItem(category->child(1));
    window.AddButton()->click();
    QCOMPARE(order.groups, std::vector<std::string>{"Items"});
    QCOMPARE(order.items[0]->group, std::string("Items"));
    QCOMPARE(s.orders->Tree()->topLevelItem(0)->text(0), QStringLiteral("Items"));

    // The group selected in the order window, else the first group.
    CTextPrompt::SetNextText(QStringLiteral("Spare"));
    s.orders->NewGroup();
    s.orders->Tree()->setCurrentItem(s.orders->GroupEntry(QStringLiteral("Spare")));
    window.Tree()->setCurrentItem(category->child(2));
    window.AddButton()->click();
    QCOMPARE(order.items[1]->group, std::string("Spare"));
    s.orders->Tree()->setCurrentItem(nullptr);
    window.Tree()->setCurrentItem(category->child(0));
    window.AddButton()->click();
    QCOMPARE(order.items[2]->group, std::string("Items"));
    s.toolbar->close();
}

QTEST_MAIN(CFormulaWindowTest)
#include "FormulaWindowTest.moc"
