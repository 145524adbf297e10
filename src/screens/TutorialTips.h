// The tutorial's tips as the profile knows them: ids in data/tutorial.dat
// order, and the tips still pending for the current profile. Each profile
// keeps the tips it has seen; the pending list is rebuilt from the current
// profile whenever it changes, so one player's tips never hide another's.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TTutorialTip {
 public:
  std::string id;  // upper-cased
};
using TTutorialTipPtr = std::shared_ptr<TTutorialTip>;

class TTipCatalog {
 public:
  std::vector<TTutorialTipPtr> allTips;      // file order
  std::vector<TTutorialTipPtr> pendingTips;  // not yet seen by the current profile
  bool loaded = false;

  // Reads the tip ids of the tutorial file; pending = every tip.
  void setup(const std::string& path = "data/tutorial.dat");
  void setupOnce() {
    if (!loaded) setup();
  }
  // The first tip of the catalogue whose id is id (ignoring case), or nullptr.
  TTutorialTipPtr findTip(const std::string& id) const;
  // TTutorial.getTipById: the same among the pending tips.
  TTutorialTipPtr getTipById(const std::string& id) const;
  // pending = every tip not in seen, in file order.
  void rebuildPending(const std::vector<TTutorialTipPtr>& seen);
};
TTipCatalog& tipCatalog();
