// Throughput of the card store's cipher and digest against OpenSSL on the same buffers, in one run.
// The ratios (ours / OpenSSL) printed at the end come from the medians of this run's repetitions.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/blowfish.h>
#include <openssl/sha.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "cardstore/blowfish.h"
#include "cardstore/sha1.h"

namespace {

const std::vector<uint8_t> kKeyBytes = {'b', 'e', 'n', 'c', 'h', ' ', 'p', 'a', 's', 's', 'w', 'o', 'r', 'd'};

std::vector<uint8_t> RandomBuffer(size_t n) {
    std::mt19937 rng(42);
    std::vector<uint8_t> v(n);
    for (auto& b : v) {
        b = static_cast<uint8_t>(rng());
    }
    return v;
}

void BfOurs(benchmark::State& state, bool encrypt) {
    BlowfishKey key;
    BlowfishSetKey(key, kKeyBytes.data(), kKeyBytes.size());
    auto buffer = RandomBuffer(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        if (encrypt) {
            BlowfishEncryptEcb(key, buffer.data(), buffer.size() / 8);
        } else {
            BlowfishDecryptEcb(key, buffer.data(), buffer.size() / 8);
        }
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void BfOpenSsl(benchmark::State& state, bool encrypt) {
    BF_KEY key;
    BF_set_key(&key, static_cast<int>(kKeyBytes.size()), kKeyBytes.data());
    auto buffer = RandomBuffer(static_cast<size_t>(state.range(0)));
    const int mode = encrypt ? BF_ENCRYPT : BF_DECRYPT;
    for (auto _ : state) {
        for (size_t off = 0; off < buffer.size(); off += 8) {
            BF_ecb_encrypt(buffer.data() + off, buffer.data() + off, &key, mode);
        }
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void Sha1Ours(benchmark::State& state) {
    const auto buffer = RandomBuffer(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        Sha1Context ctx;
        Sha1Init(ctx);
        Sha1Update(ctx, buffer.data(), buffer.size());
        benchmark::DoNotOptimize(Sha1Final(ctx));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void Sha1OpenSsl(benchmark::State& state) {
    const auto buffer = RandomBuffer(static_cast<size_t>(state.range(0)));
    unsigned char digest[SHA_DIGEST_LENGTH];
    for (auto _ : state) {
        SHA1(buffer.data(), buffer.size(), digest);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

// Benchmarks are named "<what>_ours/<size>" and "<what>_openssl/<size>"; a pair shares what and size.
void RegisterAll() {
    for (const int64_t size : {int64_t{64} << 10, int64_t{1} << 20}) {
        benchmark::RegisterBenchmark("BfEncrypt_ours", BfOurs, true)->Arg(size);
        benchmark::RegisterBenchmark("BfEncrypt_openssl", BfOpenSsl, true)->Arg(size);
        benchmark::RegisterBenchmark("BfDecrypt_ours", BfOurs, false)->Arg(size);
        benchmark::RegisterBenchmark("BfDecrypt_openssl", BfOpenSsl, false)->Arg(size);
        benchmark::RegisterBenchmark("Sha1_ours", Sha1Ours)->Arg(size);
        benchmark::RegisterBenchmark("Sha1_openssl", Sha1OpenSsl)->Arg(size);
    }
}

// Passes everything to the console and keeps each repetition's bytes per second.
class CRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // Single repetitions, or the median aggregate when only aggregates are reported.
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median)) {
                continue;
            }
            const auto it = run.counters.find("bytes_per_second");
            if (it == run.counters.end()) {
                continue;
            }
            const std::string& name = run.run_name.function_name;
            const size_t cut = name.rfind('_');
            if (cut == std::string::npos) {
                continue;
            }
            const std::string pair = name.substr(0, cut) + "/" + run.run_name.args;
            auto& samples = median ? m_medians : m_samples;
            samples[pair][name.substr(cut + 1)].push_back(it->second.value);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        std::printf("\n%-22s %14s %14s %8s\n", "median of this run", "ours MB/s", "OpenSSL MB/s", "ratio");
        for (const auto& [pair, impls] : m_medians.empty() ? m_samples : m_medians) {
            const auto ours = impls.find("ours");
            const auto theirs = impls.find("openssl");
            if (ours == impls.end() || theirs == impls.end()) {
                continue;
            }
            const double a = Median(ours->second) / 1e6;
            const double b = Median(theirs->second) / 1e6;
            std::printf("%-22s %14.1f %14.1f %8.2f\n", pair.c_str(), a, b, b > 0 ? a / b : 0.0);
        }
    }

private:
    static double Median(std::vector<double> v) {
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }

    using Samples = std::map<std::string, std::map<std::string, std::vector<double>>>;
    Samples m_samples;
    Samples m_medians;
};

} // namespace

int main(int argc, char** argv) {
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
