#include <windows.h>

#include <string>

#include "win32/handle_value.h"
#include "win32/message_pump.h"
#include "win32/text_encoding.h"
#include "win32/win32_engine_platform.h"
#include "base/file_system.h"
#include "win32/window_list.h"
#include "engine/window_entry.h"
#include "ui/tests/check.h"

namespace dx::test {
namespace {

std::string TestFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "dxuitest" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\";
}

std::string ReadBytes(const std::string& path) {
  win::Win32FileSystem files;
  std::string bytes;
  files.ReadWholeFile(path, bytes);
  return bytes;
}

void PutBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// A file of `size` bytes that takes no room on the disk.
void PutSparse(const std::string& path, int64_t size) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER end{};
  end.QuadPart = size;
  SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

void FileSystemTests(Checks& t) {
  const std::string folder = TestFolder();
  const std::string old = "old content\r\n";
  std::string big(200 * 1024 + 7, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 31 + 7);

  // Reading.
  struct ReadRow {
    const char* name;
    std::string path;
    uint32_t code;
  };
  PutBytes(folder + "present.dxs", big);
  PutSparse(folder + "huge.dxs", int64_t{3} << 30);
  const std::string pipe = "\\\\.\\pipe\\dxuitest" + std::to_string(GetCurrentProcessId());
  HANDLE pipe_server = CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
  const ReadRow reads[] = {{"missing file", folder + "missing.dxs", 2},
                           {"missing folder", folder + "nofolder\\x.dxs", 3},
                           {"a folder", folder.substr(0, folder.size() - 1), 5},
                           {"a pipe", pipe, 5},
                           {"larger than any script", folder + "huge.dxs", 223},
                           {"present", folder + "present.dxs", 0}};
  for (const ReadRow& row : reads) {
    win::Win32FileSystem files;
    std::string bytes = "stale";
    t.Equal(files.ReadWholeFile(row.path, bytes), row.code, row.name, "read code");
    if (row.code == 0) t.Expect(bytes == big, row.name, "all bytes read through the buffer");
  }
  CloseHandle(pipe_server);
  DeleteFileA((folder + "huge.dxs").c_str());

  // Replacing: the target either gets the new bytes whole or stays as it was,
  // and no temporary file is left behind.
  enum class Hold { None, NoSharing, ReadOnly, Absent, NoTemporary };
  struct WriteRow {
    const char* name;
    Hold hold;
    std::string bytes;
    uint32_t code;
  };
  const WriteRow writes[] = {
      {"new file", Hold::Absent, "fresh\r\n", 0},
      {"replace", Hold::None, big, 0},
      {"empty content", Hold::None, "", 0},
      {"held open without sharing", Hold::NoSharing, "new\r\n", 32},
      {"read-only file", Hold::ReadOnly, "new\r\n", 5},
      // A folder at the temporary file's name refuses it as a locked folder
      // would: the writable target is then written in place.
      {"no temporary file possible", Hold::NoTemporary, "in place\r\n", 0},
  };
  int n = 0;
  for (const WriteRow& row : writes) {
    const std::string path = folder + "target" + std::to_string(n++) + ".dxs";
    if (row.hold != Hold::Absent) PutBytes(path, old);
    HANDLE holder = INVALID_HANDLE_VALUE;
    if (row.hold == Hold::NoSharing) {
      holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (row.hold == Hold::NoTemporary) CreateDirectoryA(win::TemporaryNameBeside(path).c_str(), nullptr);
    if (row.hold == Hold::ReadOnly) {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
      // Under Wine run as root the attribute does not stop writing: nothing to check then.
      HANDLE probe = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        std::printf("  skipped: %s (read-only files are writable here)\n", row.name);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        continue;
      }
    }
    win::Win32FileSystem files;
    t.Equal(files.ReplaceWholeFile(path, row.bytes), row.code, row.name, "replace code");
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (row.hold == Hold::NoTemporary) RemoveDirectoryA(win::TemporaryNameBeside(path).c_str());
    t.Expect(ReadBytes(path) == (row.code == 0 ? row.bytes : old), row.name, "target content");
    t.Expect(!Exists(win::TemporaryNameBeside(path)), row.name, "no temporary file left");
    DeleteFileA(path.c_str());
  }
  win::Win32FileSystem files;
  t.Equal(files.ReplaceWholeFile(folder + "nofolder\\x.dxs", "x"), 3u, "missing folder", "replace code");
  DeleteFileA((folder + "present.dxs").c_str());
  RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str());
}

void EnginePlatformTests(Checks& t) {
  t.Equal(sizeof(INPUT), size_t{40}, "INPUT", "the native record of this build");
  InputRecord mouse;
  mouse.SetType(InputRecord::kTypeMouse);
  mouse.SetMouseDx(-3);
  mouse.SetMouseDy(32768);
  mouse.SetMouseFlags(kMouseMove | kMouseAbsolute);
  InputRecord key;
  key.SetType(InputRecord::kTypeKeyboard);
  key.SetKeyVk(0x41);
  key.SetKeyScan(0x1E);
  key.SetKeyFlags(kKeyUp | kKeyExtended);
  // A key record leaves its code and scan code where the mouse dx lives;
  // resent as a mouse record it moves by that amount.
  InputRecord keyAsMouse = key;
  keyAsMouse.SetType(InputRecord::kTypeMouse);
  struct Row {
    const char* name;
    InputRecord record;
    DWORD type;
    LONG dx, dy;
    DWORD flags;
    WORD vk, scan;
  };
  const Row rows[] = {
      {"mouse", mouse, INPUT_MOUSE, -3, 32768, kMouseMove | kMouseAbsolute, 0, 0},
      {"key up", key, INPUT_KEYBOARD, 0, 0, kKeyUp | kKeyExtended, 0x41, 0x1E},
      {"key bytes as mouse", keyAsMouse, INPUT_MOUSE, 0x1E0041, kKeyUp | kKeyExtended, 0, 0, 0},
  };
  for (const Row& row : rows) {
    const INPUT in = win::NativeInputFromRecord(row.record);
    t.Equal(in.type, row.type, row.name, "type");
    if (row.type == INPUT_MOUSE) {
      t.Equal(in.mi.dx, row.dx, row.name, "dx");
      t.Equal(in.mi.dy, row.dy, row.name, "dy");
      t.Equal(in.mi.dwFlags, row.flags, row.name, "flags");
      t.Equal(in.mi.dwExtraInfo, ULONG_PTR{0}, row.name, "extra info");
    } else {
      t.Equal(in.ki.wVk, row.vk, row.name, "vk");
      t.Equal(in.ki.wScan, row.scan, row.name, "scan code");
      t.Equal(in.ki.dwFlags, row.flags, row.name, "flags");
    }
  }

  // The US layout, as Wine has it; the extended keys give the code behind
  // their prefix. No window outside this process runs here with more rights.
  win::Win32EnginePlatform platform(nullptr);
  const std::pair<uint8_t, uint16_t> scans[] = {{0x41, 0x1E}, {0x0D, 0x1C}, {0x25, 0x4B}, {0x2E, 0x53}};
  for (const auto& [vk, scan] : scans) t.Equal(platform.KeyScanCode(vk), scan, std::to_string(vk), "scan code");
  t.Equal(platform.HasHigherRights(win::ValueFromHandle(GetDesktopWindow())), false, "desktop", "higher rights");
  t.Equal(platform.HasHigherRights(0x7FFFFFF0u), false, "no such window", "higher rights");

  struct HandleRow {
    uint32_t value;
    intptr_t handle;
  };
  const HandleRow handles[] = {{0x000104A2u, 0x104A2}, {0x7FFFFFFFu, 0x7FFFFFFF}, {0x80000000u, INT32_MIN},
                               {0xFFFFFFFFu, -1}, {0u, 0}};
  for (const HandleRow& h : handles) {
    const std::string where = std::to_string(h.value);
    t.Equal(reinterpret_cast<intptr_t>(win::HandleFromValue(h.value)), h.handle, where, "sign-extended handle");
    t.Equal(win::ValueFromHandle(win::HandleFromValue(h.value)), h.value, where, "truncated back");
  }
}

void WindowListTests(Checks& t) {
  t.Equal(WindowEntry(0x104A2, "Calculator"), std::string("000104A2 - Calculator"), "entry", "form");
  t.Equal(WindowEntry(0xFFFFFFFFu, "x"), std::string("FFFFFFFF - x"), "entry", "eight digits");

  struct Row {
    const char* name;
    std::string title;
    bool listed;
    std::string shown;
  };
  const std::string longTitle(250, 'T');
  const Row rows[] = {{"titled", "dx list probe", true, "dx list probe"},
                      {"untitled", "", false, ""},
                      {"250 characters", longTitle, true, longTitle.substr(0, 199)}};
  for (const Row& row : rows) {
    HWND window = CreateWindowExA(0, "STATIC", row.title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    const std::string entry = WindowEntry(win::ValueFromHandle(window), row.shown);
    bool found = false;
    bool anyOfHandle = false;
    const std::string prefix = entry.substr(0, 8);
    for (const std::string& e : win::TitledTopLevelWindowEntries()) {
      found = found || e == entry;
      anyOfHandle = anyOfHandle || e.compare(0, 8, prefix) == 0;
    }
    t.Equal(row.listed ? found : anyOfHandle, row.listed, row.name, row.listed ? "listed as " + entry : "not listed");
    DestroyWindow(window);
  }
}

void TextEncodingTests(Checks& t) {
  struct Row {
    const char* name;
    std::string text;
    std::wstring wide;
  };
  const Row rows[] = {
      {"ascii", "skript byl zastaven", L"skript byl zastaven"},
      {"czech", "vyber pozici v po\xC5\xBE" "adovan\xC3\xA9m okn\xC4\x9B", L"vyber pozici v po\u017Eadovan\u00E9m okn\u011B"},
      {"empty", "", L""},
  };
  for (const Row& row : rows) {
    t.Expect(win::WideFromProgramText(row.text) == row.wide, row.name, "decoded as UTF-8");
    t.Equal(win::ProgramTextFromWide(row.wide), row.text, row.name, "encoded back");
  }
  // Messages: quoted document bytes are read in the ANSI code page, even
  // where they happen to be valid UTF-8, and never change how the program's
  // own words around them are read.
  const auto ansi = [](const std::string& bytes) {
    std::wstring wide(64, L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), 64)));
    return wide;
  };
  struct MessageRow {
    const char* name;
    MessageText message;
    std::wstring wide;
  };
  const MessageRow messages[] = {
      {"document bytes that are valid UTF-8", MessageText("'").Document("\xC3\xA9").Program("' is not valid"),
       L"'" + ansi("\xC3\xA9") + L"' is not valid"},
      {"a stray byte beside program text", MessageText("okn\xC4\x9B '").Document("x\xE9").Program("'"),
       L"okn\u011B '" + ansi("x\xE9") + L"'"},
  };
  for (const MessageRow& row : messages) t.Expect(win::WideFromMessage(row.message) == row.wide, row.name, "decoded by part");
}

}  // namespace dx::test

namespace dx::test {

// A quit taken from the queue during a run ends the delivery, is remembered
// and is put back once, so the main loop still ends with its code.
void MessagePumpTests(Checks& t) {
  struct Row {
    const char* name;
    int postedBefore, postedAfter;  // thread messages around the quit
    int exitCode;
  };
  const Row rows[] = {{"quit alone", 0, 0, 3}, {"quit between messages", 2, 2, 7}};
  for (const Row& row : rows) {
    win::MessagePump pump;
    for (int i = 0; i < row.postedBefore; ++i) PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    PostQuitMessage(row.exitCode);
    for (int i = 0; i < row.postedAfter; ++i) PostThreadMessageW(GetCurrentThreadId(), WM_APP + 1, 0, 0);
    pump.DeliverPending();
    t.Expect(pump.QuitSeen(), row.name, "the quit is noticed");
    pump.DeliverPending();
    t.Expect(pump.QuitSeen(), row.name, "and stays noticed");
    pump.RepostQuit();
    pump.RepostQuit();
    t.Equal(pump.RunUntilQuit(), row.exitCode, row.name, "the main loop ends with the quit's code");
    MSG left;
    int quits = 0;
    while (PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE)) quits += left.message == WM_QUIT;
    t.Equal(quits, 0, row.name, "the quit was put back only once");
  }
}

}  // namespace dx::test
