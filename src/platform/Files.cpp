#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <strings.h>

namespace plat {

namespace {

std::string g_userDir;  // empty = $HOME
void (*g_beforeRename)() = nullptr;

std::vector<std::string> splitComponents(const std::string& path) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : path) {
    if (c == '/' || c == '\\') {
      parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  parts.push_back(cur);
  return parts;
}

bool statKind(const std::string& path, FileKind& kind) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  kind = S_ISDIR(st.st_mode) ? FileKind::Folder : FileKind::File;
  return true;
}

// Finds an entry of dir whose name equals name ignoring ASCII case.
bool findCaseless(const std::string& dir, const std::string& name, std::string& found) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return false;
  bool ok = false;
  while (dirent* e = ::readdir(d)) {
    if (::strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      ok = true;
      break;
    }
  }
  ::closedir(d);
  return ok;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

std::string decodeUtf16(const std::string& bytes, size_t start, bool littleEndian) {
  std::u32string cps;
  for (size_t i = start; i + 1 < bytes.size(); i += 2) {
    auto lo = uint8_t(bytes[i]), hi = uint8_t(bytes[i + 1]);
    char32_t unit = littleEndian ? (char32_t(hi) << 8 | lo) : (char32_t(lo) << 8 | hi);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      auto lo2 = uint8_t(bytes[i + 2]), hi2 = uint8_t(bytes[i + 3]);
      char32_t unit2 = littleEndian ? (char32_t(hi2) << 8 | lo2) : (char32_t(lo2) << 8 | hi2);
      if (unit2 >= 0xDC00 && unit2 < 0xE000) {
        cps += char32_t(0x10000 + ((unit - 0xD800) << 10) + (unit2 - 0xDC00));
        i += 2;
        continue;
      }
    }
    cps += unit;
  }
  return utf32ToUtf8(cps);
}

}  // namespace

FileKind fileKind(const std::string& path) {
  FileKind k = FileKind::None;
  if (path.empty()) return k;
  if (statKind(path, k)) return k;
  std::string resolved = resolvePath(path);
  if (resolved != path) statKind(resolved, k);
  return k;
}

bool createFolder(const std::string& path) {
  std::string norm = normalizePath(path);
  if (norm.empty()) return false;
  std::string cur;
  auto parts = splitComponents(norm);
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) cur += '/';
    cur += parts[i];
    if (parts[i].empty() || parts[i] == "." || parts[i] == "..") continue;
    FileKind k;
    if (statKind(cur, k)) {
      if (k != FileKind::Folder) return false;
      continue;
    }
    if (::mkdir(cur.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return folderExists(norm);
}

std::string currentFolder() {
  char buf[4096];
  if (::getcwd(buf, sizeof buf)) return buf;
  return ".";
}

bool changeFolder(const std::string& path) { return ::chdir(resolvePath(path).c_str()) == 0; }

std::string normalizePath(const std::string& path) {
  if (path.empty()) return path;
  bool absolute = path[0] == '/' || path[0] == '\\';
  std::vector<std::string> out;
  for (auto& part : splitComponents(path)) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!out.empty() && out.back() != "..") {
        out.pop_back();
      } else if (!absolute) {
        out.push_back(part);
      }
      continue;
    }
    out.push_back(part);
  }
  if (out.empty()) return absolute ? std::string("/") : std::string(".");
  std::string r;
  if (absolute) r += '/';
  for (size_t i = 0; i < out.size(); ++i) {
    if (i) r += '/';
    r += out[i];
  }
  return r;
}

std::string resolvePath(const std::string& path) {
  if (path.empty()) return path;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return path;
  auto parts = splitComponents(path);
  std::string cur;
  bool absolute = path[0] == '/' || path[0] == '\\';
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    std::string next;
    if (part.empty() || part == "." || part == "..") {
      next = (i == 0 && absolute) ? "" : part;
    } else {
      std::string candidate = cur.empty() ? (absolute && i > 0 ? "/" + part : part) : cur + "/" + part;
      if (::stat(candidate.c_str(), &st) == 0) {
        cur = candidate;
        continue;
      }
      std::string found;
      std::string dir = cur.empty() ? (absolute ? "/" : ".") : cur;
      if (!findCaseless(dir, part, found)) return path;
      next = found;
    }
    if (i == 0) {
      cur = next;
    } else if (cur.empty() && absolute) {
      cur = "/" + next;
    } else {
      cur += "/" + next;
    }
  }
  return cur;
}

std::optional<std::string> readBinaryFile(const std::string& path) {
  std::string real = resolvePath(path);
  FILE* f = std::fopen(real.c_str(), "rb");
  if (!f) return std::nullopt;
  struct stat st {};
  if (::fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::fclose(f);
    return std::nullopt;
  }
  std::string data;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
  bool err = std::ferror(f);
  std::fclose(f);
  if (err) return std::nullopt;
  return data;
}

std::optional<std::string> readTextFile(const std::string& path) {
  auto bytes = readBinaryFile(path);
  if (!bytes) return std::nullopt;
  const std::string& b = *bytes;
  if (b.size() >= 2 && uint8_t(b[0]) == 0xFF && uint8_t(b[1]) == 0xFE) return decodeUtf16(b, 2, true);
  if (b.size() >= 2 && uint8_t(b[0]) == 0xFE && uint8_t(b[1]) == 0xFF) return decodeUtf16(b, 2, false);
  if (b.size() >= 3 && uint8_t(b[0]) == 0xEF && uint8_t(b[1]) == 0xBB && uint8_t(b[2]) == 0xBF) {
    // Re-encode through code points so malformed sequences cannot leak through.
    return utf32ToUtf8(utf8ToUtf32(b.substr(3)));
  }
  return latin1ToUtf8(b);
}

bool writeTextFile(const std::string& path, const std::string& utf8) {
  std::u32string cps = utf8ToUtf32(utf8);
  bool narrow = true;
  for (char32_t c : cps) {
    if (c > 255) {
      narrow = false;
      break;
    }
  }
  std::string bytes;
  if (narrow) {
    bytes.reserve(cps.size());
    for (char32_t c : cps) bytes += char(c);
  } else {
    bytes = "\xFF\xFE";
    auto put = [&](char32_t unit) {
      bytes += char(unit & 0xFF);
      bytes += char((unit >> 8) & 0xFF);
    };
    for (char32_t c : cps) {
      if (c >= 0x10000) {
        char32_t v = c - 0x10000;
        put(0xD800 + (v >> 10));
        put(0xDC00 + (v & 0x3FF));
      } else {
        put(c);
      }
    }
  }
  return writeFileAtomic(path, bytes);
}

std::optional<std::vector<std::string>> readLines(const std::string& path) {
  auto text = readTextFile(path);
  if (!text) return std::nullopt;
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text->size()) {
    size_t nl = text->find('\n', start);
    if (nl == std::string::npos) {
      lines.push_back(text->substr(start));
      break;
    }
    lines.push_back(text->substr(start, nl - start));
    start = nl + 1;
  }
  return lines;
}

bool writeFileAtomic(const std::string& path, const std::string& bytes) {
  // Write beside the target so the rename stays on one file system.
  std::string target = resolvePath(path);
  std::string tmp = target + ".tmp";
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    std::cout << "Could not write file: " << path << " (" << std::strerror(errno) << ")" << std::endl;
    return false;
  }
  size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    done += size_t(n);
  }
  int err = ok ? 0 : errno;
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    err = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok && g_beforeRename) g_beforeRename();
  if (ok && ::rename(tmp.c_str(), target.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ::unlink(tmp.c_str());
    std::cout << "Could not write file: " << path << " (" << std::strerror(err) << ")" << std::endl;
  }
  return ok;
}

std::string userDataDir() {
  if (!g_userDir.empty()) return g_userDir;
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  return ".";
}

void setUserDataDir(const std::string& dir) { g_userDir = dir; }

std::u32string utf8ToUtf32(const std::string& s) {
  std::u32string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    auto c = uint8_t(s[i]);
    int extra = 0;
    char32_t cp;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      extra = 3;
    } else {
      out += char32_t(0xFFFD);
      ++i;
      continue;
    }
    bool bad = false;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= s.size() || (uint8_t(s[i + k]) & 0xC0) != 0x80) {
        bad = true;
        break;
      }
      cp = (cp << 6) | (uint8_t(s[i + k]) & 0x3F);
    }
    if (bad) {
      out += char32_t(0xFFFD);
      ++i;
      continue;
    }
    out += cp;
    i += size_t(extra) + 1;
  }
  return out;
}

std::string utf32ToUtf8(const std::u32string& s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t c : s) appendUtf8(out, c);
  return out;
}

std::string latin1ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) appendUtf8(out, char32_t(uint8_t(c)));
  return out;
}

size_t utf8Length(const std::string& s) {
  size_t n = 0;
  for (char c : s) {
    if ((uint8_t(c) & 0xC0) != 0x80) ++n;
  }
  return n;
}

}  // namespace plat

namespace plat::testing {
void setBeforeRenameHook(void (*hook)()) { g_beforeRename = hook; }
}  // namespace plat::testing
