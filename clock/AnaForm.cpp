#include "clock/AnaForm.h"

#include "about/HakkindaFormu.h"
#include "alarm/AlarmFormu.h"
#include "clock/Settings.h"
#include "resources/resource.h"
#include "settings/AyarlarFormu.h"
#include "startup/GirisModulu.h"
#include "startup/SistemKaydiIslemleriModulu.h"

namespace {

// Geometry, twips.
constexpr int kYanBoşluk = 665;     // window width beyond the large panel
constexpr int kKenarPayı = 250;     // first-run distance from the screen's top right
constexpr int kTaşmaPayı = 100;     // overhang tolerated on the right and bottom
constexpr int kAlarmAltPayı = 500;  // room kept below the alarm window

constexpr unsigned kEwxShutdownPowerOff = 1 | 8;
constexpr std::uint32_t kTümNedenler = 0xFFFFFFFF;
constexpr int kHizmetÇevrimi = 500;  // blink period, ms
constexpr int kUyanmaPayı = 5;       // the wake timer fires this many seconds before the alarm
constexpr int kGününSaniyeleri = 24 * 60 * 60;

// One decimal digit of n, as a digit label shows it.
std::string Rakam(int n) { return std::string(1, static_cast<char>('0' + n % 10)); }

// "hh:mm", as the alarm label shows a time.
std::string SaatDakika(const platform::DateTime& t) {
    const char metin[] = {static_cast<char>('0' + t.hour / 10 % 10),
                          static_cast<char>('0' + t.hour % 10), ':',
                          static_cast<char>('0' + t.minute / 10 % 10),
                          static_cast<char>('0' + t.minute % 10), '\0'};
    return metin;
}

// Reads "hh:mm" as sscanf's "%2d:%2d" does: each number after optional
// white space, at most two characters of sign and digits. The library's
// reader would add some 17 KB to the program.
bool SaatVeDakika(const std::string& metin, int& saat, int& dakika) {
    const char* s = metin.c_str();
    auto sayı = [&s](int& v) {
        while (*s == ' ' || (*s >= '\t' && *s <= '\r')) ++s;
        int genişlik = 2;
        const bool eksi = *s == '-';
        if (*s == '-' || *s == '+') ++s, --genişlik;
        if (*s < '0' || *s > '9') return false;
        int n = 0;
        for (; genişlik > 0 && *s >= '0' && *s <= '9'; --genişlik) n = n * 10 + (*s++ - '0');
        v = eksi ? -n : n;
        return true;
    };
    return sayı(saat) && *s++ == ':' && sayı(dakika);
}

bool AynıDakika(const platform::DateTime& a, const platform::DateTime& b) {
    return a.minute == b.minute && a.hour == b.hour && a.day == b.day && a.month == b.month &&
           a.year == b.year;
}

// One number per minute of a date; only equality matters.
long long DakikaNo(const platform::DateTime& t) {
    // Every field widened first: a reading is whatever the system handed over.
    const long long year = t.year, month = t.month, day = t.day, hour = t.hour;
    return ((year * 12 + month) * 31 + day) * 1440 + hour * 60 + t.minute;
}

platform::DateTime ErtesiGün(platform::DateTime t) {
    static constexpr int kAyınGünleri[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool artık = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
    const int günler = t.month == 2 && artık ? 29 : kAyınGünleri[(t.month + 11) % 12];
    t.dayOfWeek = (t.dayOfWeek + 1) % 7;
    if (++t.day > günler) {
        t.day = 1;
        if (++t.month > 12) t.month = 1, ++t.year;
    }
    return t;
}

ui::Font Tahoma(double points, bool bold) {
    ui::Font f;
    f.name = "Tahoma";
    f.points = points;
    f.bold = bold;
    return f;
}

}  // namespace

ui::Color AnaForm::SmallFaceColour(int colourIndex) {
    switch (colourIndex) {
        case 0: return ui::Rgb(0, 255, 0);
        case 1: return ui::Rgb(0, 255, 255);
        case 2: return ui::Rgb(255, 0, 0);
        default: return 0;
    }
}

AnaForm::AnaForm(Program& program)
    : ui::Form("AnaForm"),
      HaneAltlığı(*this, "HaneAltlığı", nullptr),
      AlarmAltı(*this, "AlarmAltı", &HaneAltlığı),
      TarihEtiketi(*this, "TarihEtiketi", &HaneAltlığı),
      AlarmEtiketi(*this, "AlarmEtiketi", &HaneAltlığı),
      EtiketAltlığı(*this, "EtiketAltlığı", nullptr),
      Hane0(*this, "Hane0", &EtiketAltlığı),
      Hane1(*this, "Hane1", &EtiketAltlığı),
      Hane2(*this, "Hane2", &EtiketAltlığı),
      Hane3(*this, "Hane3", &EtiketAltlığı),
      Hane4(*this, "Hane4", &EtiketAltlığı),
      Hane5(*this, "Hane5", &EtiketAltlığı),
      KapatButonu(*this, "KapatButonu", nullptr),
      Haneler{ui::PictureClip(ui::Strip::Haneler0, 10), ui::PictureClip(ui::Strip::Haneler1, 10),
              ui::PictureClip(ui::Strip::Haneler2, 10)},
      Noktalar(ui::Strip::Noktalar, 3),
      Alarmlar(ui::Strip::Alarmlar, 4),
      Saat(*this, "Saat", 1000),
      Sınırla(*this, "Sınırla", 1000),
      AnaMenü("AnaMenü"),
      AyarlarMenüsü("AyarlarMenüsü"),
      Çizgi1("Çizgi1", true),
      TarihSaatAyarlaMenüsü("TarihSaatAyarlaMenüsü"),
      KüçültBüyültMenüsü("KüçültBüyültMenüsü"),
      Çizgi3("Çizgi3", true),
      HakkındaMenüsü("HakkındaMenüsü"),
      Çizgi2("Çizgi2", true),
      KapatMenüsü("KapatMenüsü"),
      program_(program) {
    BackColor = kBackground;
    Border = ui::BorderStyle::None;

    // Design layout, twips.
    HaneAltlığı.Move(165, 150, 2235, 770);
    static constexpr int kHaneSol[6] = {150, 420, 840, 1110, 1530, 1800};
    for (int i = 0; i < 6; ++i) {
        Hane[i] = std::make_unique<ui::PictureBox>(*this, ui::ArrayName("Hane", i),
                                                   &HaneAltlığı);
        Hane[i]->Move(kHaneSol[i], 337, 240, 330);
    }
    for (int i = 0; i < 2; ++i) {
        NoktaAltı[i] = std::make_unique<ui::PictureBox>(
            *this, ui::ArrayName("NoktaAltı", i), &HaneAltlığı);
        NoktaAltı[i]->Move(i == 0 ? 690 : 1380, 390, 120, 225);
    }
    AlarmAltı.Move(1920, 83, 210, 150);
    TarihEtiketi.Move(120, 60, 360, 195);
    TarihEtiketi.AutoSize = true;
    TarihEtiketi.SetFont(Tahoma(8.25, false));
    TarihEtiketi.SetForeColor(kArmed);
    TarihEtiketi.SetText("Tarih");
    AlarmEtiketi.Move(1440, 60, 405, 195);
    AlarmEtiketi.AutoSize = true;
    AlarmEtiketi.SetFont(Tahoma(8.25, false));
    AlarmEtiketi.SetText("Alarm");

    EtiketAltlığı.Move(960, 990, 1185, 345);
    EtiketAltlığı.SetVisible(false);
    EtiketAltlığı.SetBackColor(kBlack);
    static constexpr int kEtiketSol[6] = {60, 195, 450, 585, 840, 975};
    for (int i = 0; i < 6; ++i) {
        ui::Label& l = HaneEtiketi(i);
        l.Move(kEtiketSol[i], 30, 135, 240);
        l.AutoSize = true;
        l.SetFont(Tahoma(9.75, true));
        l.SetText("#");
    }
    for (int i = 0; i < 2; ++i) {
        Nokta[i] = std::make_unique<ui::Label>(*this, ui::ArrayName("Nokta", i),
                                               &EtiketAltlığı);
        Nokta[i]->Move(i == 0 ? 345 : 740, 20, 75, 240);
        Nokta[i]->AutoSize = true;
        Nokta[i]->SetFont(Tahoma(9.75, true));
        Nokta[i]->SetText(":");
    }
    KapatButonu.Move(165, 990, 705, 345);
    KapatButonu.SetCaption("Kapat");
    KapatButonu.Cancel = true;

    for (int i = 0; i < 2; ++i) {
        AlarmFormuAçKapa[i] =
            std::make_unique<ui::Timer>(*this, "AlarmFormuAçKapa", 0, i);
        AlarmFormuAçKapa[i]->Tick = [this, i] { AlarmFormuAçKapa_Timer(i); };
    }
    Saat.AlignToSecond = true;
    Saat.Tick = [this] { Saat_Timer(); };
    // After a sleep or a change of the clock or its zone the next alarm lies
    // elsewhere in system time; the tick that follows does the rest.
    ClockJumped = [this] { UyandırmaSaatiniKur(); };
    // Keep-on-screen runs with the tick, on the same wake-up.
    Sınırla.AlignToSecond = true;
    Sınırla.Tick = [this] { Sınırla_Timer(); };

    Hane0.Change = [this] { Hane0_Change(); };
    Hane1.Change = [this] { Hane1_Change(); };
    Hane2.Change = [this] { Hane2_Change(); };
    Hane3.Change = [this] { Hane3_Change(); };
    Hane4.Change = [this] { Hane4_Change(); };
    Hane5.Change = [this] { Hane5_Change(); };

    AnaMenü.Items = {&AyarlarMenüsü, &Çizgi1, &TarihSaatAyarlaMenüsü, &KüçültBüyültMenüsü,
                     &Çizgi3, &HakkındaMenüsü, &Çizgi2, &KapatMenüsü};
    PopupMenuModel = &AnaMenü;
    AyarlarMenüsü.Click = [this] { AyarlarMenüsü_Click(); };
    TarihSaatAyarlaMenüsü.Click = [this] { TarihSaatAyarlaMenüsü_Click(); };
    KüçültBüyültMenüsü.Click = [this] { KüçültBüyültMenüsü_Click(); };
    HakkındaMenüsü.Click = [this] { HakkındaMenüsü_Click(); };
    KapatMenüsü.Click = [this] { KapatMenüsü_Click(); };

    // Mouse over the small face and the pictures reaches the panel or the
    // window, so the clock can be dragged and enlarged in either face.
    for (ui::Control* c : Controls())
        if (c != &KapatButonu) c->MouseToContainer = true;
    Activate = [this] { Form_Activate(); };
    MouseMove = [this](int b, int, int, int) { Form_MouseMove(b); };
    MouseUp = [this](int b, int, int, int) { Form_MouseUp(b); };
    DblClick = [this] { Form_DblClick(); };
    HaneAltlığı.MouseMove = [this](int b, int, int, int) { HaneAltlığı_MouseMove(b); };
    HaneAltlığı.MouseUp = [this](int b, int, int, int) { HaneAltlığı_MouseUp(b); };
    HaneAltlığı.DblClick = [this] { HaneAltlığı_DblClick(); };
    KapatButonu.Click = [this] { KapatButonu_Click(); };
    QueryUnload = [this] { Form_QueryUnload(); };
}

AnaForm::~AnaForm() = default;

ui::Label& AnaForm::HaneEtiketi(int n) {
    ui::Label* labels[6] = {&Hane0, &Hane1, &Hane2, &Hane3, &Hane4, &Hane5};
    return *labels[n];
}

// ---------------------------------------------------------------- load ---

void AnaForm::Form_Load() {
    auto& p = program_.platform;
    if (Host()) {
        Host()->Load(*this);
        Host()->SetPointer(*this, ui::Pointer::Hand);
    }

    program_.values.appTitle = p.StringResource(IDS_APP_TITLE);
    SetCaption(program_.values.appTitle);
    AyarlarMenüsü.Caption = p.StringResource(IDS_MENU_SETTINGS);
    TarihSaatAyarlaMenüsü.Caption = p.StringResource(IDS_MENU_DATE_TIME);
    HakkındaMenüsü.Caption = p.StringResource(IDS_MENU_ABOUT);
    KapatMenüsü.Caption = p.StringResource(IDS_MENU_CLOSE);
    HaneAltlığı.SetToolTip(p.StringResource(IDS_CLOSE_TIP));

    program_.values.colourIndex = settings::ColourIndex(settings::Get(program_, "Renk", "0"));

    int genişlik = HaneAltlığı.Width() + kYanBoşluk;
    int yükseklik = HaneAltlığı.Height();
    int solVarsayılan = p.ScreenWidthTwips() - (genişlik + kKenarPayı);
    int sol = settings::Twips(settings::Get(program_, "Sol", std::to_string(solVarsayılan)));
    int üst = settings::Twips(settings::Get(program_, "Ust", std::to_string(kKenarPayı)));
    Move(sol, üst, genişlik, yükseklik);

    HaneAltlığı.Move(320, 0);
    HaneAltlığı.SetBackColor(kBlack);

    const platform::DateTime şimdi = p.Now();
    TarihEtiketi.SetText(p.FormatDate(şimdi, "dd MMM yyyy"));
    TarihEtiketi.SetToolTip(p.FormatDate(şimdi, "dddd"));
    tarihOkuması_ = şimdi;

    const int renk = program_.values.colourIndex;
    // A hand-edited time that the tick could never match shows as no alarm
    // (the stored text stays as it is); "7:30" shows as "07:30" and rings.
    const std::string alarm = settings::AlarmTime(settings::Get(program_, "Alarm Zamani", ""));
    if (!alarm.empty()) {
        AlarmEtiketi.SetForeColor(kArmed);
        AlarmEtiketi.SetText(alarm);
        AlarmAltı.SetPicture(Alarmlar.GraphicCell(renk));
    } else {
        AlarmEtiketi.SetForeColor(kNotArmed);
        AlarmEtiketi.SetText("00:00");
        AlarmAltı.SetPicture(Alarmlar.GraphicCell(3));
    }
    for (auto& n : NoktaAltı) n->SetPicture(Noktalar.GraphicCell(renk));
    UyandırmaSaatiniKur();

    Saat_Timer();

    if (settings::NumericValue(settings::Get(program_, "Olcu", "0")) != 0)
        KüçültBüyültMenüsü_Click();
    else
        KüçültBüyültMenüsü.Caption = p.StringResource(IDS_MENU_MINIMIZE);

    if (Host()) Host()->DoEvents();
    Show();
}

// ---------------------------------------------------------------- tick ---

void AnaForm::Saat_Timer() {
    auto& p = program_.platform;
    // One reading for the whole tick, kept on the stack: a tick nested in a
    // message box that a digit change opened has its own.
    const platform::DateTime şimdi = p.Now();
    // The alarm starts at the first tick of its minute: the tick at second
    // 00, or, when that second was missed (a busy machine, a sleep, a clock
    // set forward), the first tick after one of an earlier minute. The
    // load's tick follows no tick and counts at second 00 only, so that a
    // restart within the minute of a shutdown alarm does not shut down
    // again; an alarm armed within its own minute waits for the next day.
    const long long dakika = DakikaNo(şimdi);
    const bool ilkTik = şimdi.second == 0 ||
                        (öncekiTikDakikası_ >= 0 && öncekiTikDakikası_ != dakika);
    öncekiTikDakikası_ = dakika;
    const platform::DateTime* dış = tikZamanı_;
    tikZamanı_ = &şimdi;
    Hane0.SetText(Rakam(şimdi.hour / 10));
    Hane1.SetText(Rakam(şimdi.hour));
    Hane2.SetText(Rakam(şimdi.minute / 10));
    Hane3.SetText(Rakam(şimdi.minute));
    Hane4.SetText(Rakam(şimdi.second / 10));
    Hane5.SetText(Rakam(şimdi.second));
    tikZamanı_ = dış;

    // The date can only change with the minute: formatted once a minute,
    // which also shows a new date format of the user's soon.
    if (!tarihOkuması_ || !AynıDakika(*tarihOkuması_, şimdi)) {
        tarihOkuması_ = şimdi;
        const std::string tarih = p.FormatDate(şimdi, "dd MMM yyyy");
        if (tarih != TarihEtiketi.Text()) {
            TarihEtiketi.SetText(tarih);
            TarihEtiketi.SetToolTip(p.FormatDate(şimdi, "dddd"));
        }
    }

    // Once per minute of a day: a clock set back into it, or the hour that
    // repeats when daylight-saving time ends, does not start it again.
    if (ilkTik && dakika != çalanDakika_ && AlarmEtiketi.Text() == SaatDakika(şimdi) &&
        AlarmKurulu()) {
        çalanDakika_ = dakika;
        AlarmıBaşlat();
    }
}

void AnaForm::AlarmıBaşlat() {
    // A tick nested in the open alarm window's loop must not ring again.
    if (çalıyor_) return;
    if (settings::TruthValue(settings::Get(program_, "Kapat", "0"), false))
        BilgisayarıKapat();
    else
        Çal();
}

void AnaForm::BilgisayarıKapat() {
    auto& p = program_.platform;
    if (NtAilesi()) SistemKaydıİşlemleriModülü::KapatmaYetkisiAl(program_);
    p.RequestShutdown(kEwxShutdownPowerOff, kTümNedenler);
    Unload();
    if (Host()) Host()->End();
}

void AnaForm::Çal() {
    auto& p = program_.platform;
    çalıyor_ = true;
    AlarmFormuAçKapa[0]->SetInterval(kHizmetÇevrimi);
    sesYolu_ = settings::Get(program_, "Alarm Sesi", settings::DefaultSound(program_));
    if (KüçükYüz()) KüçültBüyültMenüsü_Click();
    if (DosyaVar(sesYolu_))
        p.Play(sesYolu_, platform::kSndAsync | platform::kSndLoop);
    else
        SesDosyasıBulunamadı();

    alarmFormu_ = std::make_unique<AlarmFormu>(program_, *this);
    alarmFormu_->SetHost(Host());
    alarmFormu_->Form_Load();
    const int ekran = Ekran().bottom;
    if (Top() + Height() + alarmFormu_->Height() + kAlarmAltPayı >= ekran)
        SetTop(ekran - (alarmFormu_->Height() + Height() + kAlarmAltPayı));
    alarmFormu_->SetWidth(Width());
    alarmFormu_->SetLeft(Left());
    alarmFormu_->SetTop(Top() + Height());
    alarmFormu_->ShowModal(this);
    // The modal loop also ends when the program quits: the window goes then too.
    if (!alarmFormu_->Unloaded()) alarmFormu_->Unload();
    alarmFormu_.reset();
    çalıyor_ = false;

    p.Play("", 0);
    UyandırmaSaatiniKur();  // Stop leaves it for tomorrow, Erase cancels it
}

void AnaForm::UyandırmaSaatiniKur() {
    auto& p = program_.platform;
    int saat = -1, dakika = -1;
    // Waking a sleeping computer only to shut it down serves no one.
    const bool çalacak =
        AlarmKurulu() && SaatVeDakika(AlarmEtiketi.Text(), saat, dakika) &&
        saat >= 0 && saat < 24 && dakika >= 0 && dakika < 60 &&
        !settings::TruthValue(settings::Get(program_, "Kapat", "0"), false);
    if (!çalacak) {
        p.CancelWakeTimer();
        return;
    }
    // The next start of the alarm minute: today while it is still ahead,
    // else tomorrow. The wake falls a little before it, on the day before
    // for an alarm at 00:00.
    const platform::DateTime şimdi = p.Now();
    const int alarm = (saat * 60 + dakika) * 60;
    const int uyan = (alarm - kUyanmaPayı + kGününSaniyeleri) % kGününSaniyeleri;
    const long long geçen = (static_cast<long long>(şimdi.hour) * 60 + şimdi.minute) * 60 + şimdi.second;
    const bool yarın = alarm <= geçen;
    platform::DateTime t = şimdi;
    if (yarın && uyan < alarm) t = ErtesiGün(t);
    t.hour = uyan / 3600;
    t.minute = uyan / 60 % 60;
    t.second = uyan % 60;
    t.millisecond = 0;
    p.SetWakeTimer(t);
}

void AnaForm::SesDosyasıBulunamadı() {
    auto& p = program_.platform;
    p.ShowMessageBox(Host() ? Host()->WindowHandle(*this) : 0, p.StringResource(IDS_SOUND_MISSING),
                     program_.values.appTitle, platform::kMbIconInformation);
}

void AnaForm::Hane0_Change() { HaneDeğişti(0); }
void AnaForm::Hane1_Change() {
    HaneDeğişti(1);
    SaatBaşıUyarısı();
}
void AnaForm::Hane2_Change() { HaneDeğişti(2); }
void AnaForm::Hane3_Change() { HaneDeğişti(3); }
void AnaForm::Hane4_Change() { HaneDeğişti(4); }
void AnaForm::Hane5_Change() { HaneDeğişti(5); }

void AnaForm::HaneDeğişti(int n) {
    const std::string& metin = HaneEtiketi(n).Text();
    if (metin.size() != 1 || metin[0] < '0' || metin[0] > '9') return;  // "#" before the first tick
    const int renk = program_.values.colourIndex <= 2 ? program_.values.colourIndex : 0;
    Hane[n]->SetPicture(Haneler[renk].GraphicCell(metin[0] - '0'));
}

void AnaForm::SaatBaşıUyarısı() {
    auto& p = program_.platform;
    // The hidden clock of the load sequence asks no sound device: opening
    // the sound system is the slowest step of a start.
    if (program_.values.chimeHold || !Visible()) return;
    // A ringing alarm keeps its sound: a chime would end it.
    if (çalıyor_) return;
    if (static_cast<int>(p.WaveOutDeviceCount()) <= 0) return;
    if (!settings::TruthValue(settings::Get(program_, "Uyari", "1"), true)) return;
    // The tick's reading; a repaint outside a tick (the settings dialog's)
    // reads the clock itself.
    const platform::DateTime şimdi = tikZamanı_ ? *tikZamanı_ : p.Now();
    if (AlarmEtiketi.Text() == SaatDakika(şimdi) && AlarmKurulu()) return;
    sesYolu_ = settings::Get(program_, "Saat Basi Sesi", settings::DefaultSound(program_));
    if (DosyaVar(sesYolu_))
        p.Play(sesYolu_, platform::kSndFilename | platform::kSndAsync);
    else
        SesDosyasıBulunamadı();
}

bool AnaForm::DosyaVar(const std::string& path) {
    return program_.platform.PathExists(path, NtAilesi());
}

bool AnaForm::NtAilesi() { return (program_.platform.VersionWord() & 0x80000000u) == 0; }

// ----------------------------------------------------- window behaviour ---

void AnaForm::Form_Activate() {
    const bool üstte = settings::TruthValue(settings::Get(program_, "Ustte", "1"), true);
    program_.values.topMost = üstte ? ui::Placement::TopMost : ui::Placement::NoTopMost;
    if (Host()) Host()->SetWindowPos(*this, program_.values.topMost, kSwpNoSize | kSwpNoMove);
}

void AnaForm::Form_MouseMove(int button) {
    if (!Host()) return;
    Host()->SetPointer(*this, ui::Pointer::Hand);
    if (button == ui::kLeftButton) {
        Host()->SetPointer(*this, ui::Pointer::SizeAll);
        Host()->BeginDrag(*this);
    }
}

void AnaForm::HaneAltlığı_MouseMove(int button) { Form_MouseMove(button); }

void AnaForm::Form_MouseUp(int button) {
    if (button == ui::kRightButton && Host()) Host()->PopupMenu(*this, AnaMenü, &AyarlarMenüsü);
}

void AnaForm::HaneAltlığı_MouseUp(int button) { Form_MouseUp(button); }

void AnaForm::HaneAltlığı_DblClick() { KüçültBüyültMenüsü_Click(); }

void AnaForm::Form_DblClick() {
    if (KüçükYüz()) KüçültBüyültMenüsü_Click();
}

void AnaForm::KüçültBüyültMenüsü_Click() {
    auto& p = program_.platform;
    // Where the user left the small face: the monitor the large one fits on.
    const platform::Rect ekran = Ekran();
    Hide();
    if (KüçükYüz()) {
        EtiketAltlığı.SetVisible(false);
        HaneAltlığı.SetVisible(true);
        SetWidth(HaneAltlığı.Width() + kYanBoşluk);
        SetHeight(HaneAltlığı.Height());
        KüçültBüyültMenüsü.Caption = p.StringResource(IDS_MENU_MINIMIZE);
        if (ekran.right - Width() + kTaşmaPayı < Left()) SetLeft(ekran.right - Width());
    } else {
        EtiketAltlığı.SetVisible(true);
        EtiketAltlığı.Move(0, 0);
        HaneAltlığı.SetVisible(false);
        SetWidth(EtiketAltlığı.Width());
        SetHeight(EtiketAltlığı.Height());
        KüçültBüyültMenüsü.Caption = p.StringResource(IDS_MENU_ENLARGE);
        if (ui::Color renk = SmallFaceColour(program_.values.colourIndex)) {
            for (int i = 0; i < 6; ++i) HaneEtiketi(i).SetForeColor(renk);
            for (auto& n : Nokta) n->SetForeColor(renk);
        }
        if (Host()) Host()->DoEvents();
    }
    Show();
}

void AnaForm::KapatButonu_Click() {
    if (KüçükYüz()) return;
    auto& p = program_.platform;
    int yanıt = p.ShowMessageBox(Host() ? Host()->WindowHandle(*this) : 0,
                                 p.StringResource(IDS_CLOSE_QUESTION), program_.values.appTitle,
                                 platform::kMbYesNo | platform::kMbIconQuestion);
    if (yanıt == platform::kIdYes) Kapat();
}

void AnaForm::Kapat() { Unload(); }

void AnaForm::Sınırla_Timer() {
    if (Minimized) return;
    // The window's own monitor: a clock on a second monitor stays there, one
    // on a monitor no longer attached comes onto the nearest.
    const platform::Rect ekran = Ekran();
    if (Left() < ekran.left) SetLeft(ekran.left);
    if (ekran.right - Width() + kTaşmaPayı < Left()) SetLeft(ekran.right - Width());
    if (ekran.bottom - Height() + kTaşmaPayı < Top()) SetTop(ekran.bottom - Height());
    if (Top() < ekran.top) SetTop(ekran.top);
}

platform::Rect AnaForm::Ekran(int dpi) const {
    const int kendi = Host() ? Host()->Dpi(*this) : 96;
    const platform::Rect pencere{Left(), Top(), Left() + Width(), Top() + Height()};
    const platform::Rect e = platform::MonitorOf(program_.platform.Monitors(kendi), pencere).bounds;
    if (dpi <= 0 || dpi == kendi) return e;
    // Another window's twips: through the pixels both share.
    auto twips = [&](int t) { return platform::TwipsOfPixels(platform::PixelsOfTwips(t, kendi), dpi); };
    return {twips(e.left), twips(e.top), twips(e.right), twips(e.bottom)};
}

void AnaForm::Form_QueryUnload() {
    settings::Save(program_, "Sol", settings::Text(Left()));
    settings::Save(program_, "Ust", settings::Text(Top()));
    settings::Save(program_, "Renk", settings::Text(program_.values.colourIndex));
    settings::Save(program_, "Olcu", KüçükYüz() ? "-1" : "0");
}

void AnaForm::AyarlarMenüsü_Click() {
    if (ayarlarFormu_) return;  // one dialog at a time
    ayarlarFormu_ = std::make_unique<AyarlarFormu>(program_, *this);
    ayarlarFormu_->SetHost(Host());
    ayarlarFormu_->Form_Load();
    ayarlarFormu_->ShowModal(this);
    // The modal loop also ends when the program quits: the dialog goes then too.
    if (!ayarlarFormu_->Unloaded()) ayarlarFormu_->Unload();
    ayarlarFormu_.reset();
}

void AnaForm::TarihSaatAyarlaMenüsü_Click() {
    program_.platform.ShellOpen(Host() ? Host()->WindowHandle(*this) : 0, "Open", "Rundll32.exe",
                                "shell32.dll,Control_RunDLL timedate.cpl", "",
                                platform::kSwShowNormal);
}

void AnaForm::HakkındaMenüsü_Click() {
    HakkındaFormu hakkında(program_, this);
    hakkında.SetHost(Host());
    hakkında.Form_Load();
    hakkında.ShowModal(this);
    // The modal loop also ends when the program quits: the window goes then too.
    if (!hakkında.Unloaded()) hakkında.Unload();
}

void AnaForm::KapatMenüsü_Click() {
    Kapat();
    if (Host()) Host()->End();
}

// ---------------------------------------------------------------- blink ---

void AnaForm::AlarmFormuAçKapa_Timer(int index) {
    if (!alarmFormu_ || !alarmFormu_->Visible()) return;
    auto& p = program_.platform;
    if (index == 0) {
        AlarmAltı.SetPicture(Alarmlar.GraphicCell(3));
        AlarmEtiketi.SetForeColor(kNotArmed);
        alarmFormu_->SetCaption(p.StringResource(IDS_ALARM_TITLE));
        AlarmFormuAçKapa[0]->SetInterval(0);
        AlarmFormuAçKapa[1]->SetInterval(kHizmetÇevrimi);
    } else {
        AlarmAltı.SetPicture(Alarmlar.GraphicCell(program_.values.colourIndex));
        AlarmEtiketi.SetForeColor(kArmed);
        alarmFormu_->SetCaption(AlarmEtiketi.Text());
        AlarmFormuAçKapa[1]->SetInterval(0);
        AlarmFormuAçKapa[0]->SetInterval(kHizmetÇevrimi);
    }
}
