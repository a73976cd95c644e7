// Opening and saving large card files in memory, and what reading an encrypted file costs beside
// deciphering its body alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cardstore/cardfile.h"
#include "cardstore/cardstore.h"
#include "cardstore/passwordkey.h"

namespace {

constexpr char kPassword[] = "benchmark password";

// Typical cards: a short name, user ID and password (texts that fit in a string's own storage), a web
// address, and a one-line note on every third card.
std::unique_ptr<CCardStore> MakeDocument(int cards) {
    auto store = std::make_unique<CCardStore>();
    for (int i = 0; i < cards; ++i) {
        auto card = std::make_unique<CCard>();
        const int category = i % CATEGORY_COUNT;
        card->SetCategory(std::string(kCategories[static_cast<size_t>(category)].name));
        card->SetDate("12/31/2024");
        card->SetField1("Account " + std::to_string(i));
        card->SetField2("https://www.example.com/login/" + std::to_string(i * 7));
        card->SetField3("user" + std::to_string(i));
        card->SetField4("p4ss-" + std::to_string(i * 31 % 100000));
        card->SetNote(i % 3 == 0 ? "Changed on the first of the month; ask the desk for a reset." : "");
        card->SetAutoAccess(i % 2);
        store->GetCategoryArray(category).AddCard(std::move(card));
    }
    store->m_strPassword = kPassword;
    return store;
}

std::vector<uint8_t> SavedFile(CCardStore& store, bool encrypted) {
    CMemorySink sink;
    if (!(encrypted ? SaveEncrypted(store, sink, {}) : SavePlain(store, sink, {}))) {
        std::fprintf(stderr, "save failed\n");
        std::abort();
    }
    return sink.m_bytes;
}

// Saving writes the check value into the document, so it is not const.
CCardStore& Document(int cards) {
    static std::map<int, std::unique_ptr<CCardStore>> documents;
    auto& doc = documents[cards];
    if (!doc) {
        doc = MakeDocument(cards);
    }
    return *doc;
}

const std::vector<uint8_t>& File(int cards, bool encrypted) {
    static std::map<std::pair<int, bool>, std::vector<uint8_t>> files;
    auto& file = files[{cards, encrypted}];
    if (file.empty()) {
        file = SavedFile(Document(cards), encrypted);
    }
    return file;
}

void BM_Save(benchmark::State& state, bool encrypted) {
    CCardStore& store = Document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CMemorySink sink;
        sink.m_bytes.reserve(File(static_cast<int>(state.range(0)), encrypted).size());
        const bool ok = encrypted ? SaveEncrypted(store, sink, {}) : SavePlain(store, sink, {});
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(sink.m_bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(File(static_cast<int>(state.range(0)), encrypted).size()));
}

void BM_Open(benchmark::State& state, bool encrypted) {
    const std::vector<uint8_t>& file = File(static_cast<int>(state.range(0)), encrypted);
    const PasswordPrompt prompt = [] { return std::optional<std::string>(kPassword); };
    for (auto _ : state) {
        auto store = std::make_unique<CCardStore>();
        const bool ok = LoadCardFile(*store, file, prompt, {});
        benchmark::DoNotOptimize(ok);
        // Closing the document is not part of reading it.
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}

void BM_DecipherBody(benchmark::State& state) {
    const std::vector<uint8_t>& file = File(static_cast<int>(state.range(0)), true);
    std::vector<uint8_t> body(file.begin() + kHeaderSize, file.end());
    for (auto _ : state) {
        DecryptBuffer(kPassword, static_cast<uint32_t>(body.size() / 8), body.data());
        benchmark::DoNotOptimize(body.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(body.size()));
}

// The two costs side by side, iteration by iteration, so that a change in the machine's load between
// the separate benchmarks does not move the ratio. The fastest of each is the least disturbed.
struct Interleaved {
    double openMin = 1e30;
    double decipherMin = 1e30;
};
Interleaved g_interleaved;

// Processor time of this thread: other programs on a busy machine do not count.
double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

void BM_OpenVersusDecipher(benchmark::State& state) {
    const std::vector<uint8_t>& file = File(static_cast<int>(state.range(0)), true);
    std::vector<uint8_t> body(file.begin() + kHeaderSize, file.end());
    const PasswordPrompt prompt = [] { return std::optional<std::string>(kPassword); };
    for (auto _ : state) {
        const double t0 = ThreadCpuMs();
        DecryptBuffer(kPassword, static_cast<uint32_t>(body.size() / 8), body.data());
        benchmark::DoNotOptimize(body.data());
        const double t1 = ThreadCpuMs();
        auto store = std::make_unique<CCardStore>();
        benchmark::DoNotOptimize(LoadCardFile(*store, file, prompt, {}));
        const double t2 = ThreadCpuMs();
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
        g_interleaved.decipherMin = std::min(g_interleaved.decipherMin, t1 - t0);
        g_interleaved.openMin = std::min(g_interleaved.openMin, t2 - t1);
    }
}

// Keeps each run's time per iteration so the ratio can be printed after the table.
class CRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv) {
    for (int cards : {10000, 100000}) {
        for (bool encrypted : {false, true}) {
            const char* kind = encrypted ? "Encrypted" : "Plain";
            benchmark::RegisterBenchmark((std::string("Open") + kind).c_str(), BM_Open, encrypted)
                ->Arg(cards)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark((std::string("Save") + kind).c_str(), BM_Save, encrypted)
                ->Arg(cards)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RegisterBenchmark("DecipherBody", BM_DecipherBody)->Arg(100000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("OpenVersusDecipher", BM_OpenVersusDecipher)
        ->Arg(100000)
        ->Iterations(30)
        ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto open = reporter.m_times.find("OpenEncrypted/100000");
    const auto decipher = reporter.m_times.find("DecipherBody/100000");
    if (open != reporter.m_times.end() && decipher != reporter.m_times.end() && decipher->second > 0) {
        std::printf(
            "Separate benchmarks: reading an encrypted 100000-card file costs %.3fx deciphering its body "
            "alone (target: at most 1.25x)\n",
            open->second / decipher->second);
    }
    if (g_interleaved.decipherMin < 1e30) {
        std::printf(
            "Interleaved, fastest of each: open %.2f ms, decipher %.2f ms: %.3fx (target: at most 1.25x)\n",
            g_interleaved.openMin, g_interleaved.decipherMin,
            g_interleaved.openMin / g_interleaved.decipherMin);
    }
    return 0;
}
