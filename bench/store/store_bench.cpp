// Lookups and saves of a store of 100 000 keys (10 000 sections of 10 keys, the shape of a large event store),
// against the plain first-match scan over the same content, measured in the same run.
#include "store/XMLIniFile.h"

#include <QByteArrayList>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int sectionCount = 10000;
constexpr int keysPerSection = 10;
const QByteArrayList keyNames = {"kind",  "date",   "linecount", "0",      "1",
                                 "sound", "repeat", "Days",      "Months", "category"};

QByteArray valueOf(int section, int key) {
    return "value " + QByteArray::number(section) + '/' + QByteArray::number(key) + " & more text";
}

// The lookup every read once was: walk the sections, then the keys, take the first match.
class LinearStore {
public:
    void write(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
        Section* found = find(section);
        if (!found) {
            m_sections.push_back({section, {}});
            found = &m_sections.back();
        }
        for (auto& data : found->keys) {
            if (data.first == key) {
                data.second = value;
                return;
            }
        }
        found->keys.emplace_back(key, value);
    }
    QByteArray read(const QByteArray& section, const QByteArray& key, const QByteArray& defaultValue) const {
        if (const Section* found = find(section)) {
            for (const auto& data : found->keys) {
                if (data.first == key)
                    return data.second;
            }
        }
        return defaultValue;
    }

private:
    struct Section {
        QByteArray name;
        std::vector<std::pair<QByteArray, QByteArray>> keys;
    };
    Section* find(const QByteArray& name) {
        for (Section& s : m_sections) {
            if (s.name == name)
                return &s;
        }
        return nullptr;
    }
    const Section* find(const QByteArray& name) const { return const_cast<LinearStore*>(this)->find(name); }
    std::vector<Section> m_sections;
};

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<TXMLIniFile> store;
    LinearStore linear;
    std::vector<std::pair<QByteArray, QByteArray>> hits;
    std::vector<std::pair<QByteArray, QByteArray>> misses;

    Fixture() {
        store = std::make_unique<TXMLIniFile>(dir.filePath(QStringLiteral("Alarms.xml")));
        {
            TXMLIniFile::Batch batch(*store);
            for (int s = 0; s < sectionCount; ++s) {
                for (int k = 0; k < keysPerSection; ++k) {
                    store->WriteString(QByteArray::number(s), keyNames[k], valueOf(s, k));
                    linear.write(QByteArray::number(s), keyNames[k], valueOf(s, k));
                }
            }
            batch.commit();
        }
        QRandomGenerator random(42);
        for (int i = 0; i < 4096; ++i) {
            const int s = int(random.bounded(sectionCount));
            hits.emplace_back(QByteArray::number(s), keyNames[int(random.bounded(keysPerSection))]);
            // Half the misses lack the key, half the section: both cost the naive scan its longest walk.
            misses.emplace_back(i % 2 ? QByteArray::number(s) : QByteArray::number(sectionCount + s), "nokey");
        }
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

template <class Read>
void readLoop(benchmark::State& state, const std::vector<std::pair<QByteArray, QByteArray>>& queries, Read read) {
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& q = queries[i++ & 4095];
        benchmark::DoNotOptimize(read(q.first, q.second));
    }
}

void ReadStringHit(benchmark::State& state) {
    Fixture& f = fixture();
    readLoop(state, f.hits, [&](const QByteArray& s, const QByteArray& k) { return f.store->ReadString(s, k, {}); });
}
void ReadStringHitHot(benchmark::State& state) {
    Fixture& f = fixture();
    const std::vector<std::pair<QByteArray, QByteArray>> few(f.hits.begin(), f.hits.begin() + 16);
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& q = few[i++ & 15];
        benchmark::DoNotOptimize(f.store->ReadString(q.first, q.second, {}));
    }
}
void ReadStringMiss(benchmark::State& state) {
    Fixture& f = fixture();
    readLoop(state, f.misses, [&](const QByteArray& s, const QByteArray& k) { return f.store->ReadString(s, k, {}); });
}
void LinearScanHit(benchmark::State& state) {
    Fixture& f = fixture();
    readLoop(state, f.hits, [&](const QByteArray& s, const QByteArray& k) { return f.linear.read(s, k, {}); });
}
void LinearScanMiss(benchmark::State& state) {
    Fixture& f = fixture();
    readLoop(state, f.misses, [&](const QByteArray& s, const QByteArray& k) { return f.linear.read(s, k, {}); });
}
void HasKeyIgnoringCase(benchmark::State& state) {
    Fixture& f = fixture();
    readLoop(state, f.hits, [&](const QByteArray& s, const QByteArray& k) { return f.store->HasKey(s, k.toUpper()); });
}

void BuildDocument(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.store->GetXML());
    state.SetBytesProcessed(state.iterations() * f.store->GetXML().size());
}
void SaveToDisk(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        f.store->UpdateFile();
    state.SetBytesProcessed(state.iterations() * f.store->GetXML().size());
}
void LoadFromDisk(benchmark::State& state) {
    Fixture& f = fixture();
    f.store->UpdateFile();
    for (auto _ : state) {
        // Read only: a loaded store would save again when destroyed.
        auto loaded = std::make_unique<TXMLIniFile>(f.store->FileName());
        benchmark::DoNotOptimize(loaded->ReadSections().size());
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(ReadStringHit);
BENCHMARK(LinearScanHit);
BENCHMARK(ReadStringHitHot);
BENCHMARK(ReadStringMiss);
BENCHMARK(LinearScanMiss);
BENCHMARK(HasKeyIgnoringCase);
BENCHMARK(BuildDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveToDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadFromDisk)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
