// A fresh brevolt.exe for each test, started in an empty folder of its own.
#pragma once

#include "brevolt_driver.h"

#include <gtest/gtest.h>

namespace e2e {

class BrevoltTest : public ::testing::Test {
  protected:
    void SetUp() override {
        work_ = scratch_.File(L"work");
        ASSERT_TRUE(CreateDirectoryW(work_.c_str(), nullptr));
        ASSERT_TRUE(app_.Start(work_, scratch_.File(L"brevolt.log")))
            << "could not start " << ToAnsi(BrevoltExePath());
    }

    std::wstring WorkFile(const wchar_t* name) const { return work_ + L"\\" + name; }
    std::string Output() const { return TextOf(app_.Gadget(28)); }

    ScratchFolder scratch_;
    std::wstring work_;
    Brevolt app_; // declared last: ended before its folder goes
};

} // namespace e2e
