#include "frame/call_conventions.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

#include "frame/export_guard.h"

namespace tessalin {
namespace {

TEST(CallConventions, NullTextInReadsAsEmpty) {
    EXPECT_TRUE(TextIn(nullptr).empty());
    EXPECT_EQ(TextIn(u"ab\0cd"), u"ab");
}

TEST(CallConventions, TextOutWritesTextAndOneNulAndNothingElse) {
    std::array<char16_t, 8> buffer;
    buffer.fill(u'#');
    EXPECT_EQ(WriteTextOut(buffer.data(), u"abc"), 3);
    EXPECT_EQ(TextView(buffer.data(), 5), TextView(u"abc\0#", 5));
    EXPECT_EQ(buffer[7], u'#');
}

TEST(CallConventions, EmptyTextIsALoneNul) {
    std::array<char16_t, 2> buffer{u'#', u'#'};
    EXPECT_EQ(WriteTextOut(buffer.data(), u""), 0);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(buffer[1], u'#');
}

TEST(CallConventions, NullBufferIsOnlyMeasured) {
    EXPECT_EQ(WriteTextOut(nullptr, u"hello"), 5);
}

TEST(CallConventions, LengthCountsCodeUnits) {
    // U+1F600 is a surrogate pair: two code units.
    std::array<char16_t, 4> buffer;
    EXPECT_EQ(WriteTextOut(buffer.data(), u"a\U0001F600"), 3);
}

TEST(CallConventions, TruthValuesHaveTheirWidths) {
    EXPECT_EQ(ToBool16(true), 0xFFFFu);
    EXPECT_EQ(ToBool32(true), 0xFFFFFFFFu);
    EXPECT_EQ(ToBool16(false), 0u);
    EXPECT_EQ(ToBool32(false), 0u);
}

TEST(ExportGuard, ExceptionsBecomeTheFailureResult) {
    EXPECT_EQ(Guarded(-7, []() -> int { throw std::runtime_error("boom"); }), -7);
    EXPECT_EQ(Guarded(-7, [] { return 3; }), 3);
    bool reached = false;
    Guarded([&] {
        reached = true;
        throw 42;
    });
    EXPECT_TRUE(reached);
}

}  // namespace
}  // namespace tessalin
