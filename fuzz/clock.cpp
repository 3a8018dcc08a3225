// The clock on whatever the store holds and whatever time and date text the
// platform hands it: load, the alarm's minute, the settings dialog's OK. What
// it shows, plays and stores stays usable.
#include <cstdio>
#include <sstream>

#include "alarm/AlarmFormu.h"
#include "clock/AnaForm.h"
#include "clock/Settings.h"
#include "settings/AyarlarFormu.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FakePlatform.h"

#define REQUIRE(c) if (!(c)) __builtin_trap()

namespace {
struct Platform : fake::FakePlatform {
    std::string date;  // what the user's locale makes of any date
    std::string FormatDate(const platform::DateTime&, const std::string&) override { return date; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Platform fresh;  // reads the string table once
    Platform p = fresh;
    fake::FakeHost host;
    Program program{p, &host, {"C:\\Z\\", "Velorin\\Zilvane", "Zilvane"}};
    // "key=value" lines for the store; "@date=text", "@time=h m s", "@nodevice".
    std::istringstream lines(std::string(data, data + size));
    platform::DateTime& t = p.now;
    for (std::string line; std::getline(lines, line);) {
        const auto eq = line.find('=');
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);  // npos + 1 == 0
        if (key == "@date") p.date = value;
        if (key == "@time") std::sscanf(value.c_str(), "%d %d %d", &t.hour, &t.minute, &t.second);
        if (key == "@nodevice") p.waveDevices = 0;
        if (key[0] != '@' && eq != line.npos) p.SetSetting(key, value);
    }
    const std::string kDefault = "C:\\Z\\Alarm.wav";
    const std::string alarmSound = settings::Get(program, "Alarm Sesi", kDefault);
    const std::string chimeSound = settings::Get(program, "Saat Basi Sesi", kDefault);
    p.existingFiles = {alarmSound};
    host.onModal = [](ui::Form& f) {
        if (auto* alarm = dynamic_cast<AlarmFormu*>(&f)) alarm->AlarmıDurdurButonu_Click();
        if (auto* dialog = dynamic_cast<AyarlarFormu*>(&f)) dialog->TamamButonu->PerformClick();
    };
    auto form = std::make_unique<AnaForm>(program);
    form->SetHost(&host);
    form->Form_Load();
    // A time the platform can report shows as its six digits in the colour.
    if (t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 &&
        t.second < 60) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%02d%02d%02d", t.hour, t.minute, t.second);
        for (int i = 0; i < 6; ++i)
            REQUIRE(form->Hane[i]->GetPicture() ==
                    form->Haneler[program.values.colourIndex].GraphicCell(digits[i] - '0'));
    }
    REQUIRE(form->TarihEtiketi.Text() == p.date);
    if (host.ended) return 0;  // the load's own tick was a shutdown alarm
    const std::string shown = form->AlarmEtiketi.Text();
    REQUIRE(form->AlarmKurulu() ? settings::AlarmTime(shown) == shown : shown == "00:00");
    if (form->AlarmKurulu()) {  // its minute: the stored sound rings, or the shutdown
        t = {2026, 12, 8, std::stoi(shown.substr(0, 2)), std::stoi(shown.substr(3)), 0};
        form->Saat_Timer();
        if (host.ended) return 0;
        REQUIRE(!p.played.empty() && p.played[0].first == alarmSound);
    }
    form->AyarlarMenüsü_Click();
    REQUIRE(p.Setting("Renk") == settings::Text(program.values.colourIndex));
    for (const char* flag : {"Kapat", "Uyari", "Baslangic", "Ustte"})
        REQUIRE(p.Setting(flag) == "0" || p.Setting(flag) == "1");
    // A sound path comes back as it was stored, or as the default.
    for (auto [key, stored] : {std::pair{"Alarm Sesi", alarmSound}, {"Saat Basi Sesi", chimeSound}})
        REQUIRE(p.Setting(key) == kDefault || (!stored.empty() && p.Setting(key) == stored));
    return 0;
}
