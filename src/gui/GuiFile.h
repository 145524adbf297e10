// Reading .gui layout files: the word scanner, the grouping into
// declarations, the key = value rhythm, the value forms the keys use, and
// where relative paths inside a file are looked for.
#pragma once

#include <memory>
#include <string>
#include <vector>

// One line " >> BLAD! << : " + text on standard output; loading goes on.
void reportError(const std::string& text);

// One KEY = VALUE triple: the key as written, the value without its quotes.
struct TSimpleEntry {
  std::string _typ;
  std::string _value;
  void wyprintuj(const std::string& indent) const;
};

class TSmallObject;

// An entry or a nested declaration, in file order.
struct TGuiToken {
  TSimpleEntry entry;
  std::shared_ptr<TSmallObject> object;  // set for a nested declaration
};

// A nested declaration (menus inside a BAR).
class TSmallObject {
 public:
  std::vector<TGuiToken> _tokeny;
  std::string _typ;
  std::string _name;
  std::string _tytul;
  void wyprintuj(const std::string& indent) const;
};

// One top-level declaration after interpretation.
struct TGuiDeclaration {
  std::string kind;  // upper-cased
  std::string name;  // as written
  std::vector<TSimpleEntry> entries;
  std::vector<std::shared_ptr<TSmallObject>> nested;  // BAR only
};

// Stage 1: the words of the text (quotes toggle, blanks/tabs/newlines cut).
std::vector<std::string> splitGuiWords(const std::string& text);
// Stage 2: the word lists of the declarations (braces counted).
std::vector<std::vector<std::string>> groupGuiDeclarations(const std::vector<std::string>& words);
// Kind, name and the key = value triples of one word list. False (with a
// message) for a list too short to name a kind and an object.
bool interpretGuiDeclaration(const std::vector<std::string>& words, TGuiDeclaration& out);
// The whole reader: text to declarations.
std::vector<TGuiDeclaration> parseGuiText(const std::string& text);

// Value forms.
std::vector<int> guiNumbers(const std::string& value);
int guiNumber(const std::vector<int>& numbers, size_t i);  // 0 when missing
int guiInt(const std::string& text);                       // decimal prefix, 0 when none
int guiFlag(const std::string& value);                     // 1 for "TRUE" in any case
std::string guiText(const std::string& value);              // quotes removed
std::string upperCase(std::string s);
bool equalsNoCase(const std::string& a, const std::string& b);

// Relative paths inside a layout or theme file are looked for in that file's
// folder first and then in the working directory, so both files that name
// "../../fonts/x.ttf" and files that name "gfx/fonts/x.ttf" work. The
// process's working directory is never changed.
class GuiFolderScope {
 public:
  explicit GuiFolderScope(const std::string& folder);
  ~GuiFolderScope();
  GuiFolderScope(const GuiFolderScope&) = delete;
  GuiFolderScope& operator=(const GuiFolderScope&) = delete;
};
std::string guiResolvePath(const std::string& path);
std::string guiCurrentFolder();  // "" outside any file
std::string folderOfPath(const std::string& path);
