// moxa itself with MOXA_STARTUP_PROBE, as bench/run starts it.
#include "support/RunCommand.h"
#include "support/TempDir.h"

#include <cstdint>
#include <ctime>
#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace fs = std::filesystem;

namespace
{
std::int64_t MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

struct CProbeRun
{
    CCommandRun run;
    std::int64_t before = 0;
    std::int64_t after = 0;
};

CProbeRun StartWithProbe(const fs::path& data, const fs::path& settings)
{
    const std::string command = "QT_QPA_PLATFORM=offscreen MOXA_STARTUP_PROBE=1 MOXA_SETTINGS='" +
                                settings.string() + "' '" MOXA_PROGRAM "' --data-dir '" +
                                data.string() + "' 2>/dev/null";
    CProbeRun probe;
    probe.before = MonotonicNs();
    probe.run = RunShellCommand(command);
    probe.after = MonotonicNs();
    return probe;
}

// One line, "toolbar-shown NS", with NS read from the same clock between spawn and exit.
void ExpectProbeLine(const CProbeRun& probe)
{
    EXPECT_EQ(probe.run.status, 0);
    std::smatch match;
    ASSERT_TRUE(std::regex_match(probe.run.out, match, std::regex("toolbar-shown ([0-9]+)\n")))
        << probe.run.out;
    const std::int64_t shown = std::stoll(match[1].str());
    EXPECT_GT(shown, probe.before);
    EXPECT_LT(shown, probe.after);
}
} // namespace

TEST(StartupProbe, PrintsWhenTheToolbarIsShownAndQuitsOnARebuildAndOnACacheStart)
{
    CTempDir folder;
    CopyTree(SampleDataPath(), folder / "data");
    const fs::path data = folder / "data";
    const fs::path settings = folder / "moxa.ini";
    const fs::path cache = data / "Cache/config.dat";
    ASSERT_FALSE(fs::exists(cache));

    // No cache yet: the start rebuilds from XML and caches.
    ExpectProbeLine(StartWithProbe(data, settings));
    ASSERT_TRUE(fs::exists(cache));
    const std::string cached = ReadFileBytes(cache);
    const auto written = fs::last_write_time(cache);

    // The second start reads that cache and leaves it as it was.
    ExpectProbeLine(StartWithProbe(data, settings));
    EXPECT_EQ(ReadFileBytes(cache), cached);
    EXPECT_EQ(fs::last_write_time(cache), written);
    // The probe quits without the shutdown's save: a timed start leaves no settings behind.
    EXPECT_FALSE(fs::exists(settings));
}
