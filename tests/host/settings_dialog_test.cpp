#include "settings/AyarlarFormu.h"
#include "tests/host/ClockFixture.h"

namespace {

constexpr ui::Color kYellow = ui::Rgb(192, 192, 0);
constexpr ui::Color kGrey = ui::Rgb(128, 128, 128);
const std::string kRunKey =
    std::string("HKEY_CURRENT_USER") + "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The clock loaded, then the dialog opened from its menu; each test acts
// while the dialog is open.
struct Dialog : ClockTest {
    std::function<void(AyarlarFormu&)> inDialog;
    std::function<void(AlarmFormu&)> inAlarm;
    int dialogs = 0;

    Dialog() {
        host.onModal = [this](ui::Form& f) {
            if (auto* d = dynamic_cast<AyarlarFormu*>(&f)) {
                ++dialogs;
                if (inDialog) inDialog(*d);
            } else if (auto* a = dynamic_cast<AlarmFormu*>(&f)) {
                if (inAlarm) inAlarm(*a);
            }
        };
    }
    void Open() {
        if (!form) Load();
        form->AyarlarMenüsü_Click();
        ASSERT_EQ(dialogs, 1) << "the dialog was not shown";
    }
    static void Choose(AyarlarFormu& d, const std::string& hour, const std::string& minute) {
        d.AlarmKutusu[0]->SetListIndex(d.AlarmKutusu[0]->Find(hour));
        d.AlarmKutusu[1]->SetListIndex(d.AlarmKutusu[1]->Find(minute));
    }
    std::string RunValue() {
        auto key = platform.registry.find(kRunKey);
        if (key == platform.registry.end()) return "<no key>";
        auto v = key->second.find("Zilvane");
        if (v == key->second.end()) return "<none>";
        return std::string(v->second.data.begin(), v->second.data.end());
    }
};

TEST_F(Dialog, FirstRunOpensOnTheAlarmTabWithNothingArmed) {
    inDialog = [&](AyarlarFormu& d) {
        EXPECT_EQ(d.Caption(), "Setting");
        EXPECT_EQ(d.AyarlarSekmesi.Tab(), 0);
        EXPECT_EQ(d.AyarlarSekmesi.TabCaption(1), "Warning-Call");
        EXPECT_EQ(d.RenkSeçeneği[1]->Caption(), "&Bule");
        ASSERT_EQ(d.AlarmKutusu[0]->Items().size(), 24u);
        ASSERT_EQ(d.AlarmKutusu[1]->Items().size(), 60u);
        EXPECT_EQ(d.AlarmKutusu[0]->Items().front() + d.AlarmKutusu[0]->Items().back(), "0023");
        EXPECT_EQ(d.AlarmKutusu[1]->Items()[7], "07");
        for (auto& list : d.AlarmKutusu) {
            EXPECT_EQ(list->ListIndex(), -1);
            EXPECT_TRUE(list->Enabled());
        }
        EXPECT_EQ(d.AlarmıKurButonu->Caption(), "Set Alar&m");
        EXPECT_FALSE(d.AlarmıKurButonu->Enabled());
        EXPECT_FALSE(d.BilgisayarıKapatSeçeneği->Enabled() || d.BilgisayarıKapatSeçeneği->Value());
        EXPECT_FALSE(d.SesliUyarıVerSeçeneği->Enabled() || d.SesliUyarıVerSeçeneği->Value());
        EXPECT_EQ(d.AlarmSesiKutusu->Text(), "");
        EXPECT_FALSE(d.AlarmSesiEkleButonu->Enabled());
        EXPECT_EQ(d.SaatBaşıUyarıSeçeneği->Value(), 1);
        EXPECT_EQ(d.SaatBaşıSesiKutusu->Text(), "C:\\Program Files\\Zilvane\\Alarm.wav");
        EXPECT_TRUE(d.SaatBaşıSesiEkleButonu->Enabled());
        EXPECT_EQ(d.BaşlangıçtaAçılsınOnayı->Value(), 1);
        EXPECT_EQ(d.HerZamanÜstteOnayı->Value(), 1);
        EXPECT_TRUE(d.RenkSeçeneği[0]->Value());
        // Only the current page shows; no button is the default.
        EXPECT_TRUE(d.Çerçeve[0]->Shown());
        EXPECT_FALSE(d.Çerçeve[2]->Shown() || d.RenkSeçeneği[0]->Shown());
        EXPECT_TRUE(d.İptalButonu->Cancel);
        for (auto* b : {d.TamamButonu.get(), d.İptalButonu.get(), d.AlarmıKurButonu.get()})
            EXPECT_FALSE(b->Default);
    };
    SetTime(9, 59, 59);
    Load();
    TickAt(10, 0, 0);  // the hour's chime
    platform.played.clear();
    Open();
    EXPECT_TRUE(platform.played.empty()) << "the load's repaint must not chime";
    EXPECT_EQ(Count("ShowModal AyarlarFormu owner AnaForm"), 1);
    // Only OK writes the Run value.
    EXPECT_EQ(RunValue(), "<no key>");
}

TEST_F(Dialog, ArmedAlarmShowsItsTimeAndItsAction) {
    platform.SetSetting("Alarm Zamani", "07:30");
    platform.SetSetting("Alarm Sesi", "D:\\Sounds\\wake.wav");
    for (const char* kapat : {"", "0", "1"}) {
        if (*kapat) platform.SetSetting("Kapat", kapat);
        const bool shutdown = std::string(kapat) == "1";
        dialogs = 0;
        inDialog = [&](AyarlarFormu& d) {
            EXPECT_EQ(d.AlarmKutusu[0]->Text() + d.AlarmKutusu[1]->Text(), "0730") << kapat;
            EXPECT_FALSE(d.AlarmKutusu[0]->Enabled() || d.AlarmKutusu[1]->Enabled()) << kapat;
            EXPECT_EQ(d.AlarmıKurButonu->Caption(), "&Erase Alarm");
            EXPECT_TRUE(d.AlarmıKurButonu->Enabled());
            EXPECT_EQ(d.BilgisayarıKapatSeçeneği->Value(), shutdown) << kapat;
            EXPECT_EQ(d.SesliUyarıVerSeçeneği->Value(), !shutdown) << kapat;
            EXPECT_EQ(d.AlarmSesiKutusu->Text(), shutdown ? "" : "D:\\Sounds\\wake.wav") << kapat;
            EXPECT_EQ(d.AlarmSesiEkleButonu->Enabled(), !shutdown) << kapat;
            EXPECT_EQ(d.AlarmEylemi(), shutdown ? 1 : 0) << kapat;
            d.İptalButonu->PerformClick();
        };
        form.reset();
        Open();
    }
}

TEST_F(Dialog, WithoutASoundDeviceOnlyTheShutdownIsOffered) {
    platform.waveDevices = 0;
    platform.SetSetting("Uyari", "1");
    inDialog = [&](AyarlarFormu& d) {
        EXPECT_FALSE(d.SaatBaşıUyarıSeçeneği->Enabled());
        EXPECT_EQ(d.SaatBaşıUyarıSeçeneği->Value(), 0);
        EXPECT_EQ(d.SaatBaşıSesiKutusu->Text(), "");
        Choose(d, "06", "45");
        d.AlarmıKurButonu->PerformClick();
        EXPECT_FALSE(d.SesliUyarıVerSeçeneği->Enabled());
        EXPECT_TRUE(d.BilgisayarıKapatSeçeneği->Value());
        EXPECT_EQ(d.AlarmSesiKutusu->Text(), "");
        d.İptalButonu->PerformClick();
    };
    Open();
    EXPECT_EQ(platform.Setting("Kapat"), "1");
    EXPECT_EQ(platform.Setting("Alarm Zamani"), "06:45");
}

TEST_F(Dialog, SetAlarmNeedsBothListsAndEraseAsksFirst) {
    platform.SetSetting("Kapat", "1");
    inDialog = [&](AyarlarFormu& d) {
        d.AlarmKutusu[0]->SetListIndex(d.AlarmKutusu[0]->Find("07"));
        EXPECT_FALSE(d.AlarmıKurButonu->Enabled());
        d.AlarmKutusu[1]->SetListIndex(d.AlarmKutusu[1]->Find("30"));
        EXPECT_TRUE(d.AlarmıKurButonu->Enabled());
        d.AlarmıKurButonu->PerformClick();
        // Armed at once, on the clock and in the store; the warning call
        // is chosen whatever "Kapat" held.
        EXPECT_EQ(form->AlarmEtiketi.Text(), "07:30");
        EXPECT_EQ(form->AlarmEtiketi.ForeColor(), kYellow);
        EXPECT_EQ(form->AlarmAltı.GetPicture(), (ui::Picture{ui::Strip::Alarmlar, 0}));
        EXPECT_EQ(platform.Setting("Alarm Zamani"), "07:30");
        EXPECT_EQ(platform.Setting("Kapat"), "0");
        EXPECT_TRUE(d.SesliUyarıVerSeçeneği->Value());
        EXPECT_EQ(d.AlarmSesiKutusu->Text(), "C:\\Program Files\\Zilvane\\Alarm.wav");
        EXPECT_EQ(d.AlarmıKurButonu->Caption(), "&Erase Alarm");

        platform.messageBoxAnswers = {platform::kIdNo};
        d.AlarmıKurButonu->PerformClick();
        ASSERT_EQ(platform.messageBoxes.size(), 1u);
        EXPECT_EQ(platform.messageBoxes[0].text, "Are you sure you want to erase the alarm?");
        EXPECT_EQ(platform.messageBoxes[0].flags, 36u);
        EXPECT_EQ(form->AlarmEtiketi.ForeColor(), kYellow);

        platform.messageBoxAnswers = {platform::kIdYes};
        d.AlarmıKurButonu->PerformClick();
        EXPECT_EQ(form->AlarmEtiketi.Text(), "00:00");
        EXPECT_EQ(form->AlarmEtiketi.ForeColor(), kGrey);
        EXPECT_EQ(form->AlarmAltı.GetPicture(), (ui::Picture{ui::Strip::Alarmlar, 3}));
        EXPECT_EQ(platform.Setting("Alarm Zamani"), "");
        EXPECT_EQ(d.AlarmıKurButonu->Caption(), "Set Alar&m");
        EXPECT_FALSE(d.AlarmıKurButonu->Enabled());
        EXPECT_EQ(d.AlarmKutusu[0]->ListIndex(), -1);
        EXPECT_TRUE(d.AlarmKutusu[0]->Enabled());
        EXPECT_FALSE(d.SesliUyarıVerSeçeneği->Value() || d.SesliUyarıVerSeçeneği->Enabled());
        EXPECT_EQ(d.AlarmSesiKutusu->Text(), "");
        d.AlarmKutusu[1]->SetListIndex(5);
        EXPECT_FALSE(d.AlarmıKurButonu->Enabled()) << "only a minute is chosen";
        d.AlarmKutusu[0]->SetListIndex(6);
        EXPECT_TRUE(d.AlarmıKurButonu->Enabled());
        d.İptalButonu->PerformClick();
    };
    Open();
    EXPECT_EQ(form->AlarmEtiketi.Text(), "00:00");
}

TEST_F(Dialog, DefaultErasesAnArmedAlarmWithoutAskingAndCancelKeepsItErased) {
    platform.SetSetting("Alarm Zamani", "07:30");
    platform.SetSetting("Uyari", "0");
    platform.SetSetting("Ustte", "0");
    platform.SetSetting("Renk", "2");
    inDialog = [&](AyarlarFormu& d) {
        d.İlkAyarlarButonu->PerformClick();
        EXPECT_TRUE(platform.messageBoxes.empty());
        EXPECT_EQ(form->AlarmEtiketi.ForeColor(), kGrey);
        EXPECT_EQ(platform.Setting("Alarm Zamani"), "");
        EXPECT_EQ(platform.Setting("Kapat"), "0");
        EXPECT_EQ(d.SaatBaşıUyarıSeçeneği->Value(), 1);
        EXPECT_EQ(d.HerZamanÜstteOnayı->Value(), 1);
        EXPECT_TRUE(d.RenkSeçeneği[0]->Value());
        EXPECT_EQ(form->Hane[5]->GetPicture().strip, ui::Strip::Haneler0);
        EXPECT_EQ(d.AlarmSesiKutusu->Text(), "C:\\Program Files\\Zilvane\\Alarm.wav");
        d.İptalButonu->PerformClick();
    };
    Open();
    EXPECT_EQ(form->AlarmEtiketi.ForeColor(), kGrey);
    EXPECT_EQ(platform.Setting("Ustte"), "0");  // nothing else stored
    EXPECT_EQ(form->Hane[5]->GetPicture().strip, ui::Strip::Haneler2);
}

TEST_F(Dialog, ColourIsLiveAndCancelPutsTheStoredOneBackWithoutSilencingTheChime) {
    platform.SetSetting("Alarm Zamani", "07:30");
    SetTime(10, 59, 50);
    Load();
    inDialog = [&](AyarlarFormu& d) {
        d.RenkSeçeneği[2]->UserClick();
        EXPECT_EQ(form->Hane[0]->GetPicture().strip, ui::Strip::Haneler2);
        EXPECT_EQ(form->Hane[5]->GetPicture().strip, ui::Strip::Haneler2);
        EXPECT_EQ(form->NoktaAltı[1]->GetPicture(), (ui::Picture{ui::Strip::Noktalar, 2}));
        EXPECT_EQ(form->AlarmAltı.GetPicture(), (ui::Picture{ui::Strip::Alarmlar, 2}));
        EXPECT_EQ(Digits(), "105950");
        d.İptalButonu->PerformClick();
    };
    Open();
    EXPECT_EQ(form->Hane[0]->GetPicture().strip, ui::Strip::Haneler0);
    EXPECT_EQ(form->AlarmAltı.GetPicture(), (ui::Picture{ui::Strip::Alarmlar, 0}));
    EXPECT_TRUE(platform.played.empty());
    EXPECT_FALSE(program.values.chimeHold);
    TickAt(11, 0, 0);
    ASSERT_EQ(platform.played.size(), 1u);
    EXPECT_EQ(platform.played[0].first, "C:\\Program Files\\Zilvane\\Alarm.wav");
}

TEST_F(Dialog, OkStoresEverythingAndWritesOrDeletesTheRunValue) {
    inDialog = [&](AyarlarFormu& d) {
        d.SaatBaşıUyarıSeçeneği->UserClick();  // off
        d.HerZamanÜstteOnayı->UserClick();      // off
        d.RenkSeçeneği[1]->UserClick();
        d.TamamButonu->PerformClick();
    };
    Open();
    EXPECT_EQ(platform.Setting("Kapat"), "0");
    EXPECT_EQ(platform.Setting("Uyari"), "0");
    EXPECT_EQ(platform.Setting("Alarm Sesi"), "C:\\Program Files\\Zilvane\\Alarm.wav");
    EXPECT_EQ(platform.Setting("Saat Basi Sesi"), "C:\\Program Files\\Zilvane\\Alarm.wav");
    EXPECT_EQ(platform.Setting("Baslangic"), "1");
    EXPECT_EQ(platform.Setting("Ustte"), "0");
    EXPECT_EQ(platform.Setting("Renk"), "1");
    // A folder with a space: quoted, so Windows does not run "C:\Program".
    EXPECT_EQ(RunValue(), std::string("\"C:\\Program Files\\Zilvane\\Zilvane.exe\"") + '\0');
    EXPECT_EQ(Count("Unload AyarlarFormu"), 1);

    // OK's "Ustte" takes effect when the clock is active again.
    form->Form_Activate();
    EXPECT_EQ(host.zOrders.back(), std::make_pair(std::string("AnaForm"), -2L));

    dialogs = 0;
    inDialog = [&](AyarlarFormu& d) {
        EXPECT_EQ(d.RenkSeçeneği[1]->Value(), true);
        d.BaşlangıçtaAçılsınOnayı->UserClick();  // off
        d.TamamButonu->PerformClick();
    };
    Open();
    EXPECT_EQ(platform.Setting("Baslangic"), "0");
    EXPECT_EQ(RunValue(), "<none>");
}

TEST_F(Dialog, SoundFilesComeFromTheOpenFileDialog) {
    platform.SetSetting("Saat Basi Sesi", "D:\\stored.wav");
    inDialog = [&](AyarlarFormu& d) {
        platform.openFileAnswers = {"  E:\\Music\\bell.wav  ", std::nullopt};
        d.SaatBaşıSesiEkleButonu->PerformClick();
        EXPECT_EQ(d.SaatBaşıSesiKutusu->Text(), "E:\\Music\\bell.wav");
        d.SaatBaşıSesiEkleButonu->PerformClick();  // cancelled
        EXPECT_EQ(d.SaatBaşıSesiKutusu->Text(), "E:\\Music\\bell.wav");

        // Off and on again: the stored path, not the one just picked.
        d.SaatBaşıUyarıSeçeneği->UserClick();
        EXPECT_EQ(d.SaatBaşıSesiKutusu->Text(), "");
        EXPECT_FALSE(d.SaatBaşıSesiEkleButonu->Enabled());
        d.SaatBaşıUyarıSeçeneği->UserClick();
        EXPECT_EQ(d.SaatBaşıSesiKutusu->Text(), "D:\\stored.wav");
        d.İptalButonu->PerformClick();
    };
    Open();
    ASSERT_EQ(platform.openFileRecords.size(), 2u);
    const platform::OpenFileRecord& r = platform.openFileRecords[0];
    EXPECT_EQ(r.structSize, 76u);
    EXPECT_EQ(r.owner, 0x1234u);
    EXPECT_EQ(r.instance, platform.instanceHandle);
    EXPECT_EQ(r.filter, std::string("Wav Files (*.wav)\0*.wav\0\0", 25));
    EXPECT_EQ(r.filterIndex, 1u);
    EXPECT_EQ(r.file, std::string(257, '\0'));
    EXPECT_EQ(r.maxFile, 256u);
    EXPECT_EQ(r.fileTitle, std::string(257, '\0'));
    EXPECT_EQ(r.maxFileTitle, 256u);
    EXPECT_EQ(r.initialDir, "C:\\");
    EXPECT_EQ(r.title, "Select Sound File");
    EXPECT_EQ(r.flags, 0x1004u);
    EXPECT_EQ(platform.Setting("Saat Basi Sesi"), "D:\\stored.wav");  // Cancel stores nothing
}

// The alarm rings while the dialog is open, and its Erase Alarm resets the
// dialog to not armed.
TEST_F(Dialog, ErasingFromTheAlarmWindowResetsAnOpenDialog) {
    platform.SetSetting("Alarm Zamani", "07:30");
    SetTime(7, 29, 58);
    Load();
    bool rang = false;
    inAlarm = [&](AlarmFormu& a) {
        rang = true;
        platform.messageBoxAnswers = {platform::kIdYes};
        a.AlarmıSilButonu.PerformClick();
    };
    inDialog = [&](AyarlarFormu& d) {
        EXPECT_TRUE(d.SesliUyarıVerSeçeneği->Value());
        TickAt(7, 30, 0);
        EXPECT_FALSE(d.Unloaded());
        EXPECT_EQ(d.AlarmıKurButonu->Caption(), "Set Alar&m");
        EXPECT_FALSE(d.AlarmıKurButonu->Enabled());
        EXPECT_EQ(d.AlarmKutusu[0]->ListIndex(), -1);
        EXPECT_FALSE(d.SesliUyarıVerSeçeneği->Value() || d.SesliUyarıVerSeçeneği->Enabled());
        EXPECT_EQ(d.AlarmSesiKutusu->Text(), "");
        d.TamamButonu->PerformClick();
    };
    Open();
    EXPECT_TRUE(rang);
    EXPECT_EQ(platform.Setting("Alarm Zamani"), "");
}

}  // namespace
