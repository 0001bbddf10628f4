#include "app/SystemCodePage.h"

#include "table/TextEncoding.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace lexaro;

namespace {

// Sets LC_ALL for one test and puts the old value back.
class ScopedLocaleVariable {
public:
    explicit ScopedLocaleVariable(const char* value) {
        if (const char* old = std::getenv("LC_ALL")) {
            m_Old = old;
        }
        ::setenv("LC_ALL", value, 1);
    }
    ~ScopedLocaleVariable() {
        if (m_Old) {
            ::setenv("LC_ALL", m_Old->c_str(), 1);
        } else {
            ::unsetenv("LC_ALL");
        }
    }

private:
    std::optional<std::string> m_Old;
};

} // namespace

TEST(SystemCodePage, CodesetNamesMapToCodePages) {
    EXPECT_EQ(CodePageOfCodeset("UTF-8"), 65001);
    EXPECT_EQ(CodePageOfCodeset("utf8"), 65001);
    EXPECT_EQ(CodePageOfCodeset("ISO-8859-1"), 28591);
    EXPECT_EQ(CodePageOfCodeset("ISO8859-2"), 28592);
    EXPECT_EQ(CodePageOfCodeset("CP1252"), 1252);
    EXPECT_EQ(CodePageOfCodeset("KOI8-R"), 20866);
    EXPECT_EQ(CodePageOfCodeset("ANSI_X3.4-1968"), 65001) << "plain ASCII would lose every other letter";
    EXPECT_EQ(CodePageOfCodeset("ISO-8859-11"), 65001);
    EXPECT_EQ(CodePageOfCodeset("CP12520"), 65001);
    for (const char* name : {"ISO-8859-1", "ISO-8859-9", "CP1250", "CP1258", "KOI8-U", "GBK", "BIG5", "EUC-KR"}) {
        EXPECT_TRUE(IsCodePageSupported(CodePageOfCodeset(name))) << name;
    }
}

TEST(SystemCodePage, FollowsTheUsersLocale) {
    {
        ScopedLocaleVariable utf8("C.UTF-8");
        EXPECT_EQ(SystemCodePage(), 65001);
        EXPECT_EQ(EffectiveCharset(kSystemCharset), 65001);
    }
    {
        ScopedLocaleVariable plain("C");
        EXPECT_EQ(SystemCodePage(), 65001);
    }
    {
        ScopedLocaleVariable unknown("xx_NOWHERE.NOCODESET");
        EXPECT_EQ(SystemCodePage(), 65001);
    }
    EXPECT_EQ(EffectiveCharset(1252), 1252);
}
