#include "data/RCMFile.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <limits>

#include "data/StringSplit.h"
#include "platform/Files.h"

namespace {

bool sameKey(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// A string value is written ` "text"`; reading takes off the blank and the
// opening quote in front and the closing quote behind. Counted in characters,
// not bytes, so a malformed value never cuts a character in half; a value too
// short to hold its quotes reads as "".
std::string unquoteValue(const std::string& piece) {
  size_t begin = 0;
  for (int k = 0; k < 2; ++k) {
    if (begin >= piece.size()) return "";
    ++begin;
    while (begin < piece.size() && isContinuation(piece[begin])) ++begin;
  }
  if (begin >= piece.size()) return "";
  size_t end = piece.size() - 1;
  while (end > begin && isContinuation(piece[end])) --end;
  return piece.substr(begin, end - begin);
}

// A newline inside a value would end the line early and shift everything
// after it into the wrong entry or group, so it is stored as a blank.
std::string oneLine(std::string value) {
  for (char& c : value) {
    if (c == '\n') c = ' ';
  }
  return value;
}

// The format has no escapes: a double quote inside a quoted value would end
// the quoting early, expose any brace after it and lose the rest of the file.
// An apostrophe keeps the text readable and the file whole.
std::string quotedValue(const std::string& value) {
  std::string s = oneLine(value);
  for (char& c : s) {
    if (c == '"') c = '\'';
  }
  return '"' + s + '"';
}

// Group names and keys come from code, but a name read from a damaged file
// may hold quotes or braces that would change the structure when written.
std::string safeName(std::string name) {
  for (char& c : name) {
    if (c == '"') c = '\'';
    else if (c == '{') c = '(';
    else if (c == '}') c = ')';
    else if (c == '\n') c = ' ';
  }
  return name;
}

std::string formatNumber(double number) {
  // A NaN or infinity would be written as letters and read back as a broken
  // string entry; zero keeps the file sound.
  if (!std::isfinite(number)) number = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%#.9g", number);
  std::string s = buf;
  // Files must not depend on the C locale's decimal separator.
  for (char& c : s) {
    if (c == ',') c = '.';
  }
  return s;
}

size_t skipBlanks(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) ++i;
  return i;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

namespace {

// Finds the longest decimal number at the start of text (after blanks).
// Only decimal notation counts: words such as "inf" or "nan" are no number.
bool scanNumber(const std::string& text, double& value, size_t& begin, size_t& end) {
  size_t i = skipBlanks(text);
  begin = i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  bool digitFirst = i < text.size() && isDigit(text[i]);
  bool pointFirst = i + 1 < text.size() && text[i] == '.' && isDigit(text[i + 1]);
  if (!digitFirst && !pointFirst) return false;
  double v = 0;
  auto res = std::from_chars(text.data() + i, text.data() + text.size(), v, std::chars_format::general);
  if (res.ec != std::errc()) return false;
  value = negative ? -v : v;
  end = static_cast<size_t>(res.ptr - text.data());
  return true;
}

// The text a non-whole number is written as: its numeric part only, starting
// with a digit or "-" so that the entry still reads as a number entry.
std::string numberText(const std::string& text) {
  double value;
  size_t begin, end;
  if (!scanNumber(text, value, begin, end)) return "0";
  std::string s = text.substr(begin, end - begin);
  if (s[0] == '+') s.erase(0, 1);
  if (s[0] == '.') s.insert(0, "0");
  if (s.compare(0, 2, "-.") == 0) s.insert(1, "0");
  return s;
}

}  // namespace

double rcmToNumber(const std::string& text) {
  double value;
  size_t begin, end;
  return scanNumber(text, value, begin, end) ? value : 0;
}

long long rcmToInt(const std::string& text) {
  size_t i = skipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  constexpr long long kMax = std::numeric_limits<long long>::max();
  long long value = 0;
  while (i < text.size() && isDigit(text[i])) {
    int digit = text[i] - '0';
    value = value <= (kMax - digit) / 10 ? value * 10 + digit : kMax;  // saturates
    ++i;
  }
  return negative ? -value : value;
}

// ---------------------------------------------------------------- TRCMEntry

void TRCMEntry::setValue(const std::string& value, int index) {
  if (index < 0) return;
  size_t at = static_cast<size_t>(index);
  if (at >= _value.size()) _value.resize(at + 1);
  _value[at] = value;
}

std::vector<std::string> TRCMEntry::createArray(int n) {
  return std::vector<std::string>(n > 0 ? static_cast<size_t>(n) : 0);
}

std::string TRCMEntry::toTxt() const {
  std::string s = safeName(_id) + " = ";
  for (size_t i = 0; i < _value.size(); ++i) {
    if (i) s += ", ";
    const std::string& v = _value[i];
    if (_type == STRING_ENTRY) {
      s += quotedValue(v);
      continue;
    }
    if (v.empty()) {
      s += "0";
      continue;
    }
    long long whole = rcmToInt(v);
    if (static_cast<double>(whole) == rcmToNumber(v)) {
      s += std::to_string(whole);
    } else {
      // Written without the blank it was read with, otherwise every load and
      // save would add one more blank in front of the number; and without any
      // text after the number, which no reader of a number uses and which
      // could hold a quote or a brace that would break the line.
      s += numberText(v);
    }
  }
  return s;
}

// ---------------------------------------------------------------- TRCMGroup

std::shared_ptr<TRCMGroup> TRCMGroup::getGroup(const std::string& name) const {
  for (const auto& g : _listaGrup) {
    if (sameKey(g->_id, name)) return g;
  }
  return nullptr;
}

std::shared_ptr<TRCMEntry> TRCMGroup::getEntry(const std::string& name) const {
  for (const auto& e : _listaWpisow) {
    if (sameKey(e->_id, name)) return e;
  }
  return nullptr;
}

void TRCMGroup::setStringEntry(const std::string& name, const std::string& value, int index) {
  if (auto e = getEntry(name)) {
    e->setValue(value, index);
    return;
  }
  auto e = std::make_shared<TRCMEntry>();
  e->_id = name;
  e->_type = TRCMEntry::STRING_ENTRY;
  e->setValue(value, index);
  _listaWpisow.push_back(e);
}

void TRCMGroup::setFloatEntry(const std::string& name, double number, int index) {
  std::string text = formatNumber(number);
  if (auto e = getEntry(name)) {
    e->setValue(text, index);
    return;
  }
  auto e = std::make_shared<TRCMEntry>();
  e->_id = name;
  e->_type = TRCMEntry::NUMBER_ENTRY;
  e->setValue(text, index);
  _listaWpisow.push_back(e);
}

void TRCMGroup::deleteString(const std::string& name) {
  for (auto it = _listaWpisow.begin(); it != _listaWpisow.end(); ++it) {
    if (sameKey((*it)->_id, name)) {
      _listaWpisow.erase(it);
      return;
    }
  }
}

std::string TRCMGroup::save(const std::string& indent) const {
  // Every group is written with its braces, a nameless one too: without them
  // its entries would be read back as its parent's.
  std::string s = indent + safeName(_id) + " {\n";
  if (_listaWpisow.empty()) s += "\n";
  for (const auto& e : _listaWpisow) s += indent + "\t" + e->toTxt() + "\n";
  for (const auto& g : _listaGrup) s += g->save(indent + "\t");
  s += indent + "}\n\n";
  return s;
}

void TRCMGroup::showGroup(const std::string& indent) const {
  std::cout << indent << "[" << _id << "]\n";
  for (const auto& e : _listaWpisow) {
    std::cout << indent << "\t" << e->toTxt() << (e->_type == TRCMEntry::NUMBER_ENTRY ? "  (number)" : "")
              << "\n";
  }
  for (const auto& g : _listaGrup) g->showGroup(indent + "\t");
  std::cout.flush();
}

// ---------------------------------------------------------------- TRCMFile

void TRCMFile::errorMsg(const std::string& text) {
  std::cout << "Napotkano problem : " << text << std::endl;
}

void TRCMFile::Load(const std::string& path) {
  _path = path;
  _realPath = plat::normalizePath(path);
  _grupa = std::make_shared<TRCMGroup>();
  _txt.clear();
  if (!plat::fileExists(path)) {
    errorMsg("Nie znaleziono pliku : " + path);
    return;
  }
  auto text = plat::readTextFile(path);
  if (!text) {
    // Present but unreadable (permissions, I/O error): content failures
    // never stop the game, so it reads as empty like a missing file.
    errorMsg("Nie mozna odczytac pliku : " + path);
    return;
  }
  _txt = std::move(*text);
  readTxt();
}

void TRCMFile::readTxt() {
  _grupa = std::make_shared<TRCMGroup>();
  checkTxt();
  if (!checkGroups()) return;
  if (auto root = readAll(_txt, "MAINGROUP")) _grupa = root;
}

void TRCMFile::checkTxt() {
  if (!_txt.empty() && _txt.back() == '}') _txt += '\n';
}

bool TRCMFile::checkGroups() const {
  // Quotes are tracked per line: a value never spans lines, so one stray
  // quote must not hide the braces of the rest of the file.
  bool quoted = false;
  long opening = 0, closing = 0;
  for (char c : _txt) {
    if (c == '\n') {
      quoted = false;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == '{') {
      ++opening;
    } else if (!quoted && c == '}') {
      ++closing;
    }
  }
  if (opening == closing) return true;
  errorMsg("Blad nawiasow klamrowych! \"{\" - " + std::to_string(opening) + " \"}\" - " +
           std::to_string(closing));
  return false;
}

std::shared_ptr<TRCMGroup> TRCMFile::readAll(const std::string& text, const std::string& name) const {
  // One frame per open group; an explicit stack instead of recursion so that
  // a hostile file cannot exhaust the call stack.
  struct Frame {
    std::shared_ptr<TRCMGroup> group;
    size_t start;       // index of the first character after the opening brace
    std::string names;  // text that may become a sub-group's name
    std::string line;   // text that may become an entry
    bool entryLine = false;
    bool quoted = false;  // inside double quotes on the current line
  };

  auto root = std::make_shared<TRCMGroup>();
  root->_id = name;
  std::vector<Frame> stack;
  stack.push_back(Frame{root, 0, {}, {}});

  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    Frame& f = stack.back();
    if (c == '"') {
      // Braces inside a quoted value are text, so a name typed by the player
      // may hold "{" or "}" and still read back.
      f.quoted = !f.quoted;
    } else if (c == '{' && !f.quoted) {
      if (stack.size() > static_cast<size_t>(MAX_DEPTH)) {
        errorMsg("Zbyt gleboko zagniezdzone grupy : " + _path);
        return nullptr;
      }
      auto sub = std::make_shared<TRCMGroup>();
      sub->_id = trimBlanks(f.names);
      f.group->_listaGrup.push_back(sub);
      f.names.clear();
      f.line.clear();
      // The "=" of a consumed line belongs to the group name, not to an entry.
      f.entryLine = false;
      stack.push_back(Frame{sub, i + 1, {}, {}});
      continue;
    } else if (c == '}' && !f.quoted) {
      f.group->_pos = static_cast<int>(i + 1 - f.start);
      stack.pop_back();
      if (stack.empty()) break;  // the root ended: the rest is ignored
      continue;
    } else if (c == '\n') {
      f.quoted = false;
      if (f.entryLine) {
        f.group->_listaWpisow.push_back(readEntry(trimBlanks(f.line)));
        f.line.clear();
        f.names.clear();
        f.entryLine = false;
      }
      continue;
    } else if (c == '=') {
      f.entryLine = true;
    }
    f.names += c;
    f.line += c;
  }
  return root;
}

std::shared_ptr<TRCMEntry> TRCMFile::readEntry(const std::string& line) {
  auto e = std::make_shared<TRCMEntry>();
  size_t eq = line.find('=');
  e->_id = trimBlanks(line.substr(0, eq));
  std::string valueText;
  if (eq != std::string::npos) {
    // A second "=" ends the value text, but not one inside a quoted value.
    auto pieces = splitValueList(line.substr(eq + 1), "=", "", "");
    if (!pieces.empty()) valueText = pieces[0];
  }
  std::string trimmed = trimBlanks(valueText);
  bool number = !trimmed.empty() && (isDigit(trimmed[0]) || trimmed[0] == '-');
  e->_type = number ? TRCMEntry::NUMBER_ENTRY : TRCMEntry::STRING_ENTRY;
  for (auto& piece : splitValueList(valueText, ",", "", "")) {
    e->_value.push_back(number ? piece : unquoteValue(piece));
  }
  return e;
}

std::shared_ptr<TRCMGroup> TRCMFile::getGroup(const std::vector<std::string>& parts) const {
  if (parts.empty()) return nullptr;
  std::shared_ptr<TRCMGroup> g = _grupa;
  for (size_t i = 0; i + 1 < parts.size() && g; ++i) g = g->getGroup(parts[i]);
  return g;
}

std::shared_ptr<TRCMGroup> TRCMFile::getGroupSet(const std::vector<std::string>& parts) {
  std::shared_ptr<TRCMGroup> g = _grupa;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    auto next = g->getGroup(parts[i]);
    if (!next) {
      next = std::make_shared<TRCMGroup>();
      next->_id = parts[i];
      g->_listaGrup.push_back(next);
    }
    g = next;
  }
  return g;
}

std::string TRCMFile::getString(const std::string& path, int index) const {
  auto parts = splitString(path, "::", "", "");
  auto g = getGroup(parts);
  if (!g) return "";
  auto e = g->getEntry(parts.back());
  if (!e || index < 0 || static_cast<size_t>(index) >= e->_value.size()) return "";
  return e->_value[static_cast<size_t>(index)];
}

double TRCMFile::getFloat(const std::string& path, int index, int show) const {
  auto parts = splitString(path, "::", "", "");
  auto g = getGroup(parts);
  if (!g) return 0;
  auto e = g->getEntry(parts.back());
  if (!e) return 0;
  if (show) g->showGroup("");
  if (index < 0 || static_cast<size_t>(index) >= e->_value.size()) return 0;
  return rcmToNumber(e->_value[static_cast<size_t>(index)]);
}

void TRCMFile::setString(const std::string& path, const std::string& value, int index) {
  auto parts = splitString(path, "::", "", "");
  if (parts.empty()) return;
  getGroupSet(parts)->setStringEntry(parts.back(), value, index);
}

void TRCMFile::setFloat(const std::string& path, double number, int index) {
  auto parts = splitString(path, "::", "", "");
  if (parts.empty()) return;
  getGroupSet(parts)->setFloatEntry(parts.back(), number, index);
}

void TRCMFile::removeString(const std::string& path) {
  auto parts = splitString(path, "::", "", "");
  if (parts.empty()) return;
  getGroupSet(parts)->deleteString(parts.back());
}

std::string TRCMFile::saveText() const {
  std::string text;
  for (const auto& g : _grupa->_listaGrup) text += g->save("");
  return text;
}

bool TRCMFile::save(const std::string& path) const {
  if (!plat::writeTextFile(path, saveText())) {
    errorMsg("Nie mozna zapisac pliku : " + path);
    return false;
  }
  return true;
}

void TRCMFile::printAll() const { _grupa->showGroup(""); }

std::shared_ptr<TRCMFile> createRCMFile() { return std::make_shared<TRCMFile>(); }

std::shared_ptr<TRCMFile> loadRCMFile(const std::string& path) {
  auto f = std::make_shared<TRCMFile>();
  f->Load(path);
  return f;
}

std::shared_ptr<TRCMFile> parseRCMText(const std::string& text, const std::string& name) {
  auto f = std::make_shared<TRCMFile>();
  f->_path = name;
  f->_realPath = name;
  f->_txt = text;
  f->readTxt();
  return f;
}
