// fail(): the formatted fatal message, thrown as the engine's const char* exceptions are.
#include <gtest/gtest.h>

#include <string>

#include "core/Fail.h"

namespace {

std::string caught(void (*thrower)()) {
    try {
        thrower();
    } catch (const char* message) {
        return message;
    }
    return "(nothing thrown)";
}

TEST(Fail, ThrowsTheFormattedTextAsAConstCharPointer) {
    EXPECT_EQ(caught([] { fail("Cannot open file %s\n", "lava.png"); }), "Cannot open file lava.png\n");
    EXPECT_EQ(caught([] { fail("%d of %d", 3, 7); }), "3 of 7");
    EXPECT_EQ(caught([] { fail("no arguments"); }), "no arguments");
}

TEST(Fail, AnOverlongMessageIsCutNotOverrun) {
    static const std::string longName(5000, 'x');
    std::string message = caught([] { fail("Can't load data/%s\n", longName.c_str()); });
    EXPECT_EQ(message.rfind("Can't load data/xxx", 0), 0u);
    EXPECT_LT(message.size(), 1024u);
    EXPECT_GT(message.size(), 1000u);
}

}  // namespace
