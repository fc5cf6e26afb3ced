#pragma once
// File names cross the core as std::filesystem::path; texts (messages, the
// command line's arguments, Program.ini) are UTF-8. These convert between the
// two the same way on every system: on Windows a path holds UTF-16, so a
// Chinese file name survives, where the ANSI code page would lose it.

#include <filesystem>
#include <string>
#include <string_view>

namespace torvan {

// The path for a UTF-8 file name.
std::filesystem::path PathFromUtf8(std::string_view utf8);

// The path as UTF-8 text, for messages and files.
std::string PathText(const std::filesystem::path& path);

#ifdef _WIN32
std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);
#endif

}  // namespace torvan
