#include "printing/couponlayout.h"
#include "printing/listing.h"

#include <benchmark/benchmark.h>

namespace {

RowBuffer manyRows(int n)
{
    RowBuffer rows(n);
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < kMatches; ++k)
            rows[i][k] = kSigns[(i * 7 + k * (i % 5 + 1)) % 3];
    return rows;
}

// The screen listing of the largest file a rows file can hold.
void BM_ScreenListing(benchmark::State& state)
{
    const int n = int(state.range(0));
    const RowBuffer rows = manyRows(n);
    for (auto _ : state) {
        QStringList lines = screenListing(rows, n);
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ScreenListing)->Arg(250)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_SignDistribution(benchmark::State& state)
{
    const int n = int(state.range(0));
    const RowBuffer rows = manyRows(n);
    for (auto _ : state)
        benchmark::DoNotOptimize(signDistribution(rows, n));
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_SignDistribution)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_PaperListing(benchmark::State& state)
{
    const int n = int(state.range(0));
    const RowBuffer rows = manyRows(n);
    for (auto _ : state)
        benchmark::DoNotOptimize(paperListingPages(rows, n, "RIVIT.1X2"));
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_PaperListing)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_CouponMarks(benchmark::State& state)
{
    const RowBuffer rows = manyRows(500);
    for (auto _ : state)
        for (int coupon = 1; coupon <= kMaxCoupons; ++coupon)
            benchmark::DoNotOptimize(couponMarks(rows, 500, coupon, CouponCalibration{}, {}));
}
BENCHMARK(BM_CouponMarks)->Unit(benchmark::kMicrosecond);

} // namespace
