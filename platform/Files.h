#pragma once
// Folders and files: the user's application-data folder, the host executable's path, existence
// tests, reading a text file as lines and replacing a file's contents as a whole.
#include <string>
#include <string_view>
#include <vector>

namespace qv::platform {

// The separator between the parts of a path on this system: "\" on Windows, "/" elsewhere.
#ifdef _WIN32
inline constexpr std::string_view PathSeparator = "\\";
#else
inline constexpr std::string_view PathSeparator = "/";
#endif

// The current user's roaming application-data folder, without a trailing separator and without
// creating it; empty when the system names none. On Linux: $XDG_CONFIG_HOME when it holds an
// absolute path, else $HOME/.config (the home folder from the user database when HOME is unset).
std::string ApplicationDataFolder();

// True when `path` names an existing folder.
bool DirectoryExists(const std::string& path);
// Creates the folder `path` (one level; its parent must exist), readable only by the user on
// systems with permission bits. False when it could not be created (including when it exists).
bool MakeDirectory(const std::string& path);
// True when `path` names an existing file (not a folder).
bool FileExists(const std::string& path);

// The full path of the running process's program file; empty when unknown.
std::string HostExecutablePath();
// The folder part of `path` with its trailing separator ("" when it holds no separator).
std::string ExtractFilePath(std::string_view path);

// Splits text into lines; a line ends at CR, LF or CR LF. A final line without an ending counts;
// text that ends with a line ending has no extra empty line after it.
std::vector<std::string> SplitLines(std::string_view text);
// Reads the whole file as 8-bit text split into lines as SplitLines does. Throws
// std::runtime_error naming the file when it cannot be opened or read.
std::vector<std::string> ReadTextLines(const std::string& path);
// Reads the whole file as bytes. Throws std::runtime_error naming the file when it cannot be
// opened or read.
std::string ReadFileBytes(const std::string& path);

// Replaces the file `path` with `contents`: writes them under a temporary name in the same folder,
// flushes them to the disk and renames the temporary file over `path`. Any failure removes the
// temporary file, leaves an existing `path` as it was and throws std::runtime_error naming the
// file and the reason.
void WriteFileReplacing(const std::string& path, std::string_view contents);

}  // namespace qv::platform
