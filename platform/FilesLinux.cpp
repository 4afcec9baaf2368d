#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/Files.h"

namespace qv::platform {

namespace {
std::string Reason(int error) {
  return std::strerror(error);
}

[[noreturn]] void Fail(std::string_view what, const std::string& path, int error) {
  throw std::runtime_error(std::string(what) + " \"" + path + "\": " + Reason(error));
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now and tells whether the system accepted the close (a late write error shows here).
  int Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};
}  // namespace

std::string ApplicationDataFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return config;
  const char* home = std::getenv("HOME");
  std::string base = home != nullptr ? home : "";
  if (base.empty()) {
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr)
      base = user->pw_dir;
  }
  if (base.empty()) return {};
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base == "/" ? "/.config" : base + "/.config";
}

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeDirectory(const std::string& path) {
  return ::mkdir(path.c_str(), 0700) == 0;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string HostExecutablePath() {
  std::string buffer(4096, '\0');
  ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return {};
  buffer.resize(static_cast<std::size_t>(n));
  return buffer;
}

std::string ReadFileBytes(const std::string& path) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) Fail("Cannot open", path, errno);
  std::string contents;
  char chunk[65536];
  for (;;) {
    ssize_t n = ::read(fd.Get(), chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail("Cannot read", path, errno);
    }
    if (n == 0) break;
    contents.append(chunk, static_cast<std::size_t>(n));
  }
  return contents;
}

void WriteFileReplacing(const std::string& path, std::string_view contents) {
  // A name of its own in the same folder, so that the final rename stays on one file system.
  static std::atomic<unsigned> serial{0};
  std::string temporary =
      path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(serial.fetch_add(1));
  Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.Get() < 0) Fail("Cannot write", path, errno);
  int error = 0;
  // A replaced file keeps its permissions.
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && ::fchmod(fd.Get(), old.st_mode & 07777) != 0)
    error = errno;
  std::size_t done = 0;
  while (error == 0 && done < contents.size()) {
    ssize_t n = ::write(fd.Get(), contents.data() + done, contents.size() - done);
    if (n < 0) {
      if (errno != EINTR) error = errno;
    } else {
      done += static_cast<std::size_t>(n);
    }
  }
  if (error == 0 && ::fsync(fd.Get()) != 0) error = errno;
  if (int closed = fd.Close(); error == 0) error = closed;
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    Fail("Cannot write", path, error);
  }
}

}  // namespace qv::platform
