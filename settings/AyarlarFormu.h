// The settings dialog: the alarm and what it does, both sounds, the hourly
// warning, start with Windows, always on top and the digit colour.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "startup/Program.h"
#include "ui/Controls.h"

class AnaForm;

class AyarlarFormu : public ui::Form {
public:
    AyarlarFormu(Program& program, AnaForm& anaForm);

    // Controls, made in keyboard order.
    ui::TabControl AyarlarSekmesi;
    std::array<std::unique_ptr<ui::Frame>, 6> Çerçeve;
    std::array<std::unique_ptr<ui::Label>, 4> Etiket;
    std::array<std::unique_ptr<ui::ComboBox>, 2> AlarmKutusu;  // hour, minute
    std::unique_ptr<ui::Button> AlarmıKurButonu;
    std::unique_ptr<ui::OptionButton> BilgisayarıKapatSeçeneği;
    std::unique_ptr<ui::OptionButton> SesliUyarıVerSeçeneği;
    std::unique_ptr<ui::CheckBox> SaatBaşıUyarıSeçeneği;
    std::unique_ptr<ui::TextBox> AlarmSesiKutusu;
    std::unique_ptr<ui::Button> AlarmSesiEkleButonu;
    std::unique_ptr<ui::TextBox> SaatBaşıSesiKutusu;
    std::unique_ptr<ui::Button> SaatBaşıSesiEkleButonu;
    std::unique_ptr<ui::CheckBox> BaşlangıçtaAçılsınOnayı;
    std::unique_ptr<ui::CheckBox> HerZamanÜstteOnayı;
    std::array<std::unique_ptr<ui::OptionButton>, 3> RenkSeçeneği;
    std::unique_ptr<ui::Button> İlkAyarlarButonu;
    std::unique_ptr<ui::Button> TamamButonu;
    std::unique_ptr<ui::Button> İptalButonu;

    // 1: shut the computer down at the alarm; 0: ring.
    std::uint8_t AlarmEylemi() const { return alarmEylemi_; }

    void Form_Load();
    void Form_Activate();
    void AlarmKutusu_Click(int index);
    void AlarmıKurButonu_Click();
    void BilgisayarıKapatSeçeneği_Click();
    void SesliUyarıVerSeçeneği_Click();
    void SaatBaşıUyarıSeçeneği_Click();
    void AlarmSesiEkleButonu_Click();
    void SaatBaşıSesiEkleButonu_Click();
    void RenkSeçeneği_Click(int index);
    void İlkAyarlarButonu_Click();
    void TamamButonu_Click();
    void İptalButonu_Click();

    // The erase-alarm procedure's part: back to the not-armed state.
    void AlarmYok();

private:
    bool SesAygıtıVar();
    void AlarmıKur();
    void AlarmıSilSor();
    void SaatiBoya();
    // Runs the open-file dialog; the chosen path, or "" when cancelled.
    std::string SesDosyasıSeç();
    std::string VarsayılanSes() const;

    Program& program_;
    AnaForm& anaForm_;
    std::uint8_t alarmEylemi_ = 0;
};
