#pragma once
// The name of the temporary file that a write of a file goes through: in the
// target's folder, the target's name (its first 64 bytes at most, so that a
// target of any legal length has a legal temporary name), ".tmp" and eight
// random hex digits: "radio.dat.tmp0c3fa9e1".

#include <cstdint>
#include <filesystem>

namespace torvan {

inline constexpr std::size_t kTemporaryStemBytes = 64;

// The temporary file for one write of `target`, numbered `number`.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target, std::uint32_t number);

// Whether `name` (a file name without folder) is a temporary name of `target`.
bool IsTemporaryNameOf(const std::filesystem::path& name, const std::filesystem::path& target);

// A fresh random number for TemporaryNameFor.
std::uint32_t RandomTemporaryNumber();

}  // namespace torvan
