#include "about/WebEtiketi.h"

namespace {
constexpr ui::Color kDüğmeYazısı = 0x80000000u | 18;  // the system's button text
constexpr ui::Color kDüğmeYüzü = 0x80000000u | 15;    // the system's button face
constexpr ui::Color kMavi = ui::Rgb(0, 0, 255);
constexpr ui::Color kKahverengi = ui::Rgb(128, 64, 64);
constexpr const char* kTasarımYazısı = "...";
constexpr int kPay = 30;  // margin around the text, each side
}  // namespace

WebEtiketi::WebEtiketi(ui::Form& form, std::string name, ui::Control* parent,
                       platform::Platform& platform)
    : ui::PictureBox(form, std::move(name), parent),
      Etiket(form, "Etiket", this),
      platform_(platform) {
    SetBackColor(kDüğmeYüzü);
    Etiket.AutoSize = true;
    Etiket.SetText(kTasarımYazısı);
    Etiket.SetForeColor(kDüğmeYazısı);
    Etiket.MousePointer = ui::Pointer::Hand;
    Etiket.TabIndex = 0;
    Etiket.MouseMove = [this](int b, int s, int x, int y) { Etiket_MouseMove(b, s, x, y); };
    Etiket.Click = [this] { Etiket_Click(); };
    ui::Control::Resize = [this] { Resize(); };
}

void WebEtiketi::Changed(const std::string& property) {
    if (PropertyChanged) PropertyChanged(property);
}

void WebEtiketi::SetCaption(const std::string& New_Caption) {
    Etiket.SetText(New_Caption);
    Changed("Caption");
    Resize();
}

void WebEtiketi::SetFontUnderline(bool New_FontUnderline) {
    // The container sets this on every mouse movement: repaint only on a change.
    if (Etiket.GetFont().underline != New_FontUnderline) {
        ui::Font font = Etiket.GetFont();
        font.underline = New_FontUnderline;
        Etiket.SetFont(font);
    }
    Changed("FontUnderline");
}

void WebEtiketi::SetForeColor(ui::Color New_ForeColor) {
    Etiket.SetForeColor(New_ForeColor);
    Changed("ForeColor");
}

void WebEtiketi::SetFont(const ui::Font& New_Font) {
    Etiket.SetFont(New_Font);
    Changed("Font");
}

void WebEtiketi::SetPasifRenk(ui::Color YeniRenk) {
    pasifRenk_ = YeniRenk;
    Changed("PasifRenk");
}

void WebEtiketi::SetAktifRenk(ui::Color YeniRenk) {
    aktifRenk_ = YeniRenk;
    Changed("AktifRenk");
    Etiket.SetForeColor(YeniRenk);
}

void WebEtiketi::SetUrl(const std::string& YeniDeğer) {
    url_ = YeniDeğer;
    Changed("Url");
}

void WebEtiketi::SetRenkDeğiştir(bool YeniDeğer) {
    renkDeğiştir_ = YeniDeğer;
    Changed("RenkDeğiştir");
}

void WebEtiketi::InitProperties() {
    aktifRenk_ = kMavi;
    pasifRenk_ = kKahverengi;
    renkDeğiştir_ = false;
    url_ = kVarsayılanAdres;
}

// Straight into the label and the fields, not through the property
// writes: reading a design must not recolour the label (as the AktifRenk
// write does) nor resize before the container sizes the control.
void WebEtiketi::ReadProperties(const ui::PropertyStore& store, const ui::Font& ambientFont) {
    Etiket.SetText(store.ReadText("Caption", kTasarımYazısı));
    Etiket.SetForeColor(store.ReadLong("ForeColor", kDüğmeYazısı));
    // A stored font carries its own underline; the ambient font does not
    // know the stored one, so without a font of its own the design's
    // "FontUnderline" must survive it.
    ui::Font yazıTipi = store.ReadFont("Font", ambientFont);
    if (yazıTipi == ambientFont) yazıTipi.underline = store.ReadBool("FontUnderline", false);
    Etiket.SetFont(yazıTipi);
    aktifRenk_ = store.ReadLong("AktifRenk", kMavi);
    pasifRenk_ = store.ReadLong("PasifRenk", kKahverengi);
    renkDeğiştir_ = store.ReadBool("RenkDeğiştir", false);
    url_ = store.ReadText("Url", kVarsayılanAdres);
}

void WebEtiketi::WriteProperties(ui::PropertyStore& store, const ui::Font& ambientFont) const {
    store.WriteText("Caption", Caption(), kTasarımYazısı);
    store.WriteBool("FontUnderline", FontUnderline(), false);
    store.WriteLong("ForeColor", ForeColor(), kDüğmeYazısı);
    store.WriteFont("Font", GetFont(), ambientFont);
    store.WriteLong("AktifRenk", aktifRenk_, kMavi);
    store.WriteLong("PasifRenk", pasifRenk_, kKahverengi);
    store.WriteBool("RenkDeğiştir", renkDeğiştir_, false);
    store.WriteText("Url", url_, kVarsayılanAdres);
}

// The size change below raises Resize again, which finds the label
// unchanged and sets the same size: it settles at once.
void WebEtiketi::Resize() {
    Etiket.Move(kPay, kPay);
    SetHeight(Etiket.Height() + 2 * kPay);
    SetWidth(Etiket.Width() + 2 * kPay);
}

void WebEtiketi::Etiket_MouseMove(int button, int shift, int x, int y) {
    if (MouseMove) MouseMove(button, shift, x, y);
}

void WebEtiketi::Etiket_Click() {
    const platform::Handle masaüstü = platform_.DesktopWindow();
    platform_.ShellOpen(masaüstü, "Open", Url(), "", "C:\\", platform::kSwShowNormal);
}
