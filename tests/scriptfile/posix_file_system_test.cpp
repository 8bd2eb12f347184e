#include "base/file_system.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>

#include "base/script_error.h"
#include "scriptfile/script_file.h"
#include "tests/scriptfile/file_text.h"

namespace dx {
namespace {

namespace fs = std::filesystem;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/dx-scriptfile-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  void Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Contents(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  std::string ErrorOf(void (*operation)(const std::string&, PosixFileSystem&), const std::string& path) {
    PosixFileSystem files;
    try {
      operation(path, files);
    } catch (const ScriptError& error) {
      return error.what();
    }
    return "";
  }
  static void Load(const std::string& path, PosixFileSystem& files) {
    ScriptDocument document;
    ReadScriptFile(path, document, files);
  }
  static void Save(const std::string& path, PosixFileSystem& files) {
    WriteScriptFile(test::WorkedExample(), path, files);
  }

  static std::size_t OpenDescriptors() {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
  }

  std::string dir_;
};

TEST_F(PosixFileSystemTest, SavesOverTheOldFileAndLoadsItBack) {
  Put("s.dxs", "old");
  fs::permissions(Path("s.dxs"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("s.dxs", Path("link.dxs"));
  PosixFileSystem files;
  WriteScriptFile(test::WorkedExample(), Path("link.dxs"), files);

  EXPECT_EQ(Contents("s.dxs"), test::WorkedExampleFile());
  EXPECT_TRUE(fs::is_symlink(Path("link.dxs")));
  EXPECT_EQ(fs::status(Path("s.dxs")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(EntryCount(), 2u) << "no temporary file is left behind";
  ScriptDocument loaded;
  ReadScriptFile(Path("s.dxs"), loaded, files);
  EXPECT_EQ(test::Describe(loaded), test::Describe(test::WorkedExample()));
}

TEST_F(PosixFileSystemTest, ReportsTheWindowsMessages) {
  fs::create_directory(Path("folder"));
  ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);
  Put("huge.dxs", "");
  fs::resize_file(Path("huge.dxs"), uint64_t{3} << 30);  // sparse: takes no room
  struct Case { void (*operation)(const std::string&, PosixFileSystem&); std::string path; const char* message; };
  const Case cases[] = {
      {Load, Path("missing.dxs"), "File not found"},
      {Load, Path("no-folder/s.dxs"), "Invalid filename"},
      {Save, Path("no-folder/s.dxs"), "Invalid filename"},
      {Load, Path("folder"), "File access denied"},
      {Save, Path("folder"), "File access denied"},
      // Never blocks waiting for a writer, never reads without end.
      {Load, Path("fifo"), "File access denied"},
      {Load, "/dev/zero", "File access denied"},
      {Load, Path("huge.dxs"), "File too large"},
  };
  const std::size_t descriptors = OpenDescriptors();
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.operation, c.path), c.message) << c.path;
  EXPECT_EQ(EntryCount(), 3u);
  EXPECT_EQ(OpenDescriptors(), descriptors) << "every failing path closes its file";
}

// Runs `body` in a child process that permissions bind (as "nobody" when
// the tests run as root) and returns its exit status.
constexpr uid_t kNobody = 65534;

int Unprivileged(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(90);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Permissions do not bind root, which is how CI runs: then the saves are
// made as "nobody", who owns the file and the folder, so that only their
// protection bits refuse them.
TEST_F(PosixFileSystemTest, ProtectedFilesAndFoldersAreDenied) {
  Put("read-only.dxs", "old");
  fs::permissions(Path("read-only.dxs"), fs::perms::owner_read);
  if (geteuid() == 0) {
    ASSERT_EQ(chown(Path("read-only.dxs").c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(chown(dir_.c_str(), kNobody, kNobody), 0);
  }
  const auto denied = [&](const std::string& path) {
    return Unprivileged([&] {
      const std::string message = ErrorOf(Save, path);
      if (message == "File access denied") return 0;
      std::fprintf(stderr, "%s: \"%s\"\n", path.c_str(), message.c_str());
      return 91;
    });
  };
  EXPECT_EQ(denied(Path("read-only.dxs")), 0);
  EXPECT_EQ(Contents("read-only.dxs"), "old");
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(denied(Path("new.dxs")), 0);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(PosixFileSystemTest, AFolderThatRefusesNewFilesStillLetsAWritableFileBeSaved) {
  Put("s.dxs", "old");
  fs::permissions(Path("s.dxs"), fs::perms::all);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                            fs::perms::others_exec);
  const int saved = Unprivileged([&] {
    if (::open(Path("probe").c_str(), O_WRONLY | O_CREAT, 0600) >= 0) return 91;  // the folder takes files
    return ErrorOf(Save, Path("s.dxs")).empty() ? 0 : 92;
  });
  EXPECT_EQ(saved, 0);
  EXPECT_EQ(Contents("s.dxs"), test::WorkedExampleFile());
  EXPECT_EQ(EntryCount(), 1u);
  // A failure of the write in place is still reported.
  const int failed = Unprivileged([&] {
    rlimit small{100, 100};  // the file needs 196 bytes
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    return ErrorOf(Save, Path("s.dxs")) == "File too large" ? 0 : 93;
  });
  EXPECT_EQ(failed, 0);
}

TEST_F(PosixFileSystemTest, AFailingWriteLeavesTheOldFile) {
  Put("s.dxs", "previous good file");
  const std::size_t descriptors = OpenDescriptors();
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100;  // the file needs 196 bytes
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string message = ErrorOf(Save, Path("s.dxs"));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_EQ(message, "File too large");
  EXPECT_EQ(Contents("s.dxs"), "previous good file");
  EXPECT_EQ(EntryCount(), 1u) << "the temporary file is removed";
  EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST(WindowsCodeForErrno, MapsOntoTheCodesTheMessagesComeFrom) {
  struct Case { int error; const char* path; FileOperation operation; uint32_t code; };
  const Case cases[] = {
      {ENOENT, "/tmp/missing.dxs", FileOperation::kRead, 2},
      {ENOENT, "/tmp/no-such-folder/s.dxs", FileOperation::kRead, 3},
      {ENOTDIR, "/etc/hostname/s.dxs", FileOperation::kRead, 3},
      {EMFILE, "s", FileOperation::kRead, 4},   {ENFILE, "s", FileOperation::kWrite, 4},
      {EACCES, "s", FileOperation::kWrite, 5},  {EPERM, "s", FileOperation::kWrite, 5},
      {EROFS, "s", FileOperation::kWrite, 5},   {EISDIR, "s", FileOperation::kRead, 5},
      {ENOSPC, "s", FileOperation::kWrite, 112}, {EBUSY, "s", FileOperation::kWrite, 32},
      {EIO, "s", FileOperation::kRead, 30},     {EIO, "s", FileOperation::kWrite, 29},
      {EINVAL, "s", FileOperation::kWrite, 31},
  };
  for (const Case& c : cases) EXPECT_EQ(WindowsCodeForErrno(c.error, c.path, c.operation), c.code) << c.error;
}

}  // namespace
}  // namespace dx
