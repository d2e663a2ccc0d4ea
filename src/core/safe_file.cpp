// File reading and crash-safe file replacement on POSIX systems.
#include "core/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace vamplet {

namespace {

Text Quoted(const Text& path) { return U"\"" + path + U"\""; }

Text Failure(const Text& verb, const Text& path, int error) {
  return verb + U" " + Quoted(path) + U": " + SystemErrorText(error) + U".";
}

bool HasNul(const Text& path) { return path.find(U'\0') != Text::npos; }

// Appends what `fd` holds, up to `limit` bytes in all; false, with errno set, when a read fails.
bool ReadAll(int fd, size_t limit, std::string& bytes) {
  char buffer[1 << 16];
  while (bytes.size() < limit) {
    const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return true;
}

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// The file a save should replace: the target of a symbolic link, else the path itself.
std::string ResolveTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

Text SystemErrorText(int error) {
  const std::string message = std::error_code(error, std::generic_category()).message();
  return FromUtf8(message);
}

Text ReadFileBytes(const Text& path, std::string& bytes) {
  bytes.clear();
  if (path.empty() || HasNul(path)) return Failure(U"Cannot open", path, ENOENT);
  const int fd = ::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Failure(U"Cannot open", path, errno);
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    bytes.reserve(static_cast<size_t>(st.st_size));
  }
  if (!ReadAll(fd, std::numeric_limits<size_t>::max(), bytes)) {
    const int error = errno;
    ::close(fd);
    bytes.clear();
    return Failure(U"Cannot read", path, error);
  }
  ::close(fd);
  return {};
}

bool ReadRegularFile(const Text& path, size_t limit, std::string& bytes) {
  bytes.clear();
  if (path.empty() || HasNul(path)) return false;
  const int fd = ::open(ToUtf8(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ReadAll(fd, limit, bytes);
  ::close(fd);
  if (!ok) bytes.clear();
  return ok;
}

Text ReplaceFileBytes(const Text& path, std::string_view bytes) {
  const int error = ReplaceFile(path, bytes);
  return error == 0 ? Text() : Failure(U"Cannot save", path, error);
}

int ReplaceFile(const Text& path, std::string_view bytes) {
  if (path.empty() || HasNul(path)) return ENOENT;
  const std::string target = ResolveTarget(ToUtf8(path));
  const size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = target.substr(dir.size());
  if (name.empty()) return EISDIR;

  struct stat old;
  const bool existed = ::stat(target.c_str(), &old) == 0;
  if (existed && S_ISDIR(old.st_mode)) return EISDIR;

  std::string temp = dir + "." + name + ".tmp-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return errno;

  int error = 0;
  if (!WriteAll(fd, bytes)) error = errno;
  if (error == 0 && ::fchmod(fd, existed ? (old.st_mode & 07777) : NewFileMode()) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    return error;
  }
  // Make the rename itself durable; a failure here no longer endangers any data.
  const int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return 0;
}

}  // namespace vamplet
