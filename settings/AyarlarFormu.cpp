#include "settings/AyarlarFormu.h"

#include "clock/AnaForm.h"
#include "clock/Settings.h"
#include "resources/resource.h"
#include "startup/GirisModulu.h"
#include "startup/SistemKaydiIslemleriModulu.h"

namespace {

constexpr std::uint32_t kOfnSize400 = 76;  // the record without the Windows 2000 fields
constexpr std::uint32_t kOfnFileMustExist = 0x1000;
constexpr std::uint32_t kOfnHideReadOnly = 0x4;
constexpr std::uint32_t kDosyaUzunluğu = 256;

std::string İkiHane(int n) {
    return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

std::string Kırp(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

AyarlarFormu::AyarlarFormu(Program& program, AnaForm& anaForm)
    : ui::Form("AyarlarFormu"),
      AyarlarSekmesi(*this, "AyarlarSekmesi", nullptr, 3),
      program_(program),
      anaForm_(anaForm) {
    MakeFixedDialog(4305, 4920);

    int sıra = 0;
    AyarlarSekmesi.Move(300, 300, 3735, 3705);
    AyarlarSekmesi.TabIndex = sıra++;
    auto çerçeve = [&](int i, int tab, int l, int t, int w, int h) {
        Çerçeve[i] = std::make_unique<ui::Frame>(*this, ui::ArrayName("Çerçeve", i),
                                                 &AyarlarSekmesi);
        Çerçeve[i]->Move(l, t, w, h);
        Çerçeve[i]->TabIndex = sıra++;
        AyarlarSekmesi.Place(*Çerçeve[i], tab);
        return Çerçeve[i].get();
    };
    auto etiket = [&](int i, ui::Control* in, int l, int t) {
        Etiket[i] = std::make_unique<ui::Label>(*this, ui::ArrayName("Etiket", i), in);
        Etiket[i]->AutoSize = true;
        Etiket[i]->Move(l, t, 0, 195);
        Etiket[i]->TabIndex = sıra++;
    };
    auto düğme = [&](const char* name, ui::Control* in, int l, int t, int w, int h) {
        auto b = std::make_unique<ui::Button>(*this, name, in);
        b->Move(l, t, w, h);
        b->TabIndex = sıra++;
        return b;
    };
    auto seçenek = [&](const std::string& name, ui::Control* in, int index, int l, int t) {
        auto o = std::make_unique<ui::OptionButton>(*this, name, in, index);
        o->Move(l, t, index < 0 ? 2745 : 2655, 255);
        o->TabIndex = sıra++;
        return o;
    };
    auto onay = [&](const char* name, ui::Control* in, int l, int t, int w) {
        auto c = std::make_unique<ui::CheckBox>(*this, name, in);
        c->Move(l, t, w, 285);
        c->TabIndex = sıra++;
        return c;
    };
    auto kutu = [&](const char* name, ui::Control* in, int l, int t) {
        auto k = std::make_unique<ui::TextBox>(*this, name, in);
        k->Move(l, t, 2025, 315);
        k->Locked = true;
        k->TabIndex = sıra++;
        return k;
    };

    // Tab 0: the alarm and what it does.
    ui::Control* alarm = çerçeve(0, 0, 270, 540, 3195, 1395);
    for (int i = 0; i < 2; ++i) {
        etiket(i, alarm, i == 0 ? 210 : 1080, 360);
        AlarmKutusu[i] = std::make_unique<ui::ComboBox>(
            *this, ui::ArrayName("AlarmKutusu", i), alarm, i);
        AlarmKutusu[i]->Move(i == 0 ? 210 : 1080, 630, 750, 315);
        AlarmKutusu[i]->TabIndex = sıra++;
        for (int n = 0; n < (i == 0 ? 24 : 60); ++n) AlarmKutusu[i]->AddItem(İkiHane(n));
        AlarmKutusu[i]->Click = [this, i] { AlarmKutusu_Click(i); };
    }
    AlarmıKurButonu = düğme("AlarmıKurButonu", alarm, 1950, 390, 1035, 735);
    ui::Control* eylem = çerçeve(1, 0, 270, 2100, 3195, 1335);
    BilgisayarıKapatSeçeneği = seçenek("BilgisayarıKapatSeçeneği", eylem, -1, 210, 390);
    SesliUyarıVerSeçeneği = seçenek("SesliUyarıVerSeçeneği", eylem, -1, 210, 810);

    // Tab 1: the hourly warning and both sounds.
    ui::Control* uyarı = çerçeve(2, 1, 270, 600, 3165, 795);
    SaatBaşıUyarıSeçeneği = onay("SaatBaşıUyarıSeçeneği", uyarı, 210, 300, 2745);
    ui::Control* sesler = çerçeve(3, 1, 270, 1560, 3165, 1845);
    etiket(2, sesler, 210, 300);
    AlarmSesiKutusu = kutu("AlarmSesiKutusu", sesler, 210, 540);
    AlarmSesiEkleButonu = düğme("AlarmSesiEkleButonu", sesler, 2340, 525, 645, 315);
    etiket(3, sesler, 210, 1020);
    SaatBaşıSesiKutusu = kutu("SaatBaşıSesiKutusu", sesler, 210, 1260);
    SaatBaşıSesiEkleButonu = düğme("SaatBaşıSesiEkleButonu", sesler, 2340, 1245, 645, 315);

    // Tab 2: the clock window and the colour.
    ui::Control* saat = çerçeve(4, 2, 300, 600, 3105, 1215);
    BaşlangıçtaAçılsınOnayı = onay("BaşlangıçtaAçılsınOnayı", saat, 210, 330, 2655);
    HerZamanÜstteOnayı = onay("HerZamanÜstteOnayı", saat, 210, 690, 2655);
    ui::Control* renk = çerçeve(5, 2, 300, 1950, 3105, 1455);
    static constexpr int kRenkÜst[3] = {300, 675, 1020};
    for (int i = 0; i < 3; ++i) {
        RenkSeçeneği[i] =
            seçenek(ui::ArrayName("RenkSeçeneği", i), renk, i, 210, kRenkÜst[i]);
        RenkSeçeneği[i]->Click = [this, i] { RenkSeçeneği_Click(i); };
    }

    İlkAyarlarButonu = düğme("İlkAyarlarButonu", nullptr, 300, 4230, 1215, 345);
    TamamButonu = düğme("TamamButonu", nullptr, 1770, 4230, 1095, 345);
    İptalButonu = düğme("İptalButonu", nullptr, 2940, 4230, 1095, 345);
    İptalButonu->Cancel = true;

    // As created: nothing checked or chosen, both "Add" buttons off.
    AlarmSesiEkleButonu->SetEnabled(false);
    SaatBaşıSesiEkleButonu->SetEnabled(false);
    AyarlarSekmesi.SetTab(0);

    AlarmıKurButonu->Click = [this] { AlarmıKurButonu_Click(); };
    BilgisayarıKapatSeçeneği->Click = [this] { BilgisayarıKapatSeçeneği_Click(); };
    SesliUyarıVerSeçeneği->Click = [this] { SesliUyarıVerSeçeneği_Click(); };
    SaatBaşıUyarıSeçeneği->Click = [this] { SaatBaşıUyarıSeçeneği_Click(); };
    AlarmSesiEkleButonu->Click = [this] { AlarmSesiEkleButonu_Click(); };
    SaatBaşıSesiEkleButonu->Click = [this] { SaatBaşıSesiEkleButonu_Click(); };
    İlkAyarlarButonu->Click = [this] { İlkAyarlarButonu_Click(); };
    TamamButonu->Click = [this] { TamamButonu_Click(); };
    İptalButonu->Click = [this] { İptalButonu_Click(); };
    Activate = [this] { Form_Activate(); };
    // The title bar's close box is Cancel: a colour tried does not survive it.
    CloseRequest = [this] {
        İptalButonu_Click();
        return true;
    };
}

bool AyarlarFormu::SesAygıtıVar() {
    return static_cast<int>(program_.platform.WaveOutDeviceCount()) >= 1;
}

std::string AyarlarFormu::VarsayılanSes() const { return settings::DefaultSound(program_); }

// ---------------------------------------------------------------- load ---

void AyarlarFormu::Form_Load() {
    auto& p = program_.platform;
    if (Host()) Host()->Load(*this);
    // On the clock's monitor, by the outer size it now has.
    const platform::Rect ekran = anaForm_.Ekran(Host() ? Host()->Dpi(*this) : 96);
    CentreIn(ekran.left, ekran.top, ekran.right, ekran.bottom);
    auto yazı = [&](int id) { return p.StringResource(id); };

    SetCaption(yazı(IDS_SETTINGS_TITLE));
    AyarlarSekmesi.SetTabCaption(0, yazı(IDS_TAB_ALARM));
    Çerçeve[0]->SetCaption(yazı(IDS_FRAME_ALARM));
    Etiket[0]->SetText(yazı(IDS_HOUR));
    Etiket[1]->SetText(yazı(IDS_MINUTE));
    AlarmıKurButonu->SetCaption(yazı(IDS_SET_ALARM));
    Çerçeve[1]->SetCaption(yazı(IDS_FRAME_ALARM_TIME));
    BilgisayarıKapatSeçeneği->SetCaption(yazı(IDS_SHUTDOWN_COMPUTER));
    SesliUyarıVerSeçeneği->SetCaption(yazı(IDS_WARNING_CALL));
    AyarlarSekmesi.SetTabCaption(1, yazı(IDS_TAB_WARNING));
    Çerçeve[2]->SetCaption(yazı(IDS_FRAME_WARNING));
    SaatBaşıUyarıSeçeneği->SetCaption(yazı(IDS_WARNING_EVERY_HOUR));
    Çerçeve[3]->SetCaption(yazı(IDS_FRAME_WARNING_CALLS));
    Etiket[2]->SetText(yazı(IDS_ALARM_CALL));
    Etiket[3]->SetText(yazı(IDS_EVERY_HOUR_CALL));
    AlarmSesiEkleButonu->SetCaption(yazı(IDS_ADD));
    SaatBaşıSesiEkleButonu->SetCaption(yazı(IDS_ADD));
    AyarlarSekmesi.SetTabCaption(2, yazı(IDS_TAB_CLOCK));
    Çerçeve[4]->SetCaption(yazı(IDS_FRAME_CLOCK));
    BaşlangıçtaAçılsınOnayı->SetCaption(yazı(IDS_RUN_ON_STARTUP));
    HerZamanÜstteOnayı->SetCaption(yazı(IDS_ALWAYS_ON_TOP));
    Çerçeve[5]->SetCaption(yazı(IDS_FRAME_COLOUR));
    RenkSeçeneği[0]->SetCaption(yazı(IDS_GREEN));
    RenkSeçeneği[1]->SetCaption(yazı(IDS_BLUE));
    RenkSeçeneği[2]->SetCaption(yazı(IDS_RED));
    İlkAyarlarButonu->SetCaption(yazı(IDS_DEFAULT));
    TamamButonu->SetCaption(yazı(IDS_OK));
    İptalButonu->SetCaption(yazı(IDS_CANCEL));

    if (anaForm_.AlarmKurulu()) {
        const std::string& zaman = anaForm_.AlarmEtiketi.Text();
        AlarmKutusu[0]->SetListIndex(AlarmKutusu[0]->Find(zaman.substr(0, 2)));
        AlarmKutusu[1]->SetListIndex(AlarmKutusu[1]->Find(zaman.size() > 3 ? zaman.substr(3, 2) : ""));
        AlarmKutusu[0]->SetEnabled(false);
        AlarmKutusu[1]->SetEnabled(false);
        AlarmıKurButonu->SetEnabled(true);
        AlarmıKurButonu->SetCaption(yazı(IDS_ERASE_ALARM));
        BilgisayarıKapatSeçeneği->SetEnabled(true);
        if (!SesAygıtıVar()) {
            SesliUyarıVerSeçeneği->SetEnabled(false);
            alarmEylemi_ = 1;
        } else {
            SesliUyarıVerSeçeneği->SetEnabled(true);
            // Read as the tick reads it, so the dialog shows what the alarm will do.
            alarmEylemi_ = settings::CheckValue(settings::Get(program_, "Kapat", "0"), 0);
        }
        if (alarmEylemi_ == 1)
            BilgisayarıKapatSeçeneği->SetValue(true);
        else
            SesliUyarıVerSeçeneği->SetValue(true);
    } else {
        AlarmKutusu[0]->SetEnabled(true);
        AlarmKutusu[1]->SetEnabled(true);
        AlarmıKurButonu->SetEnabled(false);
        BilgisayarıKapatSeçeneği->SetEnabled(false);
        SesliUyarıVerSeçeneği->SetEnabled(false);
    }

    if (!SesAygıtıVar()) {
        SaatBaşıUyarıSeçeneği->SetEnabled(false);
        SaatBaşıUyarıSeçeneği->SetValue(0);
    } else {
        SaatBaşıUyarıSeçeneği->SetEnabled(true);
        SaatBaşıUyarıSeçeneği->SetValue(settings::CheckValue(settings::Get(program_, "Uyari", "1"), 1));
    }
    BaşlangıçtaAçılsınOnayı->SetValue(settings::CheckValue(settings::Get(program_, "Baslangic", "1"), 1));
    HerZamanÜstteOnayı->SetValue(settings::CheckValue(settings::Get(program_, "Ustte", "1"), 1));

    const int renk = program_.values.colourIndex;
    if (renk >= 0 && renk <= 2) RenkSeçeneği[renk]->SetValue(true);
}

void AyarlarFormu::Form_Activate() {
    if (Host()) Host()->SetWindowPos(*this, program_.values.topMost, kSwpNoSize | kSwpNoMove);
}

// -------------------------------------------------------------- the alarm ---

void AyarlarFormu::AlarmKutusu_Click(int) {
    if (anaForm_.AlarmKurulu()) return;
    AlarmıKurButonu->SetEnabled(AlarmKutusu[0]->ListIndex() >= 0 &&
                                AlarmKutusu[1]->ListIndex() >= 0);
}

void AyarlarFormu::AlarmıKurButonu_Click() {
    if (anaForm_.AlarmKurulu())
        AlarmıSilSor();
    else
        AlarmıKur();
}

void AyarlarFormu::AlarmıKur() {
    // The button is enabled only with both chosen; a stray click is no alarm.
    if (AlarmKutusu[0]->ListIndex() < 0 || AlarmKutusu[1]->ListIndex() < 0) return;
    auto& p = program_.platform;
    const std::string zaman = AlarmKutusu[0]->Text() + ":" + AlarmKutusu[1]->Text();
    anaForm_.AlarmEtiketi.SetForeColor(AnaForm::kArmed);
    anaForm_.AlarmEtiketi.SetText(zaman);
    anaForm_.AlarmAltı.SetPicture(anaForm_.Alarmlar.GraphicCell(program_.values.colourIndex));
    AlarmKutusu[0]->SetEnabled(false);
    AlarmKutusu[1]->SetEnabled(false);
    AlarmıKurButonu->SetCaption(p.StringResource(IDS_ERASE_ALARM));
    BilgisayarıKapatSeçeneği->SetEnabled(true);
    if (!SesAygıtıVar()) {
        SesliUyarıVerSeçeneği->SetEnabled(false);
        BilgisayarıKapatSeçeneği->SetValue(true);
        alarmEylemi_ = 1;  // also when it was selected already
    } else {
        SesliUyarıVerSeçeneği->SetEnabled(true);
        SesliUyarıVerSeçeneği->SetValue(true);
        alarmEylemi_ = 0;
    }
    settings::Save(program_, "Kapat", settings::Text(alarmEylemi_));
    settings::Save(program_, "Alarm Zamani", zaman);
    anaForm_.UyandırmaSaatiniKur();
}

void AyarlarFormu::AlarmıSilSor() {
    auto& p = program_.platform;
    const int yanıt = p.ShowMessageBox(Host() ? Host()->WindowHandle(*this) : 0,
                                       p.StringResource(IDS_ERASE_QUESTION),
                                       program_.values.appTitle,
                                       platform::kMbYesNo | platform::kMbIconQuestion);
    if (yanıt == platform::kIdYes) GirişModülü::AlarmıSil(program_, anaForm_);
}

void AyarlarFormu::AlarmYok() {
    AlarmKutusu[0]->SetEnabled(true);
    AlarmKutusu[1]->SetEnabled(true);
    AlarmKutusu[0]->SetListIndex(-1);
    AlarmKutusu[1]->SetListIndex(-1);
    BilgisayarıKapatSeçeneği->SetValue(false);
    BilgisayarıKapatSeçeneği->SetEnabled(false);
    SesliUyarıVerSeçeneği->SetValue(false);
    SesliUyarıVerSeçeneği->SetEnabled(false);
    AlarmSesiKutusu->SetText("");
    AlarmSesiEkleButonu->SetEnabled(false);
    AlarmıKurButonu->SetCaption(program_.platform.StringResource(IDS_SET_ALARM));
    AlarmıKurButonu->SetEnabled(false);
}

void AyarlarFormu::BilgisayarıKapatSeçeneği_Click() {
    AlarmSesiKutusu->SetText("");
    AlarmSesiEkleButonu->SetEnabled(false);
    alarmEylemi_ = 1;
}

void AyarlarFormu::SesliUyarıVerSeçeneği_Click() {
    AlarmSesiKutusu->SetText(settings::Get(program_, "Alarm Sesi", VarsayılanSes()));
    AlarmSesiEkleButonu->SetEnabled(true);
    alarmEylemi_ = 0;
}

// --------------------------------------------------------------- sounds ---

void AyarlarFormu::SaatBaşıUyarıSeçeneği_Click() {
    if (SaatBaşıUyarıSeçeneği->Value() == 1) {
        SaatBaşıSesiKutusu->SetText(settings::Get(program_, "Saat Basi Sesi", VarsayılanSes()));
        SaatBaşıSesiEkleButonu->SetEnabled(true);
    } else {
        SaatBaşıSesiKutusu->SetText("");
        SaatBaşıSesiEkleButonu->SetEnabled(false);
    }
}

std::string AyarlarFormu::SesDosyasıSeç() {
    auto& p = program_.platform;
    platform::OpenFileRecord kayıt;
    kayıt.structSize = kOfnSize400;
    kayıt.owner = Host() ? Host()->WindowHandle(*this) : 0;
    kayıt.instance = p.InstanceHandle();
    const std::string süzgeç = p.StringResource(IDS_WAV_FILES) + " (*.wav)";
    kayıt.filter = süzgeç + '\0' + "*.wav" + '\0' + '\0';
    kayıt.filterIndex = 1;
    kayıt.file.assign(kDosyaUzunluğu + 1, '\0');
    kayıt.maxFile = kDosyaUzunluğu;
    kayıt.fileTitle.assign(kDosyaUzunluğu + 1, '\0');
    kayıt.maxFileTitle = kDosyaUzunluğu;
    kayıt.initialDir = "C:\\";
    kayıt.title = p.StringResource(IDS_SELECT_SOUND);
    kayıt.flags = kOfnFileMustExist | kOfnHideReadOnly;
    if (!p.OpenFileDialog(kayıt)) return "";
    return Kırp(kayıt.file.substr(0, kayıt.file.find('\0')));
}

void AyarlarFormu::AlarmSesiEkleButonu_Click() {
    const std::string yol = SesDosyasıSeç();
    if (!yol.empty()) AlarmSesiKutusu->SetText(yol);
}

void AyarlarFormu::SaatBaşıSesiEkleButonu_Click() {
    const std::string yol = SesDosyasıSeç();
    if (!yol.empty()) SaatBaşıSesiKutusu->SetText(yol);
}

// --------------------------------------------------------------- colour ---

// The clock in the colour index: dots, alarm symbol and all six digits,
// with the hourly chime held so that the forced repaint stays silent.
void AyarlarFormu::SaatiBoya() {
    const int renk = program_.values.colourIndex;
    for (auto& n : anaForm_.NoktaAltı) n->SetPicture(anaForm_.Noktalar.GraphicCell(renk));
    anaForm_.AlarmAltı.SetPicture(anaForm_.Alarmlar.GraphicCell(anaForm_.AlarmKurulu() ? renk : 3));
    anaForm_.Hane0_Change();
    anaForm_.Hane1_Change();
    anaForm_.Hane2_Change();
    anaForm_.Hane3_Change();
    anaForm_.Hane4_Change();
    anaForm_.Hane5_Change();
}

void AyarlarFormu::RenkSeçeneği_Click(int index) {
    program_.values.chimeHold = true;
    program_.values.colourIndex = static_cast<std::uint8_t>(index);
    SaatiBoya();
    program_.values.chimeHold = false;
}

// -------------------------------------------------------------- buttons ---

void AyarlarFormu::İlkAyarlarButonu_Click() {
    if (anaForm_.AlarmKurulu()) GirişModülü::AlarmıSil(program_, anaForm_);
    SaatBaşıUyarıSeçeneği->SetValue(1);
    BaşlangıçtaAçılsınOnayı->SetValue(1);
    HerZamanÜstteOnayı->SetValue(1);
    RenkSeçeneği[0]->SetValue(true);
    AlarmSesiKutusu->SetText(VarsayılanSes());
    SaatBaşıSesiKutusu->SetText(VarsayılanSes());
}

void AyarlarFormu::TamamButonu_Click() {
    auto& p = program_.platform;
    settings::Save(program_, "Kapat", settings::Text(alarmEylemi_));
    settings::Save(program_, "Uyari", settings::Text(SaatBaşıUyarıSeçeneği->Value()));
    if (AlarmSesiKutusu->Text().empty()) AlarmSesiKutusu->SetText(VarsayılanSes());
    if (SaatBaşıSesiKutusu->Text().empty()) SaatBaşıSesiKutusu->SetText(VarsayılanSes());
    settings::Save(program_, "Alarm Sesi", AlarmSesiKutusu->Text());
    settings::Save(program_, "Saat Basi Sesi", SaatBaşıSesiKutusu->Text());
    settings::Save(program_, "Baslangic", settings::Text(BaşlangıçtaAçılsınOnayı->Value()));

    namespace kayıt = SistemKaydıİşlemleriModülü;
    const std::string ad = GirişModülü::ÜrünAdı(program_);
    if (BaşlangıçtaAçılsınOnayı->Value() != 0)
        kayıt::DeğerYaz(program_, platform::RegistryRoot::CurrentUser, kayıt::kRunKey, ad,
                        kayıt::BaşlangıçKomutu(program_.values.programFolder,
                                               p.StringResource(IDS_EXE_NAME)),
                        platform::kRegSz);
    else
        kayıt::DeğerSil(program_, platform::RegistryRoot::CurrentUser, kayıt::kRunKey, ad);

    settings::Save(program_, "Ustte", settings::Text(HerZamanÜstteOnayı->Value()));
    settings::Save(program_, "Renk", settings::Text(program_.values.colourIndex));
    anaForm_.UyandırmaSaatiniKur();  // the alarm's action may have changed
    Unload();
}

void AyarlarFormu::İptalButonu_Click() {
    program_.values.chimeHold = true;
    program_.values.colourIndex = settings::ColourIndex(settings::Get(program_, "Renk", "0"));
    SaatiBoya();
    program_.values.chimeHold = false;
    Unload();
}
