// Expansion time for long pages with many keys: must grow linearly.
#include <benchmark/benchmark.h>

#include "generator/PageTables.h"
#include "generator/Placeholders.h"

namespace {

void BM_ReplacePlaceholders(benchmark::State& state) {
  const generator::PlaceholderTable table = generator::OverviewTable(album::AlbumSettings{});
  std::string text;
  while (text.size() < static_cast<size_t>(state.range(0)))
    text +=
        "<td style=\"width:%%PICWIDTH%%px;border:%%BORDER%%px\"><a href=\"%%BIGHTMLSRC%%\">"
        "<img src=\"%%MINIPICSRC%%\" alt=\"%%CAPTION%%\"></a></td>\r\n";
  for (auto _ : state) benchmark::DoNotOptimize(generator::ReplacePlaceholders(text, table));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReplacePlaceholders)->RangeMultiplier(4)->Range(1 << 14, 1 << 22)->Complexity(benchmark::oN);

}  // namespace
