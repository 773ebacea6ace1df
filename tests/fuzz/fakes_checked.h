// The fakes check how the program uses them with GoogleTest's EXPECT macros. Outside a test run a failed
// check would only be printed; in a fuzz target it ends the run, as a sanitizer's report does.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

namespace kw::test {

class AbortOnFailure final : public ::testing::EmptyTestEventListener {
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (result.failed()) {
            std::abort();
        }
    }
};

}  // namespace kw::test

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ::testing::UnitTest::GetInstance()->listeners().Append(new kw::test::AbortOnFailure);
    return 0;
}
