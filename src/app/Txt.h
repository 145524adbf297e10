// Localized text files: every text the player reads lives in plain text
// files, one text per line, in one folder per language ("txt/eng/...").
// Code refers to a text by file and line number (counted from 1).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// Thrown when a file the game cannot start without is missing: data/lang.txt,
// or a text file read during start-up (see setTxtStartupPhase). The library
// never ends the program itself; main() catches this, shows what() (which
// names the missing file) and exits with a failure status.
class FatalContentError : public std::runtime_error {
 public:
  explicit FatalContentError(const std::string& path);
  const std::string& path() const { return _path; }

 private:
  std::string _path;
};

// The lines of one text file.
class TTxtFile {
 public:
  std::vector<std::string> txt;
  int lines() const { return static_cast<int>(txt.size()); }
};

// Shown where a text was meant to be when the line does not exist.
inline constexpr const char* TXT_BEYOND = "(BEYOND TEXT ARRAY LENGTH!)";

// Language folder of the localized files. "eng" until loadLang() runs.
extern std::string lang;

// Sets `lang` from the whole content of the file, trimmed of characters with
// codes of 32 or less. Throws FatalContentError when the file is missing.
void loadLang(const std::string& path = "data/lang.txt");

// While true (the default), a missing text file throws FatalContentError.
// Once start-up is over the game sets it to false: a missing file is then
// reported once on standard output and reads as an empty file, whose every
// line is TXT_BEYOND, so one lost file cannot end a level in progress.
void setTxtStartupPhase(bool startup);
bool txtStartupPhase();

// The path read by loadTxt: "txt/pause.txt" -> "txt/<lang>/pause.txt".
std::string localizedTxtPath(const std::string& path);

// Loads the localized file for a path written without the language folder.
TTxtFile loadTxt(const std::string& path);
// Loads the path itself (lists that are not localized).
TTxtFile loadTxtPlain(const std::string& path);
// Splits a whole text into lines: every "\n" ends a line (empty ones too), a
// carriage return stays in its line, and a final newline adds no line.
TTxtFile splitTxtLines(const std::string& text);

// Line n of the file, counted from 1; TXT_BEYOND for n < 1 or past the end.
std::string txtLine(const TTxtFile& file, int n);

// Resolves a bracketed reference "[txt/mainMenu.txt|3]" to line 3 of the
// localized txt/mainMenu.txt, reading the file anew each time. A reference
// without "|" or a number gives TXT_BEYOND.
std::string resolveTxtReference(const std::string& reference);

// The profile manager's prompts, lines 1 to 3 of txt/popup.txt: prompt1 when
// a profile is created or renamed, prompt3 when one is deleted.
class Teksty {
 public:
  static std::string prompt1;
  static std::string prompt2;
  static std::string prompt3;
  static void setup();
};
