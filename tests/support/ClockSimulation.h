// The clock run second by second on simulated time: the fake platform reads
// the local time of a European zone (CET, CEST from the last Sunday of
// March to the last Sunday of October), and ticks come as the host brings
// them, just after each second boundary. An alarm at 07:30 rings every day
// and is stopped a few seconds later, the hourly chime is on and the face
// is toggled now and then. What the clock showed and sounded is counted and
// checked as it goes.
#pragma once

#include <string>
#include <vector>

namespace sim {

enum class Variant {
    OnTime,      // every tick just after its second
    LateTicks,   // every 97th tick 1.5 s late
    NightSleep,  // asleep from the 23:00 tick to 07:30:20, then a resume
};

const char* Name(Variant v);

struct Counts {
    long long ticks = 0;           // ticks run, nested ones included
    long long secondsShown = 0;    // distinct times the face showed
    long long secondsSkipped = 0;  // wall-clock seconds the face jumped over (late ticks)
    int dstJumps = 0;              // the face went an hour forward or back with the zone
    int sleeps = 0;                // nights asleep, 23:00:00 to 07:30:20
    int days = 0;                  // days whose 07:30 was simulated
    int alarms = 0;                // alarm windows opened
    int alarmsAfterSecond00 = 0;   // of these, at a tick after second 00
    int daysWithOneAlarm = 0;
    int hourChanges = 0;           // the face's hour changed from one tick to the next
    int hourChangesInAlarmMinute = 0;  // of these, where the alarm has precedence
    int chimes = 0;
    int dateChanges = 0;
    int faceToggles = 0;
    int wakeTimerChecks = 0;       // wake timer found on the next 07:29:55
    std::vector<std::string> faults;  // what went wrong, the first few
};

// Runs `hours` hours of local time from the given date and hour.
Counts Simulate(Variant variant, int year, int month, int day, int hour, int hours);

}  // namespace sim
