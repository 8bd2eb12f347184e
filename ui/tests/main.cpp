// Runs the Windows-side tests: dorvaxil_ui_tests [name...]
#include <cstring>

#include "ui/tests/check.h"

namespace dx::test {
void MemoLinesTests(Checks&);
void MemoEditorTests(Checks&);
void DocumentBindingTests(Checks&);
void LayoutTests(Checks&);
void FileSystemTests(Checks&);
void EnginePlatformTests(Checks&);
void WindowListTests(Checks&);
void TextEncodingTests(Checks&);
void MessagePumpTests(Checks&);
}  // namespace dx::test

int main(int argc, char** argv) {
  using namespace dx::test;
  const TestCase cases[] = {
      {"crlf_lines", MemoLinesTests},         {"memo_editor", MemoEditorTests},
      {"document_binding", DocumentBindingTests}, {"layout", LayoutTests},
      {"file_system", FileSystemTests},       {"engine_platform", EnginePlatformTests},
      {"window_list", WindowListTests},       {"text_encoding", TextEncodingTests},
      {"message_pump", MessagePumpTests},
  };
  Checks checks;
  for (const TestCase& c : cases) {
    bool wanted = argc < 2;
    for (int i = 1; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], c.name) == 0;
    if (!wanted) continue;
    std::printf("%s\n", c.name);
    c.run(checks);
  }
  return checks.Report();
}
