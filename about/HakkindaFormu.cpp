#include "about/HakkindaFormu.h"

#include <string>

#include "clock/AnaForm.h"
#include "resources/resource.h"

namespace {
constexpr int kTamam = IDS_OK;            // 143 "OK"
constexpr int kBaşlık = IDS_ABOUT_TITLE;  // 145 "About"
constexpr int kSürüm = IDS_VERSION;       // 148 "Version"
constexpr ui::Color kDüğmeYazısı = 0x80000000u | 18;
constexpr const char* kTasarımYazısı = "#";

// The platform reports no version information as all zeros.
bool SürümVar(const platform::VersionInfo& v) {
    return v.major || v.minor || v.build || v.revision;
}
}  // namespace

const char* const HakkındaFormu::kVelorinEtiketiTasarımı =
    "Caption=s:http://www.velorin.example/\n"
    "ForeColor=i:0x00FF0000\n"
    "Font=f:MS Sans Serif,8.25,0,0,400,162\n";

ui::Font HakkındaFormu::OrtamYazıTipi() { return ui::Font{}; }

HakkındaFormu::HakkındaFormu(Program& program, const AnaForm* anaForm)
    : ui::Form("HakkındaFormu"),
      Çerçeve(*this, "Çerçeve", nullptr),
      Altlık(*this, "Altlık", &Çerçeve),
      SimgeKutusu(*this, "SimgeKutusu", &Altlık, IDI_ZILVANE),
      Etiket{{{*this, "Etiket", &Altlık},
              {*this, "Etiket", &Altlık},
              {*this, "Etiket", &Altlık},
              {*this, "Etiket", &Altlık}}},
      VelorinEtiketi(*this, "VelorinEtiketi", &Altlık, program.platform),
      TamamDüğmesi(*this, "TamamDüğmesi", nullptr),
      program_(program),
      anaForm_(anaForm) {
    MakeFixedDialog(5220, 3465);

    Çerçeve.Move(300, 240, 4605, 2385);
    Çerçeve.TabIndex = 0;
    Altlık.Move(120, 210, 4365, 2055);
    Altlık.SetBackColor(ui::Rgb(192, 192, 255));  // replaced at load
    Altlık.TabIndex = 1;
    SimgeKutusu.Move(300, 300, 480, 480);

    const int tepe[4] = {240, 480, 810, 1290};
    for (int i = 0; i < 4; ++i) {
        Etiket[i].AutoSize = i != 2;
        Etiket[i].Move(1080, tepe[i]);
        Etiket[i].SetForeColor(kDüğmeYazısı);
        Etiket[i].TabIndex = 2 + i;
    }
    Etiket[2].WordWrap = true;  // two lines within its fixed width
    Etiket[2].Move(1080, 810, 2775, 405);
    Etiket[0].SetForeColor(ui::Rgb(0, 0, 192));
    Etiket[3].SetForeColor(ui::Rgb(128, 64, 64));
    for (int i = 0; i < 3; ++i) Etiket[i].SetText(kTasarımYazısı);
    Etiket[3].SetText("Velorin");

    VelorinEtiketi.Move(1080, 1530, 1950, 255);
    VelorinEtiketi.TabIndex = 6;
    TamamDüğmesi.Move(3660, 2820, 1245, 345);
    TamamDüğmesi.Cancel = true;
    TamamDüğmesi.TabIndex = 7;

    // Only the window's surface and Altlık put the link at rest: over the
    // labels, the icon, the frame and the link's margin it keeps its look.
    ui::Form::MouseMove = [this](int, int, int, int) { Form_MouseMove(); };
    Altlık.MouseMove = [this](int, int, int, int) { Altlık_MouseMove(); };
    VelorinEtiketi.MouseMove = [this](int, int, int, int) { VelorinEtiketi_MouseMove(); };
    TamamDüğmesi.Click = [this] { TamamDüğmesi_Click(); };
    CloseRequest = [this] {
        TamamDüğmesi_Click();
        return true;
    };
}

void HakkındaFormu::Form_Load() {
    auto& p = program_.platform;
    // The link as stored with the design, then sized to its text.
    const auto tasarım = ui::PropertyStore::Parse(kVelorinEtiketiTasarımı);
    VelorinEtiketi.ReadProperties(tasarım ? *tasarım : ui::PropertyStore{}, OrtamYazıTipi());
    VelorinEtiketi.Resize();

    if (Host()) Host()->Load(*this);
    // On the clock's monitor when the clock opened it, by the outer size it now has.
    if (anaForm_) {
        const platform::Rect ekran = anaForm_->Ekran(Host() ? Host()->Dpi(*this) : 96);
        CentreIn(ekran.left, ekran.top, ekran.right, ekran.bottom);
    } else {
        CentreOn(p.ScreenWidthTwips(), p.ScreenHeightTwips());
    }

    Altlık.SetBackColor(BackColor);
    if (const std::string başlık = p.StringResource(kBaşlık); !başlık.empty()) SetCaption(başlık);
    if (!program_.values.appTitle.empty()) Etiket[0].SetText(program_.values.appTitle);
    const platform::VersionInfo sürüm = p.Version();
    if (const std::string söz = p.StringResource(kSürüm); !söz.empty() && SürümVar(sürüm))
        Etiket[1].SetText(söz + ": " + std::to_string(sürüm.major) + "." +
                          std::to_string(sürüm.minor) + std::to_string(sürüm.revision));
    if (!sürüm.copyright.empty()) Etiket[2].SetText(sürüm.copyright);
    if (const std::string tamam = p.StringResource(kTamam); !tamam.empty())
        TamamDüğmesi.SetCaption(tamam);
}

void HakkındaFormu::VelorinEtiketi_MouseMove() {
    if (VelorinEtiketi.RenkDeğiştir())
        VelorinEtiketi.SetForeColor(VelorinEtiketi.PasifRenk());
    else
        VelorinEtiketi.SetFontUnderline(true);
}

void HakkındaFormu::Form_MouseMove() { BağlantıyıDinlendir(); }
void HakkındaFormu::Altlık_MouseMove() { BağlantıyıDinlendir(); }

void HakkındaFormu::BağlantıyıDinlendir() {
    VelorinEtiketi.SetFontUnderline(false);
    VelorinEtiketi.SetForeColor(VelorinEtiketi.AktifRenk());
}

void HakkındaFormu::TamamDüğmesi_Click() { Unload(); }
