#include "tools/dxplay/record_file.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "base/script_error.h"
#include "scriptfile/script_file.h"
#include "texts/dxplay_texts.h"
#include "tools/dxplay/command_support.h"
#include "tools/dxplay/dxplay_commands.h"

namespace dx {
namespace {

std::string_view WithoutLeadingBlanks(const std::string& line) {
  const std::size_t start = line.find_first_not_of(" \t");
  return start == std::string::npos ? std::string_view() : std::string_view(line).substr(start);
}

// Blank lines and ';' comments are no code.
bool IsCode(const std::string& line) {
  const std::string_view text = WithoutLeadingBlanks(line);
  return !text.empty() && text.front() != ';';
}

bool IsEndScript(const std::string& line) {
  const std::string_view text = WithoutLeadingBlanks(line);
  constexpr std::string_view kEnd = "ENDSCRIPT";
  return text.size() >= kEnd.size() &&
         std::equal(kEnd.begin(), kEnd.end(), text.begin(), [](char a, char b) { return a == std::toupper(static_cast<unsigned char>(b)); });
}

// Behind the last code line; before it when that line ends the script, so
// that the recording still runs.
std::vector<std::string>::iterator InsertionPoint(std::vector<std::string>& code) {
  auto behind_last = code.end();
  while (behind_last != code.begin() && !IsCode(*(behind_last - 1))) --behind_last;
  if (behind_last != code.begin() && IsEndScript(*(behind_last - 1))) --behind_last;
  return behind_last;
}

}  // namespace

int OpenRecordingFile(const std::string& path, bool append, RecordingFile& file, FileSystem& files) {
  file.path = path;
  file.append = false;  // a missing file is started anew, with its ENDSCRIPT
  std::string bytes;
  const uint32_t code = files.ReadWholeFile(path, bytes);
  if (code == kFileNotFound) return 0;
  if (code == kPathNotFound) {
    Error(path + ": " + FullStopMessage(IoErrorMessage(code)));
    return kExitFileFailed;
  }
  if (!append) {
    Error(dxplay_texts::ScriptExists(path));
    return kExitFileFailed;
  }
  file.append = true;
  return Load(path, file.document, files) ? 0 : kExitFileFailed;
}

std::vector<int> FreeLocationSlots(const RecordingFile& file) {
  std::vector<int> free;
  for (std::size_t i = 0; i < file.document.locations.size(); ++i) {
    if (file.document.locations[i].x.empty()) free.push_back(static_cast<int>(i) + 1);
  }
  return free;
}

bool SaveRecording(RecordingFile& file, const CondensedRecording& recording, FileSystem& files, std::string& error) {
  std::vector<std::string>& code = file.document.code;
  code.insert(InsertionPoint(code), recording.lines.begin(), recording.lines.end());
  for (const SlotPoint& s : recording.slots) {
    file.document.locations[static_cast<std::size_t>(s.slot - 1)] = {std::to_string(s.at.x), std::to_string(s.at.y)};
  }
  try {
    WriteScriptFile(file.document, file.path, files);
  } catch (const ScriptError& e) {
    error = file.path + ": " + FullStopMessage(e.what());
    return false;
  }
  return true;
}

}  // namespace dx
