#include "UiFixture.h"
#include "ViewText.h"

#include "profile/ProfileFile.h"

#include "ui/browsers/BrowserGrids.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/browsers/ProfileWindow.h"
#include "ui/order/ReportsWindow.h"
#include "ui/MainWindows.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/widgets/ThemedTree.h"

#include <QLineEdit>
#include <QTableView>
#include <QtTest>

class CProfileWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void CreateEditSaveCopyDelete();
    void AnOpenReportFollowsTheProfile();
};

void CProfileWindowTest::CreateEditSaveCopyDelete()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    RegisterOrderWindows();
    auto toolbar = std::make_unique<CToolbarWindow>(*app);
    toolbar->Initialise();
    auto* formulae = static_cast<CFormulaWindow*>(toolbar->Window(EToolWindow::Formulae));
    auto* window = static_cast<CProfileWindow*>(toolbar->Window(EToolWindow::Profiles));
    QCOMPARE(window->windowTitle(), QStringLiteral("Profile Manager"));

    // A new profile takes the template's lists and becomes current.
    window->NewProfile();
    CProfile* created = window->Selected();
    QVERIFY(created != nullptr);
    QCOMPARE(created->name, std::string("New Profile"));
    QCOMPARE(app->Profiles().current, created);
    QVERIFY(created->changed);
    window->NameEdit()->setText(QStringLiteral("Odile"));
    Q_EMIT window->NameEdit()->editingFinished();
    QCOMPARE(created->name, std::string("Odile"));
    QCOMPARE(app->Settings().CurrentProfile, std::string("Odile"));

    // Editing its Smithing skill moves the formula browser's efficiency at once.
    formulae->ApplyNameFilter("LONGBLADE");
    formulae->Tree()->setCurrentIndex(Entry(formulae->Tree(), {0, 0}));
    formulae->ChooseTierRow(2);
    QCOMPARE(Text(formulae->ResourceGrid(), 0, 3), std::string("Smithing"));
    QCOMPARE(Text(formulae->ResourceGrid(), 0, 1), std::string("Too Low"));
    QTableView* skills = window->Grid(EProfileList::CraftSkills);
    int smithing = -1;
    for (int row = 0; row < RowCount(skills); ++row)
        if (Cell(skills, row) == QStringLiteral("Smithing"))
            smithing = row;
    QVERIFY(smithing >= 0);
    const QModelIndex level = skills->model()->index(smithing, 1);
    QVERIFY(skills->model()->setData(level, QStringLiteral("41")));
    QCOMPARE(SkillLevel(*created, "Smithing"), 41);
    // 41 of 26 to 56: half way.
    QCOMPARE(Text(formulae->ResourceGrid(), 0, 1), std::string("50%"));
    QCOMPARE(Text(formulae->ResourceGrid(), 0, 6), std::string("41"));

    // A refused value keeps the old one and says why.
    CMessageBox::TakeLog();
    QVERIFY(!skills->model()->setData(level, QStringLiteral("x")));
    QCOMPARE(level.data().toString(), QStringLiteral("41"));
    QCOMPARE(CMessageBox::TakeLog(), QStringList{QStringLiteral("Please enter a whole number from 0 up.")});

    // Saving writes the file; its bytes are the profile's.
    window->SaveChanges();
    QVERIFY(!created->changed);
    const std::string bytes = ReadFileBytes(fixture.folder / "Profiles/Odile.xml");
    QVERIFY(bytes.starts_with("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<profile>\n"
                              "\t<profile-format>1.0</profile-format>\n"
                              "\t<profile-name>Odile</profile-name>\n"
                              "\t<profile-server>Default</profile-server>\n"
                              "\t<profile-email></profile-email>\n"));
    QVERIFY(bytes.find("\t\t<craftskill level=\"41\">Smithing</craftskill>\n") != std::string::npos);
    QVERIFY(bytes.ends_with("\t</craftskills>\n</profile>\n"));

    // Copy, then delete the copy after the question; its file goes with it.
    window->CopyProfile();
    QCOMPARE(window->Selected()->name, std::string("Copy of Odile"));
    window->SaveChanges();
    QVERIFY(std::filesystem::exists(fixture.folder / "Profiles/Copy of Odile.xml"));
    CMessageBox::SetNextAnswer(false);
    window->DeleteProfile();
    QVERIFY(std::filesystem::exists(fixture.folder / "Profiles/Copy of Odile.xml"));
    CMessageBox::TakeLog();
    CMessageBox::SetNextAnswer(true);
    window->DeleteProfile();
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral("Do you want to delete the profile 'Default:Copy of Odile'? Its file is deleted as well.")});
    QVERIFY(!std::filesystem::exists(fixture.folder / "Profiles/Copy of Odile.xml"));
    QVERIFY(app->Profiles().Find("Copy of Odile", "Local") == nullptr);

    toolbar->close();
}

// Another profile chosen in the manager: an open report kept the old profile's figures until
// Generate was pressed, also when docking had hidden it meanwhile and showed it again.
void CProfileWindowTest::AnOpenReportFollowsTheProfile()
{
    for (const bool autodock : {false, true})
    {
        CUiFixture fixture;
        auto app = fixture.MakeApp();
        app->Start(nullptr);
        app->Settings().DockingMode = autodock;
        app->Order().Read(fixture.folder / "Orders/example_order.xml", app->Database());
        app->Profiles().current = app->Profiles().Find("Ysolde", "Local");
        RegisterOrderWindows();
        CToolbarWindow toolbar(*app);
        toolbar.SetWorkAreaOverride(CDockRect{0, 0, 1280, 800}); // room for the order and reports pair
        toolbar.Initialise();
        auto* reports = static_cast<CReportsWindow*>(toolbar.Window(EToolWindow::Reports));
        toolbar.ShowWindow(EToolWindow::Reports);
        reports->Generate();
        const QStringList ysolde = RowTexts(reports->Grid());
        toolbar.ShowWindow(EToolWindow::Profiles);
        auto* tree = toolbar.Window(EToolWindow::Profiles)->findChild<CThemedTree*>();
        const QModelIndex journeyman = Find(tree, QStringLiteral("Journeyman"));
        QVERIFY(journeyman.isValid());
        QCOMPARE(reports->isVisible(), !autodock); // docking hides it beside the manager
        tree->setCurrentIndex(journeyman);
        QCOMPARE(app->Profiles().current->name, std::string("Journeyman"));
        // The order window brings the reports window back beside it.
        toolbar.ShowWindow(EToolWindow::Order);
        QVERIFY(reports->isVisible());
        const QStringList shown = RowTexts(reports->Grid());
        reports->Generate();
        QVERIFY(RowTexts(reports->Grid()) != ysolde);
        QCOMPARE(shown, RowTexts(reports->Grid()));
        toolbar.close();
    }
}

QTEST_MAIN(CProfileWindowTest)
#include "ProfileWindowTest.moc"
