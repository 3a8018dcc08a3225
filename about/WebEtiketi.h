// A reusable hyperlink label: one line of text on a surface that keeps
// itself the size of the text plus a 30-twip margin, opens Url when the
// text is clicked and reports mouse movement over the text (not over the
// margin) through MouseMove. The hover look is the container's to apply.
#pragma once

#include <functional>
#include <string>

#include "platform/Platform.h"
#include "ui/Controls.h"
#include "ui/PropertyStore.h"

class WebEtiketi : public ui::PictureBox {
public:
    static constexpr const char* kVarsayılanAdres = "http://www.velorin.example/";

    WebEtiketi(ui::Form& form, std::string name, ui::Control* parent,
               platform::Platform& platform);

    // The constituent label, placed by Resize.
    ui::Label Etiket;

    // The control's one event: the label's mouse movement, passed on. It
    // hides the surface's own mouse handler, which stays empty, so the
    // margin runs nothing.
    std::function<void(int button, int shift, int x, int y)> MouseMove;
    // Told the name of each property written.
    std::function<void(const std::string&)> PropertyChanged;

    // Properties, in the order of the control's interface.
    const std::string& Caption() const { return Etiket.Text(); }
    void SetCaption(const std::string& New_Caption);
    bool FontUnderline() const { return Etiket.GetFont().underline; }
    void SetFontUnderline(bool New_FontUnderline);
    ui::Color ForeColor() const { return Etiket.ForeColor(); }
    void SetForeColor(ui::Color New_ForeColor);
    const ui::Font& GetFont() const { return Etiket.GetFont(); }
    void SetFont(const ui::Font& New_Font);
    ui::Color PasifRenk() const { return pasifRenk_; }
    void SetPasifRenk(ui::Color YeniRenk);
    ui::Color AktifRenk() const { return aktifRenk_; }
    void SetAktifRenk(ui::Color YeniRenk);
    const std::string& Url() const { return url_; }
    void SetUrl(const std::string& YeniDeğer);
    bool RenkDeğiştir() const { return renkDeğiştir_; }
    void SetRenkDeğiştir(bool YeniDeğer);

    // Lifecycle, as the container calls it. ambientFont: the container's
    // font, the default of "Font".
    void InitProperties();
    void ReadProperties(const ui::PropertyStore& store, const ui::Font& ambientFont);
    void WriteProperties(ui::PropertyStore& store, const ui::Font& ambientFont) const;
    // Fits the control to the label; also run on every size change.
    void Resize();

    void Etiket_MouseMove(int button, int shift, int x, int y);
    void Etiket_Click();

private:
    void Changed(const std::string& property);

    platform::Platform& platform_;
    ui::Color aktifRenk_ = ui::Rgb(0, 0, 255);
    ui::Color pasifRenk_ = ui::Rgb(128, 64, 64);
    bool renkDeğiştir_ = false;
    std::string url_ = kVarsayılanAdres;
};
