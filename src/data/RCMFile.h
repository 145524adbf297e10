// The data-file format every .dat file, level, profile, options file and the
// play log use: named groups in braces holding `key = values` lines.
//
//   PLAYER {
//   	name = "Player"
//   	speed = 0.500000000
//   	BEST {
//   		scores = 10, 20, 30
//   	}
//
//   }
//
// Values are addressed by key paths such as "PLAYER::BEST::scores"; group
// names and keys match ignoring case and the first match wins.
//
// Failures in content never stop the game: a missing or malformed file prints
// "Napotkano problem : " + the reason on standard output and reads as empty,
// so every query gives "" or 0.
#pragma once

#include <memory>
#include <string>
#include <vector>

// One `key = values` line.
class TRCMEntry {
 public:
  static constexpr int STRING_ENTRY = 0;
  static constexpr int NUMBER_ENTRY = 1;

  std::string _id;                  // key, trimmed
  std::vector<std::string> _value;  // values in file order
  int _type = STRING_ENTRY;

  // Stores value at index, growing the list with "" as needed. A negative
  // index is ignored.
  void setValue(const std::string& value, int index);
  static std::vector<std::string> createArray(int n);
  // The entry's line without indentation, e.g. `scores = 10, 20, 30`.
  // There are no escapes: a double quote inside a string value is written as
  // an apostrophe and a newline as a blank, and a number value is written as
  // its number alone, so the file always reads back.
  std::string toTxt() const;
};

// A named block of entries and sub-groups.
class TRCMGroup {
 public:
  std::string _id;
  int _pos = 0;  // index just past the closing brace, from just after the opening one
  std::vector<std::shared_ptr<TRCMGroup>> _listaGrup;
  std::vector<std::shared_ptr<TRCMEntry>> _listaWpisow;

  // First case-insensitive match, or nullptr.
  std::shared_ptr<TRCMGroup> getGroup(const std::string& name) const;
  std::shared_ptr<TRCMEntry> getEntry(const std::string& name) const;

  // Changes value `index` of the existing entry (its type stays), or appends
  // a new entry: a string entry, or a number entry for setFloatEntry.
  void setStringEntry(const std::string& name, const std::string& value, int index);
  void setFloatEntry(const std::string& name, double number, int index);
  void deleteString(const std::string& name);

  std::string save(const std::string& indent) const;
  void showGroup(const std::string& indent) const;
};

class TRCMFile {
 public:
  std::shared_ptr<TRCMGroup> _grupa = std::make_shared<TRCMGroup>();
  std::string _path;
  std::string _realPath;
  std::string _txt;

  // Groups may nest this deep; deeper text is refused as malformed.
  static constexpr int MAX_DEPTH = 256;

  void Load(const std::string& path);

  // Value `index` (0-based) of the entry at the key path; "" when any group,
  // the entry or the value is missing. Number entries give their text as
  // written, leading blank included (" 20").
  std::string getString(const std::string& path, int index = 0) const;
  // The same value read as a number (leading blanks skipped, longest numeric
  // prefix, 0 when none). A non-zero `show` prints the holding group first.
  double getFloat(const std::string& path, int index = 0, int show = 0) const;

  // Setters create every missing group on the way. A new entry made by
  // setString is a string entry, by setFloat a number entry; setFloat writes
  // the number as "%#.9g" (3 -> "3.00000000").
  void setString(const std::string& path, const std::string& value, int index = 0);
  void setFloat(const std::string& path, double number, int index = 0);
  void removeString(const std::string& path);

  // Writes every sub-group of the root (root entries are not written),
  // atomically. False, with a message on standard output, when it fails.
  bool save(const std::string& path) const;
  // The text save writes, as UTF-8.
  std::string saveText() const;

  // Walks every part but the last (the key) from the root.
  std::shared_ptr<TRCMGroup> getGroup(const std::vector<std::string>& parts) const;
  std::shared_ptr<TRCMGroup> getGroupSet(const std::vector<std::string>& parts);

  void printAll() const;
  static void errorMsg(const std::string& text);

  // Reading steps. readAll parses text as the body of a group named `name`
  // and gives nullptr when the nesting is too deep.
  std::shared_ptr<TRCMGroup> readAll(const std::string& text, const std::string& name) const;
  static std::shared_ptr<TRCMEntry> readEntry(const std::string& line);
  void checkTxt();
  bool checkGroups() const;  // true when the braces balance
  // checkTxt, checkGroups and readAll on _txt; the tree stays empty on failure.
  void readTxt();
};

std::shared_ptr<TRCMFile> createRCMFile();
std::shared_ptr<TRCMFile> loadRCMFile(const std::string& path);

// Parses text already in memory as if read from a file named `name` (for
// callers that assemble data in memory, and for fuzzing the reader).
std::shared_ptr<TRCMFile> parseRCMText(const std::string& text, const std::string& name = "");

// Helpers for reading values the way the format does.
double rcmToNumber(const std::string& text);  // longest numeric prefix, 0 when none
long long rcmToInt(const std::string& text);  // integer at the start, 0 when none
