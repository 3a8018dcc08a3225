// The clock window: the face, the one-second tick with the alarm and the
// hourly chime, and its behaviour as a desktop object.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "startup/Program.h"
#include "ui/Controls.h"

class AlarmFormu;
class AyarlarFormu;

class AnaForm : public ui::Form {
public:
    explicit AnaForm(Program& program);
    ~AnaForm() override;

    // Face colours.
    static constexpr ui::Color kArmed = ui::Rgb(192, 192, 0);
    static constexpr ui::Color kNotArmed = ui::Rgb(128, 128, 128);
    static constexpr ui::Color kBackground = ui::Rgb(192, 0, 0);
    static constexpr ui::Color kBlack = ui::Rgb(0, 0, 0);
    static ui::Color SmallFaceColour(int colourIndex);  // 0 for no such set

    // Controls.
    ui::PictureBox HaneAltlığı;
    std::array<std::unique_ptr<ui::PictureBox>, 6> Hane;
    std::array<std::unique_ptr<ui::PictureBox>, 2> NoktaAltı;
    ui::PictureBox AlarmAltı;
    ui::Label TarihEtiketi;
    ui::Label AlarmEtiketi;
    ui::PictureBox EtiketAltlığı;
    ui::Label Hane0, Hane1, Hane2, Hane3, Hane4, Hane5;
    std::array<std::unique_ptr<ui::Label>, 2> Nokta;
    ui::Button KapatButonu;
    std::array<ui::PictureClip, 3> Haneler;
    ui::PictureClip Noktalar;
    ui::PictureClip Alarmlar;
    ui::Timer Saat;
    ui::Timer Sınırla;
    std::array<std::unique_ptr<ui::Timer>, 2> AlarmFormuAçKapa;
    ui::Menu AnaMenü;
    ui::MenuItem AyarlarMenüsü, Çizgi1, TarihSaatAyarlaMenüsü, KüçültBüyültMenüsü, Çizgi3,
        HakkındaMenüsü, Çizgi2, KapatMenüsü;

    // Load sequence: ends with the window visible.
    void Form_Load();
    // The tick of Saat.
    void Saat_Timer();
    // Digit repaints; also the change handlers of Hane0..Hane5.
    void Hane0_Change();
    void Hane1_Change();
    void Hane2_Change();
    void Hane3_Change();
    void Hane4_Change();
    void Hane5_Change();

    // Window behaviour.
    void Form_Activate();
    void Form_MouseMove(int button);
    void Form_MouseUp(int button);
    void Form_DblClick();
    void HaneAltlığı_MouseMove(int button);
    void HaneAltlığı_MouseUp(int button);
    void HaneAltlığı_DblClick();
    void KapatButonu_Click();
    void Sınırla_Timer();
    void Form_QueryUnload();
    void AyarlarMenüsü_Click();
    void TarihSaatAyarlaMenüsü_Click();
    void KüçültBüyültMenüsü_Click();
    void HakkındaMenüsü_Click();
    void KapatMenüsü_Click();

    // The alarm blink pair.
    void AlarmFormuAçKapa_Timer(int index);

    // Keeps the wake timer on the alarm's next start while it is armed to
    // ring, and cancels it otherwise. Run wherever the alarm, its action or
    // the clock may have changed.
    void UyandırmaSaatiniKur();

    // Alarm state: armed exactly while the alarm label has the armed colour.
    bool AlarmKurulu() const { return AlarmEtiketi.ForeColor() == kArmed; }
    bool KüçükYüz() const { return EtiketAltlığı.Visible(); }
    // The alarm window while it is loaded, else nullptr.
    AlarmFormu* AçıkAlarmFormu() const { return alarmFormu_.get(); }
    // The settings dialog while it is open, else nullptr.
    AyarlarFormu* AçıkAyarlarFormu() const { return ayarlarFormu_.get(); }
    // The monitor that holds the larger part of the window (the nearest if
    // none does), in the window's twips, or in those of a window at dpi.
    platform::Rect Ekran(int dpi = 0) const;

private:
    ui::Label& HaneEtiketi(int n);
    void HaneDeğişti(int n);
    void SaatBaşıUyarısı();
    bool DosyaVar(const std::string& path);
    bool NtAilesi();
    void Kapat();
    void AlarmıBaşlat();
    void Çal();
    void BilgisayarıKapat();
    void SesDosyasıBulunamadı();

    Program& program_;
    std::string sesYolu_;  // the sound file most recently looked up
    std::unique_ptr<AlarmFormu> alarmFormu_;
    std::unique_ptr<AyarlarFormu> ayarlarFormu_;
    bool çalıyor_ = false;  // an alarm window is open: a nested tick must not open another
    // Minutes of a date (DakikaNo): the previous tick's, and the alarm
    // minute that last started the alarm; -1 for none yet.
    long long öncekiTikDakikası_ = -1;
    long long çalanDakika_ = -1;
    // The reading of the tick whose digits are being set, while it sets them.
    const platform::DateTime* tikZamanı_ = nullptr;
    // The reading whose date the date label shows.
    std::optional<platform::DateTime> tarihOkuması_;
};
