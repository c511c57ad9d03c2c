#include <gtest/gtest.h>

#include "core/List.h"
#include "core/Map.h"
#include "core/String.h"
#include "support/Capture.h"

namespace {

TEST(ListTest, KeepsInsertionOrderAndRemovesByPosition) {
    List<int> list;
    for (int i = 0; i < 5; i++) list.add(i * 10);
    list.remove(1);
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list.get(0), 0);
    EXPECT_EQ(list.get(1), 20);
    EXPECT_EQ(list.get(3), 40);
    list.clear();
    EXPECT_EQ(list.size(), 0);
}

TEST(ListTest, OutOfRangeAccessPrintsAndNeverTouchesOutsideTheArray) {
    List<String> list;
    list.add("only");
    struct Case {
        int index;
        const char* getMessage;
        const char* removeMessage;
    };
    const Case cases[] = {
        {1, "List get index overflow: 1", "List remove index overflow: 1"},
        {-1, "List get index overflow: -1", "List remove index overflow: -1"},
        {1000000, "List get index overflow: 1000000", "List remove index overflow: 1000000"},
    };
    for (const Case& c : cases) {
        String value("x");
        EXPECT_EQ(captureStdout([&] { value = list.get(c.index); }), c.getMessage);
        EXPECT_EQ(value, "");
        EXPECT_EQ(captureStdout([&] { list.remove(c.index); }), c.removeMessage);
        ASSERT_EQ(list.size(), 1);
        EXPECT_EQ(list.get(0), "only");
    }
}

TEST(ListTest, ClearingAListOfPointersLeavesThePointeesAlive) {
    int* alive = new int(7);
    {
        List<int*> list;
        list.add(alive);
        list.clear();
        list.add(alive);
    }
    EXPECT_EQ(*alive, 7);
    delete alive;
}

TEST(MapTest, PutOverwritesInPlaceAndGetOfMissingKeyIsNull) {
    int a = 1, b = 2, c = 3;
    Map<String, int*> map;
    map.put("a", &a);
    map.put("b", &b);
    map.put(String("a"), &c);
    ASSERT_EQ(map.size(), 2);
    EXPECT_EQ(map.keys.get(0), "a");
    EXPECT_EQ(map.get("a"), &c);
    EXPECT_EQ(map.get("b"), &b);
    EXPECT_EQ(map.get("missing"), nullptr);
    map.clear();
    EXPECT_EQ(map.size(), 0);
    EXPECT_EQ(a + b + c, 6);  // values were not deleted
}

}  // namespace
