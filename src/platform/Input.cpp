#include "platform/Input.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/Files.h"

namespace plat {

namespace {
bool validKey(int k) { return k > 0 && k < KEY_COUNT; }
bool validButton(int b) { return b >= 1 && b <= 3; }
}  // namespace

Input& input() {
  static Input in;
  return in;
}

int Input::keyHit(int key) {
  if (!validKey(key)) return 0;
  int n = hits_[key];
  hits_[key] = 0;
  return n;
}

bool Input::keyDown(int key) const { return validKey(key) && down_[key]; }

int Input::mouseHit(int button) {
  if (!validButton(button)) return 0;
  int n = mouseHits_[button];
  mouseHits_[button] = 0;
  return n;
}

bool Input::mouseDown(int button) const { return validButton(button) && mouseDown_[button]; }

int Input::mouseWheel() {
  int w = wheel_;
  wheel_ = 0;
  return w;
}

char32_t Input::getChar() {
  if (chars_.empty()) return 0;
  char32_t c = chars_.front();
  chars_.pop_front();
  return c;
}

void Input::flushKeys() {
  std::fill(std::begin(hits_), std::end(hits_), 0);
  chars_.clear();
}

void Input::flushMouse() {
  std::fill(std::begin(mouseHits_), std::end(mouseHits_), 0);
  wheel_ = 0;
}

void Input::pressKey(int key) {
  if (!validKey(key)) return;
  ++hits_[key];
  down_[key] = true;
  // Editing keys reach text fields through the same queue as typed text.
  if (key == KEY_BACKSPACE || key == KEY_ENTER || key == KEY_TAB || key == KEY_ESCAPE) chars_.push_back(char32_t(key));
}

void Input::releaseKey(int key) {
  if (validKey(key)) down_[key] = false;
}

void Input::typeChar(char32_t c) { chars_.push_back(c); }

void Input::typeText(const std::string& utf8) {
  for (char32_t c : utf8ToUtf32(utf8)) chars_.push_back(c);
}

void Input::pressMouse(int button) {
  if (!validButton(button)) return;
  ++mouseHits_[button];
  mouseDown_[button] = true;
}

void Input::releaseMouse(int button) {
  if (validButton(button)) mouseDown_[button] = false;
}

void Input::reset() {
  flushKeys();
  flushMouse();
  std::fill(std::begin(down_), std::end(down_), false);
  std::fill(std::begin(mouseDown_), std::end(mouseDown_), false);
}

int keyFromName(const std::string& name) {
  std::string n;
  for (char c : name) n += char(std::toupper(static_cast<unsigned char>(c)));
  if (n.size() == 1 && n[0] >= 'A' && n[0] <= 'Z') return KEY_A + (n[0] - 'A');
  if (n.size() == 1 && n[0] >= '0' && n[0] <= '9') return KEY_0 + (n[0] - '0');
  if (n.size() >= 2 && n[0] == 'F' && std::all_of(n.begin() + 1, n.end(), ::isdigit)) {
    int f = std::stoi(n.substr(1));
    if (f >= 1 && f <= 12) return KEY_F1 + f - 1;
  }
  static const std::map<std::string, int> names = {
      {"BACKSPACE", KEY_BACKSPACE}, {"TAB", KEY_TAB},       {"ENTER", KEY_ENTER},     {"RETURN", KEY_ENTER},
      {"ESCAPE", KEY_ESCAPE},       {"ESC", KEY_ESCAPE},    {"SPACE", KEY_SPACE},     {"PAGEUP", KEY_PAGEUP},
      {"PAGEDOWN", KEY_PAGEDOWN},   {"END", KEY_END},       {"HOME", KEY_HOME},       {"LEFT", KEY_LEFT},
      {"UP", KEY_UP},               {"RIGHT", KEY_RIGHT},   {"DOWN", KEY_DOWN},       {"INSERT", KEY_INSERT},
      {"DELETE", KEY_DELETE},       {"LSHIFT", KEY_LSHIFT}, {"RSHIFT", KEY_RSHIFT},   {"LCONTROL", KEY_LCONTROL},
      {"LCTRL", KEY_LCONTROL},      {"RCONTROL", KEY_RCONTROL}, {"RCTRL", KEY_RCONTROL}, {"LALT", KEY_LALT},
      {"RALT", KEY_RALT},           {"PAUSE", KEY_PAUSE},   {"MINUS", KEY_MINUS},     {"EQUALS", KEY_EQUALS},
      {"COMMA", KEY_COMMA},         {"PERIOD", KEY_PERIOD}, {"SLASH", KEY_SLASH},     {"TILDE", KEY_TILDE},
  };
  auto it = names.find(n);
  return it == names.end() ? -1 : it->second;
}

}  // namespace plat
