#include "screens/Dogs.h"

#include "data/RCMFile.h"

void TDogCatalog::setup(const std::string& path) {
  dogsList.clear();
  loaded = true;
  auto f = loadRCMFile(path);
  const double n = f->getFloat("dogs::i");
  // A damaged count must not make millions of empty dogs.
  const int count = n > 0 && n < 10000 ? int(n) : 0;
  for (int i = 1; i <= count; ++i) {
    const std::string g = "dogs::dog" + std::to_string(i) + "::";
    auto dog = std::make_shared<TPies>();
    dog->id = int(rcmToInt(f->getString(g + "id")));
    dog->startLevel = int(rcmToInt(f->getString(g + "startowyLevel")));
    dog->puzzleLevel = f->getString(g + "puzzleLevel");
    dogsList.push_back(dog);
  }
}

TPiesPtr TDogCatalog::getDog(int n) const {
  for (const auto& d : dogsList)
    if (d->id == n) return d;
  return nullptr;
}

TDogCatalog& dogCatalog() {
  static TDogCatalog c;
  return c;
}
