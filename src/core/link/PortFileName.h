#pragma once
// The name that stands for a serial port in the names of files made for it:
// the last component of the port as the user gave it ("/dev/ttyUSB0" ->
// "ttyUSB0", "\\.\COM12" -> "COM12", "COM5" -> "COM5"). Backups of a read
// and the files of a read of several radios at once carry it, so that each
// radio's memory can be told by the cable it came through.

#include <string>
#include <string_view>

namespace torvan {

// The port's name, fit for a file name on every system: the text after the
// last '/' or '\' (a trailing one ignored), with characters that a file name
// cannot hold somewhere (control characters and <>:"|?*) and a trailing dot
// or blank made '_'. A port whose name is empty, "." or ".." is "port".
std::string PortFileName(std::string_view port);

// Whether two port file names would name the same file on a system that
// compares names without regard to case (Windows, macOS): "ttyS0", "TTYS0".
bool SamePortFileName(std::string_view a, std::string_view b);

// The file name of a port's image in a folder of images: the port's name and
// ".dat". A name that Windows keeps for a device whatever its extension (CON,
// PRN, AUX, NUL, COM0-COM9, LPT0-LPT9) gets a '_' ("COM5_.dat"): "COM5.dat"
// there would be the serial port itself, not a file.
std::string PortImageFileName(std::string_view port);

}  // namespace torvan
