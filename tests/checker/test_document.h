// The slots every checker test runs against: location slot 1 on the
// screen, 2 off it, 3 empty, 4 not a number; key slot 1 a code, 3 not a
// number.
#pragma once

#include <string>
#include <vector>

#include "scriptfile/script_document.h"

namespace dx::check {

inline ScriptDocument TestDocument(std::vector<std::string> code) {
  ScriptDocument doc;
  doc.code = std::move(code);
  doc.locations[0] = {"100", "200"};
  doc.locations[1] = {"2000", "10"};
  doc.locations[3] = {"abc", "1"};
  doc.keys[0] = "0D";
  doc.keys[2] = "zz";
  return doc;
}

}  // namespace dx::check
