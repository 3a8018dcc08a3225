#include "tests/support/ClockSimulation.h"

#include <cstdio>
#include <map>
#include <memory>

#include "alarm/AlarmFormu.h"
#include "clock/AnaForm.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FakePlatform.h"

namespace sim {

namespace {

using Ms = long long;  // milliseconds since 1970-01-01 00:00
constexpr Ms kSecond = 1000, kHour = 3600 * kSecond, kDay = 24 * kHour;
constexpr int kAlarmSecond = (7 * 60 + 30) * 60;  // 07:30:00, seconds of the day
constexpr int kSleepSecond = 23 * 3600;
constexpr int kResumeSecond = kAlarmSecond + 20;
constexpr int kLateEvery = 97;
constexpr Ms kLateBy = 1500;
constexpr int kToggleEvery = 10007;
constexpr int kSecondsToStop = 5;  // how long the user lets it ring

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kWeekDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

// Days since 1970-01-01 of a date of the Gregorian calendar, and back.
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

int WeekDay(long long days) { return static_cast<int>((days % 7 + 11) % 7); }  // 0 = Sunday

// 01:00 UTC on the last Sunday of a month: when the zone changes.
Ms ZoneChange(int year, int month) {
    const long long last = DaysFromCivil(year, month, 31);
    return (last - WeekDay(last)) * kDay + kHour;
}

Ms Offset(Ms utc) {
    int y, m, d;
    CivilFromDays(utc / kDay, y, m, d);
    return utc >= ZoneChange(y, 3) && utc < ZoneChange(y, 10) ? 2 * kHour : kHour;
}

// A local time that exists once (not within the changes) in UTC.
Ms UtcOf(Ms local) {
    const Ms winter = local - kHour;
    return Offset(winter) == kHour ? winter : local - 2 * kHour;
}

platform::DateTime Reading(Ms local) {
    platform::DateTime t;
    const long long days = local / kDay;
    const Ms ms = local % kDay;
    CivilFromDays(days, t.year, t.month, t.day);
    t.dayOfWeek = WeekDay(days);
    t.hour = static_cast<int>(ms / kHour);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    return t;
}

std::string Stamp(long long localSeconds) {
    int y, m, d;
    CivilFromDays(localSeconds / 86400, y, m, d);
    const long long s = localSeconds % 86400;
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02lld:%02lld:%02lld", y, m, d, s / 3600,
                  s / 60 % 60, s % 60);
    return text;
}

std::string Stamp(const platform::DateTime& t) {
    return Stamp(DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 +
                 t.second);
}

class Run {
public:
    Run(Variant variant, int year, int month, int day, int hour, int hours)
        : variant_(variant),
          startLocal_(DaysFromCivil(year, month, day) * kDay + hour * kHour),
          endLocal_(startLocal_ + hours * kHour) {
        program_.values.programFolder = "C:\\Program Files\\Zilvane\\";
        program_.values.appName = "Velorin\\Zilvane";
        program_.values.appTitle = "Zilvane";
        platform_.SetSetting("Alarm Zamani", "07:30");
        platform_.SetSetting("Uyari", "1");
        host_.onModal = [this](ui::Form& f) { Ringing(f); };
    }

    Counts Go() {
        for (long long d = startLocal_ / kDay; d <= endLocal_ / kDay; ++d)
            c_.days += Within(d * kDay + kAlarmSecond * kSecond);
        now_ = UtcOf(startLocal_) + 4;
        tickLocal_ = now_ + Offset(now_);
        platform_.now = Reading(tickLocal_);
        form_ = std::make_unique<AnaForm>(program_);
        form_->SetHost(&host_);
        form_->Form_Load();  // its tick shows the first second
        ++c_.ticks;
        scheduled_ = 1;  // the load's tick is the first
        Shown(tickLocal_);

        long long outer = 0;
        for (;;) {
            const Ms next = NextTick();
            if (next + Offset(next) >= endLocal_) break;
            Tick(next);
            if (++outer % kToggleEvery == 0) {
                form_->KüçültBüyültMenüsü_Click();
                ++c_.faceToggles;
            }
            if (!measured_ && c_.alarms > 0) {  // once the blink pair has run
                Measure(timers_, running_);
                measured_ = true;
            }
            const Ms local = now_ + Offset(now_);
            if (variant_ == Variant::NightSleep && local / kSecond % 86400 == kSleepSecond &&
                !Sleep(local))
                break;
        }
        Check();
        return c_;
    }

private:
    // The host's next tick: just after the next second boundary, or late.
    Ms NextTick() {
        Ms at = (now_ / kSecond + 1) * kSecond + 4;
        if (variant_ == Variant::LateTicks && ++scheduled_ % kLateEvery == 0) {
            const Ms due = at + Offset(at);
            if (due / kSecond % 86400 == kAlarmSecond) ++lateAtAlarm_;
            at += kLateBy;
            ++lateTicks_;
        }
        return at;
    }

    void Tick(Ms at) {
        now_ = at;
        tickLocal_ = at + Offset(at);
        platform_.now = Reading(tickLocal_);
        ++c_.ticks;
        const int alarms = c_.alarms;
        form_->Saat_Timer();
        // The face of a tick that opened the alarm window was taken then.
        if (c_.alarms == alarms) {
            Shown(tickLocal_);
        } else if (!ringing_) {
            // Stopped: tomorrow's alarm is the next to wake for.
            ExpectWakeTimer(tickLocal_ / kDay + 1,
                            "after the alarm of " + Stamp(tickLocal_ / kSecond));
        }
    }

    // The alarm window: the clock and the blink go on until the user stops it.
    void Ringing(ui::Form& f) {
        auto* alarm = dynamic_cast<AlarmFormu*>(&f);
        if (!alarm) {
            Fault("a modal " + f.Name() + " opened");
            return;
        }
        ++c_.alarms;
        const platform::DateTime r = Reading(tickLocal_);
        ++ringsPerDay_[tickLocal_ / kDay];
        if (r.hour != 7 || r.minute != 30) Fault("the alarm rang at " + Stamp(r));
        if (r.second != 0) ++c_.alarmsAfterSecond00;
        Shown(tickLocal_);
        if (ringing_) Fault("a second alarm window opened at " + Stamp(r));
        ringing_ = true;
        for (int i = 0; i < kSecondsToStop; ++i) {
            host_.AdvanceMs(1000);
            Tick(NextTick());
        }
        ringing_ = false;
        alarm->AlarmıDurdurButonu_Click();
    }

    bool Within(Ms local) const { return local >= startLocal_ && local < endLocal_; }

    // Asleep from the tick at 23:00:00 to 07:30:20; false past the end.
    bool Sleep(Ms local) {
        const long long day = local / kDay;
        ExpectWakeTimer(day + 1, "going to sleep on " + Stamp(local / kSecond));
        ++evenings_;
        const Ms resume = (day + 1) * kDay + kResumeSecond * kSecond;
        if (!Within(resume)) return false;
        ++c_.sleeps;
        now_ = UtcOf(resume);
        platform_.now = Reading(resume);
        // What the host does on resume: the form hears of it, and a tick runs.
        if (form_->ClockJumped) form_->ClockJumped();
        Tick(now_ + 2);
        return true;
    }

    void ExpectWakeTimer(long long day, const std::string& when) {
        const std::string want = Stamp(day * 86400 + kAlarmSecond - 5);
        const std::string have = platform_.wakeTimer ? Stamp(*platform_.wakeTimer) : "none";
        if (have == want)
            ++c_.wakeTimerChecks;
        else
            Fault("wake timer " + have + " " + when + ", expected " + want);
    }

    // What the face shows after a tick: the six digits (as labels and as
    // pictures) and the date label, against the tick's local time and the
    // face shown before.
    void Shown(Ms local) {
        std::string digits;
        for (auto* l : {&form_->Hane0, &form_->Hane1, &form_->Hane2, &form_->Hane3, &form_->Hane4,
                        &form_->Hane5})
            digits += l->Text();
        const std::string& date = form_->TarihEtiketi.Text();
        int day = 0, year = 0, month = 0;
        char name[4] = {};
        if (digits.size() != 6 || date.size() != 11 ||
            std::sscanf(date.c_str(), "%2d %3s %4d", &day, name, &year) != 3) {
            Fault("the face shows \"" + digits + "\" \"" + date + "\"");
            return;
        }
        for (int i = 0; i < 12; ++i)
            if (std::string(name) == kMonths[i]) month = i + 1;
        for (int i = 0; i < 6; ++i)
            if (form_->Hane[i]->GetPicture().cell != digits[i] - '0')
                Fault("digit picture " + std::to_string(i) + " differs from \"" + digits + "\"");
        auto two = [&](int at) { return (digits[at] - '0') * 10 + digits[at + 1] - '0'; };
        const int hour = two(0);
        const long long shown =
            DaysFromCivil(year, month, day) * 86400 + hour * 3600 + two(2) * 60 + two(4);
        if (shown != local / kSecond)
            Fault("showed " + Stamp(shown) + " at " + Stamp(local / kSecond));

        if (lastShown_ >= 0) {
            const long long step = shown - lastShown_;
            const bool late = variant_ == Variant::LateTicks;
            if (step == 1) {
            } else if (late && step == 2) {
                ++c_.secondsSkipped;
            } else if (step == 3601 || step == -3599 || (late && (step == 3602 || step == -3598))) {
                ++c_.dstJumps;
                if (step == 3602 || step == -3598) ++c_.secondsSkipped;
            } else if (variant_ == Variant::NightSleep && lastShown_ % 86400 == kSleepSecond &&
                       shown % 86400 == kResumeSecond && shown / 86400 == lastShown_ / 86400 + 1) {
            } else {
                Fault("the face went from " + Stamp(lastShown_) + " to " + Stamp(shown));
            }
            if (step != 0) ++c_.secondsShown;
        } else {
            ++c_.secondsShown;
        }
        if (lastHour_ >= 0 && hour != lastHour_) {
            ++c_.hourChanges;
            if (shown % 86400 / 60 == kAlarmSecond / 60) ++c_.hourChangesInAlarmMinute;
        }
        if (date != lastDate_) {
            if (!lastDate_.empty()) ++c_.dateChanges;
            if (form_->TarihEtiketi.ToolTip() != kWeekDays[WeekDay(shown / 86400)])
                Fault("the date " + date + " has the tooltip " + form_->TarihEtiketi.ToolTip());
            lastDate_ = date;
        }
        lastShown_ = shown;
        lastHour_ = hour;
    }

    void Measure(size_t& timers, size_t& running) const {
        timers = form_->Timers().size();
        running = 0;
        for (ui::Timer* t : form_->Timers()) running += t->Running();
    }

    // What must hold at the end.
    void Check() {
        int changes = 0, midnights = 0, nights = 0;
        for (int y = Reading(startLocal_).year; y <= Reading(endLocal_).year; ++y)
            for (int m : {3, 10}) {
                const Ms at = ZoneChange(y, m);
                changes += at >= UtcOf(startLocal_) && at < UtcOf(endLocal_);
            }
        const bool asleep = variant_ == Variant::NightSleep;
        for (long long d = startLocal_ / kDay; d <= endLocal_ / kDay; ++d) {
            midnights += d * kDay > startLocal_ && d * kDay < endLocal_;
            nights += Within(d * kDay - kDay + kSleepSecond * kSecond) &&
                      Within(d * kDay + kResumeSecond * kSecond);
            const bool due = Within(d * kDay + kAlarmSecond * kSecond);
            auto it = ringsPerDay_.find(d);
            const int rings = it == ringsPerDay_.end() ? 0 : it->second;
            if (due && rings == 1)
                ++c_.daysWithOneAlarm;
            else if (due || rings)
                Fault("the alarm rang " + std::to_string(rings) + " times on " + Stamp(d * 86400));
        }
        auto expect = [this](const char* what, long long have, long long want) {
            if (have != want)
                Fault(std::string(what) + ": " + std::to_string(have) + ", expected " +
                      std::to_string(want));
        };
        expect("alarms", c_.alarms, c_.days);
        // Each sleep ends within the alarm minute, after its second 00.
        expect("alarms after second 00", c_.alarmsAfterSecond00, asleep ? c_.sleeps : lateAtAlarm_);
        expect("zone changes on the face", c_.dstJumps, asleep ? 0 : changes);
        expect("seconds skipped", c_.secondsSkipped, lateTicks_);
        expect("nights asleep", c_.sleeps, asleep ? nights : 0);
        expect("chimes", Chimes(), c_.hourChanges - c_.hourChangesInAlarmMinute);
        expect("date changes", c_.dateChanges, midnights);
        expect("wake timer checks", c_.wakeTimerChecks, c_.alarms + evenings_);
        if (measured_) {
            size_t timers = 0, running = 0;
            Measure(timers, running);
            expect("timers of the clock", static_cast<long long>(timers),
                   static_cast<long long>(timers_));
            expect("running timers", static_cast<long long>(running),
                   static_cast<long long>(running_));
        }
        expect("alarm windows loaded", host_.Count("Load AlarmFormu"), c_.alarms);
        expect("alarm windows unloaded", host_.Count("Unload AlarmFormu"), c_.alarms);
        if (form_->AçıkAlarmFormu() || form_->AçıkAyarlarFormu() || host_.modalDepth != 0)
            Fault("a window is still open at the end");
        if (form_->AlarmEtiketi.Text() != "07:30" ||
            form_->AlarmEtiketi.ForeColor() != ui::Rgb(192, 192, 0))
            Fault("the alarm is no longer armed at 07:30");
        c_.chimes = Chimes();
    }

    int Chimes() const {
        int n = 0;
        for (auto& [path, flags] : platform_.played) n += flags == 0x20001u;
        return n;
    }

    void Fault(const std::string& what) {
        if (c_.faults.size() < 20) c_.faults.push_back(what);
    }

    Variant variant_;
    Ms startLocal_, endLocal_;
    fake::FakePlatform platform_;
    fake::FakeHost host_;
    Program program_{platform_, &host_, {}};
    std::unique_ptr<AnaForm> form_;
    Counts c_;
    Ms now_ = 0;        // UTC of the latest tick
    Ms tickLocal_ = 0;  // its local time
    long long scheduled_ = 0, lateTicks_ = 0;
    int lateAtAlarm_ = 0;  // late ticks that were due at 07:30:00
    int evenings_ = 0;     // 23:00 ticks that sent the clock to sleep
    bool measured_ = false;
    bool ringing_ = false;
    long long lastShown_ = -1;
    int lastHour_ = -1;
    std::string lastDate_;
    std::map<long long, int> ringsPerDay_;
    size_t timers_ = 0, running_ = 0;  // after the first day
};

}  // namespace

const char* Name(Variant v) {
    switch (v) {
        case Variant::OnTime: return "on time";
        case Variant::LateTicks: return "every 97th tick 1.5 s late";
        case Variant::NightSleep: return "asleep 23:00 to 07:30:20";
    }
    return "";
}

Counts Simulate(Variant variant, int year, int month, int day, int hour, int hours) {
    return Run(variant, year, month, day, hour, hours).Go();
}

}  // namespace sim
