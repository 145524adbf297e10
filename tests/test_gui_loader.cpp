// The layout file reader and loader: words and declarations, every object
// kind from one fixture file, the error lines, path look-up and reload.
#include <filesystem>

#include "TestUtil.h"
#include "app/Globals.h"
#include "app/Txt.h"
#include "gui/Animation.h"
#include "gui/Belka.h"
#include "gui/Button.h"
#include "gui/Gui.h"
#include "gui/Text.h"
#include "gui/TextEntry.h"
#include "gui/Window.h"
#include "platform/Files.h"
#include "test_gui_util.h"

namespace fs = std::filesystem;

TEST(GuiReader, WordsFollowQuotesAndBlanks) {
  auto w = splitGuiWords("a\"b c\"d  \"\"\tx\r\ny");
  // The quoted empty string leaves no word; doubled blanks leave empty ones.
  std::vector<std::string> want{"ab cd", "", "", "x", "y"};
  EXPECT_EQ(w, want);
  auto d = groupGuiDeclarations(splitGuiWords("BAR b { M m { C = 1 } } } TEXT t { }"));
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0], (std::vector<std::string>{"BAR", "b", "{", "M", "m", "{", "C", "=", "1", "}"}));
  EXPECT_EQ(d[1], (std::vector<std::string>{"}", "TEXT", "t", "{"})) << "a stray brace cannot close anything";
}

TEST(GuiReader, BrokenDeclarationsAreReportedAndNeverReadPastTheEnd) {
  StdoutCapture out;
  TGuiDeclaration d;
  EXPECT_FALSE(interpretGuiDeclaration({"BUTTON"}, d));
  EXPECT_TRUE(interpretGuiDeclaration({"BUTTON", "b", "{", "POSITION", "10", "20"}, d));
  ASSERT_EQ(d.entries.size(), 1u);
  EXPECT_EQ(d.entries[0]._value, "20");
  EXPECT_TRUE(interpretGuiDeclaration({"button", "b", "{", "TXT", "="}, d));
  EXPECT_EQ(d.kind, "BUTTON");
  EXPECT_TRUE(d.entries.empty());
  EXPECT_NE(out.text().find(" >> BLAD! << : Nieprawidlowy wpis :10\n"), std::string::npos);
  EXPECT_NE(out.text().find(" >> BLAD! << : Nieprawidlowy wpis :BUTTON\n"), std::string::npos);
}

TEST(GuiReader, NumbersReadLikeTheGameAlwaysDid) {
  EXPECT_EQ(guiNumbers("10 -20 x 7z"), (std::vector<int>{10, -20, 0, 7}));
  EXPECT_EQ(guiNumber(guiNumbers("10"), 1), 0) << "a missing number reads 0";
  EXPECT_EQ(guiInt("99999999999999999999"), INT32_MAX) << "digits saturate";
  EXPECT_EQ(guiFlag("true"), 1);
  EXPECT_EQ(guiFlag("yes"), 0);
}

namespace {

const char* kFixture = R"(FONT body { URL = "../fonts/Bookman.ttf" SIZE = 18 }
FONT rooted { URL = "fonts/Bookman.ttf" SIZE = 14 }
FONT none { SIZE = 14 }
THEME skin { URL = "skin.txt" }
button PLAY { TYP = SIMPLE_BUTTON GFX = simple.png POSITION = "512 600" }
BUTTON back { TYP = TEXT_BUTTON TXT = "[txt/menu.txt|2]" FONT = BODY POSITION = "100 700" OUTLINE = NONE OVERAD = "10 5" }
BUTTON lost { TYP = SIMPLE_BUTTON GFX = missing.png POSITION = "5 6" }
BUTTON odd { TYP = simple_button POSITION = "1 1" }
BUTTON shifted { TYP = TEXT_BUTTON TXT = "" FONT = body POSITION = "7 8" }
SPRITE ghost { POSITION = "1 1" }
TEXT hint { position = "40 40 300" TXT = "Drag the pieces" FONT = rooted ALIGN = center SHADOW = "0 0 0" }
TEXT far { POSITION = "1 2" TXT = "[txt/menu.txt|9]" FONT = nofont RGB = "-1 0 0" }
TEXT broken { POSITION = "1 2" TXT = "[txt/menu.txt]" }
ANIM spark { POSITION = "20 30" GFX = simple.png SCHEMAT = "[NORMAL LOOP 100] 0 1" }
WINDOW panel { POSITION = "10 20 400 200" THEME = SKIN }
TEXTENTRY name { POSITION = "50 60" FONT = body }
BAR menu { POSITION = "0 0" TEMAT = skin WIDTH = 300 FONT = body
  MENU file { TITLE = File COMMAND = "new|New" COMMAND = broken } }
BUTTON play { TYP = FSTEP_BUTTON GFX = simple.png POSITION = "1 1" }
)";

struct LoaderFixture : GuiFixture {
  TempDir tmp;
  std::string here;
  void SetUp() override {
    GuiFixture::SetUp();
    here = plat::currentFolder();
    fs::create_directories(tmp.file("fonts"));
    fs::copy_file(fontPath("Bookman.ttf"), tmp.file("fonts/Bookman.ttf"));
    writeBytes(tmp.file("screen/test.gui"), kFixture);
    fs::copy_file(std::string(WOOFMERE_GAME_DIR) + "/gfx/gui/sample/simple.png", tmp.file("screen/simple.png"));
    writeBytes(tmp.file("screen/skin.txt"), "TEMAT {\n\tOKNO {\n\t\tleftUp = \"simple.png\"\n\t}\n}\n");
    writeBytes(tmp.file("txt/eng/menu.txt"), "Play\nBack to menu\n");
    ASSERT_TRUE(plat::changeFolder(tmp.path()));
    setTxtStartupPhase(false);
  }
  void TearDown() override {
    plat::changeFolder(here);
    setTxtStartupPhase(true);
    GuiFixture::TearDown();
  }
};

}  // namespace

TEST_F(LoaderFixture, EveryKindIsBuiltInFileOrderAndEveryFaultIsOneLine) {
  StdoutCapture out;
  auto gui = loadGui("screen/test.gui");
  const std::string log = out.text();

  struct Want {
    const char* id;
    int kind;
    float x, y;
  };
  const Want table[] = {
      {"PLAY", GUI_BUTTON, 512, 600}, {"back", GUI_BUTTON, 100, 700},  {"lost", GUI_BUTTON, 5, 6},
      // The quoted empty caption shifts the rhythm: POSITION is lost.
      {"shifted", GUI_BUTTON, 0, 0},
      {"hint", GUI_TEXT, 40, 40},     {"far", GUI_TEXT, 1, 2},         {"broken", GUI_TEXT, 1, 2},
      {"spark", GUI_ANIM, 20, 30},    {"panel", GUI_WINDOW, 10, 20},   {"name", GUI_TEXTENTRY, 50, 60},
      {"menu", GUI_BELKA, 0, 0},      {"play", GUI_BUTTON, 1, 1},
  };
  ASSERT_EQ(gui->_listaObiektow.size(), std::size(table)) << log;
  for (size_t i = 0; i < std::size(table); ++i) {
    SCOPED_TRACE(table[i].id);
    auto& o = gui->_listaObiektow[i];
    EXPECT_EQ(o->_id, table[i].id);
    EXPECT_EQ(o->_class, table[i].kind);
    EXPECT_FLOAT_EQ(o->dim->x, table[i].x);
    EXPECT_FLOAT_EQ(o->dim->y, table[i].y);
  }
  // Look-ups ignore case and take the first of two equal ids.
  EXPECT_EQ(gui->getItem("play"), gui->_listaObiektow[0]);
  EXPECT_EQ(gui->getItem("nothing"), nullptr);

  // Fonts: one next to the file's folder, one from the working directory.
  ASSERT_EQ(gui->_fonts.size(), 2u);
  EXPECT_NE(gui->_fonts[0]->_font, nullptr);
  EXPECT_NE(gui->_fonts[1]->_font, nullptr);
  auto back = gui->getItemAs<TButton>("back");
  EXPECT_EQ(back->_txt, "Back to menu");
  EXPECT_EQ(back->_font, gui->_fonts[0]->_font);
  EXPECT_FALSE(back->outLine.has_value());
  EXPECT_FLOAT_EQ(back->_overAdX, 10);
  EXPECT_GT(back->dim->w, 0);
  auto hint = gui->getItemAs<TText>("hint");
  EXPECT_EQ(hint->_align, ALIGN_CENTER);
  EXPECT_FLOAT_EQ(hint->dim->w, 300);
  EXPECT_EQ(hint->_shadow, 1);
  EXPECT_EQ(hint->_font, gui->_fonts[1]->_font);
  auto far = gui->getItemAs<TText>("far");
  EXPECT_EQ(far->_txt, TXT_BEYOND) << "a line past the file's end";
  EXPECT_EQ(far->_hasRgb, 0);
  EXPECT_EQ(far->_font, nullptr);
  EXPECT_EQ(gui->getItemAs<TText>("broken")->_txt, TXT_BEYOND);
  EXPECT_NE(gui->getItemAs<TButton>("PLAY")->_image, nullptr);
  EXPECT_EQ(gui->getItemAs<TButton>("lost")->_image, nullptr);
  auto panel = gui->getItemAs<TWindow>("panel");
  ASSERT_NE(panel->theme, nullptr);
  EXPECT_EQ(panel->theme->id, "SKIN");
  EXPECT_EQ(currentTheme(), panel->theme);
  auto bar = gui->getItemAs<TBelka>("menu");
  ASSERT_EQ(bar->_menusList.size(), 1u);
  EXPECT_EQ(bar->_menusList[0]->_barTitles.size(), 1u) << "the COMMAND without '|' is skipped";
  EXPECT_EQ(gui->getItemAs<TTextEntry>("name")->_maxZnakow, 25);

  for (const char* line : {
           " >> BLAD! << : Nie podano scierzki do czcionki.\n",
           "Could not open image ",
           " >> BLAD! << : Unknown button type : 'simple_button' !\n",
           " >> BLAD! << : Nieprawidlowy wpis :body\n",
           " >> BLAD! << : Nie znaleziono czcionki : nofont\n",
           " >> BLAD! << : Nieprawidlowy odnosnik do tekstu : [txt/menu.txt]\n",
           " >> BLAD! << : Nieprawidlowy wpis :broken\n",
       })
    EXPECT_NE(log.find(line), std::string::npos) << line << "\n--- printed:\n" << log;
  EXPECT_EQ(log.find("ghost"), std::string::npos) << "other kinds are skipped silently";
  EXPECT_EQ(gui->getItemAs<TButton>("shifted")->_txt, "FONT");
  EXPECT_NE(log.find("NO img: \n"), std::string::npos) << "the theme lacks its top-right piece";
  EXPECT_EQ(plat::normalizePath(plat::currentFolder()), plat::normalizePath(tmp.path())) << "the folder is kept";
}

TEST_F(LoaderFixture, AMissingFileGivesAnEmptyGuiThatAnswersNothing) {
  StdoutCapture out;
  auto gui = loadGui("screen/none.gui");
  EXPECT_NE(out.text().find(" >> BLAD! << : Plik : screen/none.gui nie istenieje!"), std::string::npos);
  EXPECT_TRUE(gui->_listaObiektow.empty());
  gui->update();
  EXPECT_EQ(gui->clickedItem("play"), 0);
  gui->draw();
}

TEST_F(LoaderFixture, ClicksReachTheScreenUnlessLocked) {
  StdoutCapture out;
  auto gui = loadGui("screen/test.gui");
  frame(512, 600, true);
  gui->update();
  EXPECT_EQ(gui->_over, "PLAY");
  EXPECT_EQ(gui->clickedItem("play"), 1);
  EXPECT_EQ(gui->clickedItem("PLAY"), 1);
  frame(512, 600, false);
  gui->_locked = 1;
  frame(512, 600, true);
  gui->update();
  EXPECT_EQ(gui->clickedItem("play"), 0);
  EXPECT_EQ(gui->_over, "");
  EXPECT_EQ(gui->getItemAs<TButton>("PLAY")->_over, 1) << "widgets still react while locked";
}

TEST_F(LoaderFixture, ReloadKeepsTheWidgetsScreensHoldAndNeedsCheats) {
  StdoutCapture out;
  auto gui = loadGui("screen/test.gui");
  auto held = gui->getItemAs<TButton>("PLAY");
  auto heldBar = gui->getItemAs<TBelka>("menu");
  std::string moved = kFixture;
  moved.replace(moved.find("512 600"), 7, "300 200");
  writeBytes("screen/test.gui", moved);

  guiReloadEnabled = 1;
  cheatsOn = 0;
  plat::input().pressKey(plat::KEY_LCONTROL);
  plat::input().pressKey(plat::KEY_L);
  gui->update();
  EXPECT_FLOAT_EQ(held->dim->x, 512) << "no reload for players";

  cheatsOn = 1;
  plat::input().pressKey(plat::KEY_L);
  gui->update();
  cheatsOn = 0;
  plat::input().reset();
  EXPECT_EQ(gui->getItem("play"), held) << "the screen's pointer is still the live widget";
  EXPECT_FLOAT_EQ(held->dim->x, 300);
  EXPECT_EQ(gui->getItem("menu"), heldBar);
  EXPECT_EQ(heldBar->_menusList[0]->_belka, heldBar.get()) << "menus answer to the bar the screen holds";
  EXPECT_EQ(gui->_fonts.size(), 4u) << "fonts declared again are appended";
  // The bar still works after the swap.
  frame(15, heldBar->_menusList[0]->rect.y > 0 ? int(heldBar->_menusList[0]->rect.y) + 2 : 5, true);
  gui->update();
}
