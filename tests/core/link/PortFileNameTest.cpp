// The name a port gives to the files made for it: backups of reads and the
// images of a read of several radios.

#include "core/link/PortFileName.h"

#include <gtest/gtest.h>

namespace torvan {
namespace {

TEST(PortFileName, LastComponentOfThePortAsGiven) {
  const struct {
    const char* port;
    const char* name;
    const char* image;
  } cases[] = {
      {"/dev/ttyUSB0", "ttyUSB0", "ttyUSB0.dat"},
      {"/dev/pts/3", "3", "3.dat"},
      {"ttyS1", "ttyS1", "ttyS1.dat"},
      {"/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", "usb-FTDI_FT232R-if00-port0",
       "usb-FTDI_FT232R-if00-port0.dat"},
      {"/dev/ttyUSB0/", "ttyUSB0", "ttyUSB0.dat"},
      {"\\\\.\\COM12", "COM12", "COM12.dat"},
      {"COM12", "COM12", "COM12.dat"},
      // Windows opens these names as devices whatever the extension: the
      // image of port COM5 must not be written to the port COM5.
      {"COM5", "COM5", "COM5_.dat"},
      {"com1", "com1", "com1_.dat"},
      {"/dev/lpt1", "lpt1", "lpt1_.dat"},
      {"/links/nul", "nul", "nul_.dat"},
      {"/links/Con.x", "Con.x", "Con_.x.dat"},
      {"/links/console", "console", "console.dat"},
      // What no file name can hold somewhere.
      {"/dev/a:b", "a_b", "a_b.dat"},
      {"/links/what?*|<>\"", "what______", "what______.dat"},
      {"/links/tab\there", "tab_here", "tab_here.dat"},
      {"/links/dot.", "dot_", "dot_.dat"},
      {"/links/blank ", "blank_", "blank_.dat"},
      {"", "port", "port.dat"},
      {"/", "port", "port.dat"},
      {"/dev/..", "port", "port.dat"},
      {".", "port", "port.dat"},
      // Names in any language pass as they are.
      {"/links/\xE7\x94\xB5\xE5\x8F\xB0", "\xE7\x94\xB5\xE5\x8F\xB0", "\xE7\x94\xB5\xE5\x8F\xB0.dat"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PortFileName(c.port), c.name) << c.port;
    EXPECT_EQ(PortImageFileName(c.port), c.image) << c.port;
  }
}

TEST(PortFileName, NamesThatDifferOnlyInCaseAreTheSame) {
  EXPECT_TRUE(SamePortFileName("ttyS0", "ttyS0"));
  EXPECT_TRUE(SamePortFileName("ttyS0", "TTYs0"));
  EXPECT_FALSE(SamePortFileName("ttyS0", "ttyS1"));
  EXPECT_FALSE(SamePortFileName("ttyS0", "ttyS00"));
}

}  // namespace
}  // namespace torvan
