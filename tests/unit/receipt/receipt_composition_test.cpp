#include "receipt/ReceiptComposition.h"
#include "receipt/ReceiptItems.h"
#include "receipt/ReceiptPrinting.h"
#include "receipt/TPrinterLineOutput.h"
#include "tests/support/GTestQt.h"
#include "tests/support/RecordingPrintDevice.h"
#include "tests/support/SampleReceipt.h"

#include <gtest/gtest.h>

namespace {
QString spaces(int count)
{
    return QString(count, u' ');
}

const QString kRule = QStringLiteral("..........................");
const QString kHeader = QStringLiteral("收费项目             金额");

TEST(PadSpaces, IsOneSpacePlusAnyPositiveCount)
{
    const std::pair<int, int> cases[] = {{-5, 1}, {-1, 1}, {0, 1}, {1, 2}, {13, 14}, {20, 21}};
    for (const auto& [n, length] : cases)
        EXPECT_EQ(PadSpaces(n), spaces(length)) << "PadSpaces(" << n << ")";
}

TEST(ItemFiller, PutsTheAmountAtColumn21UpToTwentyUnitsOfName)
{
    const std::pair<QString, int> cases[] = {
        {QString(), 21},
        {QStringLiteral("学费"), 17},
        {QStringLiteral("午餐费a"), 14},             // 7 units
        {QStringLiteral("一二三四五六七八九十"), 1}, // exactly 20 units
        {QStringLiteral("一二三四五六七八九十a"), 1},
        {QStringLiteral("一二三四五六七八九十十一"), 1},
        {QStringLiteral("€5"), 19},  // the euro sign is one unit in code page 936
        {QStringLiteral("书😀"), 17}, // a character outside the BMP counts two, like any non-ASCII
        {QStringLiteral("  "), 19},
    };
    for (const auto& [name, length] : cases)
        EXPECT_EQ(itemFiller(name), spaces(length)) << name.toStdString();
}

struct ReceiptCase
{
    const char* name;
    ReceiptFields fields;
    QList<ReceiptItem> items;
    QList<ReceiptLine> lines;
};

void PrintTo(const ReceiptCase& receipt, std::ostream* out)
{
    *out << receipt.name;
}

QList<ReceiptLine> footer(const ReceiptFields& fields)
{
    return {
        {10, kRule},
        {10, QStringLiteral("合计金额:") + fields.total},
        {10, fields.remark1},
        {10, fields.remark2},
        {10, QStringLiteral("日期:") + fields.dateTime},
        {10, QStringLiteral("收款人:") + fields.payee},
        {10, QStringLiteral("网址:") + fields.webAddress},
        {10, QStringLiteral("软件购买联系QQ:") + fields.contactNumber},
        {10, "."},
        {10, "."},
        {10, "."},
        {10, "."},
        {10, " "},
    };
}

QList<ReceiptLine> header(const ReceiptFields& fields)
{
    return {{12, fields.title},
            {10, kRule},
            {10, QStringLiteral("学生:") + fields.student},
            {10, kRule},
            {10, kHeader}};
}

ReceiptFields with(std::function<void(ReceiptFields&)> change)
{
    ReceiptFields fields = sampleReceiptFields();
    change(fields);
    return fields;
}

class ReceiptComposition : public testing::TestWithParam<ReceiptCase>
{
};

TEST_P(ReceiptComposition, GivesTheExactLines)
{
    EXPECT_EQ(receiptLines(GetParam().fields, GetParam().items), GetParam().lines);
}

const ReceiptCase kReceipts[] = {
    {"TwoItems",
     sampleReceiptFields(),
     {{QStringLiteral("学费"), "300"}, {QStringLiteral("餐费"), "12.5"}},
     header(sampleReceiptFields()) +
         QList<ReceiptLine>{{10, QStringLiteral("学费") + spaces(17) + "300"},
                            {10, QStringLiteral("餐费") + spaces(17) + "12.5"}} +
         footer(sampleReceiptFields())},
    {"NoItemsIsEighteenLines",
     sampleReceiptFields(),
     {},
     header(sampleReceiptFields()) + footer(sampleReceiptFields())},
    {"FieldsAreTakenAsTheyStand",
     with([](auto& f) {
         f.student = "  ";
         f.remark1.clear();
         f.total = QStringLiteral("0.0");
     }),
     {},
     header(with([](auto& f) { f.student = "  "; })) + footer(with([](auto& f) {
         f.remark1.clear();
         f.total = QStringLiteral("0.0");
     }))},
    {"LongAndEmptyNamesAndAmounts",
     sampleReceiptFields(),
     {{QStringLiteral("一二三四五六七八九十"), "1"},
      {QStringLiteral("一二三四五六七八九十十一"), "2"},
      {QString(), "3"},
      {QStringLiteral("书本"), QString()}},
     header(sampleReceiptFields()) +
         QList<ReceiptLine>{{10, QStringLiteral("一二三四五六七八九十 1")},
                            {10, QStringLiteral("一二三四五六七八九十十一 2")},
                            {10, spaces(21) + "3"},
                            {10, QStringLiteral("书本") + spaces(17)}} +
         footer(sampleReceiptFields())},
};

INSTANTIATE_TEST_SUITE_P(Table, ReceiptComposition, testing::ValuesIn(kReceipts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReceiptComposition, HeaderLineFiveIsTwentyFiveUnitsWithAmountsAtColumn21)
{
    const QList<ReceiptLine> lines = receiptHeaderLines(sampleReceiptFields());
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(cp936Width(lines[4].text), 25);
    EXPECT_EQ(cp936Width(lines[4].text.left(lines[4].text.indexOf(QStringLiteral("金额")))), 21);
    EXPECT_EQ(receiptFooterLines(sampleReceiptFields()).size(), 13);
}

// On paper: the title at 12 points, everything else at 10, each item's amount drawn where its filler
// ended, which for names of up to 20 units is exactly where "金额" starts in the header. An empty remark
// takes only the cell height.
TEST(ReceiptPrinting, DrawsTheReceiptLineByLineWithAmountsUnderTheHeader)
{
    auto record = std::make_shared<PrintRecord>();
    TPrinterLineOutput output(recordingDevices(record, {4000, 5000, 203}));
    const ReceiptFields fields = with([](auto& f) { f.remark1.clear(); });
    ReceiptItemList items(
        {{QStringLiteral("学费"), "300"}, {QStringLiteral("一二三四五六七八九十十一"), "2"}});
    printReceipt(output, fields, items);

    QStringList expected;
    int y = 0;
    auto line = [&](int height, int lineHeight, const QString& text) {
        expected.append(QStringLiteral("p1 (0,%1) h%2 %3").arg(y).arg(height).arg(text));
        y += lineHeight;
    };
    line(34, 44, fields.title);
    line(28, 37, kRule);
    line(28, 37, QStringLiteral("学生:李小明"));
    line(28, 37, kRule);
    line(28, 37, kHeader);
    expected.append(QStringLiteral("p1 (0,%1) h28 学费%2").arg(y).arg(spaces(17)));
    expected.append(QStringLiteral("p1 (294,%1) h28 300").arg(y));
    y += 37;
    expected.append(QStringLiteral("p1 (0,%1) h28 一二三四五六七八九十十一 ").arg(y));
    expected.append(QStringLiteral("p1 (350,%1) h28 2").arg(y));
    y += 37;
    for (const ReceiptLine& footerLine : receiptFooterLines(fields)) {
        if (footerLine.text.isEmpty())
            y += 35;
        else
            line(28, 37, footerLine.text);
    }
    EXPECT_EQ(record->draws, expected);
    EXPECT_EQ(record->events.first(), "startDocument \"\"");
    EXPECT_EQ(record->events.last(), "endDocument");
    EXPECT_FALSE(output.isPrinting());
}
} // namespace
