#include <gtest/gtest.h>

#include "core/Buffer.h"
#include "core/String.h"
#include "support/Bytes.h"
#include "support/Capture.h"

namespace {

TEST(StringTest, SearchesFindFirstAndLastOccurrence) {
    struct Case {
        const char* text;
        const char* needle;
        int first;
        int last;
    };
    const Case cases[] = {
        {"a/b/c", "/", 1, 3},  {"abc", "/", -1, -1}, {"abc", "", 0, -1},  {"", "", 0, -1},
        {"ab", "abc", -1, -1}, {"abab", "ab", 0, 2}, {"aaa", "aa", 0, 1}, {"xyz", "xyz", 0, 0},
    };
    for (const Case& c : cases) {
        String text(c.text);
        EXPECT_EQ(text.indexOf(c.needle), c.first) << c.text << " / " << c.needle;
        EXPECT_EQ(text.lastIndexOf(c.needle), c.last) << c.text << " / " << c.needle;
    }
}

TEST(StringTest, SubstrHasAnInclusiveEnd) {
    EXPECT_EQ(String("abcdefg").substr(2, 4), "cde");
    EXPECT_EQ(String("abc").substr(0, 2), "abc");
    // end = L is accepted silently and gives the same visible text as L - 1
    std::string out = captureStdout([] { EXPECT_EQ(String("abc").substr(1, 3), "bc"); });
    EXPECT_EQ(out, "");
    out = captureStdout([] { EXPECT_EQ(String("anything").substr(0, -1), ""); });
    EXPECT_EQ(out, "");
}

TEST(StringTest, SubstrOutOfRangePrintsEveryFailedCheckAndStaysInsideTheText) {
    struct Case {
        int begin;
        int end;
        const char* message;
        const char* result;
    };
    const Case cases[] = {
        {-1, 2, "Substring error, begin is -1", "abc"},
        {0, 9, "Substring error, end overflow by 6", "abc"},
        {0, -2, "Substring error, end is -2", ""},
        {5, 9, "Substring error, begin overflow by 2Substring error, end overflow by 6", ""},
        {-4, -7, "Substring error, begin is -4Substring error, end is -7", ""},
        {2, 100000, "Substring error, end overflow by 99997", "c"},
    };
    for (const Case& c : cases) {
        String result;
        std::string out = captureStdout([&] { result = String("abc").substr(c.begin, c.end); });
        EXPECT_EQ(out, c.message) << c.begin << ".." << c.end;
        EXPECT_EQ(result, c.result) << c.begin << ".." << c.end;
    }
}

TEST(StringTest, ReplaceSplicesTextIn) {
    String a("abc");
    a.replace(0, 1, "X");
    EXPECT_EQ(a, "Xbc");
    String b("abc");
    b.replace(1, 5, "X");
    EXPECT_EQ(b, "aX");
    String c("hello world");
    c.replace(6, 5, "there");
    EXPECT_EQ(c, "hello there");
    String d("abc");
    d.replace(3, 0, "def");
    EXPECT_EQ(d, "abcdef");
}

TEST(StringTest, CopiesOwnTheirTextAndAppendingToItselfWorks) {
    String a("one");
    String b(a);
    b += "two";
    EXPECT_EQ(a, "one");
    EXPECT_EQ(b, "onetwo");
    a = b;
    EXPECT_EQ(a, "onetwo");
    a += a;
    EXPECT_EQ(a, "onetwoonetwo");
    a = a.c_str() + 3;  // assigning a tail of its own text
    EXPECT_EQ(a, "twoonetwo");
    EXPECT_TRUE(String("x") != "y");
    EXPECT_FALSE(String("x") != String("x"));
    EXPECT_EQ(String(static_cast<const char*>(nullptr)), "");
}

TEST(StringTest, SerialisesAsLengthAndBytes) {
    Buffer out;
    String("abc").writeToBuffer(&out);
    EXPECT_EQ(bytesOf(out), std::string("\x03\x00\x00\x00"
                                        "abc",
                                        7));
    Buffer empty;
    String().writeToBuffer(&empty);
    EXPECT_EQ(bytesOf(empty), std::string(4, '\0'));

    String back("previous content");
    back.readFromBuffer(&out);
    EXPECT_EQ(back, "abc");
    EXPECT_TRUE(out.isOnEnd());
}

TEST(StringTest, ReadingAHostileLengthTakesOnlyWhatTheStreamHolds) {
    const unsigned char huge[] = {0xFF, 0xFF, 0xFF, 0x7F, 'h', 'i'};
    const unsigned char negative[] = {0xFE, 0xFF, 0xFF, 0xFF, 'h', 'i'};
    const unsigned char cut[] = {0x05, 0x00};
    struct Case {
        const unsigned char* bytes;
        int size;
        const char* expected;
    };
    const Case cases[] = {{huge, 6, "hi"}, {negative, 6, ""}, {cut, 2, ""}};
    for (const Case& c : cases) {
        Buffer in;
        in.write(c.bytes, c.size);
        String s("old");
        s.readFromBuffer(&in);
        EXPECT_EQ(s, c.expected);
    }
}

}  // namespace
