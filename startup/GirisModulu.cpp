#include "startup/GirisModulu.h"

#include "clock/AnaForm.h"
#include "clock/Settings.h"
#include "settings/AyarlarFormu.h"

namespace GirişModülü {

namespace {
constexpr std::uint32_t kIccSize = 8;
constexpr std::uint32_t kIccWin95Classes = 0xFF;
constexpr const char* kÜretici = "Velorin\\";
// How long a start that lost the race waits for the winner's window.
constexpr int kBeklemeAdımı = 100;
constexpr int kBeklemeSayısı = 30;

// A found window counts when its handle, read as a signed 32-bit number, is
// positive. Window handles carry 32 significant bits on 64-bit Windows too,
// so the low half is the whole handle on both.
bool BirPencere(platform::Handle pencere) {
    const std::uint32_t düşük = static_cast<std::uint32_t>(pencere & 0xFFFFFFFFu);
    return düşük != 0 && düşük < 0x80000000u;
}
}  // namespace

std::string ÜrünAdı(Program& program) {
    std::string name = program.platform.Version().productName;
    return name.empty() ? std::string("Zilvane") : name;
}

bool Main(Program& program) {
    auto& p = program.platform;
    auto& v = program.values;
    p.InitCommonControls(kIccSize, kIccWin95Classes);

    v.programFolder = p.ModuleFolder();
    if (v.programFolder.empty() || v.programFolder.back() != '\\') v.programFolder += '\\';

    // Single instance. The caption rule finds a running clock (or any window
    // with our title); the named mutex also catches a twin started at the
    // same moment, before either has a window.
    if (v.appTitle.empty()) v.appTitle = ÜrünAdı(program);
    const std::string başlık = v.appTitle;
    v.appTitle.clear();
    bool tek = p.ClaimInstance("Local\\" + başlık + ".Instance");
    platform::Handle diğeri = p.FindWindowByCaption(başlık);
    for (int i = 0; !tek && !BirPencere(diğeri) && i < kBeklemeSayısı; ++i) {
        p.Pause(kBeklemeAdımı);
        diğeri = p.FindWindowByCaption(başlık);
    }
    if (BirPencere(diğeri)) {
        p.ShowWindowCommand(diğeri, platform::kSwShowNormal);
        p.BringToForeground(diğeri);
        return false;
    }
    if (!tek) return false;
    v.appTitle = başlık;

    v.appName = std::string(kÜretici) + ÜrünAdı(program);
    return true;
}

void AlarmıSil(Program& program, AnaForm& anaForm) {
    anaForm.AlarmEtiketi.SetForeColor(AnaForm::kNotArmed);
    anaForm.AlarmEtiketi.SetText("00:00");
    anaForm.AlarmAltı.SetPicture(anaForm.Alarmlar.GraphicCell(3));
    if (AyarlarFormu* ayarlar = anaForm.AçıkAyarlarFormu()) ayarlar->AlarmYok();
    settings::Save(program, "Kapat", "0");
    settings::Save(program, "Alarm Zamani", "");
}

}  // namespace GirişModülü
