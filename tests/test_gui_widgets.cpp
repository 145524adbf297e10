// Buttons, schemas, text layout, windows, menu bars and the text entry on
// the fake clock with scripted mouse frames.
#include <set>

#include "TestUtil.h"
#include "gui/Animation.h"
#include "gui/Belka.h"
#include "gui/Button.h"
#include "gui/Gui.h"
#include "gui/Text.h"
#include "gui/TextEntry.h"
#include "gui/Window.h"
#include "platform/Files.h"
#include "platform/Pixmap.h"
#include "test_gui_util.h"

namespace {

plat::ImagePtr solid(int w, int h, int frames = 1) {
  plat::Pixmap pm(w * frames, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w * frames; ++x) {
      uint8_t* p = pm.at(x, y);
      p[0] = uint8_t(40 * (x / w) + 20);
      p[1] = 90;
      p[2] = 60;
      p[3] = 255;
    }
  auto img = plat::Image::fromPixmap(std::move(pm), plat::kDefaultImageFlags, w, h, 0, frames);
  img->setHandle(float(w / 2), float(h / 2));
  return img;
}

void step(TGuiObject& b, int frames = 1) {
  for (int i = 0; i < frames; ++i) b.update(0, 0);
}

}  // namespace

TEST_F(GuiFixture, SimpleButtonSwellsSnapsOnClickAndEdgesCount) {
  auto b = TButton::createSimpleButton("b", solid(100, 40), "", 200, 100, 1, 1);
  EXPECT_FLOAT_EQ(b->dim->x1, 150);
  EXPECT_FLOAT_EQ(b->dim->x2, 250);
  frame(250, 120, false);  // exactly on the right edge
  step(*b);
  EXPECT_EQ(b->_over, 1);
  step(*b, 3);
  EXPECT_NEAR(b->_buttonScale, 1.1f, 1e-5);
  frame(250, 120, true);
  step(*b);
  EXPECT_EQ(b->_clicked, 1);
  EXPECT_NEAR(b->_buttonScale, 1.05f, 1e-5) << "snapped to 1, then one step of growth";
  frame(251, 120, true);
  step(*b);
  EXPECT_EQ(b->_over, 0);
  EXPECT_EQ(b->_holded, 1) << "held keeps its last value off the button";
  // Inactive: no hover and no key click; hidden but active: the key still clicks.
  b->setKey(plat::KEY_ENTER);
  b->setState(1, 0);
  frame(200, 100, false);
  plat::input().pressKey(plat::KEY_ENTER);
  step(*b);
  EXPECT_EQ(b->_over + b->_clicked, 0);
  b->setState(0, 1);
  plat::input().pressKey(plat::KEY_ENTER);
  step(*b);
  EXPECT_EQ(b->_clicked, 1);
}

TEST_F(GuiFixture, BlendAndFourStepButtonsFadeOnTheirTimetable) {
  auto blend = TButton::createBlendButton("b", "", 100, 100, 0, 1, 1);
  blend->_image = solid(60, 30, 2);
  blend->CountDims();
  frame(100, 100, false);
  int n = 0;
  while (blend->_buttonAlpha < 1 && n < 50) step(*blend), ++n;
  EXPECT_EQ(n, 10) << "0.06 + 0.05 a frame";

  auto fb = TButton::createFStepBlendButton("f", "", 300, 100, 0, 1, 1);
  fb->_image = solid(60, 30, 4);
  fb->CountDims();
  frame(300, 100, false);
  step(*fb);
  EXPECT_EQ(fb->_old4StepB, 0);
  EXPECT_EQ(fb->_new4StepB, 1);
  EXPECT_NEAR(fb->_newAlpha, 0.05f, 1e-5);
  step(*fb, 5);
  frame(300, 100, true);  // pressed before the fade is over
  step(*fb);
  EXPECT_EQ(fb->_old4StepB, 1);
  EXPECT_EQ(fb->_new4StepB, 2);
  step(*fb, 30);
  EXPECT_FLOAT_EQ(fb->_newAlpha, 1);

  auto fs = TButton::createFStepButton("s", "", 500, 100, 0, 1, 1);
  fs->_image = solid(60, 30, 4);
  fs->CountDims();
  struct Case {
    int x;
    bool down;
    int active;
    int cell;
  } cases[] = {{0, false, 1, 0}, {500, false, 1, 1}, {500, true, 1, 2}, {0, false, 0, 3}};
  for (const auto& c : cases) {
    frame(c.x, 100, false);
    frame(c.x, 100, c.down);
    fs->_a = c.active;
    step(*fs);
    EXPECT_EQ(fs->fourStepCell(), c.cell) << c.x << " " << c.down << " " << c.active;
  }
}

TEST_F(GuiFixture, AnimSchemaPlaysItsFramesInOrderAndSwitchesByTheRules) {
  StdoutCapture out;
  auto b = TButton::createAnimButton("a", "", 100, 100, "NORMAL(120) 1 2 3 2 OVER(60) 4 5 ACTIVE 6 7 8", 0, 1, 1);
  EXPECT_EQ(b->frames, 8);
  EXPECT_EQ(b->_animData.frameN[0], (std::vector<int>{1, 2, 3, 2}));
  EXPECT_EQ(b->_animData.frameDelta[1], 60);
  EXPECT_EQ(b->_animData.frameDelta[2], 500);
  b->_image = solid(20, 20, 8);
  b->CountDims();
  frame(0, 0, false);
  std::vector<int> seen;
  for (int t = 0; t < 5; ++t) {
    seen.push_back(b->_animData.frameN[size_t(b->aktAnim)][size_t(b->aktFrame)]);
    plat::advanceFakeClock(120);
    step(*b);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 2, 1}));
  EXPECT_EQ(b->_wykonano, 1);
  frame(100, 100, false);
  step(*b);
  EXPECT_EQ(b->aktAnim, b->_animOver);
  frame(100, 100, true);
  step(*b);
  EXPECT_EQ(b->aktAnim, b->_animActive);

  // NORMAL 1 2 OVER 3 4: the undeclared ACTIVE role is animation 0 too, so
  // hovering waits for a finished NORMAL cycle; leaving returns at once.
  auto c = TButton::createAnimButton("c", "", 100, 100, "NORMAL 1 2 OVER 3 4", 0, 1, 1);
  frame(100, 100, false);
  step(*c);
  EXPECT_EQ(c->aktAnim, 0);
  plat::advanceFakeClock(500);
  step(*c);
  plat::advanceFakeClock(500);
  step(*c);
  step(*c);
  EXPECT_EQ(c->aktAnim, 1);
  frame(0, 0, false);
  step(*c);
  EXPECT_EQ(c->aktAnim, 0);

  // Eleven names: one error, the eleventh's frames go to animation 0.
  std::string s;
  for (int i = 0; i < 11; ++i) s += "A" + std::to_string(i) + " " + std::to_string(i + 1) + " ";
  auto d = TButton::createAnimButton("d", "", 0, 0, "NORMAL 1 " + s, 0, 1, 1);
  EXPECT_EQ(d->_animData.frameN[0].back(), 11);
  const std::string log = out.text();
  EXPECT_NE(log.find("Nie mozna dodac wiecej niz 10 animacji!"), std::string::npos);
  auto e = TButton::createAnimButton("e", "", 0, 0, "", 0, 1, 1);
  EXPECT_NE(out.text().find("Nieprawidlowy schemat :\n"), std::string::npos);
  EXPECT_NE(out.text().find("Nie okreslono znacznika animacji [NORMAL]"), std::string::npos);
  e->draw(0, 0);  // no frames, no image: nothing to draw, nothing read
  auto z = TButton::createAnimButton("z", "", 0, 0, "NORMAL 0 1", 0, 1, 1);
  z->_image = solid(10, 10, 1);
  z->draw(0, 0);  // frame 0 is no cell
}

TEST_F(GuiFixture, TextButtonsMeasureTheirCaptionAndTheWaveSkipsBlanks) {
  auto font = TMyFont::get(fontPath("Bookman.ttf"), 20);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(TMyFont::get(fontPath("Bookman.ttf"), 20), font) << "one load per path and size";
  auto t = TButton::createTextButton("t", "Play", font, 300, 200, TRGB{1, 2, 3}, std::nullopt, 1, 1, 10, 5);
  plat::gfx().setFont(font);
  EXPECT_FLOAT_EQ(t->dim->w, plat::gfx().textWidth("Play"));
  frame(int(t->dim->x2 + 10), 200, false);
  step(*t);
  EXPECT_EQ(t->_over, 1) << "OVERAD widens the hover box";

  auto w = TButton::createTextSpecButton1("w", "ab cd", font, 300, 300, std::nullopt, std::nullopt, 1, 1);
  ASSERT_EQ(w->_textScale.size(), 5u);
  frame(300, 295, false);
  std::set<int> peaks;
  for (int i = 0; i < 80; ++i) {
    step(*w);
    for (size_t k = 0; k < w->_textScale.size(); ++k)
      if (w->_textScale[k] > 1) peaks.insert(int(k));
  }
  EXPECT_EQ(peaks, (std::set<int>{0, 1, 3, 4})) << "the blank never swells";
  auto empty = TButton::createTextSpecButton1("e", "", font, 0, 0, std::nullopt, std::nullopt, 1, 1);
  frame(0, 0, false);
  step(*empty);
  empty->draw(0, 0);
  auto tail = TButton::createTextSpecButton1("x", "ab ", font, 300, 400, std::nullopt, std::nullopt, 1, 1);
  frame(300, 395, false);
  for (int i = 0; i < 60; ++i) step(*tail);  // a trailing blank never walks the wave off the end
}

TEST_F(GuiFixture, PowerUpGaugeShowsOnlyTheFilledPart) {
  auto b = TButton::createFStepButton("p", "", 100, 100, 0, 1, 1);
  b->_image = solid(40, 40, 4);
  auto& g = plat::gfx();
  g.setClsColour(0, 0, 0);
  g.cls();
  g.setBlend(plat::Blend::Alpha);
  b->drawAsPowerUp(0, TRGB{}, 1, 0.5f);
  auto pm = g.readBackBuffer();
  EXPECT_EQ(pm.at(100, 90)[1], 0) << "upper half empty";
  EXPECT_GT(pm.at(100, 110)[1], 0) << "lower half drawn";
}

TEST_F(GuiFixture, TextBoxWrapsAlignsAndNeverLoopsOnALongWord) {
  auto font = TMyFont::get(fontPath("Bookman.ttf"), 18);
  auto& g = plat::gfx();
  g.setFont(font);
  const int L = int(g.textHeight("A"));
  auto l = layoutTextBox("one two three", 10, 20, g.textWidth("one two") + 1, "LEFT", font, 4);
  ASSERT_EQ(l.pieces.size(), 2u);
  EXPECT_EQ(l.pieces[0].text, "one two");
  EXPECT_FLOAT_EQ(l.pieces[1].y, float(20 + L + 4));
  EXPECT_EQ(l.height, 2 * (L + 4));

  auto r = layoutTextBox("hi", 10, 0, 200, " right ", font, 0);
  EXPECT_FLOAT_EQ(r.pieces[0].x, 10 + 200 - g.textWidth("hi"));
  auto c = layoutTextBox("hi", 10, 0, 200, "center", font, 0);
  EXPECT_FLOAT_EQ(c.pieces[0].x, float(int(10 + 100 - int(g.textWidth("hi")) / 2)));
  auto j = layoutTextBox("aa bb cc", 0, 0, g.textWidth("aa bb") + 10, "JUSTIFY", font, 0);
  ASSERT_EQ(j.pieces.size(), 3u);
  EXPECT_NEAR(j.pieces[1].x + g.textWidth("bb"), g.textWidth("aa bb") + 10, 1.0) << "spread to the full width";
  EXPECT_FLOAT_EQ(j.pieces[2].x, 0) << "the last line is left-aligned";

  auto e = layoutTextBox("", 0, 0, 100, "LEFT", font, 2);
  EXPECT_EQ(e.height, L + 2);
  auto huge = layoutTextBox("a Pneumonoultramicroscopic b", 0, 0, 30, "LEFT", font, 0);
  ASSERT_EQ(huge.lines, 3);
  EXPECT_EQ(huge.pieces[1].text, "Pneumonoultramicroscopic");

  auto t = TText::create("t", "x", 0, 0, 100, font, "LEFT", 1, 1);
  t->setAlign("middle");
  EXPECT_EQ(t->_align, ALIGN_LEFT);
  t->setAlign("justify");
  EXPECT_EQ(t->_align, ALIGN_JUSTIFY);
  EXPECT_EQ(t->countH(), L);
  EXPECT_EQ(tailFitted("abcdefghijkl", g.textWidth("..jkl") + 0.5f), "..jkl");
}

TEST_F(GuiFixture, WindowStretchesItsEdgesBetweenTheCorners) {
  auto th = std::make_shared<TTheme>();
  th->oknoImg[0] = solid(20, 20);
  th->oknoImg[1] = solid(1, 20);
  th->oknoImg[2] = solid(20, 20);
  th->oknoImg[3] = solid(20, 1);
  th->oknoImg[4] = solid(20, 20);
  th->oknoImg[8] = solid(1, 1);
  auto w = createWindow("w", 10, 10, 400, 200, th, 0, 0, 1, 1);
  EXPECT_FLOAT_EQ(w->skala[0], 360);
  EXPECT_FLOAT_EQ(w->skala[1], 160);
  auto c = createWindow("c", 0, 0, 200, 100, th, 1, 1, 1, 1);
  EXPECT_FLOAT_EQ(c->dim->x, 412);
  EXPECT_FLOAT_EQ(c->dim->y, 334);
  auto none = createWindow("n", 0, 0, 10, 10, nullptr, 0, 0, 1, 1);
  EXPECT_EQ(none->theme, nullptr);
  none->draw(0, 0);
  EXPECT_EQ(findTheme("x", nullptr), nullptr);
}

namespace {
struct BarFixture : GuiFixture {
  std::shared_ptr<TGui> gui = std::make_shared<TGui>();
  std::shared_ptr<TBelka> bar;
  void SetUp() override {
    GuiFixture::SetUp();
    auto font = TMyFont::get(fontPath("Bookman.ttf"), 16);
    std::string text =
        "BAR b { POSITION = \"0 0\" WIDTH = 600\n"
        " MENU file { TITLE = File COMMAND = \"new|New\" COMMAND = \"open|Open\"\n"
        "   SUB more { TITLE = More COMMAND = \"deep|Deep\" } }\n"
        " MENU edit { TITLE = Edit COMMAND = \"cut|Cut\" } }";
    auto d = parseGuiText(text);
    ASSERT_EQ(d.size(), 1u);
    auto th = std::make_shared<TTheme>();
    th->bar[1] = solid(1, 24);
    th->barHeight = 24;
    globalThemes().push_back(th);
    th->id = "T";
    d[0].entries.push_back(TSimpleEntry{"TEMAT", "t"});
    gui->_fonts.push_back(std::make_shared<TRGMFont>(TRGMFont{font, "f"}));
    d[0].entries.push_back(TSimpleEntry{"FONT", "f"});
    bar = TBelka::createFromList("b", d[0].entries, d[0].nested, gui.get());
    gui->addItem(bar);
    frame(0, 0, false);
  }
  TMenu& menu(int i) { return *bar->_menusList[size_t(i)]; }
  void click(float x, float y) {
    frame(int(x), int(y), true);
    gui->update();
    frame(int(x), int(y), false);
  }
};
}  // namespace

TEST_F(BarFixture, MenusOpenSwitchAndReportTheirEntries) {
  plat::gfx().setFont(menu(0)._font);
  EXPECT_FLOAT_EQ(menu(1).dim.x, 10 + plat::gfx().textWidth("File") + 30);
  gui->update();
  click(menu(0).rect.x + 5, menu(0).rect.y + 3);
  EXPECT_EQ(gui->_clicked, "");
  EXPECT_EQ(menu(0)._dBoxA, 1);
  for (int i = 0; i < 20; ++i) gui->update();
  // Hovering the other title switches the open menu without a click.
  frame(int(menu(1).rect.x + 5), int(menu(1).rect.y + 3), false);
  gui->update();
  EXPECT_EQ(menu(1)._dBoxA, 1);
  EXPECT_EQ(menu(0)._dBoxA, 0);
  for (int i = 0; i < 20; ++i) gui->update();
  auto cut = menu(1)._barTitles[0];
  click(cut->rect.x + 8, cut->rect.y + 3);
  EXPECT_EQ(gui->clickedItem("CUT"), 1);
  EXPECT_EQ(menu(1)._dBoxA, 0) << "a pick closes the menus";
  gui->update();
  EXPECT_EQ(gui->clickedItem("cut"), 0) << "one frame only";
  // A click elsewhere closes an open menu and reports nothing.
  click(menu(0).rect.x + 5, menu(0).rect.y + 3);
  click(900, 700);
  EXPECT_EQ(menu(0)._dBoxA, 0);
  EXPECT_EQ(gui->_clicked, "");
  // Paths into the menus; a wrong menu is reported.
  StdoutCapture out;
  EXPECT_EQ(bar->getBarTitle("FILE:more:deep")->id, "deep");
  EXPECT_EQ(bar->getBarTitle("nope:x"), nullptr);
  EXPECT_NE(out.text().find("Nie znaleziono nope w belce :b"), std::string::npos);
  bar->getBarTitle("file:new")->_active = 0;
  bar->draw(0, 0);
}

TEST_F(GuiFixture, TextEntryTakesPrintableCharactersUpToItsLimit) {
  auto font = TMyFont::get(fontPath("Bookman.ttf"), 16);
  auto e = createTextEntry("name", font, 100, 100, 120, 25, TRGB{}, 1, 1);
  TGui gui;
  gui.addItem(e);
  auto& in = plat::input();
  auto type = [&](char32_t c) {
    in.typeChar(c);
    gui.update();
  };
  for (char32_t c : std::u32string(U"Rex\t\x1b\x7f")) type(c);
  EXPECT_EQ(e->getTxt(), "Rex") << "control characters are dropped";
  for (int i = 0; i < 30; ++i) type(U'a');
  EXPECT_EQ(plat::utf8Length(e->getTxt()), 25u);
  type(8);
  type(U'\u00e9');
  EXPECT_EQ(e->getTxt().substr(e->getTxt().size() - 2), "\u00e9");
  type(13);
  EXPECT_EQ(gui.clickedItem("NAME"), 1);
  EXPECT_EQ(plat::utf8Length(e->getTxt()), 25u);
  e->_a = 0;
  type(U'z');
  EXPECT_EQ(plat::utf8Length(e->getTxt()), 25u) << "full";
  // The cursor blinks every 300 ms.
  e->_czas = plat::millisecs() + 300;
  int before = e->_trigger;
  plat::advanceFakeClock(301);
  gui.update();
  EXPECT_NE(e->_trigger, before);
  e->_a = 1;
  e->draw(0, 0);
  EXPECT_EQ(tailFitted(e->getTxt(), 120).substr(0, 2), "..");
}

TEST_F(GuiFixture, AnimObjectStepsThroughItsCellsAndSkipsOnesOutsideTheStrip) {
  StdoutCapture out;
  TRGMAnimation a;
  a.dim = newDim(0, 0, 0, 0);
  a.interpretujSchemat("[NORMAL LOOP 100] 0 1 2 [OTHER 50] 7");
  EXPECT_EQ(a.allFrames, 4);
  ASSERT_NE(a.aktAnim, nullptr);
  a.gfx = solid(10, 10, 4);
  std::vector<int> seen;
  for (int i = 0; i < 5; ++i) {
    seen.push_back(a._frame);
    plat::advanceFakeClock(101);
    a.update(0, 0);
    a.draw(0, 0);
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 0}));
  a.playAnim("other");
  plat::advanceFakeClock(60);
  a.update(0, 0);
  a.draw(0, 0);  // cell 7 is not in the strip
  a.playAnim("missing");
  a.interpretujSchemat("NORMAL 1");
  const std::string log = out.text();
  EXPECT_NE(log.find("Animacja ktora chcesz wyswietlic, nie istnieje!"), std::string::npos);
  EXPECT_NE(log.find("Nieprawidlowa definicja schematu : NORMAL 1"), std::string::npos);
}
