// The buffered file writer under arbitrary line lengths, several files at
// once and injected platform failures. An in-memory platform records every
// write next to a model of the buffer that says which writes must come.
#include "tests/fuzz/fuzz_input.h"
#include "toolkit/files.h"
#include "toolkit/files_platform.h"

#include <map>
#include <string>
#include <vector>

namespace {

constexpr size_t BUFFER_SIZE = 4096;

// One handle: what the platform saw, and what the model expects of it.
struct SpyFile {
    std::vector<std::string> writes, expected;
    std::string stored, given, pending; // bytes kept; every byte written; the model's buffer
    size_t failingWrite = 0;            // 1-based; 0: none fails
    bool shortWrite = false, closeFails = false, buffered = true, failed = false, closed = false;
};

std::vector<SpyFile> files; // handle - 1
std::map<ObjectNumber, intptr_t> open;
SpyFile next; // settings for the next file opened
bool refuseOpen = false;

intptr_t SpyOpen(const char*, FileMode mode) {
    FUZZ_CHECK(mode == FILE_MODE_CREATE);
    if (refuseOpen) {
        return 0;
    }
    files.push_back(next);
    return static_cast<intptr_t>(files.size());
}

bool SpyWrite(intptr_t handle, const char* bytes, int32_t length, int32_t* written) {
    SpyFile& file = files.at(handle - 1);
    FUZZ_CHECK(!file.closed && length > 0);
    file.writes.emplace_back(bytes, length);
    const bool fails = file.writes.size() == file.failingWrite;
    file.failed |= fails;
    *written = fails ? (file.shortWrite ? length - 1 : 0) : length;
    file.stored.append(bytes, *written);
    return !fails || file.shortWrite;
}

bool SpyClose(intptr_t handle) {
    SpyFile& file = files.at(handle - 1);
    FUZZ_CHECK(!file.closed);
    file.closed = true;
    return !file.closeFails;
}

const FilePlatform SPY_PLATFORM = {SpyOpen, SpyWrite, SpyClose};

void Flush(SpyFile& file) {
    if (!file.pending.empty()) {
        file.expected.push_back(file.pending);
        file.pending.clear();
    }
}

// Bytes wait in the buffer until the next text would fill it; a text of a
// whole buffer or more goes out on its own.
void Write(SpyFile& file, const std::string& text) {
    file.given += text;
    if (file.buffered && text.size() >= BUFFER_SIZE - file.pending.size()) {
        Flush(file);
    }
    if (file.buffered && text.size() < BUFFER_SIZE) {
        file.pending += text;
    } else {
        file.expected.push_back(text);
    }
}

void CheckWrites(const SpyFile& file) {
    FUZZ_CHECK(file.writes == file.expected && file.pending.size() < BUFFER_SIZE);
    FUZZ_CHECK(file.failed || file.stored + file.pending == file.given);
}

// Closing flushes the buffer; the result says whether every byte arrived.
int32_t ExpectClosed(ObjectNumber number) {
    SpyFile& file = files.at(open.at(number) - 1);
    open.erase(number);
    Flush(file);
    CheckWrites(file);
    FUZZ_CHECK(file.closed);
    return file.failed || file.closeFails ? 0 : 1;
}

ObjectNumber PickNumber(FuzzInput& in) {
    const uint8_t choice = in.Byte();
    if (choice % 2 == 0 && !open.empty()) {
        return std::next(open.begin(), choice / 2 % open.size())->first;
    }
    const ObjectNumber numbers[] = {0, 1, 2, 20, NUMBER_ANY, -2};
    return numbers[choice / 2 % 6];
}

// Without memory a numbered file within the table is written unbuffered.
// Claiming an open number closes that file first, even if the new one then
// cannot be opened.
void Open(FuzzInput& in) {
    const ObjectNumber number = PickNumber(in);
    const uint8_t options = in.Byte();
    const bool noMemory = options / 8 % 4 == 0 && number >= 0 && number < 16;
    refuseOpen = options % 8 == 0;
    next = SpyFile{};
    next.buffered = !noMemory;
    next.failingWrite = options / 32 % 2 ? in.Byte() % 12 : 0;
    next.shortWrite = options / 64 % 2;
    next.closeFails = options / 128 && in.Byte() % 4 == 0;
    const size_t before = files.size();
    const auto create = [number] { return FileCreate(number, "fuzz.cfg"); };
    const intptr_t result = noMemory ? WithoutMemory(create) : create();
    const bool opens = number >= NUMBER_ANY && !refuseOpen;
    FUZZ_CHECK(opens ? result != 0 && files.size() == before + 1
                     : result == 0 && files.size() == before);
    if (number >= NUMBER_ANY && open.count(number)) {
        ExpectClosed(number);
    }
    if (opens) {
        const intptr_t handle = static_cast<intptr_t>(files.size());
        const ObjectNumber opened =
            number == NUMBER_ANY ? static_cast<ObjectNumber>(result) : number;
        FUZZ_CHECK(number == NUMBER_ANY ? opened != NUMBER_ANY && !open.count(opened)
                                        : result == handle);
        open[opened] = handle;
    }
}

// Lengths cluster where the buffer's rules change.
void WriteLine(FuzzInput& in) {
    const ObjectNumber number = PickNumber(in);
    const auto found = open.find(number);
    SpyFile* file = found == open.end() ? nullptr : &files.at(found->second - 1);
    const size_t room = BUFFER_SIZE - (file ? file->pending.size() : 0);
    const uint8_t choice = in.Byte();
    const size_t lengths[] = {
        in.Byte() % 16u, room + 3 - std::min<size_t>(room + 3, choice / 4 % 7),
        BUFFER_SIZE - 3 + choice / 4 % 6, static_cast<uint32_t>(in.Int32()) % 10000u};
    const size_t length = lengths[choice % 4];
    std::string text(length, '\0');
    for (size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char>(1 + (i * 31 + in.at) % 255);
    }
    const bool failedBefore = file && file->failed;
    const int32_t count =
        FileWriteLine(number, length == 0 && (choice & 128) ? nullptr : text.c_str());
    if (!file) {
        FUZZ_CHECK(count == 0);
        return;
    }
    if (length) {
        Write(*file, text);
    }
    Write(*file, "\r\n");
    CheckWrites(*file);
    // A direct write that fails now counts what the platform reports.
    FUZZ_CHECK(count == static_cast<int32_t>(length + 2) || (file->failed && !failedBefore));
}

void Close(FuzzInput& in) {
    const ObjectNumber number = PickNumber(in);
    const bool wasOpen = open.count(number);
    const int32_t result = FileClose(number);
    FUZZ_CHECK(result == (wasOpen ? ExpectClosed(number) : 0));
}

void (*const operations[])(FuzzInput&) = {Open, WriteLine, WriteLine, Close};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    FUZZ_CHECK(FileLibraryInit());
    const FilePlatform* previous = FileSetPlatform(&SPY_PLATFORM);
    files.clear();
    open.clear();
    while (!in.Empty()) {
        operations[in.Byte() % 4](in);
    }
    FileCloseAll();
    while (!open.empty()) {
        ExpectClosed(open.begin()->first);
    }
    for (const SpyFile& file : files) {
        FUZZ_CHECK(file.closed);
    }
    FileSetPlatform(previous);
    return 0;
}
