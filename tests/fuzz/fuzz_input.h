// Shared by the fuzz targets: reads the fuzzer's bytes as small values and
// stops the run on a broken invariant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// A broken invariant ends the process, so that libFuzzer keeps the input and
// the corpus replay fails.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Past the end every read gives 0, so any input is a complete run.
class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Empty() const { return position_ >= size_; }

    uint8_t Byte() { return Empty() ? 0 : data_[position_++]; }

    uint16_t Word() {
        const uint16_t low = Byte();
        return static_cast<uint16_t>(low | Byte() << 8);
    }

    int32_t Int32() {
        uint32_t value = Word();
        value |= static_cast<uint32_t>(Word()) << 16;
        return static_cast<int32_t>(value);
    }

    // Up to maxLength bytes of the input, without zero bytes: a text is a
    // zero-terminated string.
    std::string Text(size_t maxLength) {
        const size_t length = Byte() % (maxLength + 1);
        std::string text;
        for (size_t i = 0; i < length && !Empty(); ++i) {
            const uint8_t byte = Byte();
            if (byte != 0) {
                text += static_cast<char>(byte);
            }
        }
        return text;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};
