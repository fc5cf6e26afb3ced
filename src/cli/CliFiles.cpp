#include "cli/CliFiles.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "core/files/AtomicFile.h"
#include "core/files/PathText.h"
#include "core/files/SystemError.h"
#include "core/files/WritableTarget.h"

namespace torvan::cli {

namespace fs = std::filesystem;

namespace {

// Whether `a` and `b` name the same file: the same file on disk (through
// links, hard links too), or for names not there yet the same place.
bool SameFile(const NamedFile& a, const NamedFile& b) {
  if (a.standardOutput || b.standardOutput) return a.standardOutput && b.standardOutput;
  std::error_code ec;
  if (fs::equivalent(a.path, b.path, ec) && !ec) return true;
  const fs::path ca = fs::weakly_canonical(a.path, ec);
  if (ec) return false;
  const fs::path cb = fs::weakly_canonical(b.path, ec);
  return !ec && ca == cb;
}

}  // namespace

NamedFile InputNamed(std::string option, const std::string& text) {
  return NamedFile{std::move(option), text, PathFromUtf8(text), false};
}

NamedFile OutputNamed(std::string option, const std::string& text) {
  NamedFile f{std::move(option), text, PathFromUtf8(text), text == kStandardOutputName};
  return f;
}

std::string OverlapError(const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    for (const NamedFile& in : inputs) {
      if (!outputs[i].standardOutput && SameFile(outputs[i], in)) {
        return outputs[i].option + " " + outputs[i].text + " is the input file " + in.text +
               ": writing it would destroy what the command reads";
      }
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (SameFile(outputs[i], outputs[j])) {
        return outputs[j].option + " and " + outputs[i].option + " name the same file (" + outputs[i].text +
               "): give each its own";
      }
    }
  }
  return {};
}

Status CheckOutput(const NamedFile& output) {
  return output.standardOutput ? Status::Ok() : CheckWritableTarget(output.path);
}

Status WriteOutput(const NamedFile& output, std::span<const std::uint8_t> bytes) {
  if (!output.standardOutput) return WriteFileAtomically(output.path, bytes);
#ifdef _WIN32
  // Images and PDF files are bytes: no line-end translation on the way out.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  errno = 0;
  const std::size_t n = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  if (n != bytes.size() || std::fflush(stdout) != 0) {
    return Status::Error("cannot write to standard output: " + SystemErrorText(errno ? errno : EIO));
  }
  return Status::Ok();
}

Status WriteOutput(const NamedFile& output, std::string_view text) {
  return WriteOutput(output,
                     std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace torvan::cli
