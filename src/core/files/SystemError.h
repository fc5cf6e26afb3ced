#pragma once
// The system's own words for an error number, for the end of a message:
// "cannot write out.dat: No space left on device".

#include <string>

namespace torvan {

// The text of an errno-style number, e.g. "No such file or directory".
std::string SystemErrorText(int errnum);

#ifdef _WIN32
// The text of a Win32 error code (GetLastError), without the final full stop.
std::string Win32ErrorText(unsigned long code);
#endif

}  // namespace torvan
