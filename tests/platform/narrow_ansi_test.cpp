// The narrow text of a program that runs in a single-byte ANSI code page: built without the
// programs' UTF-8 manifest, so that the system's own code page (1252 under Wine's English
// locale, as on Western European Windows) is in force.
#include "platform/NarrowText.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(Win32NarrowTextAnsi, TagTextsInCodePage1252)
{
    if (::GetACP() != 1252)
        GTEST_SKIP() << "ANSI code page " << ::GetACP();
    // ISO-8859-1 tags come from this code page's world: the bytes stay. Another encoding's
    // characters go across, as far as the code page has them.
    using platform::LegacyEncoding;
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Iso8859_1, "caf\xE9 \x80"), "caf\xE9 \x80");
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Windows1252, "caf\xE9 \x80"), "caf\xE9 \x80");
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Windows1250, "\xC8ierna \xE1"), "Cierna \xE1");
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Cp437, "\x82t\x82"), "\xE9t\xE9");
    EXPECT_EQ(platform::narrowFromUtf16(u"caf\u00E9 \u20AC"), "caf\xE9 \x80");
    EXPECT_EQ(platform::narrowFromUtf8("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
    // A character the code page lacks becomes the system's nearest one (or its default
    // character), never a cut text.
    EXPECT_EQ(platform::narrowFromUtf16(u"\u010Cierna"), "Cierna");
    EXPECT_EQ(platform::narrowFromUtf8("\xC4\x8C" "ierna"), "Cierna");
    EXPECT_EQ(platform::narrowFromUtf16(u"\u4E2D!"), "?!");
    EXPECT_EQ(platform::narrowFromUtf8(""), "");
}

} // namespace
