// The effect lists: members leave them from inside the walk over them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fx/FxList.h"

namespace {

struct Item {
  explicit Item(int id) : id(id) {}
  int id;
  TFxList<Item>* list = nullptr;
  std::function<void(Item&)> onVisit;
};

using List = TFxList<Item>;

std::vector<int> ids(const List& l) {
  std::vector<int> out;
  for (auto& p : l.members()) out.push_back(p->id);
  return out;
}

std::vector<int> walk(List& l) {
  std::vector<int> seen;
  l.forEach([&](Item& it) {
    seen.push_back(it.id);
    if (it.onVisit) it.onVisit(it);
  });
  return seen;
}

struct Filled {
  List list;
  std::vector<std::shared_ptr<Item>> items;
  explicit Filled(int n) {
    for (int i = 0; i < n; ++i) {
      items.push_back(std::make_shared<Item>(i));
      list.add(items.back());
    }
  }
};

TEST(FxList, MembersChangingTheListDuringAWalk) {
  struct Case {
    const char* name;
    std::function<void(Filled&)> arrange;
    std::vector<int> visited;
    std::vector<int> after;
  };
  const std::vector<Case> cases = {
      {"each member leaves by itself",
       [](Filled& f) {
         for (auto& it : f.items) it->onVisit = [&f](Item& me) { f.list.remove(&me); };
       },
       {0, 1, 2, 3},
       {}},
      {"a member takes a later one out before its turn",
       [](Filled& f) { f.items[1]->onVisit = [&f](Item&) { f.list.remove(f.items[2].get()); }; },
       {0, 1, 3},
       {0, 1, 3}},
      {"a member takes an earlier one out",
       [](Filled& f) { f.items[2]->onVisit = [&f](Item&) { f.list.remove(f.items[0].get()); }; },
       {0, 1, 2, 3},
       {1, 2, 3}},
      {"the list is emptied mid-walk",
       [](Filled& f) { f.items[1]->onVisit = [&f](Item&) { f.list.clear(); }; },
       {0, 1},
       {}},
      {"a member added mid-walk waits for the next walk",
       [](Filled& f) {
         f.items[0]->onVisit = [&f](Item&) { f.list.add(std::make_shared<Item>(9)); };
       },
       {0, 1, 2, 3},
       {0, 1, 2, 3, 9}},
      {"emptied then refilled mid-walk keeps only the new member",
       [](Filled& f) {
         f.items[1]->onVisit = [&f](Item&) {
           f.list.clear();
           f.list.add(std::make_shared<Item>(7));
         };
       },
       {0, 1},
       {7}},
      {"taken out and put back mid-walk appears once, at the end",
       [](Filled& f) {
         f.items[1]->onVisit = [&f](Item& me) {
           f.list.remove(&me);
           f.list.add(f.items[1]);
         };
       },
       {0, 1, 2, 3},
       {0, 2, 3, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Filled f(4);
    c.arrange(f);
    EXPECT_EQ(walk(f.list), c.visited);
    EXPECT_EQ(ids(f.list), c.after);
    EXPECT_EQ(f.list.size(), c.after.size());
    // A second walk sees exactly the members, once each.
    for (auto& it : f.items) it->onVisit = nullptr;
    EXPECT_EQ(walk(f.list), c.after);
  }
}

TEST(FxList, MembershipFollowsTheMember) {
  List a, b;
  auto it = std::make_shared<Item>(1);
  a.add(it);
  a.add(it);
  EXPECT_EQ(a.size(), 1u) << "adding twice keeps one entry";
  b.add(it);
  EXPECT_TRUE(a.empty()) << "a member belongs to one list";
  EXPECT_EQ(it->list, &b);
  a.remove(it.get());
  EXPECT_EQ(b.size(), 1u) << "removing from a list it is not in changes nothing";
  b.remove(it.get());
  EXPECT_EQ(it->list, nullptr);
  a.add(nullptr);
  EXPECT_TRUE(a.empty());
}

TEST(FxList, AListThatGoesAwayLetsGoOfItsMembers) {
  auto it = std::make_shared<Item>(1);
  {
    List l;
    l.add(it);
  }
  EXPECT_EQ(it->list, nullptr) << "no dangling link to a dead list";
}

}  // namespace
