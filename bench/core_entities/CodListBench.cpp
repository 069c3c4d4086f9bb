// Numbering the uncoded items of a code list: the cost should grow as n log n, so a list ten times
// longer takes a little more than ten times as long.
#include "core/entities/UCodList.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>
#include <random>

namespace {

// Half the items without a code, the others with codes spread over twice the list's length, so
// the numbering has to step over taken codes all along.
void Encher(zelt::TCodList& lista, int tamanho) {
    std::mt19937 gen(3);
    std::uniform_int_distribution<std::int32_t> cod(1, 2 * tamanho);
    for (int i = 0; i < tamanho; ++i) {
        lista.Add(std::make_unique<zelt::TCodItem>(i % 2 == 0 ? 0 : cod(gen)));
    }
}

void BM_PreencherCods(benchmark::State& state) {
    const int tamanho = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        zelt::TCodList lista;
        Encher(lista, tamanho);
        state.ResumeTiming();
        lista.PreencherCods();
        benchmark::DoNotOptimize(lista.GetCodItem(0).Cod);
        state.PauseTiming();
        lista.Clear();
        state.ResumeTiming();
    }
    state.SetComplexityN(tamanho);
}
BENCHMARK(BM_PreencherCods)->RangeMultiplier(10)->Range(100, 1000000)->Complexity();

} // namespace

BENCHMARK_MAIN();
