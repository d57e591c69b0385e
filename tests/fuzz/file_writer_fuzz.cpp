// The buffered file writer under arbitrary line lengths, several files at
// once and injected platform failures. An in-memory platform records every
// write; a model of the buffer says which writes must reach it and when.
#include "tests/fuzz/fuzz_input.h"
#include "toolkit/files.h"
#include "toolkit/files_platform.h"
#include "toolkit/memory.h"

#include <map>
#include <string>
#include <vector>

namespace {

constexpr size_t BUFFER_SIZE = 4096;

// What the platform saw of one handle.
struct SpyFile {
    std::vector<std::string> writes; // as asked for
    std::string bytes;               // as stored
    size_t writeToFail = 0;          // 1-based; 0: none fails
    bool shortInsteadOfFailing = false;
    bool closeFails = false;
    bool failed = false;
    bool closed = false;
};

struct Spy {
    std::map<intptr_t, SpyFile> files;
    intptr_t nextHandle = 1;
    int32_t opens = 0;
    bool refuseOpen = false;
    SpyFile settings; // applied to the next file opened
} spy;

intptr_t SpyOpen(const char*, FileMode mode) {
    FUZZ_CHECK(mode == FILE_MODE_CREATE);
    ++spy.opens;
    if (spy.refuseOpen) {
        return 0;
    }
    const intptr_t handle = spy.nextHandle++;
    spy.files[handle] = spy.settings;
    return handle;
}

bool SpyWrite(intptr_t handle, const char* bytes, int32_t length, int32_t* written) {
    SpyFile& file = spy.files.at(handle);
    FUZZ_CHECK(!file.closed && length > 0);
    file.writes.emplace_back(bytes, static_cast<size_t>(length));
    bool ok = true;
    *written = length;
    if (file.writes.size() == file.writeToFail) {
        file.failed = true;
        ok = file.shortInsteadOfFailing;
        *written = ok ? length - 1 : 0;
    }
    file.bytes.append(bytes, static_cast<size_t>(*written));
    return ok;
}

bool SpyClose(intptr_t handle) {
    SpyFile& file = spy.files.at(handle);
    FUZZ_CHECK(!file.closed);
    file.closed = true;
    return !file.closeFails;
}

const FilePlatform SPY_PLATFORM = {SpyOpen, SpyWrite, SpyClose};

// One open file as the writer promises to treat it: bytes wait in the
// buffer until the next text would fill it; a text of a whole buffer or
// more is written on its own.
struct ModelFile {
    intptr_t handle = 0;
    bool buffered = true;
    std::string pending;
    std::vector<std::string> writes;

    void Write(const std::string& text) {
        if (!buffered) {
            writes.push_back(text);
            return;
        }
        if (text.size() >= BUFFER_SIZE - pending.size()) {
            Flush();
            if (text.size() >= BUFFER_SIZE) {
                writes.push_back(text);
                return;
            }
        }
        pending += text;
    }

    void Flush() {
        if (!pending.empty()) {
            writes.push_back(pending);
            pending.clear();
        }
    }
};

std::map<ObjectNumber, ModelFile> model;

// The platform has seen exactly the writes the model expects so far, and
// every byte given is either there or in a buffer that is not full.
void CheckWrites(const ModelFile& file) {
    const SpyFile& seen = spy.files.at(file.handle);
    FUZZ_CHECK(seen.writes == file.writes);
    FUZZ_CHECK(file.pending.size() < BUFFER_SIZE);
    if (!seen.failed) {
        std::string expected;
        for (const std::string& write : file.writes) {
            expected += write;
        }
        FUZZ_CHECK(seen.bytes == expected);
    }
}

// Closing flushes the buffer; the result says whether every byte arrived.
int32_t ExpectClosed(ObjectNumber number) {
    ModelFile& file = model.at(number);
    file.Flush();
    CheckWrites(file);
    const SpyFile& seen = spy.files.at(file.handle);
    FUZZ_CHECK(seen.closed);
    const int32_t complete = seen.failed || seen.closeFails ? 0 : 1;
    model.erase(number);
    return complete;
}

MemoryOperations ample;
void* RefuseAllocate(size_t) {
    return nullptr;
}
void* RefuseResize(void*, size_t) {
    return nullptr;
}
void ReleaseAsBefore(void* block) {
    ample.release(block);
}

ObjectNumber PickNumber(FuzzInput& in) {
    const uint8_t choice = in.Byte();
    if (choice % 2 == 0 && !model.empty()) {
        auto at = model.begin();
        std::advance(at, choice / 2 % model.size());
        return at->first;
    }
    const ObjectNumber numbers[] = {0, 1, 2, 20, NUMBER_ANY, -2};
    return numbers[choice / 2 % 6];
}

void Open(FuzzInput& in) {
    const ObjectNumber number = PickNumber(in);
    const uint8_t options = in.Byte();
    spy.refuseOpen = options % 8 == 0;
    // Without memory the buffer cannot be had and the file is written
    // unbuffered; an issued record cannot be had either.
    const bool noMemory = options / 8 % 4 == 0 && number >= 0 && number < 16;
    spy.settings = SpyFile{};
    spy.settings.writeToFail = options / 32 % 2 ? in.Byte() % 12 : 0;
    spy.settings.shortInsteadOfFailing = options / 64 % 2;
    spy.settings.closeFails = options / 128 % 2 && in.Byte() % 4 == 0;

    const int32_t opensBefore = spy.opens;
    intptr_t result = 0;
    if (noMemory) {
        ample = MemorySetOperations({RefuseAllocate, RefuseResize, ReleaseAsBefore});
        result = FileCreate(number, "fuzz.cfg");
        MemorySetOperations(ample);
    } else {
        result = FileCreate(number, "fuzz.cfg");
    }

    if (number < NUMBER_ANY) {
        FUZZ_CHECK(result == 0 && spy.opens == opensBefore);
        return;
    }
    // Claiming an open number closes that file first, even if the new one
    // then cannot be opened.
    if (model.count(number)) {
        ExpectClosed(number);
    }
    FUZZ_CHECK(spy.opens == opensBefore + 1);
    if (spy.refuseOpen) {
        FUZZ_CHECK(result == 0);
        return;
    }
    const intptr_t handle = spy.nextHandle - 1;
    FUZZ_CHECK(number == NUMBER_ANY ? result != 0 && result != NUMBER_ANY : result == handle);
    const ObjectNumber opened = number == NUMBER_ANY ? static_cast<ObjectNumber>(result) : number;
    FUZZ_CHECK(model.count(opened) == 0);
    ModelFile& file = model[opened];
    file.handle = handle;
    file.buffered = !noMemory;
}

// Lengths cluster where the buffer's rules change.
size_t PickLength(FuzzInput& in, const ModelFile* file) {
    const uint8_t choice = in.Byte();
    const size_t pending = file ? file->pending.size() : 0;
    switch (choice % 4) {
    case 0:
        return in.Byte() % 16;
    case 1: {
        const size_t free = BUFFER_SIZE - pending;
        const size_t offset = in.Byte() % 7;
        return free + 3 > offset ? free + 3 - offset : 0;
    }
    case 2:
        return BUFFER_SIZE - 3 + in.Byte() % 6;
    default:
        return in.Word() % 10000;
    }
}

void WriteLine(FuzzInput& in, uint32_t serial) {
    const ObjectNumber number = PickNumber(in);
    const auto found = model.find(number);
    ModelFile* file = found == model.end() ? nullptr : &found->second;
    const size_t length = PickLength(in, file);
    std::string text(length, 'x');
    for (size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char>(1 + (i * 31 + serial) % 255);
    }
    const bool none = length == 0 && in.Byte() % 2;
    const bool failedBefore = file && spy.files.at(file->handle).failed;
    const int32_t count = FileWriteLine(number, none ? nullptr : text.c_str());
    if (!file) {
        FUZZ_CHECK(count == 0);
        return;
    }
    if (!text.empty()) {
        file->Write(text);
    }
    file->Write("\r\n");
    const SpyFile& seen = spy.files.at(file->handle);
    // A direct write that fails now counts what the platform reports.
    if (failedBefore || !seen.failed) {
        FUZZ_CHECK(count == static_cast<int32_t>(length + 2));
    }
    CheckWrites(*file);
}

void Close(FuzzInput& in) {
    const ObjectNumber number = PickNumber(in);
    const bool open = model.count(number) != 0;
    const int32_t result = FileClose(number);
    FUZZ_CHECK(result == (open ? ExpectClosed(number) : 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FUZZ_CHECK(FileLibraryInit());
    const FilePlatform* previous = FileSetPlatform(&SPY_PLATFORM);
    spy = Spy{};
    model.clear();

    uint32_t serial = 0;
    while (!in.Empty()) {
        switch (in.Byte() % 4) {
        case 0:
            Open(in);
            break;
        case 1:
        case 2:
            WriteLine(in, ++serial);
            break;
        default:
            Close(in);
            break;
        }
    }
    FileCloseAll();
    while (!model.empty()) {
        ExpectClosed(model.begin()->first);
    }
    for (const auto& [handle, file] : spy.files) {
        FUZZ_CHECK(file.closed);
    }
    FileSetPlatform(previous);
    return 0;
}
