#include "screens/TutorialTips.h"

#include <algorithm>
#include <cctype>

#include "data/RCMFile.h"

namespace {
std::string upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

TTutorialTipPtr findIn(const std::vector<TTutorialTipPtr>& list, const std::string& id) {
  const std::string u = upper(id);
  for (const auto& t : list)
    if (t->id == u) return t;
  return nullptr;
}
}  // namespace

void TTipCatalog::setup(const std::string& path) {
  allTips.clear();
  loaded = true;
  auto f = loadRCMFile(path);
  const double n = f->getFloat("tutorial::i");
  const int count = n > 0 && n < 10000 ? int(n) : 0;
  for (int k = 1; k <= count; ++k) {
    auto tip = std::make_shared<TTutorialTip>();
    tip->id = upper(f->getString("tutorial::tut" + std::to_string(k) + "::id"));
    allTips.push_back(tip);
  }
  pendingTips = allTips;
}

TTutorialTipPtr TTipCatalog::findTip(const std::string& id) const { return findIn(allTips, id); }
TTutorialTipPtr TTipCatalog::getTipById(const std::string& id) const { return findIn(pendingTips, id); }

void TTipCatalog::rebuildPending(const std::vector<TTutorialTipPtr>& seen) {
  pendingTips.clear();
  for (const auto& t : allTips) {
    const bool wasSeen = std::any_of(seen.begin(), seen.end(), [&t](const TTutorialTipPtr& s) { return s->id == t->id; });
    if (!wasSeen) pendingTips.push_back(t);
  }
}

TTipCatalog& tipCatalog() {
  static TTipCatalog c;
  return c;
}
