// Where a recording goes: the one place that reads the script it is added
// to and writes the recorded lines and slots into it, through the
// program's own save path (the old file stays as it was until the new one
// is complete).
#pragma once

#include <string>
#include <vector>

#include "base/file_system.h"
#include "recorder/condense.h"
#include "scriptfile/script_document.h"

namespace dx {

struct RecordingFile {
  std::string path;
  bool append = false;      // adding to a script that exists
  ScriptDocument document;  // what the file held (appending), else empty
};

// Before anything is recorded: reads the script to append to (a missing
// one is started anew), or makes sure that a new one replaces no file.
// 0, or the exit status after printing why.
int OpenRecordingFile(const std::string& path, bool append, RecordingFile& file, FileSystem& files);

// The location slots the file leaves empty, ascending.
std::vector<int> FreeLocationSlots(const RecordingFile& file);

// Adds the lines behind the last code line (blank lines after it stay
// behind them), stores the slots and saves. False with `error` set when
// the save failed.
bool SaveRecording(RecordingFile& file, const CondensedRecording& recording, FileSystem& files, std::string& error);

}  // namespace dx
