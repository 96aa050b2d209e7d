#include "EvolutionTable.h"
#include "HexFunctions.h"
#include "OpenedEditor.h"
#include "ErrorReporter.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

struct SilentReporter : ErrorReporter
{
    void ShowErrorBox(const std::string &, const std::string &) override {}
};

void ReadHexOfTwoBytes(benchmark::State &state)
{
    TestImage image;
    SilentReporter reporter;
    HexFunctions hex(reporter);
    const std::string path = image.localPath();
    for (auto _ : state) {
        std::int32_t offset = EvolutionTable::R(250) + EvolutionTable::Target.offset;
        const std::int32_t count = 2;
        benchmark::DoNotOptimize(hex.ReadHex(path, offset, count));
    }
}
BENCHMARK(ReadHexOfTwoBytes);

// Each selection change is one whole load: every routine's tests and the six reads.
void LoadOfOneSpecies(benchmark::State &state)
{
    OpenedEditor editor;
    int species = 100;
    for (auto _ : state) {
        species = species == 100 ? 400 : 100;
        editor.select(species);
    }
}
BENCHMARK(LoadOfOneSpecies);

// One Save with a parameter list visible: every routine's tests and three writes.
void SaveOfOneSpecies(benchmark::State &state)
{
    OpenedEditor editor;
    editor.select(4); // method 4: the level list is visible
    for (auto _ : state)
        editor.save();
}
BENCHMARK(SaveOfOneSpecies);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
