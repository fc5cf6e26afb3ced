#pragma once
// Helpers of the printing tests: images with channels, running programs,
// reading a PDF's text back page by page.

#include <string>
#include <vector>

#include "core/radio/RadioImage.h"

namespace torvan::test {

// A new-document image whose channels `channels` (0..199) are used. Channel n
// receives on 4xx.yy... texts that name it: Rx "430.<n>" (five decimals),
// Tx "440.<n>", Rx tone "88.5", Tx tone "D023N", High power, Lock, name "CH<n>".
RadioImage ImageWithChannels(const std::vector<int>& channels);

// The receive-frequency text that ImageWithChannels gives channel n.
std::string RxTextOf(int channel);

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `argv` (argv[0] a path) with stdout and stderr captured in `workDir`.
RunResult RunProgram(const std::vector<std::string>& argv, const std::string& workDir);

// The text of each page of a PDF, as pdftotext reads it (UTF-8).
std::vector<std::string> PdfPages(const std::string& pdfPath, const std::string& workDir);

}  // namespace torvan::test
