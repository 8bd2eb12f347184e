#include "base/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>

namespace dx {
namespace {

std::string ParentFolder(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsFolder(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Owns a descriptor so that every return path closes it.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports the errno of a failing close, else 0.
  int Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// Stops with EFBIG once the file has grown past the largest script.
int ReadAll(int fd, std::string& bytes) {
  char buffer[1 << 16];
  for (;;) {
    ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0) return 0;
    if (count > 0) {
      bytes.append(buffer, static_cast<std::size_t>(count));
      if (bytes.size() > kLargestScriptFile) return EFBIG;
    } else if (errno != EINTR) {
      return errno;
    }
  }
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(count));
    } else if (errno != EINTR) {
      return errno;
    }
  }
  return 0;
}

std::string ReplacementTarget(const std::string& path) {
  struct stat status {};
  if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

std::string TemporaryName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return ParentFolder(target) + "/." + BaseName(target) + "." + std::to_string(getpid()) + "-" +
         std::to_string(counter++) + ".tmp";
}

// Creates a new, empty temporary file beside the target; returns its
// descriptor or -1 with errno set.
int CreateTemporary(const std::string& target, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryName(target);
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes, flushes and closes the temporary file and renames it over the
// target; returns 0 or the errno of the failing step.
int FillAndRename(Descriptor& file, const std::string& name, const std::string& target,
                  std::string_view bytes) {
  if (int error = WriteAll(file.get(), bytes)) return error;
  if (::fsync(file.get()) != 0) return errno;
  if (int error = file.Close()) return error;
  if (::rename(name.c_str(), target.c_str()) != 0) return errno;
  return 0;
}

// The fallback when the folder refuses the temporary file: the bytes go
// straight into the existing file, which is cut to their length.
int WriteInPlace(const std::string& target, std::string_view bytes) {
  Descriptor file(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
  if (!file.valid()) return errno;
  if (int error = WriteAll(file.get(), bytes)) return error;
  if (::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0) return errno;
  if (::fsync(file.get()) != 0) return errno;
  return file.Close();
}

void FlushFolder(const std::string& folder) {
  Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
}

}  // namespace

uint32_t WindowsCodeForErrno(int error, const std::string& path, FileOperation operation) {
  switch (error) {
    case ENOENT: return IsFolder(ParentFolder(path)) ? kFileNotFound : kPathNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return kPathNotFound;
    case EMFILE:
    case ENFILE: return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return kAccessDenied;
    case EBUSY:
    case ETXTBSY: return kSharingViolation;
    case ENOSPC:
    case EDQUOT: return kDiskFull;
    case EFBIG: return kFileTooLarge;
    case EIO: return operation == FileOperation::kRead ? kReadFault : kWriteFault;
    default: return kGeneralFailure;
  }
}

uint32_t PosixFileSystem::ReadWholeFile(const std::string& path, std::string& bytes) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer forever.
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!file.valid()) return WindowsCodeForErrno(errno, path, FileOperation::kRead);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return WindowsCodeForErrno(errno, path, FileOperation::kRead);
  if (!S_ISREG(status.st_mode)) return kAccessDenied;
  if (static_cast<uint64_t>(status.st_size) > kLargestScriptFile) return kFileTooLarge;
  std::string content;
  int error = ReadAll(file.get(), content);
  int close_error = file.Close();
  if (error == 0) error = close_error;
  if (error != 0) return WindowsCodeForErrno(error, path, FileOperation::kRead);
  bytes = std::move(content);
  return 0;
}

uint32_t PosixFileSystem::ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  const std::string target = ReplacementTarget(path);
  struct stat old_file {};
  const bool exists = stat(target.c_str(), &old_file) == 0;
  if (exists && S_ISDIR(old_file.st_mode)) return kAccessDenied;
  if (exists && ::access(target.c_str(), W_OK) != 0) {
    return WindowsCodeForErrno(errno, target, FileOperation::kWrite);
  }

  std::string name;
  Descriptor file(CreateTemporary(target, name));
  if (!file.valid()) {
    int error = errno;
    if (exists && (error == EACCES || error == EPERM)) error = WriteInPlace(target, bytes);
    return error == 0 ? 0 : WindowsCodeForErrno(error, target, FileOperation::kWrite);
  }
  if (exists) ::fchmod(file.get(), old_file.st_mode & 07777);  // keep the old file's permissions
  if (int error = FillAndRename(file, name, target, bytes)) {
    ::unlink(name.c_str());
    return WindowsCodeForErrno(error, target, FileOperation::kWrite);
  }
  FlushFolder(ParentFolder(target));
  return 0;
}

}  // namespace dx
