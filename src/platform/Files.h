// File system services. Every path the game names goes through here, so
// content written for a case-insensitive disk still opens and every file we
// write is replaced atomically.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plat {

enum class FileKind { None = 0, File = 1, Folder = 2 };

// Kind of the entry at path (after the case-insensitive fallback).
FileKind fileKind(const std::string& path);
inline bool fileExists(const std::string& path) { return fileKind(path) == FileKind::File; }
inline bool folderExists(const std::string& path) { return fileKind(path) == FileKind::Folder; }

// Creates the folder and any missing parents. True when it exists afterwards.
bool createFolder(const std::string& path);
std::string currentFolder();
bool changeFolder(const std::string& path);

// Collapses "." and "..", doubled slashes and turns "\" into "/".
std::string normalizePath(const std::string& path);

// Returns the path as it lies on disk: the exact path when it exists, else the
// first entry whose every component matches ignoring letter case, else the
// input unchanged.
std::string resolvePath(const std::string& path);

// Whole text files. Text is held as UTF-8. Reading understands UTF-16 with
// either byte-order mark and UTF-8 with a mark; anything else is one byte per
// character (Latin-1). Missing or unreadable file: nullopt.
std::optional<std::string> readTextFile(const std::string& path);
// Writing uses one byte per character when every character is below 256, else
// UTF-16 little-endian with a mark. Atomic: see writeFileAtomic.
bool writeTextFile(const std::string& path, const std::string& utf8);
// Lines of a text file split on '\n' (a final newline adds no line; '\r' is kept).
std::optional<std::vector<std::string>> readLines(const std::string& path);

std::optional<std::string> readBinaryFile(const std::string& path);
// Writes to "<path>.tmp", flushes it to disk and renames it over path, so a
// crash or a full disk leaves either the old file or the new one, never half.
// On failure the old file is untouched, the temporary removed, and a message
// goes to standard output.
bool writeFileAtomic(const std::string& path, const std::string& bytes);

// The per-user application-data directory ($HOME unless overridden).
std::string userDataDir();
void setUserDataDir(const std::string& dir);

// UTF-8 helpers, counting in characters (code points) as the widgets do.
std::u32string utf8ToUtf32(const std::string& s);
std::string utf32ToUtf8(const std::u32string& s);
std::string latin1ToUtf8(const std::string& bytes);
size_t utf8Length(const std::string& s);

}  // namespace plat

namespace plat::testing {
// Called by writeFileAtomic between flushing the temporary file and the
// rename, so tests can simulate a crash at the worst moment.
void setBeforeRenameHook(void (*hook)());
}  // namespace plat::testing
