#include "UiFixture.h"
#include "ViewText.h"

#include "database/GameDatabase.h"
#include "session/Session.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/order/OrderWindow.h"
#include "ui/MainWindows.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/widgets/ThemedTree.h"

#include <QComboBox>
#include <QIcon>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QListView>
#include <QPushButton>
#include <QtTest>

namespace
{
// The value of the first details row with the label; empty when there is none.
std::string DetailValue(const CBrowserGrid* grid, const std::string& label)
{
    for (int row = 0; row < RowCount(grid); ++row)
        if (Text(grid, row, 0) == label)
            return Text(grid, row, 1);
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
    void TheFilterJudgesEachFormulaByItsOwnRecord();
    void ADetailValueWithABarIsShownWhole();
    void CategoryIconsAreTheSameOnEveryStart();
    void CountsFollowTheQuickFilter();
};

void CFormulaWindowTest::SearchSelectTierAddAndIncrease()
{
    CFormulaSession s;
    CFormulaWindow& window = *s.window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Formula Database"));
    QCOMPARE(Heading(window.ResourceGrid(), 3), QStringLiteral("Skill Used"));
    QCOMPARE(Heading(window.TiersGrid(), 0), QStringLiteral("Tiers"));
    QCOMPARE(Heading(window.TechniquesGrid(), 0), QStringLiteral("Techniques"));
    QCOMPARE(Cell(window.Categories(), 0), QStringLiteral("All"));
    QCOMPARE(Cell(window.Categories(), 1), QStringLiteral("Custom"));

    // The name search switches to "Custom" and shows only the matching formula.
    window.ApplyNameFilter("LONGBLADE");
    QCOMPARE(window.Categories()->currentIndex().data().toString(), QStringLiteral("Custom"));
    QCOMPARE(s.app->Settings().LastFormulaCategory, std::string("Custom"));
    QCOMPARE(window.FoundLabel()->text(), QStringLiteral("1 Formulae (Filtered)"));
    QCOMPARE(RowCount(window.Tree()), 1);
    const QModelIndex category = Entry(window.Tree(), {0});
    QVERIFY(category.data().toString().startsWith(QStringLiteral("Bladesmith (1/")));
    QCOMPARE(RowCount(window.Tree(), category), 1);
    QCOMPARE(Child(category, 0).data().toString(), QStringLiteral("Longblade"));
    QVERIFY(!window.AddButton()->isEnabled());
    QCOMPARE(Text(window.TiersGrid(), 0), std::string("None"));

    // Selecting it starts a working item at its first tier.
    window.Tree()->setCurrentIndex(Child(category, 0));
    QCOMPARE(window.Working().item.formula, std::string("Longblade"));
    QCOMPARE(window.Working().item.tierName, std::string("Tier II"));
    QCOMPARE(RowCount(window.TiersGrid()), 5);
    QCOMPARE(Text(window.TiersGrid(), 0), std::string("Ruddite Longblade"));
    QCOMPARE(Text(window.DetailsGrid(), 0, 1), std::string("Ruddite Longblade"));
    QCOMPARE(DetailValue(window.DetailsGrid(), "Damage"), std::string("12-19"));
    QCOMPARE(DetailValue(window.DetailsGrid(), "Equip Slot"), std::string("Right Hand"));
    QVERIFY(window.AddButton()->isEnabled());
    QCOMPARE(window.AddButton()->text(), QStringLiteral("Add Item"));

    // Choosing the third tier.
    window.ChooseTierRow(2);
    QCOMPARE(window.Working().item.tierName, std::string("Tier IV"));
    QCOMPARE(window.Working().item.itemName, std::string("Duskiron Longblade"));
    QCOMPARE(Text(window.DetailsGrid(), 0, 1), std::string("Duskiron Longblade"));
    QCOMPARE(Text(window.DetailsGrid(), 1, 1),
             std::string("The blade of choice of the Gallowgate wardens, reforged after the winter war."));
    QCOMPARE(DetailValue(window.DetailsGrid(), "Damage"), std::string("18-27"));
    const CBrowserGrid* resources = window.ResourceGrid();
    QCOMPARE(RowCount(resources), 2);
    QCOMPARE(Text(resources, 0, 0), std::string("Duskiron Plate"));
    QCOMPARE(Text(resources, 0, 3), std::string("Smithing"));
    QCOMPARE(Text(resources, 0, 4), std::string("26"));
    QCOMPARE(Text(resources, 0, 5), std::string("56"));
    QCOMPARE(Text(resources, 1, 0), std::string("Cavebear Strap"));
    QCOMPARE(Text(resources, 1, 3), std::string("Tanning"));
    QCOMPARE(s.app->Order().items.size(), std::size_t(0));

    // Add, then increase twice: one order item of three batches, shown in the order window.
    window.AddButton()->click();
    QCOMPARE(window.AddButton()->text(), QStringLiteral("Increase Qty"));
    QVERIFY(s.app->Order().modified);
    QCOMPARE(s.app->Order().items.size(), std::size_t(1));
    const int id = window.Working().item.id;
    QVERIFY(s.orders->ItemEntry(id).isValid());
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
    window.ChooseTierRow(3);
    QCOMPARE(s.app->Order().items.front()->tierName, std::string("Tier V"));
    QCOMPARE(s.app->Order().items.front()->batches, 3);
    s.toolbar->close();
}

void CFormulaWindowTest::TechniquesLimitTheTiers()
{
    CFormulaSession s;
    CFormulaWindow& window = *s.window;
    window.ApplyNameFilter("shortblade");
    window.Tree()->setCurrentIndex(Entry(window.Tree(), {0, 0}));
    QCOMPARE(window.Working().item.itemName, std::string("Palecopper Shortblade"));
    CMessageBox::TakeLog();

    // Tier I is too low for the third tier of Keen Edge.
    const COrderTechnique keenIII{"Temper", "Keen Edge", "Keen Edge III"};
    const COrderTechnique keenI{"Temper", "Keen Edge", "Keen Edge I"};
    QVERIFY(!window.AttachTechniqueTier(keenIII));
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral("This tier of the Formula 'Palecopper Shortblade' cannot take 'Keen Edge'.\n"
                                        "Please remove it and try again")});
    QCOMPARE(Text(window.TechniquesGrid(), 0), std::string("None"));

    // Tier III takes two.
    window.ChooseTierRow(2);
    QVERIFY(window.AttachTechniqueTier(keenIII));
    QVERIFY(window.AttachTechniqueTier(keenI));
    QCOMPARE(RowCount(window.TechniquesGrid()), 2);
    QCOMPARE(Text(window.TechniquesGrid(), 0), std::string("Keen Edge"));
    const CBrowserGrid* resources = window.ResourceGrid();
    QCOMPARE(Text(resources, 0, 0), std::string("Tinbright Plate"));
    // Both tiers' skill adjustments (13 and 5) raise the minimum and the optimum.
    QCOMPARE(Text(resources, 0, 4), std::string("34"));
    QCOMPARE(Text(resources, 0, 5), std::string("64"));
    QCOMPARE(Text(resources, 2, 0), std::string("Whetstone Grit"));
    QCOMPARE(Text(resources, 2, 2), std::string("6"));
    QCOMPARE(Text(resources, 2, 3), std::string("(technique)"));
    QCOMPARE(DetailValue(window.DetailsGrid(), "Technique(s)"), std::string("Keen Edge"));
    QVERIFY(!window.AttachTechniqueTier(keenI));
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral(
                 "This tier of the Formula 'Tinbright Shortblade' has no room for 'Keen Edge': it can only take 2 techniques.")});

    // Back to Tier I is refused while two are attached; the tier stays.
    window.ChooseTierRow(0);
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral("This tier of the Formula 'Palecopper Shortblade' can only take 1 techniques.\n"
                                        "Please remove any excess techniques and try again")});
    QCOMPARE(window.Working().item.itemName, std::string("Tinbright Shortblade"));
    QCOMPARE(window.TiersGrid()->currentIndex().row(), 2);

    // Removing the first leaves the second; Tier I then takes it.
    window.TechniquesGrid()->setCurrentIndex(window.TechniquesGrid()->model()->index(0, 0));
    window.RemoveSelectedTechnique();
    QCOMPARE(window.Working().item.techniques.size(), std::size_t(1));
    QCOMPARE(window.Working().item.techniques[0].tierName, std::string("Keen Edge I"));
    window.ChooseTierRow(0);
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
    const QModelIndex category = Entry(window.Tree(), {0});
    QCOMPARE(Child(category, 2).data().toString(), QStringLiteral("Shortblade"));
    window.Tree()->setCurrentIndex(Child(category, 2));
    // A click on "Palecopper Shortblade" (Tier I); the Longblade has no Tier I, so a new
    // Longblade starts at its last tier, and every part of the window shows that tier.
    CBrowserGrid& tiers = *window.TiersGrid();
    QTest::mouseClick(tiers.viewport(), Qt::LeftButton, {}, tiers.visualRect(tiers.model()->index(0, 0)).center());
    QCOMPARE(Text(window.DetailsGrid(), 0, 1), std::string("Palecopper Shortblade"));
    QCOMPARE(Child(category, 1).data().toString(), QStringLiteral("Longblade"));
    window.Tree()->setCurrentIndex(Child(category, 1));
    QCOMPARE(Text(&tiers, tiers.currentIndex().row()), std::string("Emberbronze Longblade"));
    QCOMPARE(Text(window.DetailsGrid(), 0, 1), std::string("Emberbronze Longblade"));
    QCOMPARE(DetailValue(window.DetailsGrid(), "Damage"), std::string("24-35"));
    QCOMPARE(Text(window.ResourceGrid(), 0), std::string("Emberbronze Plate"));
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
    QCOMPARE(window->Categories()->currentIndex().data().toString(), QStringLiteral("All"));
    int shown = 0;
    for (int i = 0; i < RowCount(window->Tree()); ++i)
        shown += RowCount(window->Tree(), Entry(window->Tree(), {i}));
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
    const QModelIndex category = Entry(window.Tree(), {0});
    // An empty order gets a group of its own name.
    window.Tree()->setCurrentIndex(Child(category, 1));
    window.AddButton()->click();
    QCOMPARE(order.groups, std::vector<std::string>{"Items"});
    QCOMPARE(order.items[0]->group, std::string("Items"));
    QCOMPARE(Cell(s.orders->Tree(), 0), QStringLiteral("Items"));

    // The group selected in the order window, else the first group.
    CTextPrompt::SetNextText(QStringLiteral("Spare"));
    s.orders->NewGroup();
    s.orders->Tree()->setCurrentIndex(s.orders->GroupEntry(QStringLiteral("Spare")));
    window.Tree()->setCurrentIndex(Child(category, 2));
    window.AddButton()->click();
    QCOMPARE(order.items[1]->group, std::string("Spare"));
    s.orders->Tree()->setCurrentIndex({});
    window.Tree()->setCurrentIndex(Child(category, 0));
    window.AddButton()->click();
    QCOMPARE(order.items[2]->group, std::string("Items"));
    s.toolbar->close();
}

void CFormulaWindowTest::TheFilterJudgesEachFormulaByItsOwnRecord()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    // A second "Longblade" in the same category, told apart from the first by a keyword only.
    app->Database().Edit(
        [](CGameDatabase::CLists& lists)
        {
            auto formula = std::make_unique<CFormula>();
            formula->name = "Longblade";
            formula->category = "Bladesmith";
            formula->keywords = {"ceremonial"};
            auto set = std::make_unique<CFormulaSet>();
            set->name = "Ceremonial Arms";
            set->category = "Bladesmith";
            set->formulae.push_back(std::move(formula));
            lists.formulaSets.push_back(std::move(set));
        });
    app->Settings().LastFormulaCategory = "Bladesmith";
    RegisterOrderWindows();
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    auto* window = static_cast<CFormulaWindow*>(toolbar.Window(EToolWindow::Formulae));
    // The entries the tree shows under its categories.
    const auto shown = [window]
    {
        QStringList names;
        const QTreeView* tree = window->Tree();
        for (int i = 0; i < RowCount(tree); ++i)
            for (int j = 0; j < RowCount(tree, Entry(tree, {i})); ++j)
                if (!tree->isRowHidden(i, {}) && !tree->isRowHidden(j, Entry(tree, {i})))
                    names << Cell(tree, j, 0, Entry(tree, {i}));
        return names;
    };
    QCOMPARE(shown().count(QStringLiteral("Longblade")), 2);
    window->QuickFilterEdit()->setText(QStringLiteral("ceremonial"));
    QCOMPARE(shown(), QStringList{QStringLiteral("Longblade")});
    window->QuickFilterEdit()->setText(QStringLiteral("longblade"));
    QCOMPARE(shown().count(QStringLiteral("Longblade")), 2);
    toolbar.close();
}

void CFormulaWindowTest::ADetailValueWithABarIsShownWhole()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    const CFormula* longblade = app->Database().FindFormula("Bladesmith", "Longblade");
    QVERIFY(longblade && !longblade->tiers.empty());
    app->Database().Edit([&](CGameDatabase::CLists&)
                         { const_cast<CFormula*>(longblade)->tiers[0]->attributes.push_back({"bonus", "+2 Might | +1 Luck"}); });
    RegisterOrderWindows();
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    auto* window = static_cast<CFormulaWindow*>(toolbar.Window(EToolWindow::Formulae));
    window->ApplyNameFilter("LONGBLADE");
    window->Tree()->setCurrentIndex(Entry(window->Tree(), {0, 0}));
    const QAbstractItemView* details = window->DetailsGrid();
    QStringList values;
    for (int row = 0; row < RowCount(details); ++row)
        values << Cell(details, row, 1);
    QVERIFY2(values.contains(QStringLiteral("+2 Might | +1 Luck")), qPrintable(values.join(QLatin1Char('\n'))));
    toolbar.close();
}

// The cache holds no categories: from the second start on every category had one generic icon.
void CFormulaWindowTest::CategoryIconsAreTheSameOnEveryStart()
{
    CUiFixture fixture;
    RegisterOrderWindows();
    std::vector<QStringList> labels;
    std::vector<QList<QImage>> icons;
    for (const ELoadSource expected : {ELoadSource::Xml, ELoadSource::Cache})
    {
        auto app = fixture.MakeApp();
        QCOMPARE(int(app->Start(nullptr)), int(expected));
        CToolbarWindow toolbar(*app);
        toolbar.Initialise();
        auto* window = static_cast<CFormulaWindow*>(toolbar.Window(EToolWindow::Formulae));
        QAbstractItemModel* model = window->Tree()->model();
        labels.emplace_back();
        icons.emplace_back();
        for (int row = 0; row < model->rowCount(); ++row)
        {
            const QModelIndex category = model->index(row, 0);
            labels.back() << category.data().toString();
            icons.back() << category.data(Qt::DecorationRole).value<QIcon>().pixmap(24, 24).toImage();
        }
        toolbar.close();
    }
    QCOMPARE(labels[1], labels[0]);
    QVERIFY(labels[0].size() > 5);
    // Categories have icons of their own.
    const int resources = int(labels[0].indexOf(QRegularExpression(QStringLiteral("Resources .*"))));
    const int blades = int(labels[0].indexOf(QRegularExpression(QStringLiteral("Bladesmith .*"))));
    QVERIFY(resources >= 0 && blades >= 0);
    QVERIFY(icons[0][resources] != icons[0][blades]);
    for (int row = 0; row < labels[0].size(); ++row)
        QVERIFY2(icons[1][row] == icons[0][row], qPrintable(labels[0][row]));
}

// With a filter typed the tree showed "152 Formulae" and "(16/16)" as before it.
void CFormulaWindowTest::CountsFollowTheQuickFilter()
{
    CFormulaSession s;
    QAbstractItemView* tree = s.window->Tree();
    const QString unfiltered = s.window->FoundLabel()->text();
    const QString firstLabel = Cell(tree, 0);
    s.window->QuickFilterEdit()->setText(QStringLiteral("longblade"));
    const QRegularExpression counts(QStringLiteral(" \\((\\d+)/(\\d+)\\)$"));
    int shown = 0;
    for (int row = 0; row < RowCount(tree); ++row)
    {
        const int children = RowCount(tree, Entry(tree, {row}));
        const QRegularExpressionMatch match = counts.match(Cell(tree, row));
        QVERIFY2(match.hasMatch(), qPrintable(Cell(tree, row)));
        QCOMPARE(match.captured(1).toInt(), children);
        QVERIFY(match.captured(2).toInt() > children);
        shown += children;
    }
    QVERIFY(shown > 0);
    QCOMPARE(s.window->FoundLabel()->text(), QStringLiteral("%1 Formulae").arg(shown));
    QVERIFY(s.window->FoundLabel()->text() != unfiltered);
    s.window->QuickFilterEdit()->clear();
    QCOMPARE(s.window->FoundLabel()->text(), unfiltered);
    QCOMPARE(Cell(tree, 0), firstLabel);
}

QTEST_MAIN(CFormulaWindowTest)
#include "FormulaWindowTest.moc"
