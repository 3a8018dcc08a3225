// The About window: icon, title, version, copyright, the maker's name and
// web address as a live link; the window gives the link its hover look.
#pragma once

#include <array>

#include "about/WebEtiketi.h"
#include "startup/Program.h"
#include "ui/Controls.h"

class AnaForm;

class HakkındaFormu : public ui::Form {
public:
    // anaForm: the clock that opens the window, which centres on its monitor.
    explicit HakkındaFormu(Program& program, const AnaForm* anaForm = nullptr);

    ui::Frame Çerçeve;
    ui::PictureBox Altlık;
    ui::Image SimgeKutusu;
    std::array<ui::Label, 4> Etiket;
    WebEtiketi VelorinEtiketi;
    ui::Button TamamDüğmesi;

    // VelorinEtiketi's properties as stored with the window's design.
    static const char* const kVelorinEtiketiTasarımı;
    // The window's font, the link's ambient font.
    static ui::Font OrtamYazıTipi();

    // Creates the window and fills it; each failing step is skipped.
    void Form_Load();
    // Pointer over the link text.
    void VelorinEtiketi_MouseMove();
    // Pointer over the window's surface or Altlık: the link at rest.
    void Form_MouseMove();
    void Altlık_MouseMove();
    void TamamDüğmesi_Click();

private:
    void BağlantıyıDinlendir();

    Program& program_;
    const AnaForm* anaForm_;
};
