// Integer entry in the platform's syntax.
#include "conversion.h"
#include "prompter.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

struct Case {
    const char* text;
    std::optional<int32_t> value;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class ConversionTest : public ::testing::TestWithParam<Case> {};

struct Recorder : Prompter {
    QStringList messages;
    void message(QWidget*, const QString&, const QString& text, Icon) override { messages << text; }
};

}  // namespace

TEST_P(ConversionTest, StrictSyntax)
{
    const Case& c = GetParam();
    EXPECT_EQ(StrToIntStrict(QString::fromUtf8(c.text)), c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConversionTest,
    ::testing::Values(Case{"0", 0}, Case{"127", 127}, Case{"-128", -128}, Case{"+7", 7}, Case{"   42", 42},
                      Case{"$7F", 127}, Case{"$ff", 255}, Case{"0x10", 16}, Case{"0X1a", 26}, Case{"-$10", -16},
                      Case{"-0x10", -16}, Case{"2147483647", INT32_MAX}, Case{"-2147483648", INT32_MIN},
                      Case{"$FFFFFFFF", -1}, Case{"$80000000", INT32_MIN},
                      Case{"2147483648", std::nullopt}, Case{"-2147483649", std::nullopt},
                      Case{"$100000000", std::nullopt}, Case{"99999999999999999999", std::nullopt},
                      Case{"", std::nullopt}, Case{"   ", std::nullopt}, Case{"-", std::nullopt},
                      Case{"$", std::nullopt}, Case{"0x", std::nullopt}, Case{"12 ", std::nullopt},
                      Case{"1.5", std::nullopt}, Case{"abc", std::nullopt}, Case{"$fg", std::nullopt},
                      Case{"--1", std::nullopt}, Case{"\t1", std::nullopt}, Case{"\xEF\xBC\x91", std::nullopt}));

TEST(ConversionReport, NonIntegerIsReportedIntegerIsNot)
{
    Recorder r;
    setPrompter(&r);
    EXPECT_EQ(StrToIntOrReport("abc"), std::nullopt);
    EXPECT_EQ(StrToIntOrReport(" 12"), 12);
    setPrompter(nullptr);
    EXPECT_EQ(r.messages, QStringList{"'abc' is not a valid integer value"});
}
