// The lists that hold short-lived effects (particles, emitters and the flying
// objects built on them). An effect knows the list that holds it and takes
// itself out when it is done, usually from inside its own update() while the
// owning screen is walking that very list. So the walk never touches the
// vector's shape: removal during a walk only unlinks the member, and the
// vector is compacted once the outermost walk is over. Members added during a
// walk are kept but first visited on the next walk.
//
// T needs a public member `TFxList<T>* list` (nullptr when in no list).
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <unordered_set>
#include <vector>

template <class T>
class TFxList {
 public:
  using Ptr = std::shared_ptr<T>;

  TFxList() = default;
  TFxList(const TFxList&) = delete;
  TFxList& operator=(const TFxList&) = delete;
  ~TFxList() { clear(); }

  // Appends p; a member of another list moves here.
  void add(const Ptr& p) {
    if (!p) return;
    if (p->list == this) return;
    if (p->list) p->list->remove(p.get());
    p->list = this;
    items_.push_back(p);
    ++live_;
    if (walking_ > 0) addedInWalk_ = true;
  }

  // Takes p out of the list; nothing when p is not a member.
  void remove(T* p) {
    if (!p || p->list != this) return;
    p->list = nullptr;
    --live_;
    if (walking_ > 0) {
      pending_ = true;
      return;
    }
    auto it = std::find_if(items_.begin(), items_.end(), [p](const Ptr& q) { return q.get() == p; });
    if (it != items_.end()) items_.erase(it);
  }

  // Drops every member at once, without running any of their own endings.
  void clear() {
    for (auto& p : items_)
      if (p && p->list == this) p->list = nullptr;
    live_ = 0;
    if (walking_ > 0)
      pending_ = true;
    else
      items_.clear();
  }

  size_t size() const { return live_; }
  bool empty() const { return live_ == 0; }
  bool contains(const T* p) const { return p && p->list == this; }

  // Calls f(T&) on every member in insertion order. f may remove members
  // (itself or others), clear the list or add new members.
  template <class F>
  void forEach(F&& f) {
    ++walking_;
    const size_t end = items_.size();
    for (size_t i = 0; i < end; ++i) {
      // Hold a reference: f may drop the list's own one.
      Ptr p = items_[i];
      if (p && p->list == this) f(*p);
    }
    if (--walking_ == 0) {
      if (pending_) compact();
      addedInWalk_ = false;
    }
  }

  // The members in order, as a copy that stays valid while the list changes.
  std::vector<Ptr> members() const {
    std::vector<Ptr> out;
    out.reserve(live_);
    for (const auto& p : items_)
      if (p && p->list == this) out.push_back(p);
    return out;
  }

  // The first member matching pred, or nullptr.
  template <class Pred>
  Ptr find(Pred&& pred) const {
    for (const auto& p : items_)
      if (p && p->list == this && pred(*p)) return p;
    return nullptr;
  }

 private:
  void compact() {
    pending_ = false;
    // A member taken out and added again during the walk sits in the vector
    // twice; it keeps its last place.
    std::vector<Ptr> kept;
    kept.reserve(live_);
    if (addedInWalk_) {
      std::unordered_set<const T*> seen;
      for (size_t i = items_.size(); i-- > 0;) {
        const Ptr& p = items_[i];
        if (p && p->list == this && seen.insert(p.get()).second) kept.push_back(p);
      }
      std::reverse(kept.begin(), kept.end());
    } else {
      for (const Ptr& p : items_)
        if (p && p->list == this) kept.push_back(p);
    }
    addedInWalk_ = false;
    items_.swap(kept);
  }

  std::vector<Ptr> items_;
  size_t live_ = 0;
  int walking_ = 0;
  bool pending_ = false;
  bool addedInWalk_ = false;
};
