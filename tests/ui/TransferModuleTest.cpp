#include "ui/update/TransferModule.h"

#include "support/TempDir.h"

#include <QtTest>
#include <optional>

namespace
{
// One download through a transfer, with the event loop running until it finishes; none
// when it finished inside Start or not at all.
std::optional<CTransferResult> Download(ITransfer& transfer, const std::filesystem::path& target)
{
    std::optional<CTransferResult> result;
    CTransferRequest request;
    request.address = "http://127.0.0.1:9/Release.xml";
    request.target = target;
    request.stallTimeoutMs = 2000;
    CTransferCallbacks callbacks;
    callbacks.finished = [&](const CTransferResult& r) { result = r; };
    transfer.Start(request, callbacks);
    if (result)
        return std::nullopt;
    if (!QTest::qWaitFor([&] { return result.has_value(); }, 10000))
        return std::nullopt;
    return result;
}
} // namespace

class CTransferModuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void TheBuildsModuleOpens();
    void UnusableModulesAreReportedAndTheirTransfersFail();
};

void CTransferModuleTest::TheBuildsModuleOpens()
{
    const CTransferModule module =
        OpenTransferModule({"/nonexistent/moxa-transfer.so", MOXA_TRANSFER_MODULE});
    QVERIFY(module.create != nullptr);
    QCOMPARE(QString::fromStdString(module.error), QString());
    // A real transfer: nothing listens on the discard port.
    CTempDir dir;
    const std::unique_ptr<ITransfer> transfer = MakeTransfer(module);
    const std::optional<CTransferResult> result = Download(*transfer, dir / "Release.xml");
    QVERIFY(result.has_value());
    QCOMPARE(static_cast<int>(result->status), static_cast<int>(ETransferStatus::ConnectFailed));
    QVERIFY(result->detail.find("network module") == std::string::npos);
    QVERIFY(!std::filesystem::exists(dir / "Release.xml"));
}

void CTransferModuleTest::UnusableModulesAreReportedAndTheirTransfersFail()
{
    CTempDir dir;
    dir.WriteFile("moxa-transfer.so", "not a library");
    struct CCase
    {
        std::vector<std::filesystem::path> candidates;
        std::string error;
    };
    const std::string notLibrary = (dir / "moxa-transfer.so").string();
    // A library of the system, which has no entry points of ours.
    const std::string foreign = "/lib/x86_64-linux-gnu/libm.so.6";
    const CCase cases[] = {
        {{}, "moxa-transfer.so was not found"},
        {{dir / "missing.so"}, "moxa-transfer.so was not found"},
        {{foreign}, foreign + " belongs to another build of moxa"},
    };
    for (const CCase& c : cases)
    {
        const CTransferModule module = OpenTransferModule(c.candidates);
        QVERIFY(module.create == nullptr);
        QCOMPARE(QString::fromStdString(module.error), QString::fromStdString(c.error));
    }
    const CTransferModule broken = OpenTransferModule({notLibrary});
    QVERIFY(broken.create == nullptr);
    QVERIFY2(broken.error.rfind(notLibrary + ": ", 0) == 0, broken.error.c_str());

    const std::unique_ptr<ITransfer> transfer = MakeTransfer(broken);
    const std::optional<CTransferResult> result = Download(*transfer, dir / "Release.xml");
    QVERIFY(result.has_value());
    QCOMPARE(static_cast<int>(result->status), static_cast<int>(ETransferStatus::ConnectFailed));
    QCOMPARE(QString::fromStdString(result->detail),
             QString::fromStdString("the network module cannot be used: " + broken.error));
    QVERIFY(!transfer->IsRunning());

    // Aborted, it stays silent.
    bool called = false;
    CTransferCallbacks callbacks;
    callbacks.finished = [&](const CTransferResult&) { called = true; };
    transfer->Start(CTransferRequest{}, callbacks);
    QVERIFY(transfer->IsRunning());
    transfer->Abort();
    QTest::qWait(50);
    QVERIFY(!called);
}

QTEST_MAIN(CTransferModuleTest)
#include "TransferModuleTest.moc"
