#include "ui/update/TransferModule.h"

#include <QTimer>
#include <cstdint>
#include <dlfcn.h>
#include <filesystem>
#include <system_error>
#include <vector>

namespace
{
constexpr const char* ModuleName = "moxa-transfer.so";

// Beside the running program first, then where this build put it.
std::vector<std::filesystem::path> Candidates()
{
    std::vector<std::filesystem::path> paths;
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        paths.push_back(self.parent_path() / ModuleName);
#ifdef MOXA_TRANSFER_MODULE
    paths.emplace_back(MOXA_TRANSFER_MODULE);
#endif
    return paths;
}

} // namespace

CTransferModule OpenTransferModule(const std::vector<std::filesystem::path>& candidates)
{
    CTransferModule module;
    module.error = std::string(ModuleName) + " was not found";
    for (const std::filesystem::path& path : candidates)
    {
        std::error_code error;
        if (!std::filesystem::exists(path, error))
            continue;
        void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library)
        {
            const char* why = dlerror();
            module.error = path.string() + ": " + (why ? why : "cannot be opened");
            continue;
        }
        using Interface = int (*)();
        const auto version = reinterpret_cast<Interface>(dlsym(library, "MoxaTransferInterface"));
        const auto create =
            reinterpret_cast<ITransfer* (*)()>(dlsym(library, "MoxaCreateTransfer"));
        if (!version || !create || version() != TransferInterfaceVersion)
        {
            // Another build's module: its types may differ from ours.
            module.error = path.string() + " belongs to another build of moxa";
            dlclose(library);
            continue;
        }
        // Open for the rest of the run: transfers it made may outlive any one caller.
        module.create = create;
        module.error.clear();
        return module;
    }
    return module;
}

namespace
{
// Every download fails, later from the event loop as a real transfer's would.
class CUnavailableTransfer : public ITransfer
{
public:
    explicit CUnavailableTransfer(std::string reason) : m_reason(std::move(reason)) {}

    void Start(const CTransferRequest&, CTransferCallbacks callbacks) override
    {
        m_running = true;
        const std::uint64_t generation = ++m_generation;
        QTimer::singleShot(0, &m_context,
                           [this, generation, callbacks = std::move(callbacks)]
                           {
                               if (generation != m_generation || !m_running)
                                   return;
                               m_running = false;
                               CTransferResult result;
                               result.status = ETransferStatus::ConnectFailed;
                               result.detail = "the network module cannot be used: " + m_reason;
                               if (callbacks.finished)
                                   callbacks.finished(result);
                           });
    }
    void Abort() override
    {
        m_running = false;
        ++m_generation;
    }
    bool IsRunning() const override { return m_running; }

private:
    std::string m_reason;
    QObject m_context; // queued calls die with it
    bool m_running = false;
    std::uint64_t m_generation = 0;
};
} // namespace

std::unique_ptr<ITransfer> MakeTransfer(const CTransferModule& module)
{
    if (module.create)
        if (ITransfer* transfer = module.create())
            return std::unique_ptr<ITransfer>(transfer);
    return std::make_unique<CUnavailableTransfer>(module.error.empty() ? "it made no transfer"
                                                                       : module.error);
}

std::unique_ptr<ITransfer> OpenNetworkTransfer()
{
    static const CTransferModule module = OpenTransferModule(Candidates());
    return MakeTransfer(module);
}
