// The platform-free cores, one evaluation per iteration.
#include "character_sheet.h"
#include "character_store.h"
#include "improves_calculation.h"
#include "number_conversion.h"
#include "solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <unistd.h>

namespace {

class PatternView final : public pellan::LightsView {
public:
    unsigned pattern = 0;
    std::string answer;
    bool checked(int index) const override { return (pattern >> index) & 1u; }
    void setAnswerText(const std::string& text) override { answer = text; }
};

void lightPattern(benchmark::State& state)
{
    PatternView view;
    view.pattern = static_cast<unsigned>(state.range(0));
    pellan::Solver solver(view);
    for (auto _ : state) {
        solver.readLights();
        benchmark::DoNotOptimize(view.answer.data());
    }
}
BENCHMARK(lightPattern)->DenseRange(0, 31);

sorvex::CharacterSheet filledSheet()
{
    sorvex::CharacterSheet sheet;
    sheet.levelKraanan = 3;
    sheet.levelShalille = 2;
    sheet.levelFaren = 6;
    sheet.levelWeaponCraft = 1;
    sheet.levelRiija = 4;
    sheet.levelQor = 0;
    sheet.levelJala = 5;
    sheet.currentIntel = 187;
    sheet.spellP0 = 45;
    sheet.spellP1 = 80;
    sheet.spellP2 = 12;
    return sheet;
}

void sorvexCalculate(benchmark::State& state)
{
    sorvex::CharacterSheet sheet = filledSheet();
    sorvex::applySpellCountMode(sheet, 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(sheet.currentIntel);
        const sorvex::Calculation calculation = sorvex::calculate(sheet);
        const auto shown = sorvex::nextLevels(sheet, calculation.totalPoints, calculation.percentSum);
        benchmark::DoNotOptimize(shown.data());
        benchmark::DoNotOptimize(sheet);
    }
}
BENCHMARK(sorvexCalculate);

void korvaneComputeImproves(benchmark::State& state)
{
    korvane::ImprovesInput input;
    input.schools[0] = korvane::levelStateForOption(3);
    input.schools[2] = korvane::levelStateForOption(1);
    input.schools[5] = korvane::levelStateForOption(5);
    input.schoolName = "Faren";
    input.spellCount = korvane::SpellCount::Three;
    const std::array<std::string, 4> typed = {"187", "45", "80,5", "12"};
    for (auto _ : state) {
        benchmark::DoNotOptimize(typed.data());
        const auto intellect = korvane::convertNumber(typed[0], ",");
        const auto p1 = korvane::convertNumber(typed[1], ",");
        const auto p2 = korvane::convertNumber(typed[2], ",");
        const auto p3 = korvane::convertNumber(typed[3], ",");
        if (!intellect || !p1 || !p2 || !p3) {
            state.SkipWithError("a typed number did not convert");
            break;
        }
        input.intellect = intellect.value();
        input.percent1 = p1.value();
        input.percent2 = p2.value();
        input.percent3 = p3.value();
        auto result = korvane::computeImproves(input);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(korvaneComputeImproves);

bool quiet(const sorvex::StoreMessages& messages)
{
    return messages.keyFailures.empty() && !messages.notice;
}

// A filled character in a store folder of the benchmark's own, removed at the end.
struct BenchStore {
    BenchStore()
    {
        std::filesystem::create_directories(folder / "sorvex");
        ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    }
    ~BenchStore() { std::filesystem::remove_all(folder); }
    BenchStore(const BenchStore&) = delete;
    BenchStore& operator=(const BenchStore&) = delete;

    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("sorvex-bench-" + std::to_string(::getpid()));
    sorvex::CharacterStore store;
    sorvex::CharacterSheet sheet = filledSheet();
    const sorvex::PlayerNames names = {"Arwen", "Brannoc", "Cilla"};
};

// A round trip as the dialog makes one: save the character, then load it back.
void storeRoundTrip(benchmark::State& state)
{
    BenchStore bench;
    std::int32_t intellect = 100;
    for (auto _ : state) {
        bench.sheet.currentIntel = ++intellect;
        const sorvex::SaveResult saved = bench.store.save(1, bench.sheet, bench.names);
        const sorvex::LoadedCharacter loaded = bench.store.load(1, {});
        if (!saved.saved || !quiet(saved.messages) || !quiet(loaded.messages)
            || loaded.sheet.currentIntel != intellect) {
            state.SkipWithError("the character did not come back as saved");
            break;
        }
    }
}
BENCHMARK(storeRoundTrip)->Unit(benchmark::kMicrosecond);

// One store operation on stores far larger than three characters make: the whole file is read,
// parsed, written and replaced each time, so these show that the cost stays linear in the file.
enum class BigStore { OneMegabyte, TenThousandKeys, DeepKey };

std::string bigStoreText(BigStore kind)
{
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
    if (kind == BigStore::DeepKey) {
        text += "[HKEY_CURRENT_USER\\Software";
        for (int level = 0; level < 500; ++level)
            text += "\\k" + std::to_string(level);
        return text + "]\r\n\"Kraanan\"=dword:00000003\r\n";
    }
    const std::string filler(40, 'x');
    for (int key = 0; kind == BigStore::OneMegabyte ? text.size() < (1u << 20) : key < 10000; ++key) {
        text += "[HKEY_CURRENT_USER\\Software\\Other\\Key" + std::to_string(key) + "]\r\n";
        for (int value = 0; value < (kind == BigStore::OneMegabyte ? 10 : 1); ++value)
            text += "\"Value" + std::to_string(value) + "\"=\"" + filler + "\"\r\n";
    }
    return text;
}

void storeOperationOnABigStore(benchmark::State& state)
{
    namespace fs = std::filesystem;
    const auto kind = static_cast<BigStore>(state.range(0));
    BenchStore bench;
    const fs::path& folder = bench.folder;
    const std::string text = bigStoreText(kind);
    const fs::path file = folder / "sorvex" / "registry.reg";
    auto writeStore = [&] {
        fs::remove_all(folder / "sorvex");
        fs::create_directories(folder / "sorvex");
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (!out || std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fclose(out) != 0)
            state.SkipWithError("the store could not be written");
    };
    writeStore();

    std::int32_t intellect = 100;
    for (auto _ : state) {
        // The deep key is damage, left out and the file kept aside, so each round starts from it again.
        if (kind == BigStore::DeepKey) {
            state.PauseTiming();
            writeStore();
            state.ResumeTiming();
        }
        bench.sheet.currentIntel = ++intellect;
        const sorvex::SaveResult saved = bench.store.save(1, bench.sheet, bench.names);
        if (!saved.saved || (kind != BigStore::DeepKey && !quiet(saved.messages))) {
            state.SkipWithError("the store gave a warning");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(storeOperationOnABigStore)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Google Benchmark 1.8 replaced a run's error_occurred and error_message with skipped and skip_message; Debian 12
// has 1.7, Debian 13 1.9, so a run's failure is read from whichever it has.
template <typename Run> bool failedRun(const Run& run)
{
    if constexpr (requires { run.skipped; })
        return run.skipped == std::remove_cvref_t<decltype(run.skipped)>::SkippedWithError;
    else
        return run.error_occurred;
}

template <typename Run> const std::string& failureText(const Run& run)
{
    if constexpr (requires { run.skip_message; })
        return run.skip_message;
    else
        return run.error_message;
}

// With --table: one row of bench/run.sh's table per measure instead of Google Benchmark's own report.
class TableReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (failedRun(run)) {
                std::fprintf(stderr, "%s: %s\n", run.benchmark_name().c_str(), failureText(run).c_str());
                continue;
            }
            const double ns = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
            const std::string name = run.benchmark_name();
            if (name.rfind("lightPattern/", 0) == 0)
                slowestPattern = std::max(slowestPattern, ns);
            else
                times[name] = ns;
        }
    }
    void Finalize() override
    {
        row("core, pellan readLights, slowest of the 32 patterns", slowestPattern);
        row("core, sorvex calculate + nextLevels", times["sorvexCalculate"]);
        row("core, korvane computeImproves with the conversion", times["korvaneComputeImproves"]);
        const double store = times["storeRoundTrip"] / 1e3;
        std::printf("| store, save + load round trip | %.1f µs | | | < 1 ms | %s |\n", store,
                    store < 1000 ? "yes" : "no");
        const char* const bigStores[] = {"a 1 MB store", "a store of 10 000 keys", "a key 500 levels deep"};
        for (int kind = 0; kind < 3; ++kind) {
            const double ms = times["storeOperationOnABigStore/" + std::to_string(kind)] / 1e6;
            std::printf("| store, save on %s | %.1f ms | | | < 100 ms | %s |\n", bigStores[kind], ms,
                        ms < 100 ? "yes" : "no");
        }
    }

private:
    static void row(const char* what, double ns)
    {
        std::printf("| %s | %.1f ns | | | < 1 µs | %s |\n", what, ns, ns < 1000 ? "yes" : "no");
    }
    double slowestPattern = 0;
    std::map<std::string, double> times;
};

// A benchmark that found a wrong result fails the run, so that the test of it can fail.
template <typename Reporter> class FailureNoting : public Reporter {
public:
    using Reporter::Reporter;
    bool failed = false;
    void ReportRuns(const std::vector<benchmark::BenchmarkReporter::Run>& runs) override
    {
        for (const auto& run : runs)
            failed = failed || failedRun(run);
        Reporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    bool table = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--table")
            table = true;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 2;
    FailureNoting<benchmark::ConsoleReporter> console(::isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                                              : benchmark::ConsoleReporter::OO_Tabular);
    FailureNoting<TableReporter> rows;
    if (table)
        benchmark::RunSpecifiedBenchmarks(&rows);
    else
        benchmark::RunSpecifiedBenchmarks(&console);
    benchmark::Shutdown();
    return console.failed || rows.failed ? 1 : 0;
}
