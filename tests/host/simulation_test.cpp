// The clock second by second from an evening to the next morning across
// the autumn change of time: on time, with late ticks, and asleep from 23:00
// to 07:30:20. (bench/year.sh runs a whole year of it.)
#include <gtest/gtest.h>

#include "tests/support/ClockSimulation.h"

namespace {

TEST(Simulation, ANightAcrossTheAutumnChangeShowsEverySecondAndRingsOnce) {
    using sim::Variant;
    for (Variant v : {Variant::OnTime, Variant::LateTicks, Variant::NightSleep}) {
        const sim::Counts c = sim::Simulate(v, 2028, 10, 28, 20, 14);  // to 29 Oct, 10:00
        for (const std::string& fault : c.faults) ADD_FAILURE() << sim::Name(v) << ": " << fault;
        EXPECT_EQ(c.daysWithOneAlarm, 1) << sim::Name(v);
        EXPECT_EQ(c.dateChanges, 1) << sim::Name(v);
        EXPECT_EQ(c.dstJumps, v == Variant::NightSleep ? 0 : 1) << sim::Name(v);
        if (v != Variant::LateTicks)  // rings after second 00 only on waking
            EXPECT_EQ(c.alarmsAfterSecond00, v == Variant::NightSleep ? 1 : 0) << sim::Name(v);
    }
}

}  // namespace
