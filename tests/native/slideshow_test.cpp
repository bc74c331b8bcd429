#include <gtest/gtest.h>

#include "slideshow/guid_text.h"
#include "slideshow/subclass_list.h"

namespace tessalin {
namespace {

TEST(SubclassList, EachRegistrationOfAWindowIsRemovedOnce) {
    SubclassList list;
    list.Append({10, 100});
    list.Append({20, 200});
    list.Append({10, 300});
    EXPECT_TRUE(list.RemoveNewest(10));
    EXPECT_TRUE(list.RemoveNewest(10));
    EXPECT_FALSE(list.RemoveNewest(10));
    EXPECT_FALSE(list.RemoveNewest(30));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.Snapshot()[0].Wnd, 20u);
}

TEST(GuidText, RegistryFormInUpperCase) {
    const GuidParts guid{
        0x91493453, 0x5A91, 0x11CF, {0x87, 0x00, 0x00, 0xAA, 0x00, 0x60, 0x26, 0x3B}};
    EXPECT_EQ(GuidText(guid), "{91493453-5A91-11CF-8700-00AA0060263B}");
    const GuidParts small{0x1, 0xa, 0xb, {0, 1, 2, 3, 4, 5, 6, 0xff}};
    EXPECT_EQ(GuidText(small), "{00000001-000A-000B-0001-0203040506FF}");
}

}  // namespace
}  // namespace tessalin
