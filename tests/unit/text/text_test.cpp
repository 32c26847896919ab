#include "tests/unit/text/NumberOracle.h"
#include "text/ApplicationTitle.h"
#include "text/Cp936.h"
#include "text/DateTimeText.h"
#include "text/FormatSettings.h"
#include "text/MessageText.h"
#include "text/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {
struct NumberCase
{
    double value;
    const char* separator;
    const char* expected;
};

void PrintTo(const NumberCase& c, std::ostream* out)
{
    *out << c.expected;
}

class GeneralNumberForm : public testing::TestWithParam<NumberCase>
{
};

TEST_P(GeneralNumberForm, WritesFifteenSignificantDigits)
{
    const NumberCase& c = GetParam();
    EXPECT_EQ(generalNumberForm(c.value, QString::fromUtf8(c.separator)).toStdString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, GeneralNumberForm,
    testing::Values(NumberCase{0.0, ".", "0"}, NumberCase{-0.0, ".", "0"}, NumberCase{168, ".", "168"},
                    NumberCase{12.5, ".", "12.5"}, NumberCase{0.1 + 0.2, ".", "0.3"},
                    NumberCase{1.0 / 3.0, ".", "0.333333333333333"},
                    NumberCase{2.0 / 3.0, ".", "0.666666666666667"}, NumberCase{1e15, ".", "1E15"},
                    NumberCase{999999999999999.0, ".", "999999999999999"},
                    // the 16th digit rounds up and carries through every nine into a new exponent
                    NumberCase{9999999999999999.0, ".", "1E16"}, NumberCase{0.99999999999999999, ".", "1"},
                    NumberCase{0.0001, ".", "0.0001"}, NumberCase{0.00001, ".", "1E-5"},
                    NumberCase{0.00012345, ".", "0.00012345"}, NumberCase{-2.5, ".", "-2.5"},
                    NumberCase{-1.0 / 3.0, ".", "-0.333333333333333"}, NumberCase{-1e20, ".", "-1E20"},
                    NumberCase{1.5e-7, ".", "1.5E-7"}, NumberCase{123456.789, ".", "123456.789"},
                    NumberCase{100.25, ",", "100,25"}, NumberCase{1.25e-8, ",", "1,25E-8"},
                    NumberCase{1e100, ".", "1E100"}, NumberCase{30, ".", "30"},
                    // 122.790404445866499827...: 17 digits give ...6650, which rounded again would carry
                    NumberCase{122.7904044458665, ".", "122.790404445866"},
                    // exact ties at the 16th digit go away from zero
                    NumberCase{123456789012344.5, ".", "123456789012345"},
                    NumberCase{-1234567890123.125, ".", "-1234567890123.13"},
                    NumberCase{4.9406564584124654e-324, ".", "4.94065645841247E-324"},
                    NumberCase{1.7976931348623157e308, ".", "1.79769313486232E308"}));

TEST(GeneralNumberForm, AgreesWithTheExactDecimalExpansion)
{
    int mismatches = 0;
    for (const double value : NumberOracle::samples(100000, 20261211)) {
        const std::string expected = NumberOracle::form(value);
        const std::string written = generalNumberForm(value, QStringLiteral(".")).toStdString();
        if (written != expected && ++mismatches <= 10)
            ADD_FAILURE() << std::hexfloat << value << ": wrote " << written << ", exact rounding gives "
                          << expected;
    }
    EXPECT_EQ(mismatches, 0);
}

struct StopCase
{
    const char* message;
    const char* error;
    const char* crash;
};

void PrintTo(const StopCase& c, std::ostream* out)
{
    *out << '"' << c.message << '"';
}

class FullStop : public testing::TestWithParam<StopCase>
{
};

TEST_P(FullStop, AppendsOnlyAfterCharactersSortingAfterTheStop)
{
    const StopCase& c = GetParam();
    const QString message = QString::fromUtf8(c.message);
    EXPECT_EQ(withErrorFullStop(message).toStdString(), c.error);
    EXPECT_EQ(withCrashFullStop(message).toStdString(), c.crash);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, FullStop,
    testing::Values(StopCase{"", "", ""}, StopCase{"Disk full", "Disk full.", "Disk full."},
                    StopCase{"Error 42", "Error 42.", "Error 42."}, StopCase{"Why?", "Why?.", "Why?."},
                    StopCase{"Stop!", "Stop!", "Stop!."}, StopCase{"(closed)", "(closed)", "(closed)."},
                    StopCase{"Done.", "Done.", "Done."}, StopCase{"trailing ", "trailing ", "trailing ."},
                    StopCase{"提示：数据库连接出错", "提示：数据库连接出错.", "提示：数据库连接出错."},
                    StopCase{"出错！", "出错！.", "出错！."}));

TEST(ApplicationTitle, CutsAtTheFirstDotAndLowersTheRest)
{
    EXPECT_EQ(applicationTitle(QStringLiteral("RECEIPT.EXE")), QStringLiteral("Receipt"));
    EXPECT_EQ(applicationTitle(QStringLiteral("Fee.Desk.exe")), QStringLiteral("Fee"));
    EXPECT_EQ(applicationTitle(QStringLiteral("Receipt")), QStringLiteral("Receipt"));
    EXPECT_EQ(applicationTitle(QStringLiteral("rECEIPT")), QStringLiteral("receipt"));
    EXPECT_EQ(applicationTitle(QStringLiteral(".hidden")), QString());
}

TEST(DateTimeText, PadsEveryFieldAndUsesTheTimeSeparator)
{
    const QDateTime morning(QDate(2024, 3, 5), QTime(9, 7, 59));
    EXPECT_EQ(dateTimeText(morning, QStringLiteral(":")), QStringLiteral("2024-03-05 09:07"));
    EXPECT_EQ(dateTimeText(morning, QStringLiteral(".")), QStringLiteral("2024-03-05 09.07"));
    const QDateTime evening(QDate(987, 12, 31), QTime(23, 59));
    EXPECT_EQ(dateTimeText(evening, QStringLiteral(":")), QStringLiteral("0987-12-31 23:59"));
}

TEST(FormatSettings, ReadsTheLocalesSeparators)
{
    const FormatSettings german = FormatSettings::fromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.decimalSeparator, QStringLiteral(","));
    EXPECT_EQ(german.timeSeparator, QStringLiteral(":"));
    const FormatSettings chinese = FormatSettings::fromLocale(QLocale(QLocale::Chinese, QLocale::China));
    EXPECT_EQ(chinese.decimalSeparator, QStringLiteral("."));
    const FormatSettings finnish = FormatSettings::fromLocale(QLocale(QLocale::Finnish, QLocale::Finland));
    EXPECT_EQ(finnish.timeSeparator, QStringLiteral("."));
}

TEST(Cp936Width, CountsDoubleByteCharactersTwice)
{
    EXPECT_EQ(cp936Width(QStringLiteral("收费项目             金额")), 25);
    EXPECT_EQ(cp936Width(QStringLiteral("学费a")), 5);
    EXPECT_EQ(cp936Width(QStringLiteral("€5")), 2);
    EXPECT_EQ(cp936Width(QStringLiteral("，")), 2);
    EXPECT_EQ(cp936Width(QString::fromUcs4(U"\U0001F600")), 2);
}

TEST(Cp936Width, PrefixNeverSplitsACharacter)
{
    const QString text = QStringLiteral("ab学费c");
    EXPECT_EQ(cp936PrefixLength(text, 0), 0);
    EXPECT_EQ(cp936PrefixLength(text, 2), 2);
    EXPECT_EQ(cp936PrefixLength(text, 3), 2);
    EXPECT_EQ(cp936PrefixLength(text, 4), 3);
    EXPECT_EQ(cp936PrefixLength(text, 7), 5);
    EXPECT_EQ(cp936PrefixLength(text, 100), 5);
    const QString emoji = QString::fromUcs4(U"a\U0001F600b");
    EXPECT_EQ(cp936PrefixLength(emoji, 2), 1);
    EXPECT_EQ(cp936PrefixLength(emoji, 3), 3);
}
} // namespace
