#include "gui/GuiFile.h"

#include <strings.h>

#include <climits>
#include <cstdio>
#include <iostream>

#include "data/StringSplit.h"
#include "platform/Files.h"

void reportError(const std::string& text) { std::cout << " >> BLAD! << : " << text << std::endl; }

void TSimpleEntry::wyprintuj(const std::string& indent) const {
  std::cout << indent << _typ << " = " << _value << "\n";
}

void TSmallObject::wyprintuj(const std::string& indent) const {
  std::cout << indent << _typ << " " << _name << " {\n";
  for (const auto& t : _tokeny) {
    if (t.object)
      t.object->wyprintuj(indent + "\t");
    else
      t.entry.wyprintuj(indent + "\t");
  }
  std::cout << indent << "}\n";
}

std::vector<std::string> splitGuiWords(const std::string& text) {
  std::vector<std::string> words;
  std::string cur;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && (c == '\n' || c == ' ' || c == '\t')) {
      words.push_back(trimBlanks(cur));
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!trimBlanks(cur).empty()) words.push_back(cur);
  return words;
}

std::vector<std::vector<std::string>> groupGuiDeclarations(const std::vector<std::string>& words) {
  std::vector<std::vector<std::string>> out;
  std::vector<std::string> cur;
  int depth = 0;
  for (const auto& w : words) {
    if (trimBlanks(w).empty()) continue;
    if (w == "}" && depth == 1) {
      out.push_back(std::move(cur));
      cur.clear();
      depth = 0;
    } else if (w == "}" && depth > 1) {
      cur.push_back(w);
      --depth;
    } else {
      // A stray "}" outside any braces is kept as a word; it cannot make the
      // depth negative, which would swallow the rest of the file.
      cur.push_back(w);
      if (w == "{") ++depth;
    }
  }
  if (!cur.empty()) out.push_back(std::move(cur));
  return out;
}

namespace {

// Reads a nested declaration whose keyword and name are known; `i` points
// just past the name. Returns with `i` past its closing brace.
std::shared_ptr<TSmallObject> readNested(const std::vector<std::string>& w, size_t& i, const std::string& keyword,
                                         const std::string& name, int level) {
  auto obj = std::make_shared<TSmallObject>();
  obj->_typ = keyword;
  obj->_name = name;
  if (i < w.size() && w[i] == "{") ++i;  // the opening brace
  while (i < w.size()) {
    if (w[i] == "}") {
      ++i;
      return obj;
    }
    const std::string& key = w[i];
    if (i + 1 >= w.size()) {
      ++i;
      break;
    }
    if (w[i + 1] == "=") {
      if (i + 2 >= w.size()) {
        i = w.size();
        break;
      }
      TGuiToken t;
      t.entry = TSimpleEntry{key, w[i + 2]};
      obj->_tokeny.push_back(std::move(t));
      i += 3;
    } else {
      std::string nestedName = w[i + 1];
      i += 2;
      TGuiToken t;
      // Menus nest only as deep as a person can click; far deeper text is
      // hostile and would only exhaust the stack.
      if (level < 64) t.object = readNested(w, i, key, nestedName, level + 1);
      else {
        reportError("Nieprawidlowy wpis :" + nestedName);
        i = w.size();
        break;
      }
      obj->_tokeny.push_back(std::move(t));
    }
  }
  return obj;
}

}  // namespace

bool interpretGuiDeclaration(const std::vector<std::string>& w, TGuiDeclaration& out) {
  out = TGuiDeclaration{};
  if (w.size() < 2) {
    reportError("Nieprawidlowy wpis :" + (w.empty() ? std::string() : w[0]));
    return false;
  }
  out.kind = upperCase(w[0]);
  out.name = w[1];
  const bool bar = out.kind == "BAR";
  size_t i = 3;  // the third word, normally "{", is dropped
  while (i < w.size()) {
    const std::string& key = w[i];
    if (i + 1 >= w.size()) break;  // a key without "=" and value at the end
    const std::string& second = w[i + 1];
    if (second != "=" && bar) {
      i += 2;
      out.nested.push_back(readNested(w, i, key, second, 1));
      continue;
    }
    if (second != "=") reportError("Nieprawidlowy wpis :" + second);
    if (i + 2 >= w.size()) break;
    out.entries.push_back(TSimpleEntry{key, w[i + 2]});
    i += 3;
  }
  return true;
}

std::vector<TGuiDeclaration> parseGuiText(const std::string& text) {
  std::vector<TGuiDeclaration> out;
  for (const auto& words : groupGuiDeclarations(splitGuiWords(text))) {
    TGuiDeclaration d;
    if (interpretGuiDeclaration(words, d)) out.push_back(std::move(d));
  }
  return out;
}

int guiInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool neg = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) neg = text[i++] == '-';
  long long v = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    v = v * 10 + (text[i++] - '0');
    if (v > INT_MAX) v = INT_MAX;  // saturate: hostile digits never overflow
  }
  return int(neg ? -v : v);
}

std::vector<int> guiNumbers(const std::string& value) {
  std::vector<int> out;
  for (const auto& piece : splitString(guiText(value), " ")) out.push_back(guiInt(piece));
  return out;
}

int guiNumber(const std::vector<int>& numbers, size_t i) { return i < numbers.size() ? numbers[i] : 0; }

std::string upperCase(std::string s) {
  for (auto& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

bool equalsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

int guiFlag(const std::string& value) { return upperCase(value) == "TRUE" ? 1 : 0; }

std::string guiText(const std::string& value) {
  std::string out;
  for (char c : value)
    if (c != '"') out += c;
  return out;
}

namespace {
std::vector<std::string>& folderStack() {
  static std::vector<std::string> s;
  return s;
}
bool isAbsolute(const std::string& p) { return !p.empty() && (p[0] == '/' || p[0] == '\\'); }
}  // namespace

GuiFolderScope::GuiFolderScope(const std::string& folder) { folderStack().push_back(folder); }
GuiFolderScope::~GuiFolderScope() { folderStack().pop_back(); }

std::string guiCurrentFolder() { return folderStack().empty() ? std::string() : folderStack().back(); }

std::string folderOfPath(const std::string& path) {
  std::string p = plat::normalizePath(path);
  size_t slash = p.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return p.substr(0, slash);
}

std::string guiResolvePath(const std::string& path) {
  if (path.empty() || isAbsolute(path) || folderStack().empty()) return path;
  std::string inFolder = plat::normalizePath(folderStack().back() + "/" + path);
  if (plat::fileKind(inFolder) != plat::FileKind::None) return inFolder;
  if (plat::fileKind(path) != plat::FileKind::None) return path;
  return inFolder;  // missing both ways: the message names the file's folder
}
