#include "gui/Gui.h"

#include <strings.h>

#include "app/Globals.h"
#include "gui/Animation.h"
#include "gui/Belka.h"
#include "gui/Button.h"
#include "gui/Font.h"
#include "gui/Text.h"
#include "gui/TextEntry.h"
#include "gui/Theme.h"
#include "gui/Window.h"
#include "platform/Files.h"
#include "platform/Input.h"

int guiReloadEnabled = 0;

void TGui::addItem(const std::shared_ptr<TGuiObject>& obj) {
  if (obj) _listaObiektow.push_back(obj);
}

std::shared_ptr<TGuiObject> TGui::getItem(const std::string& id) const {
  for (const auto& o : _listaObiektow)
    if (strcasecmp(o->_id.c_str(), id.c_str()) == 0) return o;
  return nullptr;
}

int TGui::clickedItem(const std::string& id) const {
  // The click sound of buttons is silent by design, so nothing plays here.
  return strcasecmp(_clicked.c_str(), id.c_str()) == 0 ? 1 : 0;
}

void TGui::update() {
  _clicked.clear();
  _over.clear();
  // A copy: a widget's step may add widgets to the list.
  auto list = _listaObiektow;
  for (const auto& o : list) {
    o->update(0, 0);
    if (o->isSelector()) {
      if (!o->clickedOp().empty()) _clicked = o->clickedOp();
      if (!o->overOp().empty()) _over = o->overOp();
      if (!_clicked.empty()) o->_clean();
    } else {
      if (o->_clicked == 1) _clicked = o->_id;
      if (o->_over == 1) _over = o->_id;
    }
  }
  if (_locked == 1) {
    _clicked.clear();
    _over.clear();
  }
  auto& in = plat::input();
  // A developer's shortcut: with cheats off a player's Ctrl+L does nothing.
  if (guiReloadEnabled == 1 && cheatsOn == 1 && in.keyDown(plat::KEY_LCONTROL) && in.keyHit(plat::KEY_L)) reload();
}

void TGui::draw() {
  for (const auto& o : _listaObiektow)
    if (o->_v == 1) o->draw(0, 0);
}

void TGui::setGuiAlpha(float a) {
  for (const auto& o : _listaObiektow) {
    o->_alpha = a;
    o->_dAlpha = a;
  }
}

void TGui::clear() {
  _listaObiektow.clear();
  _clicked.clear();
  _over.clear();
}

std::shared_ptr<TGuiObject> TGui::dodajObiekt(const std::string& kind, const std::string& name,
                                              const std::vector<TSimpleEntry>& entries) {
  if (kind == "BUTTON") return TButton::CreateFromList(name, entries, this);
  if (kind == "ANIM") return TRGMAnimation::createFromList(name, entries);
  if (kind == "TEXT") return TText::createFromList(name, entries, this);
  if (kind == "FONT") {
    TRGMFont::createFromList(name, entries, this);
    return nullptr;
  }
  if (kind == "THEME") {
    TTheme::createFromList(name, entries, this);
    return nullptr;
  }
  if (kind == "WINDOW") return TWindow::CreateFromList(name, entries, this);
  if (kind == "TEXTENTRY") return TTextEntry::createFromList(name, entries, this);
  return nullptr;
}

std::shared_ptr<TGuiObject> TGui::dodajObiektZlozony(const std::string& kind, const std::string& name,
                                                     const std::vector<TSimpleEntry>& entries,
                                                     const std::vector<std::shared_ptr<TSmallObject>>& nested) {
  if (kind == "BAR") return TBelka::createFromList(name, entries, nested, this);
  return nullptr;
}

void TGui::Load(const std::string& path) {
  remPath = plat::normalizePath(plat::currentFolder());
  _listaObiektow.clear();
  _clicked.clear();
  _over.clear();
  _myPath = plat::normalizePath(path);
  ++_loads;
  auto text = plat::readTextFile(_myPath);
  if (!text) {
    reportError("Plik : " + _myPath + " nie istenieje!");
    return;
  }
  auto decls = parseGuiText(*text);
  GuiFolderScope scope(folderOfPath(_myPath));
  for (const auto& d : decls) {
    std::shared_ptr<TGuiObject> o = d.kind == "BAR" ? dodajObiektZlozony(d.kind, d.name, d.entries, d.nested)
                                                    : dodajObiekt(d.kind, d.name, d.entries);
    addItem(o);
  }
}

void TGui::reload() {
  if (_myPath.empty()) return;
  auto old = _listaObiektow;
  Load(_myPath);
  std::vector<bool> used(old.size(), false);
  for (auto& fresh : _listaObiektow) {
    for (size_t i = 0; i < old.size(); ++i) {
      if (used[i] || !equalsNoCase(old[i]->_id, fresh->_id)) continue;
      if (old[i]->assignFrom(*fresh)) {
        used[i] = true;
        fresh = old[i];
      }
      break;
    }
  }
}

std::shared_ptr<TGui> loadGui(const std::string& path) {
  auto g = std::make_shared<TGui>();
  if (plat::fileKind(path) == plat::FileKind::File)
    g->Load(path);
  else
    reportError("Plik : " + plat::normalizePath(path) + " nie istenieje!");
  return g;
}
