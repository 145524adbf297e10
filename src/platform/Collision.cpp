#include "platform/Collision.h"

#include <algorithm>
#include <cmath>

namespace plat {

void CollisionLayers::clear(uint32_t layerMask) {
  for (auto& e : entries_) e.layers &= ~layerMask;
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.layers == 0; }),
                 entries_.end());
}

void CollisionLayers::write(const ImagePtr& img, float x, float y, int frame, uint32_t layerMask, int id) {
  if (!img || layerMask == 0) return;
  entries_.push_back(Entry{img, frame, int(std::floor(x - img->handleX())), int(std::floor(y - img->handleY())),
                           layerMask, id});
}

std::vector<int> CollisionLayers::collide(const ImagePtr& img, float x, float y, int frame,
                                          uint32_t layerMask) const {
  std::vector<int> ids;
  if (!img) return ids;
  int ax = int(std::floor(x - img->handleX())), ay = int(std::floor(y - img->handleY()));
  int asx, asy;
  img->frameOrigin(frame, asx, asy);
  const Pixmap& apm = img->pixmap();
  for (const Entry& e : entries_) {
    if (!(e.layers & layerMask)) continue;
    int x0 = std::max(ax, e.x), y0 = std::max(ay, e.y);
    int x1 = std::min(ax + img->width(), e.x + e.img->width());
    int y1 = std::min(ay + img->height(), e.y + e.img->height());
    if (x0 >= x1 || y0 >= y1) continue;
    int bsx, bsy;
    e.img->frameOrigin(e.frame, bsx, bsy);
    const Pixmap& bpm = e.img->pixmap();
    bool hit = false;
    for (int yy = y0; yy < y1 && !hit; ++yy) {
      for (int xx = x0; xx < x1; ++xx) {
        if (apm.at(asx + xx - ax, asy + yy - ay)[3] >= 128 && bpm.at(bsx + xx - e.x, bsy + yy - e.y)[3] >= 128) {
          hit = true;
          break;
        }
      }
    }
    if (hit) ids.push_back(e.id);
  }
  return ids;
}

}  // namespace plat
