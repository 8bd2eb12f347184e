// Small text helpers of the driver: UTF-8 (the driver's own literals) to and
// from the UTF-16 that window messages carry.
#pragma once

#include <string>
#include <string_view>

namespace dxe {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// "Z:\..." form of a Unix path, the way Wine maps the root file system.
std::wstring DosPath(std::string_view unix_path);
// Quotes a text for a failure message: control characters shown escaped.
std::string Shown(std::wstring_view text);
// The whole file into `bytes`; false when it cannot be opened.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);

}  // namespace dxe
