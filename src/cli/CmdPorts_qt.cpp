// torvan-cli ports: the serial ports of this machine, one a line, with what
// the system knows about each (description, manufacturer, USB vendor:product).

#include <QSerialPortInfo>

#include <cstdio>
#include <iostream>

#include "cli/CliCommand.h"

namespace torvan::cli {
namespace {

std::string PortLine(const QSerialPortInfo& p) {
  std::string line = p.systemLocation().toStdString();
  std::vector<std::string> facts;
  if (!p.description().isEmpty()) facts.push_back(p.description().toStdString());
  if (!p.manufacturer().isEmpty()) facts.push_back(p.manufacturer().toStdString());
  if (p.hasVendorIdentifier() && p.hasProductIdentifier()) {
    char ids[16];
    std::snprintf(ids, sizeof ids, "%04x:%04x", p.vendorIdentifier(), p.productIdentifier());
    facts.emplace_back(ids);
  }
  if (!p.serialNumber().isEmpty()) facts.push_back("serial " + p.serialNumber().toStdString());
  for (std::size_t i = 0; i < facts.size(); ++i) line += (i == 0 ? "  " : ", ") + facts[i];
  return line;
}

int RunPorts(const std::vector<std::string>& argv) {
  const Args args(argv, {}, {});
  if (!args.ok()) return UsageError("ports", args.error());
  if (!args.positionals().empty()) return UsageError("ports", "takes no arguments");
  const auto ports = QSerialPortInfo::availablePorts();
  for (const auto& p : ports) std::cout << PortLine(p) << '\n';
  if (ports.isEmpty()) std::cerr << "torvan-cli: no serial ports found\n";
  return kExitOk;
}

TORVAN_CLI_COMMAND(CommandInfo{"ports", "ports", "list the serial ports of this machine, with descriptions", RunPorts,
                               72});

}  // namespace
}  // namespace torvan::cli
