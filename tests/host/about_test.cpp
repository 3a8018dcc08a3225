// The hyperlink label and its stored design.
// FakeHost measures 8.25 pt text at 91 twips a character and 198 a line.
#include <gtest/gtest.h>

#include "about/WebEtiketi.h"
#include "tests/support/FakeHost.h"
#include "tests/support/FakePlatform.h"
#include "ui/PropertyStore.h"

namespace {

const std::string kAddress = "http://www.velorin.example/";  // 27 characters
constexpr ui::Color kButtonText = 0x80000012u;

struct Link : ::testing::Test {
    fake::FakePlatform platform;
    fake::FakeHost host;
    ui::Form container{"Container"};
    std::unique_ptr<WebEtiketi> link;
    std::vector<std::string> changed;

    Link() { container.SetHost(&host); }
    // A new instance as a container places it: InitProperties, then sizing.
    WebEtiketi& Place() {
        link = std::make_unique<WebEtiketi>(container, "VelorinEtiketi", nullptr, platform);
        link->InitProperties();
        link->Resize();
        link->PropertyChanged = [this](const std::string& p) { changed.push_back(p); };
        return *link;
    }
};

TEST_F(Link, NewInstanceShowsDotsSizedToTheTextPlusMargin) {
    WebEtiketi& l = Place();
    EXPECT_EQ(l.Caption(), "...");
    EXPECT_EQ(l.ForeColor(), kButtonText);
    EXPECT_FALSE(l.FontUnderline());
    EXPECT_EQ(l.AktifRenk(), 0xFF0000u);
    EXPECT_EQ(l.PasifRenk(), 0x404080u);
    EXPECT_FALSE(l.RenkDeğiştir());
    EXPECT_EQ(l.Url(), kAddress);
    EXPECT_EQ(l.Etiket.Parent(), &l);
    EXPECT_EQ(l.Etiket.MousePointer, ui::Pointer::Hand);
    EXPECT_EQ(l.MousePointer, ui::Pointer::Default);
    EXPECT_EQ(l.Etiket.Left(), 30);
    EXPECT_EQ(l.Etiket.Top(), 30);
    EXPECT_EQ(l.Width(), 3 * 91 + 60);
    EXPECT_EQ(l.Height(), 198 + 60);
}

TEST_F(Link, CaptionResizesAtOnceFontOnlyAtTheNextResize) {
    WebEtiketi& l = Place();
    l.SetCaption(kAddress);
    EXPECT_EQ(l.Width(), 27 * 91 + 60);
    EXPECT_EQ(l.Height(), 258);

    l.Move(500, 700, 3000, 1000);  // the container's size does not stick
    EXPECT_EQ(l.Left(), 500);
    EXPECT_EQ(l.Top(), 700);
    EXPECT_EQ(l.Width(), 2517);
    EXPECT_EQ(l.Height(), 258);

    ui::Font larger;
    larger.name = "Arial";
    larger.points = 12;
    l.SetFont(larger);
    EXPECT_EQ(l.Etiket.Width(), 27 * 132);  // the label follows its text...
    EXPECT_EQ(l.Width(), 2517);             // ...the control waits
    EXPECT_EQ(l.Height(), 258);

    l.Move(500, 700, 3000, 1000);
    EXPECT_EQ(l.Width(), 27 * 132 + 60);
    EXPECT_EQ(l.Height(), 288 + 60);
    EXPECT_EQ(l.Etiket.Left(), 30);
    EXPECT_EQ(l.Etiket.Top(), 30);
    EXPECT_EQ(changed, (std::vector<std::string>{"Caption", "Font"}));
}

TEST_F(Link, OnlyTheAktifRenkWriteRecoloursAndEachWriteNotifies) {
    WebEtiketi& l = Place();
    l.SetAktifRenk(ui::Rgb(255, 0, 0));
    EXPECT_EQ(l.ForeColor(), 0x0000FFu);
    l.SetPasifRenk(ui::Rgb(0, 255, 0));
    EXPECT_EQ(l.ForeColor(), 0x0000FFu);
    EXPECT_EQ(l.PasifRenk(), 0x00FF00u);
    l.SetRenkDeğiştir(true);
    l.SetUrl("http://example.org/");
    EXPECT_EQ(l.ForeColor(), 0x0000FFu);
    EXPECT_FALSE(l.FontUnderline());

    l.SetFontUnderline(true);
    EXPECT_TRUE(l.Etiket.GetFont().underline);
    l.SetForeColor(ui::Rgb(0, 0, 128));
    EXPECT_EQ(l.Etiket.ForeColor(), 0x800000u);
    EXPECT_EQ(l.AktifRenk(), 0x0000FFu);
    EXPECT_EQ(changed, (std::vector<std::string>{"AktifRenk", "PasifRenk", "RenkDeğiştir", "Url",
                                                 "FontUnderline", "ForeColor"}));
}

TEST_F(Link, DefaultsStoreNoKeysAndAMissingKeyReadsItsDefault) {
    const ui::Font ambient = ui::Font{};  // the label's design font
    WebEtiketi& l = Place();
    ui::PropertyStore store;
    l.WriteProperties(store, ambient);
    EXPECT_TRUE(store.Empty());
    EXPECT_EQ(store.Serialize(), "");

    // Written once changed, then back at the defaults: the keys go again.
    l.SetCaption("x");
    l.SetRenkDeğiştir(true);
    l.WriteProperties(store, ambient);
    EXPECT_EQ(store.Keys(), (std::vector<std::string>{"Caption", "RenkDeğiştir"}));
    l.SetCaption("...");
    l.SetRenkDeğiştir(false);
    l.WriteProperties(store, ambient);
    EXPECT_TRUE(store.Empty());

    ui::Font containerFont;
    containerFont.name = "MS Sans Serif";
    containerFont.charset = 162;
    WebEtiketi other(container, "Other", nullptr, platform);
    other.SetCaption("changed");
    other.SetFontUnderline(true);
    other.SetAktifRenk(ui::Rgb(1, 2, 3));
    other.SetUrl("elsewhere");
    other.ReadProperties(store, containerFont);
    EXPECT_EQ(other.Caption(), "...");
    EXPECT_FALSE(other.FontUnderline());
    EXPECT_EQ(other.ForeColor(), kButtonText);
    EXPECT_TRUE(other.GetFont() == containerFont);
    EXPECT_EQ(other.AktifRenk(), 0xFF0000u);
    EXPECT_EQ(other.PasifRenk(), 0x404080u);
    EXPECT_FALSE(other.RenkDeğiştir());
    EXPECT_EQ(other.Url(), kAddress);
}

TEST_F(Link, DesignRoundTripsThroughTheStoredText) {
    WebEtiketi& l = Place();
    ui::Font font;
    font.name = "Courier, New";
    font.points = 9.75;
    font.bold = true;
    font.underline = true;
    font.weight = 700;
    font.charset = 162;
    l.SetCaption("a=b\\c\nd");
    l.SetFont(font);
    l.SetFontUnderline(true);
    l.SetAktifRenk(ui::Rgb(255, 0, 0));
    l.SetForeColor(0x80000008u);  // unlike the resting colour: reading must keep it
    l.SetPasifRenk(ui::Rgb(0, 128, 0));
    l.SetRenkDeğiştir(true);
    l.SetUrl("http://example.org/?q=1,2");

    ui::PropertyStore store;
    l.WriteProperties(store, ui::Font{});
    EXPECT_EQ(store.Keys(), (std::vector<std::string>{"Caption", "FontUnderline", "ForeColor",
                                                      "Font", "AktifRenk", "PasifRenk",
                                                      "RenkDeğiştir", "Url"}));
    const auto parsed = ui::PropertyStore::Parse(store.Serialize());
    ASSERT_TRUE(parsed);

    WebEtiketi copy(container, "Copy", nullptr, platform);
    copy.ReadProperties(*parsed, ui::Font{});
    EXPECT_EQ(copy.Caption(), "a=b\\c\nd");
    EXPECT_TRUE(copy.FontUnderline());
    EXPECT_EQ(copy.ForeColor(), 0x80000008u);
    EXPECT_EQ(copy.GetFont().name, "Courier, New");
    EXPECT_EQ(copy.GetFont().points, 9.75);
    EXPECT_TRUE(copy.GetFont().bold);
    EXPECT_EQ(copy.GetFont().weight, 700);
    EXPECT_EQ(copy.GetFont().charset, 162);
    EXPECT_EQ(copy.AktifRenk(), 0x0000FFu);
    EXPECT_EQ(copy.PasifRenk(), 0x008000u);
    EXPECT_TRUE(copy.RenkDeğiştir());
    EXPECT_EQ(copy.Url(), "http://example.org/?q=1,2");

    EXPECT_FALSE(ui::PropertyStore::Parse("Caption\n"));
    EXPECT_FALSE(ui::PropertyStore::Parse("ForeColor=i:0xZZ\n"));
    EXPECT_FALSE(ui::PropertyStore::Parse("Font=f:Arial,8.25,0\n"));
}

TEST_F(Link, MouseMoveOnlyOverTheTextAndAClickOpensTheAddress) {
    WebEtiketi& l = Place();
    std::vector<std::vector<int>> moves;
    l.MouseMove = [&](int b, int s, int x, int y) { moves.push_back({b, s, x, y}); };
    ASSERT_TRUE(l.Etiket.MouseMove);
    l.Etiket.MouseMove(1, 2, 45, 60);
    l.Etiket.MouseMove(0, 0, 50, 60);
    EXPECT_EQ(moves, (std::vector<std::vector<int>>{{1, 2, 45, 60}, {0, 0, 50, 60}}));
    // The margin: the surface has no handler and passes nothing on.
    const ui::Control& surface = l;
    EXPECT_FALSE(surface.HandlesMouse());
    EXPECT_FALSE(surface.MouseToContainer);
    EXPECT_FALSE(l.Etiket.MouseToContainer);

    platform.desktopWindow = 0x10010;
    l.SetUrl("http://example.org/");
    ASSERT_TRUE(l.Etiket.Click);
    l.Etiket.Click();
    EXPECT_EQ(platform.shellOpens, (std::vector<std::string>{"Open|http://example.org/||C:\\|1"}));
    EXPECT_EQ(platform.shellOwners, (std::vector<platform::Handle>{0x10010}));
}

}  // namespace
