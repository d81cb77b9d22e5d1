#include "ui/shell/StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace
{
std::int64_t MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The toolbar counts as shown when its first paint is over: the filter sees the paint
// event before the window handles it, so the clock is read from a zero timer after it.
class CFirstPaintWatcher : public QObject
{
public:
    explicit CFirstPaintWatcher(QWidget* toolbar) : QObject(toolbar)
    {
        toolbar->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen)
        {
            m_seen = true;
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this,
                               []
                               {
                                   const std::string line = StartupProbeLine(MonotonicNs());
                                   std::fputs(line.c_str(), stdout);
                                   std::fflush(stdout);
                                   QCoreApplication::exit(0);
                               });
        }
        return false;
    }

private:
    bool m_seen = false;
};
} // namespace

bool StartupProbeRequested()
{
    return std::getenv("MOXA_STARTUP_PROBE") != nullptr;
}

std::string StartupProbeLine(std::int64_t monotonicNs)
{
    return "toolbar-shown " + std::to_string(monotonicNs) + "\n";
}

void ArmStartupProbe(QWidget* toolbar)
{
    new CFirstPaintWatcher(toolbar);
}
