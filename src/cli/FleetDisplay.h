#pragma once
// The progress of several ports at once on stderr. On a terminal each port
// has a line of its own, redrawn in place, and the block is cleared at the
// end so that the result lines follow the command line. Without a terminal
// (a log file), or with more ports than the terminal has lines, a port writes
// plain lines: one at each quarter of a session, and one per retry.

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliTransfer.h"

namespace torvan::cli {

class FleetDisplay {
 public:
  // One line per port, in this order.
  explicit FleetDisplay(const std::vector<std::string>& ports);
  ~FleetDisplay();
  FleetDisplay(const FleetDisplay&) = delete;
  FleetDisplay& operator=(const FleetDisplay&) = delete;

  // The display of port `index`; safe to use from the port's own thread.
  ProgressDisplay& Port(std::size_t index);
  // Port `index` has finished: its line shows `text` until the block is
  // cleared.
  void Finished(std::size_t index, std::string_view text);
  // Clears the block (on a terminal). Nothing is drawn after it.
  void Close();

 private:
  class PortLine;
  // Draws `text` on the line of port `index` (terminal) or as a plain line.
  void Redraw(std::size_t index, std::string text);
  void Plain(std::size_t index, std::string_view text);

  std::mutex mutex_;
  bool inPlace_;
  bool open_ = true;
  std::vector<std::string> ports_;
  std::vector<std::unique_ptr<PortLine>> lines_;
};

}  // namespace torvan::cli
