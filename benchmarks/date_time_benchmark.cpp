// Time per call and heap allocations per call of the date-time functions on the program's
// hot paths: the clock label (DateTimeToText about once a second) and a sync (the header
// parse, TextToDateTime, AddToDateTime).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "datetime/date_time.h"
#include "sync/date_header_parser.h"
#include "tests/fakes/fake_clock.h"

namespace {
std::atomic<long long> g_allocations{0};
}  // namespace

// Every allocation of the process is counted.
void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace tessivo {
namespace {

// Runs `body` for the benchmark's iterations and reports allocations per call.
template <typename Body>
void MeasureAllocations(benchmark::State& state, Body body) {
  const long long before = g_allocations.load();
  for (auto _ : state) body();
  const long long calls = static_cast<long long>(state.iterations());
  state.counters["allocs_per_call"] =
      benchmark::Counter(static_cast<double>(g_allocations.load() - before) / static_cast<double>(calls));
}

void BM_DateTimeToText(benchmark::State& state) {
  const DateTime value = 40984.33691;  // 2012-03-16 08:05:09
  MeasureAllocations(state, [&] { benchmark::DoNotOptimize(DateTimeToText(value)); });
}
BENCHMARK(BM_DateTimeToText);

void BM_TextToDateTime(benchmark::State& state) {
  static const char* const texts[] = {"2012-03-16 08:05:09", "2012年3月16日8时5分9秒", "２０１２－０３－１６",
                                      "2012-02-31 10:00:00"};
  const char* text = texts[state.range(0)];
  state.SetLabel(state.range(0) == 0 ? "iso" : state.range(0) == 1 ? "chinese" : state.range(0) == 2 ? "full-width" : "invalid");
  MeasureAllocations(state, [&] { benchmark::DoNotOptimize(TextToDateTime(text)); });
}
BENCHMARK(BM_TextToDateTime)->DenseRange(0, 3);

void BM_DateHeaderParser(benchmark::State& state) {
  testing::FakeClock clock;
  DateTime time = 0;
  MeasureAllocations(state, [&] {
    benchmark::DoNotOptimize(DateHeaderParser(clock, "Fri, 16 Mar 2012 07:30:00 GMT", time));
  });
}
BENCHMARK(BM_DateHeaderParser);

void BM_AddToDateTime(benchmark::State& state) {
  const auto unit = static_cast<TimeUnit>(state.range(0));
  state.SetLabel(unit == TimeUnit::Hour ? "hour" : unit == TimeUnit::Second ? "second" : "month");
  DateTime value = 40984.33691;
  MeasureAllocations(state, [&] {
    value = AddToDateTime(value, unit, 1);
    benchmark::DoNotOptimize(value);
  });
}
BENCHMARK(BM_AddToDateTime)->Arg(static_cast<int>(TimeUnit::Hour))->Arg(static_cast<int>(TimeUnit::Second))
    ->Arg(static_cast<int>(TimeUnit::Month));

}  // namespace
}  // namespace tessivo

BENCHMARK_MAIN();
