// Save Config, Add and Compose at scale, each against a reference measured
// in the same run. Prints table rows: figure|value|reference|ratio|target.
//   script_bench save|add|compose [FOLDER]   (save writes to FOLDER, default ".")
#include "bench/bench_platform.h"
#include "script/catalogue.h"
#include "script/composer.h"
#include "script/config_files.h"
#include "script/script_list.h"
#include "toolkit/core/files_platform.h"
#include "toolkit/files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <new>
#include <random>
#include <string>
#include <vector>

// Every byte the program asks the heap for, counted on the way.
namespace {
size_t requestedBytes = 0;
}

void* operator new(std::size_t size) {
    requestedBytes += size;
    if (void* block = std::malloc(size ? size : 1)) {
        return block;
    }
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

namespace {

constexpr int SMALL = 100000;
constexpr int LARGE = 200000;
constexpr int REPEATS = 7;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Row(const std::string& figure, const std::string& value, const std::string& reference,
         double ratio, const char* target) {
    std::printf("%s (%s)|%s|%s|%.2f|%s\n", figure.c_str(), PLATFORM_NAME, value.c_str(),
                reference.c_str(), ratio, target);
}

std::string Ms(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", seconds * 1000);
    return text;
}

const char* PickFrom(const CatalogueTable& table, std::mt19937& random) {
    return table.rows[random() % table.rowCount].displayText;
}

// Readings as the window can give them: table texts and states 0 or 1.
SelectionReadings RandomReadings(std::mt19937& random) {
    SelectionReadings r;
    r.key = PickFrom(KeyTable, random);
    r.primary1 = PickFrom(PrimaryWeaponTable, random);
    r.primary2 = PickFrom(PrimaryWeaponTable, random);
    r.secondary1 = PickFrom(SecondaryWeaponTable, random);
    r.secondary2 = PickFrom(SecondaryWeaponTable, random);
    r.armour = PickFrom(ArmourTable, random);
    for (int32_t* state : {&r.primaryAmmo, &r.secondaryAmmo, &r.flashbang1, &r.flashbang2,
                           &r.heGrenade, &r.smokeGrenade, &r.nightvision, &r.defusalKit}) {
        *state = static_cast<int32_t>(random() % 2);
    }
    return r;
}

// Lines as Generate makes them, to be added over and over.
std::vector<std::string> SampleLines() {
    std::mt19937 random(1);
    BindLineComposer composer;
    std::vector<std::string> lines;
    while (lines.size() < 1000) {
        const std::string line = Compose(composer, RandomReadings(random));
        if (line != NOTHING_SELECTED_TEXT) {
            lines.push_back(line);
        }
    }
    return lines;
}

// The program keeps its lines until it ends; the bench builds many lists.
void FreeList(ScriptList& list) {
    ScriptLine* line = list.first;
    while (line != nullptr) {
        ScriptLine* next = line->next;
        delete line;
        line = next;
    }
    list = ScriptList{};
}

ScriptList BuildList(const std::vector<std::string>& sample, int count) {
    ScriptList list;
    for (int i = 0; i < count; ++i) {
        ScriptListAdd(list, sample[i % sample.size()]);
    }
    return list;
}

// Appends alone: the program never frees its lines while it runs.
double TimeAdds(const std::vector<std::string>& sample, int count) {
    HeapGiveBack();
    const Clock::time_point start = Clock::now();
    ScriptList list = BuildList(sample, count);
    const double seconds = SecondsSince(start);
    FreeList(list);
    return seconds;
}

// The same texts appended to a vector of strings.
double TimeVectorAppends(const std::vector<std::string>& sample, int count) {
    HeapGiveBack();
    std::vector<std::string> lines;
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i) {
        lines.push_back(sample[i % sample.size()]);
    }
    return SecondsSince(start);
}

void BenchAdd(const std::vector<std::string>& sample) {
    std::vector<double> small, large, vector;
    for (int i = 0; i < REPEATS; ++i) {
        small.push_back(TimeAdds(sample, SMALL));
        large.push_back(TimeAdds(sample, LARGE));
        vector.push_back(TimeVectorAppends(sample, SMALL));
    }
    Row("Add 100,000 lines", Ms(Median(small)), Ms(Median(vector)) + " std::vector<std::string>",
        Median(small) / Median(vector), "-");
    Row("Add 200,000 lines", Ms(Median(large)), Ms(Median(small)) + " for 100,000",
        Median(large) / Median(small), "1.8 to 2.2");

    size_t textBytes = 0;
    for (int i = 0; i < SMALL; ++i) {
        textBytes += sample[i % sample.size()].size();
    }
    const size_t heapBefore = HeapBytesInUse();
    const size_t requestedBefore = requestedBytes;
    ScriptList list = BuildList(sample, SMALL);
    const double requested = static_cast<double>(requestedBytes - requestedBefore);
    const double heap = static_cast<double>(HeapBytesInUse() - heapBefore);
    FreeList(list);
    char text[64];
    std::snprintf(text, sizeof text, "%.1f B", (requested - textBytes) / SMALL);
    Row("Add: heap asked for per line beyond its text (operator new)", text,
        std::to_string(textBytes / SMALL) + " B text per line",
        (requested - textBytes) / 64 / SMALL, "<= 64 B");
    std::snprintf(text, sizeof text, "%.1f B", (heap - textBytes) / SMALL);
    Row(std::string("Add: heap in use per line beyond its text (") + HEAP_MEASURE + ")", text,
        std::to_string(textBytes / SMALL) + " B text per line", (heap - textBytes) / 64 / SMALL,
        "<= 64 B");
}

std::string ReadWholeFile(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool SaveThroughWriter(const std::string& name, ScriptList& list) {
    if (!FileCreate(1, name.c_str())) {
        return false;
    }
    WriteBuyscriptLines(1, list);
    return FileClose(1) == 1;
}

// A platform that takes every write and keeps nothing: what the writer
// costs on its own.
intptr_t DiscardOpen(const char*, FileMode) {
    return 1;
}
bool DiscardWrite(intptr_t, const char*, int32_t length, int32_t* written) {
    *written = length;
    return true;
}
bool DiscardClose(intptr_t) {
    return true;
}
const FilePlatform DISCARD_PLATFORM = {DiscardOpen, DiscardWrite, DiscardClose};

bool SaveDiscarded(ScriptList& list) {
    const FilePlatform* previous = FileSetPlatform(&DISCARD_PLATFORM);
    const bool ok = SaveThroughWriter("discarded", list);
    FileSetPlatform(previous);
    return ok;
}

// What any writer of these lines must do: visit each and find its length.
size_t WalkLines(ScriptList& list) {
    size_t total = 0;
    ScriptListReset(list);
    while (const ScriptLine* line = ScriptListStep(list)) {
        total += std::strlen(line->text.c_str());
    }
    return total;
}

bool BenchSave(const std::vector<std::string>& sample, const std::string& folder) {
    // A file per size and writer: replacing a file costs in proportion to
    // the size it had.
    const std::string product[2] = {folder + "/bench-writer-1.cfg", folder + "/bench-writer-2.cfg"};
    const std::string raw[2] = {folder + "/bench-raw-1.cfg", folder + "/bench-raw-2.cfg"};
    ScriptList lists[2] = {BuildList(sample, SMALL), BuildList(sample, LARGE)};
    std::string bytes[2];
    bool ok = FileLibraryInit();
    for (int size = 0; size < 2 && ok; ++size) {
        ok = SaveThroughWriter(product[size], lists[size]) && RawWriteFile(raw[size].c_str(), "");
        bytes[size] = ReadWholeFile(product[size]);
    }
    // Interleaved, so that neither meets a cache or a disk state the other
    // left behind.
    std::vector<double> written[2], plain[2], discarded[2], walked;
    size_t walkedBytes = 0;
    for (int i = 0; i < REPEATS && ok; ++i) {
        for (int size = 0; size < 2 && ok; ++size) {
            const Clock::time_point start = Clock::now();
            ok = SaveThroughWriter(product[size], lists[size]);
            written[size].push_back(SecondsSince(start));
        }
        for (int size = 0; size < 2 && ok; ++size) {
            const Clock::time_point start = Clock::now();
            ok = RawWriteFile(raw[size].c_str(), bytes[size]);
            plain[size].push_back(SecondsSince(start));
        }
    }
    // The writer's own share, away from the disk's background work; it is
    // cheap, so more runs steady its median.
    for (int i = 0; i < 3 * REPEATS && ok; ++i) {
        for (int size = 0; size < 2 && ok; ++size) {
            const Clock::time_point start = Clock::now();
            ok = SaveDiscarded(lists[size]);
            discarded[size].push_back(SecondsSince(start));
        }
        const Clock::time_point start = Clock::now();
        walkedBytes += WalkLines(lists[0]);
        walked.push_back(SecondsSince(start));
    }
    for (int size = 0; size < 2; ++size) {
        ok = ok && ReadWholeFile(raw[size]) == bytes[size];
        std::remove(product[size].c_str());
        std::remove(raw[size].c_str());
    }
    ok = ok && walkedBytes > 0;
    for (ScriptList& list : lists) {
        FreeList(list);
    }
    if (!ok) {
        return false;
    }
    const double reference = Median(plain[0]);
    const double writer[2] = {Median(written[0]), Median(written[1])};
    Row("Save Config 100,000 lines (" + std::to_string(bytes[0].size() >> 20) + " MB)",
        Ms(writer[0]), Ms(reference) + " raw 4096-byte writes", writer[0] / reference, "<= 1.5");
    Row("  of which the writer alone (writes discarded)", Ms(Median(discarded[0])),
        Ms(reference) + " raw 4096-byte writes", Median(discarded[0]) / reference, "-");
    Row("  of which walking the lines (strlen each)", Ms(Median(walked)),
        Ms(reference) + " raw 4096-byte writes", Median(walked) / reference, "-");
    Row("Save Config 200,000 lines", Ms(writer[1]), Ms(writer[0]) + " for 100,000",
        writer[1] / writer[0], "1.8 to 2.2");
    Row("  the writer alone, 200,000 lines", Ms(Median(discarded[1])),
        Ms(Median(discarded[0])) + " for 100,000", Median(discarded[1]) / Median(discarded[0]),
        "1.8 to 2.2");
    Row("  raw writes of the same bytes, 200,000 lines", Ms(Median(plain[1])),
        Ms(reference) + " for 100,000", Median(plain[1]) / reference, "-");
    return true;
}

// Calls per second over a mix of readings, against copying a line of the
// same length.
void BenchCompose() {
    std::mt19937 random(2);
    std::vector<SelectionReadings> readings;
    for (int i = 0; i < 256; ++i) {
        readings.push_back(RandomReadings(random));
    }
    BindLineComposer composer;
    size_t keep = 0;
    const auto rate = [&](auto call) {
        long calls = 0;
        const Clock::time_point start = Clock::now();
        double seconds = 0;
        while ((seconds = SecondsSince(start)) < 1.0) {
            for (int i = 0; i < 1024; ++i, ++calls) {
                keep += call(readings[calls % readings.size()]).size();
            }
        }
        return calls / seconds;
    };
    std::vector<std::string> lines;
    for (const SelectionReadings& r : readings) {
        lines.push_back(Compose(composer, r));
    }
    const double compose = rate([&](const SelectionReadings& r) { return Compose(composer, r); });
    size_t next = 0;
    const double copy =
        rate([&](const SelectionReadings&) { return std::string(lines[next++ % lines.size()]); });
    char value[64], reference[64];
    std::snprintf(value, sizeof value, "%.0f calls/s", compose);
    std::snprintf(reference, sizeof reference, "%.0f line copies/s", copy);
    Row("Compose", value, reference, copy / compose, "-");
    if (keep == 0) {
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string section = argc > 1 ? argv[1] : "";
    const std::string folder = argc > 2 ? argv[2] : ".";
    const std::vector<std::string> sample = SampleLines();
    // One section per process, so that each starts from a fresh heap.
    if (section == "save") {
        if (!BenchSave(sample, folder)) {
            std::fprintf(stderr, "Save Config could not write to %s\n", folder.c_str());
            return 1;
        }
    } else if (section == "add") {
        BenchAdd(sample);
    } else if (section == "compose") {
        BenchCompose();
    } else {
        std::fprintf(stderr, "usage: script_bench save|add|compose [FOLDER]\n");
        return 2;
    }
    return 0;
}
