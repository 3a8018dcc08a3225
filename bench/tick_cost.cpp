// tick_cost: the clock's one-second work, without a window system. Loads
// the clock against the fake platform and host, then runs the two timers
// on the second (Saat, Sınırla) for N simulated seconds and prints what
// each tick asked of the platform and the host.
//
// usage: tick_cost [SECONDS [HH:MM:SS]]   (default 3600 from 10:15:30)
//
// Run under `valgrind --tool=callgrind --toggle-collect=RunTicks` to count
// the instructions of the ticks alone (bench/bench.sh does).
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "clock/AnaForm.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FakePlatform.h"

namespace {

// Counts what the ticks ask: each visible change reported to the host
// (a repaint on Windows), each date formatted, each setting read.
struct CountingHost : fake::FakeHost {
    std::map<const ui::Control*, long> changed;  // nullptr: the form
    void Changed(ui::Form&, ui::Control* c) override { ++changed[c]; }
};

struct CountingPlatform : fake::FakePlatform {
    long dates = 0, reads = 0;
    std::string FormatDate(const platform::DateTime& when, const std::string& picture) override {
        ++dates;
        return FakePlatform::FormatDate(when, picture);
    }
    bool ReadSetting(const std::string& app, const std::string& section, const std::string& key,
                     std::string& value) override {
        ++reads;
        return FakePlatform::ReadSetting(app, section, key, value);
    }
};

}  // namespace

// Kept out of line under this name: callgrind collects inside it only.
__attribute__((noinline)) void RunTicks(CountingPlatform& platform, AnaForm& form, long seconds) {
    for (long i = 0; i < seconds; ++i) {
        platform.Advance(1);
        form.Saat_Timer();
        form.Sınırla_Timer();
    }
}

int main(int argc, char** argv) {
    const long seconds = argc > 1 ? std::atol(argv[1]) : 3600;
    CountingPlatform platform;
    if (argc > 2 && std::sscanf(argv[2], "%d:%d:%d", &platform.now.hour, &platform.now.minute,
                                &platform.now.second) != 3) {
        std::fprintf(stderr, "usage: %s [SECONDS [HH:MM:SS]]\n", argv[0]);
        return 2;
    }
    if (seconds <= 0) return 2;
    CountingHost host;
    Program program{platform, &host, {}};
    program.values.programFolder = "C:\\Program Files\\Zilvane\\";
    program.values.appName = "Velorin\\Zilvane";
    program.values.appTitle = "Zilvane";
    platform.SetSetting("Alarm Zamani", "07:30");

    AnaForm form(program);
    form.SetHost(&host);
    form.Form_Load();
    host.changed.clear();
    platform.dates = platform.reads = 0;

    RunTicks(platform, form, seconds);

    long changes = 0;
    for (const auto& [name, n] : host.changed) changes += n;
    std::printf("ticks %ld\n", seconds);
    std::printf("host changes per tick %.3f\n", double(changes) / seconds);
    for (const auto& [c, n] : host.changed)
        std::printf("  %-16s %.3f\n", c ? c->Name().c_str() : form.Name().c_str(),
                    double(n) / seconds);
    std::printf("dates formatted per tick %.3f\n", double(platform.dates) / seconds);
    std::printf("settings read per tick %.3f\n", double(platform.reads) / seconds);
    return 0;
}
