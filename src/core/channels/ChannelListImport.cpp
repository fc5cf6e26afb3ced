#include "core/channels/ChannelListImport.h"

#include "core/channels/ChirpCsv.h"
#include "core/channels/CsvExchange.h"

namespace torvan {

std::string_view ChannelListFormatName(ChannelListFormat format) {
  return format == ChannelListFormat::Chirp ? "chirp" : "torvan";
}

std::string_view ChannelListHeader(ChannelListFormat format) {
  return format == ChannelListFormat::Chirp ? kChirpHeader : kCsvHeader;
}

char DetectCsvSeparator(std::string_view text) {
  const std::string_view firstLine = text.substr(0, text.find('\n'));
  if (firstLine.find(',') == std::string_view::npos && firstLine.find(';') != std::string_view::npos) return ';';
  return ',';
}

Status PlanChannelListImport(std::string_view text, const TextGrid& grid, const BandLimits& band,
                             DisplayLanguage lang, ChannelListPlan& plan) {
  plan = ChannelListPlan();
  if (text.size() > kMaxCsvBytes) {
    return Status::Error("the CSV text is larger than " + std::to_string(kMaxCsvBytes) + " bytes");
  }
  std::vector<CsvRecord> records;
  if (Status s = ReadCsvRecords(text, records, kMaxCsvLineBytes, DetectCsvSeparator(text)); !s) return s;
  if (records.empty()) {
    return Status::Error("the CSV text is empty: it needs the header line " + std::string(kCsvHeader));
  }
  plan.rows.resize(map::kChannelCount);
  for (int n = 0; n < map::kChannelCount; ++n) {
    for (int col = kColRxFrequency; col <= kColName; ++col) {
      plan.rows[static_cast<std::size_t>(n)][TextIndex(col)] = grid.TextMatrix(RowOfChannel(n), col);
    }
  }
  plan.format = IsChirpHeader(records.front()) ? ChannelListFormat::Chirp : ChannelListFormat::Torvan;
  const Status s = plan.format == ChannelListFormat::Chirp ? detail::PlanChirpCsv(records, band, lang, plan)
                                                           : detail::PlanTorvanCsv(records, band, lang, plan);
  if (!s) return s;
  for (int n = 0; n < map::kChannelCount; ++n) {
    for (int col = kColRxFrequency; col <= kColName; ++col) {
      if (plan.rows[static_cast<std::size_t>(n)][TextIndex(col)] != grid.TextMatrix(RowOfChannel(n), col)) {
        plan.changed.push_back(n);
        break;
      }
    }
  }
  return Status::Ok();
}

int ApplyChannelListPlan(const ChannelListPlan& plan, TextGrid& grid) {
  for (int n : plan.changed) {
    const ChannelTexts& row = plan.rows[static_cast<std::size_t>(n)];
    for (int col = kColRxFrequency; col <= kColName; ++col) {
      if (grid.TextMatrix(RowOfChannel(n), col) != row[TextIndex(col)]) {
        grid.SetTextMatrix(RowOfChannel(n), col, row[TextIndex(col)]);
      }
    }
  }
  return static_cast<int>(plan.changed.size());
}

std::string ExportChannelList(ChannelListFormat format, const TextGrid& grid, const RadioImage& image) {
  return format == ChannelListFormat::Chirp ? ExportChirpCsv(grid, image) : ExportCsv(grid);
}

}  // namespace torvan
