#include "app/Txt.h"

#include <iostream>
#include <set>

#include "data/RCMFile.h"
#include "data/StringSplit.h"
#include "platform/Files.h"

std::string lang = "eng";
std::string Teksty::prompt1;
std::string Teksty::prompt2;
std::string Teksty::prompt3;

namespace {

bool g_startupPhase = true;

// Missing files already reported after start-up; a text widget may resolve
// the same reference every time it is shown.
std::set<std::string>& reportedMissing() {
  static std::set<std::string> paths;
  return paths;
}

TTxtFile readTxtFile(const std::string& path) {
  auto text = plat::readTextFile(path);
  if (!text) {
    if (g_startupPhase) throw FatalContentError(path);
    if (reportedMissing().insert(path).second) TRCMFile::errorMsg("Nie znaleziono pliku : " + path);
    return TTxtFile{};
  }
  return splitTxtLines(*text);
}

}  // namespace

FatalContentError::FatalContentError(const std::string& path)
    : std::runtime_error("Cannot start: the game file \"" + path + "\" is missing or unreadable."),
      _path(path) {}

void loadLang(const std::string& path) {
  auto text = plat::readTextFile(path);
  if (!text) throw FatalContentError(path);
  lang = trimBlanks(*text);
}

void setTxtStartupPhase(bool startup) { g_startupPhase = startup; }
bool txtStartupPhase() { return g_startupPhase; }

std::string localizedTxtPath(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  // A bare file name has no directory; prefixing "/" would make it absolute.
  if (slash == std::string::npos) return lang + "/" + path;
  return path.substr(0, slash) + "/" + lang + "/" + path.substr(slash + 1);
}

TTxtFile loadTxt(const std::string& path) { return readTxtFile(localizedTxtPath(path)); }

TTxtFile loadTxtPlain(const std::string& path) { return readTxtFile(path); }

TTxtFile splitTxtLines(const std::string& text) {
  TTxtFile file;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      file.txt.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) file.txt.push_back(line);
  return file;
}

std::string txtLine(const TTxtFile& file, int n) {
  if (n < 1 || n > file.lines()) return TXT_BEYOND;
  return file.txt[static_cast<size_t>(n - 1)];
}

std::string resolveTxtReference(const std::string& reference) {
  // Drop the brackets: the first and the last character (whole UTF-8
  // characters, though brackets are one byte).
  auto chars = plat::utf8ToUtf32(reference);
  if (chars.size() < 2) return TXT_BEYOND;
  std::string inner = plat::utf32ToUtf8(chars.substr(1, chars.size() - 2));
  auto parts = splitString(inner, "|", "", "");
  if (parts.size() < 2) return TXT_BEYOND;
  long long n = rcmToInt(parts[1]);
  if (n < 1 || n > 1000000000LL) return TXT_BEYOND;
  return txtLine(loadTxt(parts[0]), static_cast<int>(n));
}

void Teksty::setup() {
  TTxtFile popup = loadTxt("txt/popup.txt");
  prompt1 = txtLine(popup, 1);
  prompt2 = txtLine(popup, 2);
  prompt3 = txtLine(popup, 3);
}
