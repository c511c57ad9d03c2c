// Typed records: byte layouts, ownership, nesting, and streams that lie.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "core/Buffer.h"
#include "math/Vector2.h"
#include "math/Vector3.h"
#include "math/Vector4.h"
#include "storage/BufferableList.h"
#include "storage/BufferableMap.h"
#include "storage/File.h"
#include "support/Bytes.h"
#include "support/Capture.h"

namespace {

// "01 0a ff" -> the three bytes.
std::string hex(const char* text) {
    std::string bytes;
    const char* p = text;
    while (*p) {
        if (*p == ' ' || *p == '|') {
            p++;
            continue;
        }
        char pair[3] = {p[0], p[1], 0};
        bytes.push_back(static_cast<char>(strtol(pair, nullptr, 16)));
        p += 2;
    }
    return bytes;
}

std::string le32(int32_t n) { return std::string(reinterpret_cast<const char*>(&n), 4); }

template <typename Record>
std::string serialised(Record& record) {
    Buffer out;
    record.writeToBuffer(&out);
    return bytesOf(out);
}

template <typename Record>
void readFrom(Record& record, const std::string& bytes) {
    Buffer in;
    fill(in, bytes);
    record.readFromBuffer(&in);
}

// A value the records do not know, which counts how many instances are alive.
class Tracked : public Bufferable {
public:
    static int alive;
    Tracked() { alive++; }
    ~Tracked() override { alive--; }
};
int Tracked::alive = 0;

TEST(BufferableMapTest, SingleIntegerEntryIsFourteenBytes) {
    BufferableMap map;
    map.put("a", new Integer(7));
    EXPECT_EQ(serialised(map), hex("01 00 00 00 | 01 00 00 00 61 | 04 | 07 00 00 00"));

    BufferableMap back;
    readFrom(back, serialised(map));
    ASSERT_EQ(back.size(), 1);
    ASSERT_NE(back.getInteger("a"), nullptr);
    EXPECT_EQ(back.getInteger("a")->value, 7);
    EXPECT_EQ(back.getFloat("b"), nullptr);
}

TEST(BufferableMapTest, EveryTaggedClassHasItsLayoutAndReadsBack) {
    struct Case {
        std::function<Bufferable*()> make;
        const char* bytes;  // tag and payload
        std::function<bool(BufferableMap&)> check;
    };
    const Case cases[] = {
        {[] { return new Boolean(true); }, "01 01",
         [](BufferableMap& m) { return m.getBoolean("k") && m.getBoolean("k")->value; }},
        {[] { return new Byte2(0xAB); }, "02 ab",
         [](BufferableMap& m) { return m.getByte2("k") && m.getByte2("k")->value == 0xAB; }},
        {[] { return new Integer(-2); }, "04 fe ff ff ff",
         [](BufferableMap& m) { return m.getInteger("k") && m.getInteger("k")->value == -2; }},
        {[] { return new Float(1.0f); }, "06 00 00 80 3f",
         [](BufferableMap& m) { return m.getFloat("k") && m.getFloat("k")->value == 1.0f; }},
        {[] { return new Double(2.0); }, "07 00 00 00 00 00 00 00 40",
         [](BufferableMap& m) { return m.getDouble("k") && m.getDouble("k")->value == 2.0; }},
        {[] { return new Vector3(1, 2, 3); }, "08 00 00 80 3f 00 00 00 40 00 00 40 40",
         [](BufferableMap& m) { return m.getVector3("k") && *m.getVector3("k") == Vector3(1, 2, 3); }},
        {[] { return new String("abc"); }, "09 03 00 00 00 61 62 63",
         [](BufferableMap& m) { return m.getString("k") && *m.getString("k") == "abc"; }},
        {[] {
             Buffer* b = new Buffer();
             b->write("xy", 2);
             return b;
         },
         "0a 02 00 00 00 78 79",
         [](BufferableMap& m) { return m.getBuffer("k") && bytesOf(*m.getBuffer("k")) == "xy"; }},
        {[] { return new Buffer(); }, "0a 00 00 00 00",
         [](BufferableMap& m) { return m.getBuffer("k") && m.getBuffer("k")->data == nullptr; }},
        {[] { return new BufferableMap(); }, "0b 00 00 00 00",
         [](BufferableMap& m) { return m.getMap("k") && m.getMap("k")->size() == 0; }},
        {[] { return new BufferableList(); }, "0c 00 00 00 00",
         [](BufferableMap& m) { return m.getList("k") && m.getList("k")->size() == 0; }},
    };
    for (const Case& c : cases) {
        BufferableMap map;
        map.put("k", c.make());
        std::string expected = hex("01 00 00 00 01 00 00 00 6b") + hex(c.bytes);
        EXPECT_EQ(serialised(map), expected) << c.bytes;
        BufferableMap back;
        readFrom(back, expected);
        EXPECT_EQ(back.size(), 1) << c.bytes;
        EXPECT_TRUE(c.check(back)) << c.bytes;
    }
}

TEST(BufferableMapTest, NullAndUnlistedClassesAreWrittenAsTagZeroAndDropped) {
    BufferableMap map;
    map.put("n", nullptr);
    map.put("v2", new Vector2(1, 2));
    map.put("v4", new Vector4(1, 2, 3, 4));
    map.put("i", new Integer(1));
    EXPECT_EQ(serialised(map), hex("04 00 00 00 | 01 00 00 00 6e 00 | 02 00 00 00 76 32 00 |"
                                   "02 00 00 00 76 34 00 | 01 00 00 00 69 04 01 00 00 00"));
    BufferableMap back;
    readFrom(back, serialised(map));
    EXPECT_EQ(back.size(), 1);
    EXPECT_EQ(back.get("n"), nullptr);
    EXPECT_EQ(back.get("v2"), nullptr);
    EXPECT_EQ(back.get("v4"), nullptr);
    EXPECT_EQ(back.indexOf("v2"), -1);
    ASSERT_NE(back.getInteger("i"), nullptr);
}

TEST(BufferableMapTest, TypedLookupsAnswerOnlyForTheClassStored) {
    // The class of a value read from a stream is chosen by the stream: asking for another
    // one must give null, never a pointer of the wrong type.
    BufferableMap map;
    readFrom(map, hex("02 00 00 00 | 05 00 00 00 73 63 6f 72 65 09 02 00 00 00 68 69 |"
                      "01 00 00 00 6d 0b 00 00 00 00"));
    ASSERT_NE(map.getString("score"), nullptr);
    EXPECT_EQ(map.getInteger("score"), nullptr);
    EXPECT_EQ(map.getDouble("score"), nullptr);
    EXPECT_EQ(map.getBuffer("score"), nullptr);
    EXPECT_EQ(map.getMap("score"), nullptr);
    ASSERT_NE(map.getMap("m"), nullptr);
    EXPECT_EQ(map.getList("m"), nullptr);
    EXPECT_EQ(map.getString("m"), nullptr);
}

TEST(BufferableMapTest, ListKeepsOnlyItsMaps) {
    BufferableList list;
    BufferableMap* first = new BufferableMap();
    first->put("a", new Integer(7));
    list.add(first);
    list.add(new BufferableMap());
    list.add(new String("dropped"));
    EXPECT_EQ(serialised(list), hex("03 00 00 00 | 0b 01 00 00 00 01 00 00 00 61 04 07 00 00 00 |"
                                    "0b 00 00 00 00 | 00"));

    BufferableList back;
    readFrom(back, serialised(list));
    ASSERT_EQ(back.size(), 2);
    ASSERT_NE(back.getMap(0), nullptr);
    ASSERT_NE(back.getMap(0)->getInteger("a"), nullptr);
    EXPECT_EQ(back.getMap(0)->getInteger("a")->value, 7);
    ASSERT_NE(back.getMap(1), nullptr);
    EXPECT_EQ(back.getMap(1)->size(), 0);

    BufferableMap* missing = first;
    std::string printed = captureStdout([&] { missing = back.getMap(2); });
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(printed, "List get index overflow: 2");
    EXPECT_EQ(list.getMap(2), nullptr);  // a String element is not a map
}

TEST(BufferableMapTest, RecordsOwnTheirValues) {
    Tracked::alive = 0;
    {
        BufferableMap map;
        map.put("a", new Tracked());
        map.put("b", nullptr);
        Tracked* overwritten = new Tracked();
        map.put("c", overwritten);
        map.put("c", new Tracked());  // put hands over ownership, it does not delete
        EXPECT_EQ(Tracked::alive, 3);
        delete overwritten;
        map.clear();
        EXPECT_EQ(Tracked::alive, 0);
        EXPECT_EQ(map.size(), 0);
        map.put("d", new Tracked());
        BufferableList list;
        list.add(new Tracked());
        list.add(nullptr);
        EXPECT_EQ(Tracked::alive, 2);
    }
    EXPECT_EQ(Tracked::alive, 0);
}

TEST(BufferableMapTest, ReadingReplacesWhatWasThere) {
    Tracked::alive = 0;
    BufferableMap map;
    map.put("old", new Tracked());
    map.put("a", new Tracked());
    readFrom(map, hex("01 00 00 00 01 00 00 00 61 04 07 00 00 00"));
    EXPECT_EQ(Tracked::alive, 0);
    ASSERT_EQ(map.size(), 1);
    EXPECT_EQ(map.getInteger("a")->value, 7);

    BufferableList list;
    list.add(new Tracked());
    readFrom(list, hex("01 00 00 00 0b 00 00 00 00"));
    EXPECT_EQ(Tracked::alive, 0);
    ASSERT_EQ(list.size(), 1);
    EXPECT_NE(list.getMap(0), nullptr);
}

TEST(BufferableMapTest, NestedMapsAndListsRoundTrip) {
    BufferableMap root;
    root.put("name", new String("level"));
    BufferableList* stones = new BufferableList();
    for (int i = 0; i < 3; i++) {
        BufferableMap* stone = new BufferableMap();
        stone->put("index", new Integer(i));
        stone->put("lit", new Boolean(i % 2 == 0));
        stone->put("at", new Vector3(float(i), 0.5f, -1));
        BufferableMap* inner = new BufferableMap();
        BufferableList* empty = new BufferableList();
        inner->put("list", empty);
        stone->put("inner", inner);
        stones->add(stone);
    }
    root.put("stones", stones);
    root.put("scale", new Double(0.125));

    std::string first = serialised(root);
    BufferableMap back;
    readFrom(back, first);
    EXPECT_EQ(serialised(back), first);

    ASSERT_NE(back.getList("stones"), nullptr);
    ASSERT_EQ(back.getList("stones")->size(), 3);
    BufferableMap* stone = back.getList("stones")->getMap(2);
    ASSERT_NE(stone, nullptr);
    EXPECT_EQ(stone->getInteger("index")->value, 2);
    EXPECT_TRUE(stone->getBoolean("lit")->value);
    EXPECT_EQ(*stone->getVector3("at"), Vector3(2, 0.5f, -1));
    ASSERT_NE(stone->getMap("inner"), nullptr);
    EXPECT_NE(stone->getMap("inner")->getList("list"), nullptr);
    EXPECT_EQ(*back.getString("name"), "level");
    EXPECT_EQ(back.getDouble("scale")->value, 0.125);
    // Insertion order survives.
    EXPECT_EQ(back.keys.get(0), "name");
    EXPECT_EQ(back.keys.get(1), "stones");
    EXPECT_EQ(back.keys.get(2), "scale");
}

// How deep the chain of maps under key "" goes.
int mapDepth(BufferableMap& map) {
    int depth = 1;
    for (BufferableMap* m = map.getMap(""); m; m = m->getMap("")) depth++;
    return depth;
}

TEST(BufferableMapTest, HostileStreamsStopCleanly) {
    const std::string entryA = hex("01 00 00 00 61 04 07 00 00 00");  // a -> Integer 7
    struct Case {
        const char* what;
        std::string stream;
        std::function<void(BufferableMap&)> check;
    };
    const Case cases[] = {
        {"empty stream", "", [](BufferableMap& m) { EXPECT_EQ(m.size(), 0); }},
        {"count cut short", hex("05 00"), [](BufferableMap& m) { EXPECT_EQ(m.size(), 0); }},
        {"negative count", le32(-5) + entryA, [](BufferableMap& m) { EXPECT_EQ(m.size(), 0); }},
        {"huge count, one entry", le32(INT32_MAX) + entryA,
         [](BufferableMap& m) {
             ASSERT_EQ(m.size(), 1);
             EXPECT_EQ(m.getInteger("a")->value, 7);
         }},
        {"key length past the end", le32(1) + le32(INT32_MAX) + "ab",
         [](BufferableMap& m) { EXPECT_EQ(m.size(), 0); }},
        {"key cut before its tag", le32(2) + entryA + hex("01 00 00 00 62"),
         [](BufferableMap& m) {
             EXPECT_EQ(m.size(), 1);
             EXPECT_EQ(m.get("b"), nullptr);
         }},
        {"string length past the end", le32(1) + hex("01 00 00 00 73 09") + le32(1 << 30) + "xyz",
         [](BufferableMap& m) {
             ASSERT_NE(m.getString("s"), nullptr);
             EXPECT_EQ(*m.getString("s"), "xyz");
         }},
        {"negative string length", le32(1) + hex("01 00 00 00 73 09") + le32(-7) + "xyz",
         [](BufferableMap& m) {
             ASSERT_NE(m.getString("s"), nullptr);
             EXPECT_EQ(*m.getString("s"), "");
         }},
        {"buffer length past the end", le32(1) + hex("01 00 00 00 62 0a") + le32(INT32_MAX) + "q",
         [](BufferableMap& m) {
             ASSERT_NE(m.getBuffer("b"), nullptr);
             EXPECT_EQ(bytesOf(*m.getBuffer("b")), "q");
         }},
        {"integer cut short keeps zeros", le32(1) + hex("01 00 00 00 69 04 01 02"),
         [](BufferableMap& m) {
             ASSERT_NE(m.getInteger("i"), nullptr);
             EXPECT_EQ(m.getInteger("i")->value, 0x0201);
         }},
        {"unused tag 3 stops the read",
         le32(3) + entryA + hex("01 00 00 00 62 03 00") + hex("01 00 00 00 63 04 01 00 00 00"),
         [](BufferableMap& m) {
             EXPECT_EQ(m.size(), 1);
             EXPECT_EQ(m.get("c"), nullptr);
         }},
        {"tag 200 stops the read", le32(2) + entryA + hex("01 00 00 00 62 c8"),
         [](BufferableMap& m) { EXPECT_EQ(m.size(), 1); }},
        {"unknown tag inside a nested map stops every level",
         le32(3) + entryA +
             hex("01 00 00 00 6d 0b | 02 00 00 00 | 01 00 00 00 78 01 01 | 01 00 00 00 79 05") +
             hex("01 00 00 00 7a 01 01"),
         [](BufferableMap& m) {
             EXPECT_EQ(m.size(), 2);
             ASSERT_NE(m.getMap("m"), nullptr);
             EXPECT_EQ(m.getMap("m")->size(), 1);
             EXPECT_NE(m.getMap("m")->getBoolean("x"), nullptr);
             EXPECT_EQ(m.get("z"), nullptr);
         }},
        {"repeated key keeps its place and the last value",
         le32(3) + entryA + hex("01 00 00 00 62 01 01") + hex("01 00 00 00 61 04 09 00 00 00"),
         [](BufferableMap& m) {
             ASSERT_EQ(m.size(), 2);
             EXPECT_EQ(m.keys.get(0), "a");
             EXPECT_EQ(m.getInteger("a")->value, 9);
         }},
        {"nested list with a huge count of empty elements",
         le32(1) + hex("01 00 00 00 6c 0c") + le32(INT32_MAX) + std::string(1000, '\0'),
         [](BufferableMap& m) {
             ASSERT_NE(m.getList("l"), nullptr);
             EXPECT_EQ(m.getList("l")->size(), 0);
         }},
        {"nested list with a non-map element",
         le32(2) + hex("01 00 00 00 6c 0c | 03 00 00 00 0b 00 00 00 00 04 0b 00 00 00 00") + entryA,
         [](BufferableMap& m) {
             EXPECT_EQ(m.size(), 1);
             ASSERT_NE(m.getList("l"), nullptr);
             EXPECT_EQ(m.getList("l")->size(), 1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BufferableMap map;
        map.put("stale", new Integer(1));
        Buffer in;
        fill(in, c.stream);
        map.readFromBuffer(&in);
        EXPECT_LE(in.position, in.size);
        EXPECT_EQ(map.get("stale"), nullptr);
        c.check(map);
    }
}

TEST(BufferableMapTest, DeepNestingStopsAtTheDepthLimit) {
    // 100000 levels would overflow the stack if the reader followed them.
    const int levels = 100000;
    std::string level = le32(1) + le32(0) + hex("0b");  // one entry, key "", a nested map
    std::string stream;
    stream.reserve(level.size() * levels + 4);
    for (int i = 0; i < levels; i++) stream += level;
    stream += le32(0);

    BufferableMap map;
    readFrom(map, stream);
    EXPECT_EQ(mapDepth(map), BufferableMap::MAX_DEPTH);

    // Exactly at the limit everything is read, and it writes back the same bytes.
    std::string atLimit;
    for (int i = 1; i < BufferableMap::MAX_DEPTH; i++) atLimit += level;
    atLimit += le32(0);
    BufferableMap full;
    readFrom(full, atLimit);
    EXPECT_EQ(mapDepth(full), BufferableMap::MAX_DEPTH);
    EXPECT_EQ(serialised(full), atLimit);

    // Lists count as levels too.
    std::string listLevel = le32(1) + hex("0b") + le32(1) + le32(0) + hex("0c");
    std::string mixed;
    for (int i = 0; i < levels; i++) mixed += listLevel;
    BufferableList list;
    readFrom(list, mixed);
    int depth = 0;
    BufferableList* current = &list;
    while (current) {
        depth++;
        BufferableMap* element = current->size() > 0 ? current->getMap(0) : nullptr;
        if (!element) break;
        depth++;
        current = element->getList("");
    }
    EXPECT_EQ(depth, BufferableMap::MAX_DEPTH);
}

// The fuzzer's seeds are written by a separate script from the documented layouts; the
// well-formed ones must read back whole and write out byte for byte.
TEST(BufferableMapTest, WellFormedFuzzSeedsReadBackExactly) {
    File folder(QUANDRELS_SOURCE_DIR "/tests/fuzz/corpus/bufferable_map");
    List<String> names;
    ASSERT_TRUE(folder.list(names));
    bool sawMap = false;
    bool sawList = false;
    for (const String& name : names) {
        bool isMap = name.indexOf("map-") == 0;
        bool isList = name.indexOf("list-") == 0;
        if (!isMap && !isList) continue;
        SCOPED_TRACE(name.c_str());
        std::unique_ptr<Buffer> seed(folder.getSubfile(name).read());
        ASSERT_NE(seed, nullptr);
        std::string bytes = bytesOf(*seed);
        std::string rewritten;
        if (isMap) {
            BufferableMap map;
            map.readFromBuffer(seed.get());
            rewritten = serialised(map);
            sawMap = true;
        } else {
            BufferableList list;
            list.readFromBuffer(seed.get());
            rewritten = serialised(list);
            sawList = true;
        }
        EXPECT_TRUE(seed->isOnEnd());
        EXPECT_EQ(rewritten, bytes);
    }
    EXPECT_TRUE(sawMap);
    EXPECT_TRUE(sawList);
}

}  // namespace
