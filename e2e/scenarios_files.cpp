// Save and load through the real file dialogs, with the files compared byte
// for byte, and the failures the user must see.
#include <fstream>
#include <string>
#include <vector>

#include "e2e/dialogs.h"
#include "e2e/remote.h"
#include "e2e/scenario.h"
#include "e2e/text.h"
#include "e2e/wait.h"
#include "texts/program_texts.h"
#include "ui/layout.h"

namespace dxe {

namespace {

// A document as the window shows it.
struct Doc {
  std::wstring notes, code;
  std::vector<std::pair<int, std::wstring>> keys;
  std::vector<std::tuple<int, std::wstring, std::wstring>> locations;
};

const char kEmptyFile[] =
    "Dorvaxil script\r\nversion: 1.0\r\n\r\nnotes: $0000\r\n\r\nkeys\r\nendkeys\r\n\r\nlocations\r\n"
    "endlocations\r\n\r\ncode: $0001\r\nendscript\r\n";

const Doc kExampleDoc = {L"first note\r\nsecond note", L"beep\r\nendscript", {{1, L"0D"}, {3, L"41"}},
                         {{1, L"100", L"200"}, {2, L"1023", L"767"}}};
const char kExampleFile[] =
    "Dorvaxil script\r\nversion: 1.0\r\n\r\nnotes: $0002\r\nfirst note\r\nsecond note\r\n\r\nkeys\r\n"
    "01: $0D\r\n03: $41\r\nendkeys\r\n\r\nlocations\r\n01: $064,$0C8\r\n02: $3FF,$2FF\r\nendlocations\r\n\r\n"
    "code: $0002\r\nbeep\r\nendscript\r\n";

// The same document as a plain script, as an editor on Linux saves it.
const char kPlainFile[] =
    ";@ note: first note\n;@ note: second note\n;@ key 1: 0D\n;@ key 3: 41\n;@ location 1: 100,200\n"
    ";@ location 2: 1023,767\nbeep\nendscript\n";

enum class Command { Save, Load };
enum class Lock { None, Exclusive };

struct FileCase {
  const char* name;
  const char* what;
  Command command;
  const Doc* fill;            // typed into the window first (nullptr: start state)
  const char* existing;       // the file's content before (nullptr: no file)
  Lock lock;                  // the driver holds the file open meanwhile
  const wchar_t* typed;       // name typed into the dialog (nullptr: cancel)
  const wchar_t* stored;      // the path the program must use
  const char* file_after;     // expected bytes afterwards (nullptr: no file)
  const wchar_t* message;     // expected error box (nullptr: none)
  const Doc* doc_after;       // expected document afterwards
  const wchar_t* resave = nullptr;  // then saved under this name: same bytes
};

const Doc kStartDoc = {L"", L"endscript", {}, {}};

const FileCase kCases[] = {
    {"save_empty", "an empty document gives the 117-byte file; the dialog adds .dxs", Command::Save, nullptr,
     nullptr, Lock::None, L"empty", L"empty.dxs", kEmptyFile, nullptr, &kStartDoc},
    {"save_example", "notes, key and location slots and code, byte for byte", Command::Save, &kExampleDoc,
     nullptr, Lock::None, L"example.dxs", L"example.dxs", kExampleFile, nullptr, &kExampleDoc},
    {"save_replaces", "saving over an existing file replaces it without a question", Command::Save, nullptr,
     kExampleFile, Lock::None, L"old.dxs", L"old.dxs", kEmptyFile, nullptr, &kStartDoc},
    {"save_cancel", "cancelling the save dialog writes nothing", Command::Save, &kExampleDoc, nullptr, Lock::None,
     nullptr, nullptr, nullptr, nullptr, &kExampleDoc},
    {"save_locked", "a file held open without sharing: I/O error 32, old file intact", Command::Save, nullptr,
     kExampleFile, Lock::Exclusive, L"held.dxs", L"held.dxs", kExampleFile, L"I/O error 32.", &kStartDoc},
    {"load_example", "loading fills notes, slots and code", Command::Load, nullptr, kExampleFile, Lock::None,
     L"example.dxs", L"example.dxs", kExampleFile, nullptr, &kExampleDoc},
    {"load_resave", "a loaded file saved again gives the same bytes", Command::Load, nullptr, kExampleFile,
     Lock::None, L"example.dxs", L"example.dxs", kExampleFile, nullptr, &kExampleDoc, L"copy.dxs"},
    {"load_plain", "a plain script with LF line ends loads: its code, notes and slots", Command::Load, nullptr,
     kPlainFile, Lock::None, L"plain.txt", L"plain.txt", kPlainFile, nullptr, &kExampleDoc},
    {"load_cancel", "cancelling the open dialog changes nothing", Command::Load, nullptr, kExampleFile, Lock::None,
     nullptr, nullptr, kExampleFile, nullptr, &kStartDoc},
    {"load_missing", "a missing file: File not found, document unchanged", Command::Load, nullptr, nullptr,
     Lock::None, L"missing.dxs", L"missing.dxs", nullptr, L"File not found.", &kStartDoc},
    {"load_locked", "a file held open without sharing: I/O error 32", Command::Load, nullptr, kExampleFile,
     Lock::Exclusive, L"held.dxs", L"held.dxs", kExampleFile, L"I/O error 32.", &kStartDoc},
};

std::wstring Join(const std::wstring& dir, const wchar_t* name) { return dir + L"\\" + name; }

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD put = 0;
  WriteFile(f, bytes.data(), DWORD(bytes.size()), &put, nullptr);
  CloseHandle(f);
}

std::vector<std::wstring> FilesIn(const std::wstring& dir) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

void EmptyFolder(const std::wstring& dir) {
  for (const auto& name : FilesIn(dir)) DeleteFileW((dir + L"\\" + name).c_str());
}

std::string Escaped(const std::string& bytes) { return Shown(Widen(bytes)); }

void Fill(App& app, const Doc& d) {
  app.SetText("MemoNotes", d.notes);
  app.SetText("Memo", d.code);
  for (const auto& [n, text] : d.keys) app.SetText("key" + std::to_string(n), text);
  for (const auto& [n, x, y] : d.locations) {
    app.SetText("px" + std::to_string(n), x);
    app.SetText("py" + std::to_string(n), y);
  }
}

// The lines of a memo: its text may end with one line break more, which
// holds no further line.
void ExpectLines(Report& r, const std::wstring& seen, const std::wstring& want, const char* what) {
  if (seen == want + L"\r\n") return (void)r.Expect(true, what);
  r.ExpectText(seen, want, what);
}

void CheckDoc(Report& r, App& app, const Doc& d) {
  ExpectLines(r, app.Text("MemoNotes"), d.notes, "MemoNotes");
  ExpectLines(r, app.Text("Memo"), d.code, "Memo");
  for (int n = 1; n <= 40; ++n) {
    std::wstring want;
    for (const auto& [k, text] : d.keys)
      if (k == n) want = text;
    r.ExpectText(app.Text("key" + std::to_string(n)), want, "key" + std::to_string(n));
  }
  for (int n = 1; n <= 20; ++n) {
    std::wstring x, y;
    for (const auto& [k, lx, ly] : d.locations)
      if (k == n) x = lx, y = ly;
    r.ExpectText(app.Text("px" + std::to_string(n)), x, "px" + std::to_string(n));
    r.ExpectText(app.Text("py" + std::to_string(n)), y, "py" + std::to_string(n));
  }
}

void RunFileCase(Context& ctx, const void* row) {
  const FileCase& fc = *static_cast<const FileCase*>(row);
  Report& r = ctx.report;
  const std::wstring file = Join(ctx.workdir, fc.stored ? fc.stored : fc.command == Command::Save ? L"cancelled.dxs"
                                                                                                  : L"example.dxs");
  EmptyFolder(ctx.workdir);
  if (fc.existing) WriteBytes(file, fc.existing);
  Session s(ctx);
  if (!s.ok) return;
  App& app = s.app;
  if (fc.fill) Fill(app, *fc.fill);
  HANDLE held = INVALID_HANDLE_VALUE;
  if (fc.lock == Lock::Exclusive)
    held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);

  const bool save = fc.command == Command::Save;
  app.Click(save ? "SBScriptSave" : "SBScriptLoad");
  const std::wstring title = Widen(save ? dx::kSaveDialogTitle : dx::kLoadDialogTitle);
  HWND dialog = WaitDialog(app.Pid(), title, kTimeoutMs);
  if (!r.Expect(dialog != nullptr, "the dialog " + Narrow(title) + " opens")) return;
  if (save) r.ExpectText(FileDialogName(dialog), L"", "the save dialog starts without a name");
  if (fc.typed) {
    r.Expect(FileDialogChoose(dialog, Join(ctx.workdir, fc.typed)), "the dialog accepts the name");
  } else {
    r.Expect(CloseDialog(dialog, IDCANCEL), "the dialog cancels");
  }
  if (fc.message) {
    HWND box = WaitDialog(app.Pid(), Widen(dx::kApplicationTitle), kTimeoutMs);
    if (r.Expect(box != nullptr, "an error box appears")) {
      MessageBoxSeen seen = ReadMessageBox(box);
      r.ExpectText(seen.text, fc.message, "error box text");
      r.Expect(seen.has_icon, "the error box shows an icon");
      CloseDialog(box);
    }
  } else {
    PumpFor(500);
    r.Expect(WaitDialog(app.Pid(), {}, 0) == nullptr, "no error box", Narrow(WindowText(WaitDialog(app.Pid(), {}, 0))));
  }
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  r.ExpectText(app.Text("EditScript"), fc.typed ? Join(ctx.workdir, fc.stored) : L"", "EditScript");

  std::string bytes;
  const bool exists = ReadFileBytes(file, bytes);
  if (fc.file_after) {
    if (r.Expect(exists, "the file " + Narrow(file) + " exists"))
      r.Expect(bytes == fc.file_after, "the file holds " + std::to_string(strlen(fc.file_after)) + " bytes " +
                                           Escaped(fc.file_after),
               std::to_string(bytes.size()) + " bytes " + Escaped(bytes));
  } else {
    r.Expect(!exists, "no file " + Narrow(file));
  }
  if (fc.doc_after) CheckDoc(r, app, *fc.doc_after);
  // Nothing else may be left behind (no temporary or half-written file).
  auto names = FilesIn(ctx.workdir);
  std::string listed;
  for (const auto& n : names) listed += Narrow(n) + " ";
  r.Expect(names.size() == (exists ? 1u : 0u), "no other file in the folder", listed);

  if (fc.resave) {
    app.Click("SBScriptSave");
    HWND again = WaitDialog(app.Pid(), Widen(dx::kSaveDialogTitle), kTimeoutMs);
    if (!r.Expect(again != nullptr, "the save dialog opens again")) return;
    r.Expect(FileDialogChoose(again, Join(ctx.workdir, fc.resave)), "the dialog accepts the name");
    std::string copy;
    const std::wstring copy_path = Join(ctx.workdir, fc.resave);
    WaitUntil([&] { return ReadFileBytes(copy_path, copy) && copy.size() >= strlen(fc.existing); }, kTimeoutMs);
    r.Expect(copy == fc.existing, "the saved copy equals the loaded file", Escaped(copy));
    return;
  }

  // After a successful load or save the next save dialog offers that file.
  if (fc.typed && !fc.message) {
    app.Click("SBScriptSave");
    if (HWND again = WaitDialog(app.Pid(), Widen(dx::kSaveDialogTitle), kTimeoutMs)) {
      std::wstring name = FileDialogName(again);
      const std::wstring full = Join(ctx.workdir, fc.stored);
      r.Expect(name == full || name == fc.stored, "the next save dialog offers " + Narrow(fc.stored), Narrow(name));
      CloseDialog(again, IDCANCEL);
    }
  }
}

}  // namespace

void AddFileScenarios(std::vector<Scenario>& out) {
  for (const FileCase& fc : kCases) out.push_back({std::string("file_") + fc.name, fc.what, RunFileCase, &fc});
}

}  // namespace dxe
