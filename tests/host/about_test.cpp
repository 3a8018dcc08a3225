// The hyperlink label, its stored design and the About window.
// FakeHost measures 8.25 pt text at 91 twips a character and 198 a line.
#include <gtest/gtest.h>

#include "about/HakkindaFormu.h"
#include "about/WebEtiketi.h"
#include "tests/host/ClockFixture.h"
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
    EXPECT_EQ(l.BackColor(), 0x8000000Fu);  // the margin: the button face
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
    l.SetWidth(5000);  // one dimension alone
    EXPECT_EQ(l.Width(), 27 * 132 + 60);
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
    EXPECT_FALSE(ui::PropertyStore::Parse("Font=f:Arial,nan,0,0,400,1\n"));
    EXPECT_FALSE(ui::PropertyStore::Parse("Font=f:Arial,0,0,0,400,1\n"));
    // Underline is a field of its own; an empty text is a value too.
    const auto bold = ui::PropertyStore::Parse("Font=f:A,8,1,0,0,1\n").value();
    EXPECT_FALSE(bold.ReadFont("Font", {}).underline);
    EXPECT_EQ(ui::PropertyStore::Parse("Url=s:\n").value().ReadText("Url", kAddress), "");
    // A stored underline survives a design without a font of its own.
    copy.ReadProperties(ui::PropertyStore::Parse("FontUnderline=b:1\n").value(), ui::Font{});
    EXPECT_TRUE(copy.FontUnderline());
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

// ------------------------------------------------------------ About ---

struct About : ::testing::Test {
    fake::FakePlatform platform;
    fake::FakeHost host;
    Program program{platform, &host, {}};
    std::unique_ptr<HakkındaFormu> form;

    About() {
        program.values.appTitle = "Zilvane";  // texts 143, 145, 148 from the string table
        platform.version.copyright = "Copyright (C) 2026 Velorin";
    }
    HakkındaFormu& Load() {
        form = std::make_unique<HakkındaFormu>(program);
        form->SetHost(&host);
        form->Form_Load();
        return *form;
    }
    void SetVersion(int major, int minor, int build, int revision) {
        platform.version.major = major;
        platform.version.minor = minor;
        platform.version.build = build;
        platform.version.revision = revision;
    }
};

TEST_F(About, LoadFillsTheTextsAndCentresTheWindow) {
    SetVersion(2, 1, 0, 4);
    HakkındaFormu& f = Load();
    EXPECT_EQ(f.Caption(), "About");
    EXPECT_EQ(f.Etiket[0].Text(), "Zilvane");
    EXPECT_EQ(f.Etiket[1].Text(), "Version: 2.14");
    EXPECT_EQ(f.Etiket[2].Text(), "Copyright (C) 2026 Velorin");
    EXPECT_EQ(f.Etiket[3].Text(), "Velorin");
    EXPECT_EQ(f.Etiket[3].Width(), 7 * 91);  // its text was set before the host came
    EXPECT_EQ(f.TamamDüğmesi.Caption(), "OK");
    EXPECT_EQ(f.Altlık.BackColor(), 0x8000000Fu);
    EXPECT_EQ(f.Etiket[0].ForeColor(), ui::Rgb(0, 0, 192));
    EXPECT_EQ(f.Etiket[3].ForeColor(), ui::Rgb(128, 64, 64));
    // The copyright wraps inside its fixed box.
    EXPECT_EQ(f.Etiket[2].Width(), 2775);
    EXPECT_EQ(f.Etiket[2].Height(), 405);
    EXPECT_TRUE(f.TamamDüğmesi.Cancel);
    EXPECT_EQ(f.TamamDüğmesi.TabIndex, 7);

    // Outer size 5220 + 90 by 3465 + 405 on a 15360 x 11520 screen.
    EXPECT_EQ(f.Width(), 5310);
    EXPECT_EQ(f.Height(), 3870);
    EXPECT_EQ(f.Left(), 5025);
    EXPECT_EQ(f.Top(), 3825);

    // The link from its stored design, sized to its text.
    const WebEtiketi& l = f.VelorinEtiketi;
    EXPECT_EQ(l.Caption(), kAddress);
    EXPECT_EQ(l.Url(), kAddress);
    EXPECT_EQ(l.ForeColor(), 0xFF0000u);
    EXPECT_FALSE(l.FontUnderline());
    EXPECT_EQ(l.GetFont().name, "MS Sans Serif");
    EXPECT_EQ(l.GetFont().points, 8.25);
    EXPECT_EQ(l.GetFont().weight, 400);
    EXPECT_EQ(l.GetFont().charset, 162);
    EXPECT_FALSE(l.RenkDeğiştir());
    EXPECT_EQ(l.Parent(), &f.Altlık);
    EXPECT_EQ(l.Left(), 1080);
    EXPECT_EQ(l.Top(), 1530);
    EXPECT_EQ(l.Width(), 27 * 91 + 60);
    EXPECT_EQ(l.Height(), 258);
    EXPECT_EQ(host.Count("Load HakkındaFormu"), 1);
}

TEST_F(About, VersionLineAndFailingStepsLeaveTheDesignText) {
    SetVersion(1, 10, 0, 3);
    EXPECT_EQ(Load().Etiket[1].Text(), "Version: 1.103");
    SetVersion(1, 0, 0, 0);
    EXPECT_EQ(Load().Etiket[1].Text(), "Version: 1.00");

    platform.strings.erase(148);
    EXPECT_EQ(Load().Etiket[1].Text(), "#");

    // No version information at all, and no strings.
    platform.strings.clear();
    platform.version = {};
    HakkındaFormu& f = Load();
    EXPECT_EQ(f.Etiket[1].Text(), "#");
    EXPECT_EQ(f.Etiket[2].Text(), "#");
    EXPECT_EQ(f.TamamDüğmesi.Caption(), "");
    EXPECT_EQ(f.Etiket[0].Text(), "Zilvane");  // later steps still ran
    EXPECT_EQ(f.Altlık.BackColor(), 0x8000000Fu);

    platform.strings[148] = "Version";  // a version line needs the version too
    program.values.appTitle.clear();
    EXPECT_EQ(Load().Etiket[1].Text(), "#");
    EXPECT_EQ(form->Etiket[0].Text(), "#");
}

TEST_F(About, HoverUnderlinesAndOnlyTheSurfaceOrAltlikRestsTheLink) {
    HakkındaFormu& f = Load();
    WebEtiketi& l = f.VelorinEtiketi;
    l.Etiket.MouseMove(0, 0, 100, 40);
    EXPECT_TRUE(l.FontUnderline());
    EXPECT_EQ(l.ForeColor(), 0xFF0000u);

    // Onto Etiket 3 (and any other label, the icon, the frame, the margin):
    // nothing runs, so the link stays underlined.
    for (const ui::Control* c : std::initializer_list<const ui::Control*>{
             &f.Etiket[0], &f.Etiket[1], &f.Etiket[2], &f.Etiket[3], &f.SimgeKutusu, &f.Çerçeve,
             static_cast<const ui::Control*>(&l)}) {
        EXPECT_FALSE(c->HandlesMouse()) << c->Name();
        EXPECT_FALSE(c->MouseToContainer) << c->Name();
    }
    EXPECT_TRUE(l.FontUnderline());

    ASSERT_TRUE(f.Altlık.MouseMove);
    f.Altlık.MouseMove(0, 0, 10, 10);
    EXPECT_FALSE(l.FontUnderline());
    EXPECT_EQ(l.ForeColor(), 0xFF0000u);

    l.Etiket.MouseMove(0, 0, 100, 40);
    l.Etiket.MouseMove(0, 0, 110, 40);
    EXPECT_TRUE(l.FontUnderline());
    ASSERT_TRUE(f.ui::Form::MouseMove);
    f.ui::Form::MouseMove(0, 0, 10, 10);
    EXPECT_FALSE(l.FontUnderline());
}

TEST_F(About, WithRenkDegistirHoverRecoloursWithoutUnderline) {
    HakkındaFormu& f = Load();
    WebEtiketi& l = f.VelorinEtiketi;
    l.SetRenkDeğiştir(true);
    l.Etiket.MouseMove(0, 0, 100, 40);
    EXPECT_EQ(l.ForeColor(), ui::Rgb(128, 64, 64));
    EXPECT_FALSE(l.FontUnderline());
    f.Altlık.MouseMove(0, 0, 10, 10);
    EXPECT_EQ(l.ForeColor(), ui::Rgb(0, 0, 255));
    EXPECT_FALSE(l.FontUnderline());
}

TEST_F(About, OkEscAndTheCloseBoxUnloadButTheLinkKeepsItOpen) {
    HakkındaFormu& f = Load();
    f.VelorinEtiketi.Etiket.Click();
    EXPECT_EQ(platform.shellOpens,
              (std::vector<std::string>{"Open|http://www.velorin.example/||C:\\|1"}));
    EXPECT_FALSE(f.Unloaded());

    // Esc presses the cancel button, which is OK.
    EXPECT_TRUE(f.TamamDüğmesi.Cancel);
    f.TamamDüğmesi.PerformClick();
    EXPECT_TRUE(f.Unloaded());
    EXPECT_EQ(host.Count("Unload HakkındaFormu"), 1);

    HakkındaFormu& g = Load();
    ASSERT_TRUE(g.CloseRequest);
    EXPECT_TRUE(g.CloseRequest());
    EXPECT_TRUE(g.Unloaded());
    EXPECT_EQ(host.Count("Unload HakkındaFormu"), 2);
}

}  // namespace

// The clock's menu item opens it modally, owned by the clock.
TEST_F(ClockTest, AboutMenuOpensTheAboutWindowModally) {
    Load();
    int opened = 0;
    host.onModal = [&](ui::Form& f) {
        auto* about = dynamic_cast<HakkındaFormu*>(&f);
        ASSERT_TRUE(about);
        ++opened;
        EXPECT_EQ(about->Caption(), "About");
        EXPECT_TRUE(about->Visible());
        if (opened == 1) about->TamamDüğmesi.PerformClick();
    };
    ASSERT_TRUE(form->HakkındaMenüsü.Click);
    form->HakkındaMenüsü.Click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Count("ShowModal HakkındaFormu owner AnaForm"), 1);
    EXPECT_EQ(Count("Unload HakkındaFormu"), 1);

    // A modal loop that ends without OK (the program quitting) still unloads.
    form->HakkındaMenüsü.Click();
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(Count("Unload HakkındaFormu"), 2);
}
