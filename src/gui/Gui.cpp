#include "gui/Gui.h"

#include <strings.h>

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
  for (const auto& o : _listaObiektow) {
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
  if (guiReloadEnabled == 1 && in.keyDown(plat::KEY_LCONTROL) && in.keyHit(plat::KEY_L)) reload();
}

void TGui::draw() {
  for (const auto& o : _listaObiektow)
    if (o->_v == 1) o->draw(0, 0);
}
