// A simulated year of the clock, second by second: from 30 Dec 2027 over the
// leap day, both changes of time of 2028 and two changes of year, on time,
// with every 97th tick 1.5 s late, and asleep every night from 23:00 to
// 07:30:20. Prints what it counted; exits 1 when anything was wrong.
#include <chrono>
#include <cstdio>

#include "tests/support/ClockSimulation.h"

int main() {
    constexpr int kYear = 2027, kMonth = 12, kDay = 30, kDays = 368;
    bool ok = true;
    std::printf("%d days from %04d-%02d-%02d 00:00 local (CET/CEST), alarm 07:30\n", kDays, kYear,
                kMonth, kDay);
    using sim::Variant;
    for (Variant v : {Variant::OnTime, Variant::LateTicks, Variant::NightSleep}) {
        const auto start = std::chrono::steady_clock::now();
        const sim::Counts c = sim::Simulate(v, kYear, kMonth, kDay, 0, kDays * 24);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("\n%s (%.1f s)\n", sim::Name(v), seconds);
        std::printf("  ticks %lld, seconds shown %lld, skipped %lld, zone changes %d, "
                    "nights asleep %d\n",
                    c.ticks, c.secondsShown, c.secondsSkipped, c.dstJumps, c.sleeps);
        std::printf("  alarms %d (after second 00: %d), days with one alarm %d of %d\n", c.alarms,
                    c.alarmsAfterSecond00, c.daysWithOneAlarm, c.days);
        std::printf("  hour changes %d (in the alarm minute: %d), chimes %d\n", c.hourChanges,
                    c.hourChangesInAlarmMinute, c.chimes);
        std::printf("  date changes %d, face toggles %d, wake timer right %d times\n",
                    c.dateChanges, c.faceToggles, c.wakeTimerChecks);
        for (const std::string& fault : c.faults) std::printf("  FAULT: %s\n", fault.c_str());
        std::printf("  %s\n", c.faults.empty() ? "ok" : "FAILED");
        ok = ok && c.faults.empty();
    }
    return ok ? 0 : 1;
}
