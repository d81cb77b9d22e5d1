// The live update dialog against a local HTTP server, offscreen.
#include "ui/update/UpdateDialog.h"

#include "HttpFixture.h"
#include "UpdateTestData.h"
#include "base/SettingsStore.h"
#include "support/TempDir.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/MessageBox.h"
#include "ui/shell/QtText.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

using namespace UpdateTestData;

namespace
{
QStringList Column(const QTreeWidget* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

QStringList Headers(const QTreeWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->columnCount(); ++i)
        texts << list->headerItem()->text(i);
    return texts;
}
} // namespace

class CUpdateDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<CHttpFixture>();
        m_dir = std::make_unique<CTempDir>();
        m_dir->WriteFile("Config.xml", ServersList("Main", m_server->Base() + "/db"));
        m_dir->WriteFile("Config/Categories.xml", "<categories>\n</categories>\n");
        m_server->Serve("/db/Config.xml", ServersList("Main", m_server->Base() + "/db"));
        m_server->Serve("/db/Release.xml", Release("2024-3-7", "2.27", "Spring"));
        m_server->Serve("/db/Moxa_2024-03-07.zip", DatabaseArchive());
        CMessageBox::SetScripted(true);
        CMessageBox::TakeLog();
        m_app =
            std::make_unique<CAppContext>(m_dir->Path(), std::make_unique<CMemorySettingsStore>());
    }

    void cleanup()
    {
        m_app.reset();
        m_server.reset();
        m_dir.reset();
        CMessageBox::SetScripted(false);
    }

    void showsItsControls()
    {
        CUpdateDialog dialog(*m_app, nullptr, 300);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Live Update"));
        QStringList groups;
        for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
            groups << group->title();
        QCOMPARE(groups, (QStringList{QStringLiteral("Server"), QStringLiteral("Revision")}));
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            if (!label->text().isEmpty())
                labels << label->text();
        QCOMPARE(labels, (QStringList{QStringLiteral("Version"), QStringLiteral("Client ")}));
        QCOMPARE(dialog.CheckButton()->text(), QStringLiteral("Check For Update"));
        QCOMPARE(dialog.DownloadButton()->text(), QStringLiteral("Start Download"));
        QVERIFY(!dialog.DownloadButton()->isEnabled());
        QCOMPARE(dialog.CloseButton()->text(), QStringLiteral("Close"));
        QCOMPARE(Headers(dialog.List()),
                 (QStringList{QStringLiteral("Change"), QStringLiteral("Author")}));
        QCOMPARE(dialog.List()->columnWidth(0), 382);
        QCOMPARE(dialog.List()->columnWidth(1), 99);
        QCOMPARE(dialog.ServerBox()->count(), 1);
        QCOMPARE(dialog.ServerBox()->currentText(), QStringLiteral("Main"));
        const QMenuBar* menu = dialog.findChild<QMenuBar*>();
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Help"));
        QCOMPARE(menu->actions()[0]->menu()->actions()[0]->text(),
                 QStringLiteral("Help With Updates"));
    }

    void checksDownloadsAndInstalls()
    {
        CUpdateDialog dialog(*m_app, nullptr, 300);
        bool reloaded = false;
        m_app->onDatabaseLoaded = [&reloaded]() { reloaded = true; };
        QTest::mouseClick(dialog.CheckButton(), Qt::LeftButton);
        QCOMPARE(dialog.CloseButton()->text(), QStringLiteral("Abort"));
        QVERIFY(!dialog.CheckButton()->isEnabled());
        QVERIFY(RunUntil([&dialog]() { return !dialog.Session().IsBusy(); }));
        QCOMPARE(dialog.CloseButton()->text(), QStringLiteral("Close"));
        QCOMPARE(dialog.VersionValue()->text(), QStringLiteral("2024-03-07"));
        QCOMPARE(dialog.ClientValue()->text(), QStringLiteral("2.27"));
        QCOMPARE(dialog.TitleLabel()->text(), QStringLiteral("Spring"));
        QCOMPARE(dialog.MessageLabel()->text(),
                 QStringLiteral("This is a new database ready for downloading"));
        QCOMPARE(dialog.StatusLabel()->text(), QStringLiteral("Downloading Release.xml..."));
        const std::string release = Release("2024-3-7", "2.27", "Spring");
        QCOMPARE(dialog.Progress()->format(), Qs("Release.xml (" + std::to_string(release.size()) +
                                                 "/" + std::to_string(release.size()) + " bytes)"));
        QCOMPARE(Column(dialog.List(), 0), QStringList{QStringLiteral("More crafts")});
        QCOMPARE(Column(dialog.List(), 1), QStringList{QStringLiteral("Quill")});
        QVERIFY(dialog.DownloadButton()->isEnabled());

        QTest::mouseClick(dialog.DownloadButton(), Qt::LeftButton);
        QCOMPARE(Headers(dialog.List()), QStringList{QStringLiteral("Operation")});
        QCOMPARE(dialog.List()->columnWidth(0), 464);
        QVERIFY(RunUntil([&dialog]() { return !dialog.Session().IsBusy(); }));
        QCOMPARE(
            Column(dialog.List(), 0),
            (QStringList{
                QStringLiteral("Extracting database archive..."),
                QStringLiteral("Extraction complete, starting installation..."),
                QStringLiteral("Moving 'Categories.xml'..."),
                QStringLiteral("Moving 'Crafts/Smithing.xml'..."),
                QStringLiteral(
                    "Warning - Unexpected File 'readme.txt' found. This file will be deleted."),
                QStringLiteral("Installation complete, restarting database..."),
                QStringLiteral("Configuration complete.")}));
        QCOMPARE(Qs(m_app->Settings().DatabaseRevision), QStringLiteral("2024-03-07"));
        QCOMPARE(dialog.DownloadButton()->text(), QStringLiteral("Re-download"));
        QVERIFY(reloaded);
        QVERIFY(std::filesystem::exists(m_dir->Path() / "Config/Crafts/Smithing.xml"));
        QCOMPARE(CMessageBox::TakeLog(), QStringList());
    }

    void abortsAndReportsFailures()
    {
        m_server->Route("/db/Config.xml", {200, "", CHttpFixture::EBehaviour::Silent, {}});
        CUpdateDialog dialog(*m_app, nullptr, 5000);
        QTest::mouseClick(dialog.CheckButton(), Qt::LeftButton);
        QCOMPARE(dialog.CloseButton()->text(), QStringLiteral("Abort"));
        QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
        QVERIFY(!dialog.Session().IsBusy());
        QCOMPARE(dialog.CloseButton()->text(), QStringLiteral("Close"));
        QVERIFY(dialog.CheckButton()->isEnabled());
        QCOMPARE(CMessageBox::TakeLog(), QStringList());
        // Nothing is said to be downloading any more.
        QCOMPARE(dialog.StatusLabel()->text(), QString());
        QCOMPARE(dialog.Progress()->format(), QString());

        m_server->Route("/db/Release.xml",
                        {404, "<html>gone</html>", CHttpFixture::EBehaviour::Normal, {}});
        m_server->Serve("/db/Config.xml", ServersList("Main", m_server->Base() + "/db"));
        QTest::mouseClick(dialog.CheckButton(), Qt::LeftButton);
        QVERIFY(RunUntil([&dialog]() { return !dialog.Session().IsBusy(); }));
        const QString failure = QStringLiteral("Unable to access this Site for release "
                                               "information. Please try again when it is available");
        QCOMPARE(CMessageBox::TakeLog(), QStringList{failure});
        QCOMPARE(dialog.StatusLabel()->text(), failure);
        QCOMPARE(dialog.Progress()->format(), QString());
        QVERIFY(!dialog.DownloadButton()->isEnabled());
        QVERIFY(dialog.CheckButton()->isEnabled());
    }

private:
    std::unique_ptr<CHttpFixture> m_server;
    std::unique_ptr<CTempDir> m_dir;
    std::unique_ptr<CAppContext> m_app;
};

QTEST_MAIN(CUpdateDialogTest)
#include "UpdateDialogTest.moc"
