// Lookups, loads and saves of a store of 100 000 keys (10 000 sections of 10 keys, the shape of a large event
// store), each against a reference measured in the same run: lookups against the plain first-match scan over the
// same content, the load against pugixml reading the same file (load_file) and the same bytes from memory
// (load_buffer), the save against a plain durable write of the same bytes (temporary file, fsync, rename, fsync of
// the folder): saved again unchanged, after one changed value (a save copies the unchanged sections from the last
// document it wrote), and the first save after a load (nothing to copy from). The ratios are printed after the
// table.
#include "store/XMLIniFile.h"

#include <QByteArrayList>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
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
// One value changed in one section, and saved: what a firing or an edit costs. The value alternates between two of
// the same length, so the document keeps its size.
void SaveOneChange(benchmark::State& state) {
    Fixture& f = fixture();
    f.store->UpdateFile();
    QRandomGenerator random(7);
    int round = 0;
    for (auto _ : state) {
        const int s = int(random.bounded(sectionCount));
        f.store->WriteString(QByteArray::number(s), keyNames[1],
                             ++round % 2 ? "value changed & MORE" : "value changed & more");
    }
    state.SetBytesProcessed(state.iterations() * f.store->GetXML().size());
}
// The first save of a store just loaded: nothing saved before to copy from, so every section is written.
void SaveFirstAfterLoad(benchmark::State& state) {
    Fixture& f = fixture();
    f.store->UpdateFile();
    for (auto _ : state) {
        state.PauseTiming();
        auto loaded = std::make_unique<TXMLIniFile>(f.store->FileName());
        state.ResumeTiming();
        loaded->UpdateFile();
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * f.store->GetXML().size());
}
void LoadFromDisk(benchmark::State& state) {
    Fixture& f = fixture();
    f.store->UpdateFile();
    for (auto _ : state) {
        auto loaded = std::make_unique<TXMLIniFile>(f.store->FileName());
        benchmark::DoNotOptimize(loaded->HasSection("9999"));
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(f.store->FileName()).size());
}

void PugixmlLoadFile(benchmark::State& state) {
    Fixture& f = fixture();
    f.store->UpdateFile();
    const QByteArray path = QFile::encodeName(f.store->FileName());
    for (auto _ : state) {
        auto document = std::make_unique<pugi::xml_document>();
        if (!document->load_file(path.constData()))
            state.SkipWithError("pugixml refused the document");
        benchmark::DoNotOptimize(document->first_child());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(f.store->FileName()).size());
}

void PugixmlLoadBuffer(benchmark::State& state) {
    Fixture& f = fixture();
    const QByteArray bytes = f.store->GetXML();
    for (auto _ : state) {
        auto document = std::make_unique<pugi::xml_document>();
        if (!document->load_buffer(bytes.constData(), std::size_t(bytes.size())))
            state.SkipWithError("pugixml refused the document");
        benchmark::DoNotOptimize(document->first_child());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// What any careful program does to replace a file: the bytes into a fresh file beside it, fsync, rename over the
// old one, fsync of the folder.
void PlainDurableWrite(benchmark::State& state) {
    Fixture& f = fixture();
    const QByteArray bytes = f.store->GetXML();
    const QByteArray target = QFile::encodeName(f.dir.filePath(QStringLiteral("plain.xml")));
    const QByteArray temporary = target + ".tmp";
    const QByteArray folder = QFile::encodeName(f.dir.path());
    for (auto _ : state) {
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        bool ok = fd >= 0 && ::write(fd, bytes.constData(), std::size_t(bytes.size())) == bytes.size();
        ok = fd >= 0 && ::fsync(fd) == 0 && ok;
        ok = fd >= 0 && ::close(fd) == 0 && ok;
        ok = ok && ::rename(temporary.constData(), target.constData()) == 0;
        const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ok = ok && dir >= 0 && ::fsync(dir) == 0;
        if (dir >= 0)
            ::close(dir);
        if (!ok)
            state.SkipWithError("the plain write failed");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// The heap a loaded store keeps, against the size of its file.
void LoadedStoreHeap(benchmark::State& state) {
    Fixture& f = fixture();
    f.store->UpdateFile();
    const double fileSize = double(QFileInfo(f.store->FileName()).size());
    double held = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        auto loaded = std::make_unique<TXMLIniFile>(f.store->FileName());
        held = double(mallinfo2().uordblks - before);
        benchmark::DoNotOptimize(loaded->HasSection("1"));
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    state.counters["held_MiB"] = held / (1024 * 1024);
    state.counters["file_MiB"] = fileSize / (1024 * 1024);
    state.counters["held_per_file_byte"] = held / fileSize;
}

// The console table, then each measured figure over its reference from the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        ratio("load", "LoadFromDisk", "PugixmlLoadFile");
        ratio("load", "LoadFromDisk", "PugixmlLoadBuffer");
        ratio("save", "SaveToDisk", "PlainDurableWrite");
        ratio("save", "SaveOneChange", "PlainDurableWrite");
        ratio("save", "SaveFirstAfterLoad", "PlainDurableWrite");
        ratio("ReadString hit", "ReadStringHit", "LinearScanHit");
    }

private:
    void ratio(const char* what, const std::string& measured, const std::string& reference) const {
        const auto m = m_times.find(measured);
        const auto r = m_times.find(reference);
        if (m == m_times.end() || r == m_times.end() || r->second.first <= 0 || r->second.second <= 0)
            return;
        std::printf("%-16s %-14s / %-18s real %.2fx  cpu %.2fx\n", what, measured.c_str(), reference.c_str(),
                    m->second.first / r->second.first, m->second.second / r->second.second);
    }
    std::map<std::string, std::pair<double, double>> m_times;
};

} // namespace

BENCHMARK(ReadStringHit);
BENCHMARK(LinearScanHit);
BENCHMARK(ReadStringHitHot);
BENCHMARK(ReadStringMiss);
BENCHMARK(LinearScanMiss);
BENCHMARK(HasKeyIgnoringCase);
BENCHMARK(BuildDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveToDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveOneChange)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveFirstAfterLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainDurableWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadFromDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlLoadFile)->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlLoadBuffer)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadedStoreHeap)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
