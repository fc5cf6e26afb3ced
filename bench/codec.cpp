// DecodeImage + EncodeImage of a full 200-channel image into an in-memory
// grid: what the program does on every open, read, save and write.
// Goal: under 20 microseconds for the pair.

#include <benchmark/benchmark.h>

#include <string>

#include "core/channels/TextGrid.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/ToneTable.h"

namespace {

using namespace torvan;

// Every channel used, with a Tx frequency, tones of every kind and a name.
RadioImage FullImage() {
  const auto tones = LoadToneTexts(DisplayLanguage::English);
  MemoryTextGrid grid;
  for (int n = 0; n < map::kChannelCount; ++n) {
    const std::uint32_t rx = 13600000 + static_cast<std::uint32_t>(n) * 18750;
    const std::string f = std::to_string(rx / 100000) + "." + std::to_string(100000 + rx % 100000).substr(1);
    const int row = RowOfChannel(n);
    grid.SetTextMatrix(row, kColRxFrequency, f);
    grid.SetTextMatrix(row, kColTxFrequency, f);
    grid.SetTextMatrix(row, kColRxTone, tones[static_cast<std::size_t>(n) % tones.size()]);
    grid.SetTextMatrix(row, kColTxTone, tones[static_cast<std::size_t>(n * 7) % tones.size()]);
    grid.SetTextMatrix(row, kColPower, n % 2 ? "High" : "Low");
    grid.SetTextMatrix(row, kColBusyLock, n % 3 ? "Lock" : "Unlock");
    grid.SetTextMatrix(row, kColScanAdd, "Yes");
    grid.SetTextMatrix(row, kColBandwidth, n % 2 ? "Wide" : "Narrow");
    grid.SetTextMatrix(row, kColName, "CH" + std::to_string(n));
  }
  RadioImage img = RadioImage::NewDocument();
  EncodeImage(grid, BandLimits{136, 174}, img);
  return img;
}

void BM_DecodeEncodeFullImage(benchmark::State& state) {
  const RadioImage source = FullImage();
  RadioImage target = source;
  MemoryTextGrid grid;
  const auto lang = state.range(0) ? DisplayLanguage::Chinese : DisplayLanguage::English;
  for (auto _ : state) {
    const BandLimits band = DecodeImage(source, grid, lang);
    EncodeImage(grid, band, target);
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  if (target != source) state.SkipWithError("the image did not survive decode + encode");
}
BENCHMARK(BM_DecodeEncodeFullImage)->Arg(0)->Arg(1)->ArgName("chinese")->Unit(benchmark::kMicrosecond);

void BM_DecodeFullImage(benchmark::State& state) {
  const RadioImage source = FullImage();
  MemoryTextGrid grid;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeImage(source, grid, DisplayLanguage::English));
  }
}
BENCHMARK(BM_DecodeFullImage)->Unit(benchmark::kMicrosecond);

void BM_EncodeFullImage(benchmark::State& state) {
  const RadioImage source = FullImage();
  MemoryTextGrid grid;
  const BandLimits band = DecodeImage(source, grid, DisplayLanguage::English);
  RadioImage target = source;
  for (auto _ : state) {
    EncodeImage(grid, band, target);
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_EncodeFullImage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
