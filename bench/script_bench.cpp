// Save Config, Add and Compose at scale, each against a reference measured
// in the same run. Prints table rows: figure|value|reference|ratio|target.
//   script_bench [FOLDER]   (files are written to FOLDER, default ".")
#include "bench/bench_platform.h"
#include "script/catalogue.h"
#include "script/composer.h"
#include "script/config_files.h"
#include "script/script_list.h"
#include "toolkit/files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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
constexpr int REPEATS = 5;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

template <typename Run> double MedianSeconds(Run run) {
    std::vector<double> times;
    for (int i = 0; i < REPEATS; ++i) {
        const Clock::time_point start = Clock::now();
        run();
        times.push_back(SecondsSince(start));
    }
    std::sort(times.begin(), times.end());
    return times[REPEATS / 2];
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

ScriptList BuildList(const std::vector<std::string>& sample, int count) {
    ScriptList list;
    for (int i = 0; i < count; ++i) {
        ScriptListAdd(list, sample[i % sample.size()]);
    }
    return list;
}

void BenchAdd(const std::vector<std::string>& sample) {
    double seconds[2] = {};
    const int counts[2] = {SMALL, LARGE};
    for (int size = 0; size < 2; ++size) {
        seconds[size] = MedianSeconds([&] {
            ScriptList list = BuildList(sample, counts[size]);
            ScriptListFree(list);
        });
    }
    // The same texts appended to a vector of strings.
    const double vector = MedianSeconds([&] {
        std::vector<std::string> lines;
        for (int i = 0; i < SMALL; ++i) {
            lines.push_back(sample[i % sample.size()]);
        }
    });
    Row("Add 100,000 lines", Ms(seconds[0]), Ms(vector) + " std::vector<std::string>",
        seconds[0] / vector, "-");
    Row("Add 200,000 lines", Ms(seconds[1]), Ms(seconds[0]) + " for 100,000",
        seconds[1] / seconds[0], "1.8 to 2.2");

    size_t textBytes = 0;
    for (int i = 0; i < SMALL; ++i) {
        textBytes += sample[i % sample.size()].size();
    }
    const size_t heapBefore = HeapBytesInUse();
    const size_t requestedBefore = requestedBytes;
    ScriptList list = BuildList(sample, SMALL);
    const double requested = static_cast<double>(requestedBytes - requestedBefore);
    const double heap = static_cast<double>(HeapBytesInUse() - heapBefore);
    ScriptListFree(list);
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

bool BenchSave(const std::vector<std::string>& sample, const std::string& folder) {
    const std::string product = folder + "/bench-writer.cfg";
    const std::string raw = folder + "/bench-raw.cfg";
    double seconds[2] = {};
    double reference = 0;
    const int counts[2] = {SMALL, LARGE};
    bool ok = FileLibraryInit();
    for (int size = 0; size < 2 && ok; ++size) {
        ScriptList list = BuildList(sample, counts[size]);
        ok = SaveThroughWriter(product, list);
        const std::string bytes = ReadWholeFile(product);
        // Alternate the two so that neither meets a cache the other warmed.
        std::vector<double> writer, plain;
        for (int i = 0; i < REPEATS && ok; ++i) {
            Clock::time_point start = Clock::now();
            ok = SaveThroughWriter(product, list);
            writer.push_back(SecondsSince(start));
            start = Clock::now();
            ok = ok && RawWriteFile(raw.c_str(), bytes);
            plain.push_back(SecondsSince(start));
        }
        ok = ok && ReadWholeFile(raw) == bytes;
        std::sort(writer.begin(), writer.end());
        std::sort(plain.begin(), plain.end());
        seconds[size] = writer[REPEATS / 2];
        if (size == 0) {
            reference = plain[REPEATS / 2];
            Row("Save Config 100,000 lines (" + std::to_string(bytes.size() >> 20) + " MB)",
                Ms(seconds[0]), Ms(reference) + " raw 4096-byte writes", seconds[0] / reference,
                "<= 1.5");
        }
        ScriptListFree(list);
    }
    std::remove(product.c_str());
    std::remove(raw.c_str());
    if (ok) {
        Row("Save Config 200,000 lines", Ms(seconds[1]), Ms(seconds[0]) + " for 100,000",
            seconds[1] / seconds[0], "1.8 to 2.2");
    }
    return ok;
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
    const std::string folder = argc > 1 ? argv[1] : ".";
    const std::vector<std::string> sample = SampleLines();
    BenchCompose();
    BenchAdd(sample);
    if (!BenchSave(sample, folder)) {
        std::fprintf(stderr, "Save Config could not write to %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
