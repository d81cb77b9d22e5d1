// Kill trials: for every kind of saved file, a child process saves a new version over an
// old one and is killed with SIGKILL at a random moment of the save. Afterwards each file
// must be byte-identical to the old or the new version, and what the interrupted saves
// left behind must be gone after the next start's tidying. The "install" trials kill a
// start that installs a waiting update archive; the next start must end with the new
// database and its revision.
//
//   kill_trials [ITERATIONS [KIND...]]
#include "SaveKinds.h"
#include "platform/QtSettingsStore.h"
#include "session/Session.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "support/TestZip.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
using Clock = std::chrono::steady_clock;

struct CChild
{
    pid_t pid = -1;
};

// Forks a child that says it is ready, then saves the new version.
CChild StartSave(const CSaveKind& kind, const fs::path& data)
{
    int fds[2];
    if (::pipe(fds) != 0)
        std::abort();
    const pid_t pid = ::fork();
    if (pid < 0)
        std::abort();
    if (pid == 0)
    {
        ::close(fds[0]);
        const char byte = 1;
        if (::write(fds[1], &byte, 1) != 1)
            ::_exit(3);
        ::_exit(kind.save(data, 1) ? 0 : 1);
    }
    ::close(fds[1]);
    char byte = 0;
    if (::read(fds[0], &byte, 1) != 1)
        std::abort();
    ::close(fds[0]);
    return {pid};
}

int Wait(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        ;
    return status;
}

void Restore(const fs::path& data, const CSaveKind& kind, const std::vector<std::string>& old)
{
    for (std::size_t i = 0; i < kind.targets.size(); ++i)
        if (ReadFileBytes(data / kind.targets[i]) != old[i])
        {
            std::ofstream out(data / kind.targets[i], std::ios::binary | std::ios::trunc);
            out << old[i];
        }
}

struct CResult
{
    int trials = 0;
    int corrupt = 0;
    int leftAfterTidy = 0;
    int leftovers = 0;
    std::map<std::string, int> outcomes; // "old", "new", "old+new" ... per target
    double windowMicros = 0;
    double seconds = 0;
};

CResult RunKind(const CSaveKind& kind, int iterations, std::mt19937& random)
{
    CResult result;
    const auto started = Clock::now();
    CTempDir refOld, refNew, trial;
    if (!kind.save(refOld.Path(), 0) || !kind.save(refNew.Path(), 1))
    {
        std::fprintf(stderr, "%s: the reference saves failed\n", kind.name.c_str());
        result.corrupt = 1;
        return result;
    }
    std::vector<std::string> oldBytes, newBytes;
    for (const std::string& target : kind.targets)
    {
        oldBytes.push_back(ReadFileBytes(refOld / target));
        newBytes.push_back(ReadFileBytes(refNew / target));
    }
    const fs::path data = trial.Path();
    kind.save(data, 0);

    // How long a save takes from the child's start; kills land anywhere in it and a bit after.
    std::vector<double> durations;
    for (int i = 0; i < 15; ++i)
    {
        Restore(data, kind, oldBytes);
        const auto t0 = Clock::now();
        const CChild child = StartSave(kind, data);
        Wait(child.pid);
        durations.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    std::sort(durations.begin(), durations.end());
    result.windowMicros = std::max(50.0, durations[durations.size() / 2] * 1.3);
    std::uniform_int_distribution<int> delay(0, static_cast<int>(result.windowMicros));

    for (int i = 0; i < iterations; ++i)
    {
        Restore(data, kind, oldBytes);
        const CChild child = StartSave(kind, data);
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child.pid, SIGKILL);
        Wait(child.pid);
        ++result.trials;
        std::string outcome;
        for (std::size_t t = 0; t < kind.targets.size(); ++t)
        {
            const std::string bytes = ReadFileBytes(data / kind.targets[t]);
            const bool exists = fs::exists(data / kind.targets[t]);
            const char* what = !exists ? "absent" : bytes == oldBytes[t] ? "old" : bytes == newBytes[t] ? "new" : nullptr;
            // Only the cache may lose its second file (the next start rebuilds it).
            if (!exists && !(kind.name == "cache" && t == 1))
                what = nullptr;
            if (!what)
            {
                ++result.corrupt;
                std::fprintf(stderr, "%s: trial %d left %s with %zu bytes that are neither version\n",
                             kind.name.c_str(), i, kind.targets[t].c_str(), bytes.size());
                what = "other";
            }
            outcome += (t ? "+" : "") + std::string(what);
        }
        // The two cache files must come from the same save.
        if (outcome.rfind("new+old", 0) == 0 || outcome.rfind("old+new", 0) == 0)
        {
            ++result.corrupt;
            std::fprintf(stderr, "%s: trial %d left a mixed pair (%s)\n", kind.name.c_str(), i, outcome.c_str());
        }
        ++result.outcomes[outcome];
    }
    result.leftovers = static_cast<int>(LeftoverFiles(kind, data).size());
    TidyLikeStartup(data);
    for (const std::string& left : LeftoverFiles(kind, data))
    {
        ++result.leftAfterTidy;
        if (result.leftAfterTidy <= 3)
            std::fprintf(stderr, "%s: %s is still there after a start\n", kind.name.c_str(), left.c_str());
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    return result;
}
// A start as the program makes it when an archive waits: settings, the installation (which
// reloads the database), the settings saved at the end.
bool StartWithUpdate(const fs::path& data)
{
    ::setenv("MOXA_SETTINGS", (data / "Moxa2.ini").c_str(), 1);
    std::unique_ptr<ISettingsStore> store = CreateUserSettingsStore();
    CScriptedPrompter prompter;
    CSession session(data, store.get(), &prompter);
    session.LoadSettings();
    session.InstallPendingUpdate();
    return session.SaveSettings();
}

pid_t StartChild(const fs::path& data)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(StartWithUpdate(data) ? 0 : 1);
    return pid;
}

// The database and revision the next start ends with; "new" when both are the archive's.
std::string AfterNextStart(const fs::path& data)
{
    Wait(StartChild(data));
    ::setenv("MOXA_SETTINGS", (data / "Moxa2.ini").c_str(), 1);
    const std::string revision =
        CreateUserSettingsStore()->Read(SettingsKeys::Config, "DatabaseRevision").value_or("Initial");
    const bool glass = fs::exists(data / "Config/Crafts/glass.xml");
    const bool old = fs::exists(data / "Config/Categories.xml");
    const bool waiting = fs::exists(data / "Temp/Moxa_2026-12-01.zip");
    if (glass && !old && revision == "2026-12-01" && !waiting)
        return "new";
    return std::string(glass ? "config=new" : old ? "config=old" : "config=none") + " revision=" + revision +
           (waiting ? " archive waiting" : "");
}

CResult RunInstallTrials(int iterations, std::mt19937& random)
{
    // A trial is two starts that rebuild the database: fewer of them.
    iterations = std::min(iterations, 50);
    CResult result;
    const auto started = Clock::now();
    auto prepare = [](const fs::path& data)
    {
        fs::remove_all(data);
        fs::create_directories(data / "Config");
        std::ofstream(data / "Config/Categories.xml") << "<categories>\n</categories>\n";
        WriteGlassArchive(data, "Moxa_2026-12-01.zip");
    };
    CTempDir trial;
    const fs::path data = trial / "data";
    std::vector<double> durations;
    for (int i = 0; i < 9; ++i)
    {
        prepare(data);
        const auto t0 = Clock::now();
        Wait(StartChild(data));
        durations.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    std::sort(durations.begin(), durations.end());
    result.windowMicros = std::max(50.0, durations[durations.size() / 2] * 1.3);
    std::uniform_int_distribution<int> delay(0, static_cast<int>(result.windowMicros));
    for (int i = 0; i < iterations; ++i)
    {
        prepare(data);
        const pid_t child = StartChild(data);
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        Wait(child);
        ++result.trials;
        const std::string outcome = AfterNextStart(data);
        if (outcome != "new")
        {
            ++result.corrupt;
            if (result.corrupt <= 3)
                std::fprintf(stderr, "install: trial %d ended with %s\n", i, outcome.c_str());
        }
        ++result.outcomes[outcome == "new" ? "new" : "lost"];
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    return result;
}
} // namespace

int main(int argc, char** argv)
{
    const int iterations = argc > 1 ? std::atoi(argv[1]) : 1000;
    std::vector<std::string> names;
    for (int i = 2; i < argc; ++i)
        names.push_back(argv[i]);
    if (names.empty())
    {
        for (const CSaveKind& kind : SaveKinds())
            names.push_back(kind.name);
        names.push_back("install");
    }

    std::random_device seed;
    const unsigned seedValue = seed();
    std::mt19937 random(seedValue);
    std::printf("kill trials: %d per kind, seed %u\n", iterations, seedValue);
    bool ok = true;
    for (const std::string& name : names)
    {
        const CResult r = name == "install" ? RunInstallTrials(iterations, random)
                                            : RunKind(SaveKindNamed(name), iterations, random);
        std::string outcomes;
        for (const auto& [what, count] : r.outcomes)
            outcomes += " " + what + "=" + std::to_string(count);
        std::printf("%-9s trials=%d window=%.0fus%s corrupt=%d leftovers=%d after-start=%d (%.1fs)\n",
                    name.c_str(), r.trials, r.windowMicros, outcomes.c_str(), r.corrupt, r.leftovers,
                    r.leftAfterTidy, r.seconds);
        ok = ok && r.corrupt == 0 && r.leftAfterTidy == 0 && r.trials == (name == "install" ? std::min(iterations, 50) : iterations);
    }
    std::printf(ok ? "kill trials passed\n" : "kill trials FAILED\n");
    return ok ? 0 : 1;
}
