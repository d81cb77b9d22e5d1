#include "ui/browsers/ComponentWindow.h"

#include "UiFixture.h"
#include "ViewText.h"
#include "browsers/EfficiencyGuide.h"
#include "database/GameDatabase.h"
#include "profile/Profile.h"
#include "profile/ProfileFile.h"
#include "ui/browsers/EfficiencyGuideWindow.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/MainWindows.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/widgets/ThemedTree.h"

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

namespace
{
struct CComponentSession
{
    CComponentSession()
    {
        app = fixture.MakeApp();
        app->Start(nullptr);
        RegisterOrderWindows();
        toolbar = std::make_unique<CToolbarWindow>(*app);
        toolbar->Initialise();
    }
    CUiFixture fixture;
    std::unique_ptr<CAppContext> app;
    std::unique_ptr<CToolbarWindow> toolbar;
};

// The value of the first details row with the label; empty when there is none.
std::string DetailValue(const CBrowserGrid* grid, const std::string& label, int skip = 0)
{
    for (int row = 0; row < RowCount(grid); ++row)
        if (Text(grid, row, 0) == label && skip-- == 0)
            return Text(grid, row, 1);
    return {};
}

// A row of a grid with its cells joined by tabs.
std::string RowText(const CBrowserGrid* grid, int row)
{
    std::string text;
    for (int col = 0; col < grid->model()->columnCount(); ++col)
        text += (col ? "\t" : "") + Text(grid, row, col);
    return text;
}

QAction* MenuAction(QMainWindow& window, const QString& text)
{
    for (QAction* menu : window.menuBar()->actions())
        if (menu->menu())
            for (QAction* action : menu->menu()->actions())
                if (action->text() == text)
                    return action;
    return nullptr;
}
} // namespace

class CComponentWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void TypesDetailsAndLocations();
    void UsesThroughSubFormulae();
    void EfficiencyGuideFollowsTheItem();
};

void CComponentWindowTest::TypesDetailsAndLocations()
{
    CComponentSession s;
    auto* window = qobject_cast<CComponentWindow*>(s.toolbar->Window(EToolWindow::Components));
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Component Database"));
    QCOMPARE(window->PlacementName(), std::string("ComponentWnd"));
    QCOMPARE(window->FoundLabel()->text(), QStringLiteral("87 Components"));
    const CThemedTree* tree = window->Tree();
    QCOMPARE(RowCount(tree), 17);
    QCOMPARE(Cell(tree, 0), QStringLiteral("Arcane (3)"));
    QCOMPARE(Cell(tree, 16), QStringLiteral("Wood (10)"));
    QCOMPARE(Text(window->UsesGrid(), 0), std::string("None"));
    QVERIFY(!window->DetailsGrid()->isEnabled());

    // Ore: the first in the file, with two bonuses and three places.
    const QModelIndex ore = Find(tree, QStringLiteral("Ore (10)"));
    QVERIFY(ore.isValid());
    window->Tree()->setCurrentIndex(Child(ore, 0));
    const CBrowserGrid* details = window->DetailsGrid();
    QCOMPARE(Text(details, 0, 1), std::string("Palecopper Ore"));
    QCOMPARE(Text(details, 1, 1), std::string("Raw Palecopper ore, broken from a seam."));
    QCOMPARE(DetailValue(details, "Type"), std::string("Ore"));
    QCOMPARE(DetailValue(details, "Tier"), std::string("1"));
    QCOMPARE(DetailValue(details, "Bulk"), std::string("1"));
    QCOMPARE(DetailValue(details, "Buy Value"), std::string("6"));
    QCOMPARE(DetailValue(details, "Sell Value"), std::string("3"));
    QCOMPARE(DetailValue(details, "Vendor Value"), std::string("2"));
    QCOMPARE(DetailValue(details, "Gathered By"), std::string("Mining"));
    QCOMPARE(DetailValue(details, "Tool"), std::string("Pickaxe"));
    QCOMPARE(DetailValue(details, "Rate"), std::string("1-3 per strike"));
    QCOMPARE(DetailValue(details, "Skill Range"), std::string("0 - 40"));
    QCOMPARE(DetailValue(details, "Bonus"), std::string("+1 Steady Hands (Night only)"));
    int bonus = 0;
    while (bonus < RowCount(details) && Text(details, bonus, 0) != "Bonus")
        ++bonus;
    QCOMPARE(RowText(details, bonus + 1), std::string("\t+2 Second Find (Rare)"));
    const CBrowserGrid* locations = window->LocationsGrid();
    QCOMPARE(Heading(locations, 0), QStringLiteral("Locations"));
    QCOMPARE(RowCount(locations), 3);
    QCOMPARE(Text(locations, 0), std::string("\xC6rindal Fens (-121, -331)"));
    QCOMPARE(Text(locations, 2), std::string("Cinderpeak (-57, -297)"));

    // Two gather methods, the second without bonuses.
    QVERIFY(window->SelectComponent("Ruddite Ore"));
    QCOMPARE(window->Tree()->currentIndex().data().toString(), QStringLiteral("Ruddite Ore"));
    QCOMPARE(DetailValue(details, "Gathered By", 1), std::string("Salvaging"));
    QCOMPARE(DetailValue(details, "Tool", 1), std::string("Tinker's Hammer"));
    QCOMPARE(DetailValue(details, "Skill Range", 1), std::string("5 - 45"));
    QCOMPARE(DetailValue(details, "Bonus", 1), std::string());
    QCOMPARE(RowCount(locations), 1);
    QVERIFY(!window->SelectComponent("No Such Ore"));

    // A type entry shows nothing.
    window->Tree()->setCurrentIndex(ore);
    QCOMPARE(RowCount(details), 0);
    QCOMPARE(Text(locations, 0), std::string("None"));
    QCOMPARE(window->UsesLabel()->text(), QStringLiteral("Used By 0 Formula Tiers"));

    QAction* help = MenuAction(*window, QStringLiteral("Help With Components"));
    QVERIFY(help);
    help->trigger();
    QCOMPARE(s.fixture.links.opened.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(s.fixture.links.opened[0])
                .endsWith(QStringLiteral("Help/components.html")));
    s.toolbar->close();
}

void CComponentWindowTest::UsesThroughSubFormulae()
{
    CComponentSession s;
    auto& window = *static_cast<CComponentWindow*>(s.toolbar->Window(EToolWindow::Components));
    QVERIFY(window.SelectComponent("Cavebear Hide"));
    QCOMPARE(DetailValue(window.DetailsGrid(), "Skill Range"), std::string("30 - 70"));

    // Every formula tier for which one of its resources leads to the hide, in database order.
    const CGameDatabase& db = s.app->Database();
    std::vector<std::string> expected;
    for (const auto& set : db.FormulaSets())
        for (const auto& formula : set->formulae)
            for (const auto& tier : formula->tiers)
                if (std::any_of(tier->resources.begin(), tier->resources.end(),
                                [&](const CResource& r)
                                { return db.UsesResource(r.name, "Cavebear Hide"); }))
                    expected.push_back(tier->name);
    const CBrowserGrid* uses = window.UsesGrid();
    QCOMPARE(Heading(uses, 0), QStringLiteral("Used By"));
    QCOMPARE(Heading(uses, 3), QStringLiteral("Through"));
    std::vector<std::string> shown;
    for (int row = 0; row < RowCount(uses); ++row)
        shown.push_back(Text(uses, row));
    QCOMPARE(shown, expected);
    QVERIFY(expected.size() > 10);
    QCOMPARE(window.UsesLabel()->text(),
             QStringLiteral("Used By %1 Formula Tiers").arg(expected.size()));

    // The leather is made from the hide, the strap from the leather, the dirk from the strap.
    auto row = [&](const std::string& name)
    {
        for (int r = 0; r < RowCount(uses); ++r)
            if (Text(uses, r) == name)
                return RowText(uses, r);
        return std::string();
    };
    QCOMPARE(row("Cavebear Leather"), std::string("Cavebear Leather\tResources\tTier IV\t"));
    QCOMPARE(row("Cavebear Strap"),
             std::string("Cavebear Strap\tResources\tTier IV\tCavebear Leather"));
    QCOMPARE(row("Duskiron Dirk"),
             std::string("Duskiron Dirk\tBladesmith\tTier IV\tCavebear Strap"));

    // A double click shows that tier in the formula browser.
    int dirk = 0;
    while (dirk < RowCount(uses) && Text(uses, dirk) != "Duskiron Dirk")
        ++dirk;
    Q_EMIT window.UsesGrid()->doubleClicked(uses->model()->index(dirk, 0));
    auto& formulae = *static_cast<CFormulaWindow*>(s.toolbar->Window(EToolWindow::Formulae));
    QVERIFY(formulae.isVisible());
    QCOMPARE(formulae.Working().item.category, std::string("Bladesmith"));
    QCOMPARE(formulae.Working().item.itemName, std::string("Duskiron Dirk"));
    QCOMPARE(Text(formulae.DetailsGrid(), 0, 1), std::string("Duskiron Dirk"));
    s.toolbar->close();
}

void CComponentWindowTest::EfficiencyGuideFollowsTheItem()
{
    CComponentSession s;
    auto& window = *static_cast<CFormulaWindow*>(s.toolbar->Window(EToolWindow::Formulae));
    const int entry = window.ProfileCombo()->findText(QStringLiteral("Amberlight:Ysolde"));
    QVERIFY(entry >= 0);
    window.ChooseProfile(entry);
    const CProfile* profile = s.app->Profiles().current;
    QVERIFY(profile);
    QCOMPARE(profile->name, std::string("Ysolde"));
    QCOMPARE(SkillLevel(*profile, "Smithing"), 47);

    window.ApplyNameFilter("shortblade");
    window.Tree()->setCurrentIndex(Entry(window.Tree(), {0, 0}));
    window.ChooseTierRow(2);
    QCOMPARE(window.Working().item.itemName, std::string("Tinbright Shortblade"));
    QVERIFY(window.AttachTechniqueTier({"Temper", "Keen Edge", "Keen Edge III"}));

    QPushButton* levels = nullptr;
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("Display Effiency Levels"))
            levels = button;
    QVERIFY(levels && levels->isEnabled());
    levels->click();
    auto* guide = window.findChild<CEfficiencyGuideWindow*>();
    QVERIFY(guide && guide->isVisible());
    QVERIFY(!guide->isModal());

    // Tinbright Plate: 4 at 16, 2 at 46, both raised by the technique's 13.
    QCOMPARE(guide->windowTitle(), QStringLiteral("Efficiency Levels - Tinbright Plate"));
    QCOMPARE(
        guide->InfoLabel()->text(),
        QStringLiteral("Smithing: minimum 29, optimum 59 (techniques +13)\nCurrent skill: 47"));
    const CBrowserGrid* grid = guide->Grid();
    QCOMPARE(Heading(grid, 1), QStringLiteral("Qty/Batch"));
    QCOMPARE(RowCount(grid), 32);
    QCOMPARE(RowText(grid, 0), std::string("28\t4\tToo Low"));
    QCOMPARE(RowText(grid, 1), std::string("29\t4\t0%"));
    QCOMPARE(RowText(grid, 16), std::string("44\t3\t50%"));
    QCOMPARE(RowText(grid, 31), std::string("59\t2\t100%"));
    // The profile's 47 is marked and selected.
    QCOMPARE(RowText(grid, 19), std::string("47\t3\t60%"));
    QCOMPARE(grid->currentIndex().row(), 19);

    // A second technique raises the range again; the guide follows without being reopened.
    QVERIFY(window.AttachTechniqueTier({"Temper", "Keen Edge", "Keen Edge I"}));
    QCOMPARE(
        guide->InfoLabel()->text(),
        QStringLiteral("Smithing: minimum 34, optimum 64 (techniques +18)\nCurrent skill: 47"));
    QCOMPARE(RowText(grid, 0), std::string("33\t4\tToo Low"));

    // Another resource row of the item.
    const std::string second = Text(window.ResourceGrid(), 1);
    QCOMPARE(second, std::string("Elk Strap"));
    Q_EMIT window.ResourceGrid()->clicked(window.ResourceGrid()->model()->index(1, 0));
    QCOMPARE(guide->ResourceName(), second);
    QVERIFY(guide->InfoLabel()->text().startsWith(QStringLiteral("Tanning: ")));

    // A category entry clears the item, and the guide with it.
    window.Tree()->setCurrentIndex(Entry(window.Tree(), {0}));
    QCOMPARE(guide->windowTitle(), QStringLiteral("Efficiency Levels"));
    QCOMPARE(guide->InfoLabel()->text(), QStringLiteral("No resource selected"));
    QCOMPARE(RowCount(guide->Grid()), 0);
    s.toolbar->close();
}

QTEST_MAIN(CComponentWindowTest)
#include "ComponentWindowTest.moc"
