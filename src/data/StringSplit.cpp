#include "data/StringSplit.h"

namespace {

// Byte length of the UTF-8 character starting at pos. Stray continuation
// bytes count as characters of their own so malformed text still advances.
size_t charLength(const std::string& s, size_t pos) {
  size_t n = 1;
  while (pos + n < s.size() && (static_cast<unsigned char>(s[pos + n]) & 0xC0) == 0x80) ++n;
  return n;
}

std::vector<std::string> split(const std::string& text, const std::string& separator,
                               const std::string& openQuote, const std::string& closeQuote,
                               bool valueList) {
  std::vector<std::string> pieces;
  std::string piece;
  bool quoted = false;     // between openQuote and closeQuote
  bool inString = false;   // between double quotes (value lists only)
  const bool quotesProtect = !openQuote.empty() && !closeQuote.empty();

  size_t i = 0;
  while (i < text.size()) {
    if (valueList && text[i] == '"') inString = !inString;

    if (!inString && !separator.empty() && text.compare(i, separator.size(), separator) == 0 &&
        (!quoted || !quotesProtect)) {
      pieces.push_back(piece);
      piece.clear();
      i += separator.size();
      continue;
    }

    size_t len = charLength(text, i);
    if (!openQuote.empty()) {
      if (!quoted && text.compare(i, len, openQuote) == 0 && openQuote.size() == len) {
        quoted = true;
      } else if (closeQuote.size() == len && text.compare(i, len, closeQuote) == 0) {
        quoted = false;
      } else {
        piece.append(text, i, len);
      }
    } else {
      piece.append(text, i, len);
    }
    i += len;
  }
  if (!piece.empty()) pieces.push_back(piece);
  return pieces;
}

}  // namespace

std::vector<std::string> splitString(const std::string& text, const std::string& separator,
                                     const std::string& openQuote, const std::string& closeQuote) {
  return split(text, separator, openQuote, closeQuote, false);
}

std::vector<std::string> splitValueList(const std::string& text, const std::string& separator,
                                        const std::string& openQuote,
                                        const std::string& closeQuote) {
  return split(text, separator, openQuote, closeQuote, true);
}

std::string trimBlanks(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
  return text.substr(b, e - b);
}
