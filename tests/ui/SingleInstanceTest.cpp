// moxa started as the desktop starts it: with an order file, a second time on the same data
// folder, after a killed one, and without a display.
#include "ui/shell/SingleInstance.h"

#include "UiFixture.h"
#include "ui/MainWindows.h"
#include "ui/order/OrderCommands.h"
#include "ui/shell/ToolbarWindow.h"

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
QString Q(const fs::path& path)
{
    return QFile::decodeName(path.c_str());
}

struct CMoxaRun
{
    int status = -1;
    QString out;
    QString err;
};

// The program itself, on the offscreen platform unless the environment says otherwise.
CMoxaRun RunMoxa(const QStringList& arguments, const QProcessEnvironment& environment,
                 const fs::path& directory)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(Q(directory));
    process.start(QStringLiteral(MOXA_PROGRAM), arguments);
    // The test's own event loop runs meanwhile, so that its listener hears the start.
    QDeadlineTimer deadline(60000);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(20);
    if (process.state() != QProcess::NotRunning)
    {
        process.kill();
        process.waitForFinished();
        return {};
    }
    const int status = process.exitStatus() == QProcess::NormalExit ? process.exitCode()
                                                                    : 128 + process.exitCode();
    return {status, QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// A socket file as a killed program leaves it: bound, never listened on again, not removed.
void LeaveStaleSocket(const QString& name)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(name);
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}
} // namespace

class CSingleInstanceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void OrderFilesAreKnownByTheirRootElement();
    void SecondStartHandsItsOrderOverOnTheSameFolderOnly();
    void StaleSocketOfAKilledProgramDoesNotBlockAStart();
    void NoDisplayEndsWithOneLine();
    void HandedOrderAsksAboutTheUnsavedOneFirst();

private:
    QProcessEnvironment Environment() const;

    QTemporaryDir m_runtime;
    CTempDir m_folder;
};

void CSingleInstanceTest::initTestCase()
{
    // The sockets of this test and its programs live in a runtime folder of their own.
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    // The system's MIME database as the package leaves it: the order type beside application/xml.
    const fs::path types = m_folder / "share/mime/packages";
    fs::create_directories(types);
    fs::copy_file("/usr/share/mime/packages/freedesktop.org.xml", types / "freedesktop.org.xml");
    fs::copy_file(fs::path(MOXA_DIST_DIR) / "net.moxacalc.Moxa.mime.xml",
                  types / "net.moxacalc.Moxa.xml");
    qputenv("XDG_DATA_DIRS", QFile::encodeName(Q(m_folder / "share")));
    for (const char* name : {"a", "b"})
        CopyTree(SampleDataPath(), m_folder / name);
}

QProcessEnvironment CSingleInstanceTest::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("MOXA_SETTINGS"), Q(m_folder / "moxa.ini"));
    return environment;
}

void CSingleInstanceTest::OrderFilesAreKnownByTheirRootElement()
{
    const QMimeDatabase types;
    // Orders as Moxa writes them, and with the line ends of Windows.
    std::string crlf;
    for (const char c : ReadFileBytes(m_folder / "a/Orders/example_order.xml"))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const fs::path& order :
         {m_folder / "a/Orders/example_order.xml", m_folder.WriteFile("crlf.xml", crlf)})
    {
        const QMimeType type = types.mimeTypeForFile(Q(order));
        QCOMPARE(type.name(), QStringLiteral("application/x-moxa-order+xml"));
        QVERIFY(type.inherits(QStringLiteral("application/xml")));
    }
    // Other XML files stay XML, also one with an order element further in.
    const fs::path plain =
        m_folder.WriteFile("plain.xml", "<order-list>\n<order>\n</order-list>\n");
    for (const fs::path& other :
         {m_folder / "a/Config/Categories.xml", m_folder / "a/Profiles/Ysolde.xml", plain})
        QCOMPARE(types.mimeTypeForFile(Q(other)).name(), QStringLiteral("application/xml"));
}

void CSingleInstanceTest::SecondStartHandsItsOrderOverOnTheSameFolderOnly()
{
    // This process stands for the program already running on folder a.
    CSingleInstance first(m_folder / "a");
    QCOMPARE(first.Start({}), CSingleInstance::EStart::Listening);
    QSignalSpy requests(&first, &CSingleInstance::Requested);

    // The order is named relative to the second start's own directory and arrives absolute.
    const CMoxaRun second = RunMoxa({QStringLiteral("--data-dir"), Q(m_folder / "a"),
                                     QStringLiteral("Orders/example_order.xml")},
                                    Environment(), m_folder / "a");
    QCOMPARE(second.status, 0);
    QCOMPARE(second.out, QString());
    QTRY_COMPARE(requests.count(), 1);
    QCOMPARE(requests.at(0).at(0).toStringList(),
             QStringList{Q(m_folder / "a/Orders/example_order.xml")});

    // A bare second start only brings the first to the front.
    QCOMPARE(
        RunMoxa({QStringLiteral("--data-dir"), Q(m_folder / "a")}, Environment(), m_folder.Path())
            .status,
        0);
    QTRY_COMPARE(requests.count(), 2);
    QCOMPARE(requests.at(1).at(0).toStringList(), QStringList());

    // On another folder the program runs: the probe sees its toolbar shown.
    QProcessEnvironment probe = Environment();
    probe.insert(QStringLiteral("MOXA_STARTUP_PROBE"), QStringLiteral("1"));
    const CMoxaRun other =
        RunMoxa({QStringLiteral("--data-dir"), Q(m_folder / "b")}, probe, m_folder.Path());
    QCOMPARE(other.status, 0);
    QVERIFY2(other.out.startsWith(QStringLiteral("toolbar-shown ")),
             qPrintable(other.out + other.err));
    QCOMPARE(requests.count(), 2);
}

void CSingleInstanceTest::StaleSocketOfAKilledProgramDoesNotBlockAStart()
{
    LeaveStaleSocket(CSingleInstance::ServerName(m_folder / "b"));
    QProcessEnvironment probe = Environment();
    probe.insert(QStringLiteral("MOXA_STARTUP_PROBE"), QStringLiteral("1"));
    const CMoxaRun run =
        RunMoxa({QStringLiteral("--data-dir"), Q(m_folder / "b")}, probe, m_folder.Path());
    QCOMPARE(run.status, 0);
    QVERIFY2(run.out.startsWith(QStringLiteral("toolbar-shown ")), qPrintable(run.out + run.err));
}

void CSingleInstanceTest::NoDisplayEndsWithOneLine()
{
    QProcessEnvironment environment = Environment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    const CMoxaRun run =
        RunMoxa({QStringLiteral("--data-dir"), Q(m_folder / "b")}, environment, m_folder.Path());
    QCOMPARE(run.status, 1);
    QCOMPARE(run.err, QStringLiteral("moxa: no display to open the windows on (neither DISPLAY nor "
                                     "WAYLAND_DISPLAY is set)\n"));

    // An order file that is none ends the start before any window, saying which.
    const CMoxaRun missing =
        RunMoxa({QStringLiteral("Orders/none.xml")}, Environment(), m_folder / "b");
    QCOMPARE(missing.status, 1);
    QCOMPARE(missing.err,
             QStringLiteral("moxa: the order file 'Orders/none.xml' does not exist\n"));

    // A version that could not be printed is a failure.
    if (QFile::exists(QStringLiteral("/dev/full")))
    {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(MOXA_PROGRAM), {QStringLiteral("--version")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(QString::fromLocal8Bit(process.readAllStandardError()),
                 QStringLiteral("moxa: write error: No space left on device\n"));
    }
}

void CSingleInstanceTest::HandedOrderAsksAboutTheUnsavedOneFirst()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    toolbar.show();
    OrderCommands::OpenOrderFile(*app, &toolbar,
                                 (fixture.folder / "Orders/example_order.xml").string());
    app->Order().modified = true;
    const fs::path wanted = fixture.folder / "Orders/second.xml";
    fs::copy_file(fixture.folder / "Orders/example_order.xml", wanted);
    const QStringList orders{Q(wanted)};
    CMessageBox::TakeLog();

    // Cancel keeps the unsaved order.
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::Cancel);
    OpenHandedOrders(*app, toolbar, orders);
    QCOMPARE(CMessageBox::TakeLog().size(), 1);
    QCOMPARE(app->Order().filePath, (fixture.folder / "Orders/example_order.xml").string());
    QVERIFY(app->Order().modified);
    QVERIFY(!toolbar.IsShown(EToolWindow::Order));

    // Discarding it opens the handed order, as File > Open does, and shows it.
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::No);
    OpenHandedOrders(*app, toolbar, orders);
    QCOMPARE(app->Order().filePath, wanted.string());
    QVERIFY(!app->Order().modified);
    QVERIFY(!app->Order().items.empty());
    QVERIFY(toolbar.IsShown(EToolWindow::Order));
    QCOMPARE(app->Settings().RecentOrders.front(), wanted.string());
}

QTEST_MAIN(CSingleInstanceTest)
#include "SingleInstanceTest.moc"
