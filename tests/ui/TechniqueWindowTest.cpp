#include "UiFixture.h"
#include "ViewText.h"

#include "base/Settings.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/browsers/TechniqueWindow.h"
#include "ui/MainWindows.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/widgets/ThemedTree.h"

#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>


namespace
{
// The sample data with the toolbar, the formula browser and the technique browser; before
// the start, edit may change the copied data.
struct CTechniqueSession
{
    explicit CTechniqueSession(const std::function<void(const std::filesystem::path&)>& edit = {})
    {
        if (edit)
            edit(fixture.folder.Path());
        app = fixture.MakeApp();
        app->Start(nullptr);
        RegisterOrderWindows();
        toolbar = std::make_unique<CToolbarWindow>(*app);
        toolbar->Initialise();
        formulae = static_cast<CFormulaWindow*>(toolbar->Window(EToolWindow::Formulae));
        window = static_cast<CTechniqueWindow*>(toolbar->Window(EToolWindow::Techniques));
    }
    CUiFixture fixture;
    std::unique_ptr<CAppContext> app;
    std::unique_ptr<CToolbarWindow> toolbar;
    CFormulaWindow* formulae = nullptr;
    CTechniqueWindow* window = nullptr;
};

// The tree as "label" and "  child" lines.
QStringList TreeLines(const QTreeView* tree)
{
    QStringList lines;
    for (int i = 0; i < RowCount(tree); ++i)
    {
        const QModelIndex top = Entry(tree, {i});
        lines << top.data().toString();
        for (int j = 0; j < RowCount(tree, top); ++j)
            lines << QStringLiteral("  ") + Child(top, j).data().toString();
    }
    return lines;
}

QModelIndex Technique(const QTreeView* tree, const QString& category, const QString& name)
{
    for (int i = 0; i < RowCount(tree); ++i)
        if (Cell(tree, i).startsWith(category + QStringLiteral(" (")))
            for (int j = 0; j < RowCount(tree, Entry(tree, {i})); ++j)
                if (Cell(tree, j, 0, Entry(tree, {i})) == name)
                    return Entry(tree, {i, j});
    return {};
}

int CategoryRow(const QListView* list, const QString& name)
{
    for (int i = 0; i < RowCount(list); ++i)
        if (Cell(list, i) == name)
            return i;
    return -1;
}

QAction* MenuAction(QMainWindow& window, const QString& text)
{
    for (QAction* menu : window.menuBar()->actions())
        if (menu->menu())
            for (QAction* action : menu->menu()->actions())
            {
                if (action->text() == text)
                    return action;
                if (action->menu())
                    for (QAction* entry : action->menu()->actions())
                        if (entry->text() == text)
                            return entry;
            }
    return nullptr;
}

// The working item's techniques as "category/name/tier".
QStringList Attached(const CFormulaWindow& formulae)
{
    QStringList attached;
    for (const COrderTechnique& technique : formulae.Working().item.techniques)
        attached << QString::fromStdString(technique.category + "/" + technique.name + "/" + technique.tierName);
    return attached;
}

void SelectShortblade(CFormulaWindow& formulae)
{
    formulae.ApplyNameFilter("shortblade");
    formulae.Tree()->setCurrentIndex(Entry(formulae.Tree(), {0, 0}));
}
} // namespace

class CTechniqueWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ApplyUntilTheSlotsAreFull();
    void FilterFormulaeByTechnique();
    void MenusAndSettings();
};

void CTechniqueWindowTest::ApplyUntilTheSlotsAreFull()
{
    CTechniqueSession s;
    CTechniqueWindow& window = *s.window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Technique Database"));
    QCOMPARE(Cell(window.Categories(), 0), QStringLiteral("All"));
    QCOMPARE(window.Categories()->currentIndex().data().toString(), QStringLiteral("All"));
    QCOMPARE(Heading(window.TiersGrid(), 0), QStringLiteral("Tiers"));
    // Without an item the usable filter hides nothing.
    QCOMPARE(window.FoundLabel()->text(), QStringLiteral("34 Techniques"));
    QCOMPARE(window.ItemLabel()->text(), QStringLiteral("None chosen in the Formula Database"));
    QVERIFY(!window.ApplyButton()->isEnabled());
    QVERIFY(!window.FilterButton()->isEnabled());

    window.SelectCategory(CategoryRow(window.Categories(), QStringLiteral("Temper")));
    QCOMPARE(s.app->Settings().LastTechCategory, std::string("Temper"));
    QCOMPARE(RowCount(window.Tree()), 1);
    window.Tree()->setCurrentIndex(Technique(window.Tree(), QStringLiteral("Temper"), QStringLiteral("Keen Edge")));
    QVERIFY(window.ApplyButton()->isEnabled());
    CMessageBox::TakeLog();
    QVERIFY(!window.ApplyTechnique());
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral(
                 "Please choose a formula and its tier in the Formula Database before applying a technique.")});

    // A Tier I item: only the techniques with a Tier I tier of one slot stay.
    SelectShortblade(*s.formulae);
    QCOMPARE(window.ItemLabel()->text(), QStringLiteral("Palecopper Shortblade (Tier I), 0 of 1 technique slots used"));
    QCOMPARE(window.FoundLabel()->text(), QStringLiteral("2 Techniques (Usable)"));
    QCOMPARE(TreeLines(window.Tree()),
             (QStringList{QStringLiteral("Temper (2/6)"), QStringLiteral("  Keen Edge"),
                          QStringLiteral("  Lightened Frame")}));
    QCOMPARE(window.CurrentTechnique()->name, std::string("Keen Edge"));
    // The overlay's Tier IX comes last; the Tier I tier is the one that fits.
    QCOMPARE(RowTexts(window.TiersGrid()),
             (QStringList{QStringLiteral("Keen Edge I"), QStringLiteral("Keen Edge III"), QStringLiteral("Keen Edge V"),
                          QStringLiteral("Keen Edge VII"), QStringLiteral("Keen Edge IX")}));
    QCOMPARE(window.TiersGrid()->currentIndex().row(), 0);
    QCOMPARE(RowTexts(window.DetailsGrid()),
             (QStringList{QStringLiteral("|Keen Edge"), QStringLiteral("|Grinds and hones the edge to a razor line."),
                          QStringLiteral("|Taught by the Forge Guild."), QStringLiteral("|"),
                          QStringLiteral("Tier|Keen Edge I"), QStringLiteral("Level|Tier I"),
                          QStringLiteral("Origin|Forge Guild"),
                          QStringLiteral("|Works the piece to give a +2 in the Smithing skill."),
                          QStringLiteral("Skill Adjust|+5"), QStringLiteral("Size|1"),
                          QStringLiteral("Bonus|+2 Smithing"), QStringLiteral("|"),
                          QStringLiteral("Components|2 x Whetstone Grit")}));

    // Applied: the formula browser lists it, and the one slot is taken.
    QVERIFY(window.ApplyTechnique());
    QCOMPARE(Attached(*s.formulae), QStringList{QStringLiteral("Temper/Keen Edge/Keen Edge I")});
    QCOMPARE(Text(s.formulae->TechniquesGrid(), 0), std::string("Keen Edge"));
    QCOMPARE(window.ItemLabel()->text(), QStringLiteral("Palecopper Shortblade (Tier I), 1 of 1 technique slots used"));
    QVERIFY(CMessageBox::TakeLog().isEmpty());
    QVERIFY(!window.ApplyTechnique());
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral(
                 "This tier of the Formula 'Palecopper Shortblade' has no room for 'Keen Edge': it can only take 1 "
                 "techniques.")});
    QCOMPARE(Attached(*s.formulae), QStringList{QStringLiteral("Temper/Keen Edge/Keen Edge I")});

    // The Tier III item takes a second one, Keen Edge III, and then no more.
    s.formulae->ChooseTierRow(2);
    QCOMPARE(window.ItemLabel()->text(), QStringLiteral("Tinbright Shortblade (Tier III), 1 of 2 technique slots used"));
    window.ChooseTierRow(1);
    QCOMPARE(Text(window.DetailsGrid(), 4, 1), std::string("Keen Edge III"));
    QVERIFY(window.ApplyTechnique());
    QCOMPARE(Attached(*s.formulae), (QStringList{QStringLiteral("Temper/Keen Edge/Keen Edge I"),
                                                 QStringLiteral("Temper/Keen Edge/Keen Edge III")}));
    QCOMPARE(window.ItemLabel()->text(), QStringLiteral("Tinbright Shortblade (Tier III), 2 of 2 technique slots used"));
    // The tier chosen by hand stays while the item changes.
    QCOMPARE(window.TiersGrid()->currentIndex().row(), 1);
    QVERIFY(!window.ApplyTechnique());
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral(
                 "This tier of the Formula 'Tinbright Shortblade' has no room for 'Keen Edge': it can only take 2 "
                 "techniques.")});

    // Emptied and back at Tier I, the item is too low for Keen Edge III.
    for (int i = 0; i < 2; ++i)
    {
        s.formulae->TechniquesGrid()->setCurrentIndex(s.formulae->TechniquesGrid()->model()->index(0, 0));
        s.formulae->RemoveSelectedTechnique();
    }
    s.formulae->ChooseTierRow(0);
    QCOMPARE(window.ItemLabel()->text(), QStringLiteral("Palecopper Shortblade (Tier I), 0 of 1 technique slots used"));
    QVERIFY(!window.ApplyTechnique());
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral(
                 "This tier of the Formula 'Palecopper Shortblade' (Tier I) is too low for 'Keen Edge III' (Tier III).")});
    QVERIFY(s.formulae->Working().item.techniques.empty());
    s.toolbar->close();
}

void CTechniqueWindowTest::FilterFormulaeByTechnique()
{
    CTechniqueSession s;
    CTechniqueWindow& window = *s.window;
    SelectShortblade(*s.formulae);
    QVERIFY(!s.formulae->Working().item.formula.empty());
    window.Tree()->setCurrentIndex(Technique(window.Tree(), QStringLiteral("Temper"), QStringLiteral("Keen Edge")));
    QVERIFY(window.FilterButton()->isEnabled());
    window.FilterButton()->click();

    // The formula browser shows only the formulae Keen Edge goes on, in "Custom".
    QVERIFY(s.formulae->isVisible());
    QCOMPARE(s.formulae->Categories()->currentIndex().data().toString(), QStringLiteral("Custom"));
    // Keen Edge goes on blades, hafted arms, armour and shields: every one of them has a tier
    // that takes Keen Edge I.
    const QStringList lines = TreeLines(s.formulae->Tree());
    QCOMPARE(lines.size(), 32);
    QCOMPARE(lines.at(0), QStringLiteral("Armorwright (14/14)"));
    QCOMPARE(lines.at(15), QStringLiteral("Bladesmith (16/16)"));
    for (const char* name : {"  Buckler", "  Warplate", "  Halberd", "  Shortblade", "  War Axe"})
        QVERIFY2(lines.contains(QLatin1String(name)), name);
    QVERIFY(!lines.contains(QStringLiteral("  Lantern")));

    // Its item went with the old list: nothing to apply to until one is chosen again.
    QCOMPARE(window.ItemLabel()->text(), QStringLiteral("None chosen in the Formula Database"));
    QCOMPARE(window.CurrentTechnique()->name, std::string("Keen Edge"));
    CMessageBox::TakeLog();
    QVERIFY(!window.ApplyTechnique());
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral(
                 "Please choose a formula and its tier in the Formula Database before applying a technique.")});
    QVERIFY(s.formulae->Working().item.techniques.empty());
    s.toolbar->close();
}

void CTechniqueWindowTest::MenusAndSettings()
{
    CTechniqueSession s;
    CTechniqueWindow& window = *s.window;
    QAction* usable = MenuAction(window, QStringLiteral("Show Usable Techniques Only"));
    QVERIFY(usable);
    QVERIFY(usable->isChecked());
    QVERIFY(MenuAction(window, QStringLiteral("Current Category"))->isChecked());

    // Off, a Tier I item no longer narrows the tree.
    SelectShortblade(*s.formulae);
    QCOMPARE(window.FoundLabel()->text(), QStringLiteral("13 Techniques (Usable)"));
    usable->trigger();
    QVERIFY(!s.app->Settings().ShowUsableTechs);
    QVERIFY(!usable->isChecked());
    QCOMPARE(window.FoundLabel()->text(), QStringLiteral("34 Techniques"));
    QCOMPARE(Cell(window.Tree(), 0), QStringLiteral("Infusion (6/6)"));

    MenuAction(window, QStringLiteral("All Categories"))->trigger();
    QCOMPARE(s.app->Settings().ExpandTechMode, 2);
    QVERIFY(!MenuAction(window, QStringLiteral("Current Category"))->isChecked());
    window.SelectCategory(CategoryRow(window.Categories(), QStringLiteral("Spell")));
    QVERIFY(window.Tree()->isExpanded(Entry(window.Tree(), {0})));

    // The settings are stored in their encodings.
    QVERIFY(SaveSettings(s.app->Settings(), s.app->Store()));
    QCOMPARE(s.app->Store().Read(SettingsKeys::Config, "ShowUsableTechs"), std::optional<std::string>("N"));
    QCOMPARE(s.app->Store().Read(SettingsKeys::Config, "ExpandTechMode"), std::optional<std::string>("2"));
    QCOMPARE(s.app->Store().Read(SettingsKeys::Config, "LastTechCategory"), std::optional<std::string>("Spell"));

    // A window opens on the stored category; one the database lacks opens on "All".
    {
        CTechniqueWindow reopened(*s.app, s.toolbar.get());
        QCOMPARE(reopened.Categories()->currentIndex().data().toString(), QStringLiteral("Spell"));
        QCOMPARE(RowCount(reopened.Tree()), 1);
    }
    s.app->Settings().LastTechCategory = "Masonry";
    {
        CTechniqueWindow reopened(*s.app, s.toolbar.get());
        QCOMPARE(reopened.Categories()->currentIndex().data().toString(), QStringLiteral("All"));
        QCOMPARE(s.app->Settings().LastTechCategory, std::string("All"));
    }

    QAction* help = MenuAction(window, QStringLiteral("Help With Techniques"));
    QVERIFY(help);
    help->trigger();
    QCOMPARE(s.fixture.links.opened.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(s.fixture.links.opened[0]).endsWith(QStringLiteral("Help/techniques.html")));
    s.toolbar->close();
}

QTEST_MAIN(CTechniqueWindowTest)
#include "TechniqueWindowTest.moc"
