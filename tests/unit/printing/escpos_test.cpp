#include "printing/EscPosPrintDevice.h"
#include "printing/EscPosRaster.h"
#include "printing/PainterPrintDevice.h"
#include "receipt/ReceiptItems.h"
#include "receipt/ReceiptPrinting.h"
#include "receipt/TPrinterLineOutput.h"
#include "tests/support/DirectPicture.h"
#include "tests/support/EscPosReader.h"
#include "tests/support/GTestQt.h"
#include "tests/support/SampleReceipt.h"
#include "text/Failure.h"

#include <QGuiApplication>
#include <functional>
#include <gtest/gtest.h>

namespace {
constexpr int kDots = EscPosPrintDevice::kDefaultDotsAcross;
constexpr int kTearOffFeed = 96; // 12 mm at 203 dpi

ReceiptItemList sampleItems(int count)
{
    QList<ReceiptItem> items;
    for (int item = 0; item < count; ++item)
        items.append({QStringLiteral("伙食费%1月").arg(item + 1), QString::number(100 + item * 7.5)});
    return ReceiptItemList(items);
}

// The receipt of `items` items, written through the output.
void printSample(TPrinterLineOutput& output, int items)
{
    ReceiptItemList source = sampleItems(items);
    printReceipt(output, sampleReceiptFields(), source);
}

QList<QByteArray> directlyDrawnReceipt(int items)
{
    Printer<DirectPictureDevice> direct([] { return std::make_unique<DirectPictureDevice>(); });
    printSample(direct.output, items);
    return inkedRows(direct.device->picture());
}

// A receipt of 200 items is longer than the picture a page starts with, so its page has to grow.
class EscPosReceipt : public testing::TestWithParam<int>
{
};

TEST_P(EscPosReceipt, DecodesToThePageDrawnDirectlyAndStartsAndEndsAsAJob)
{
    Printer<EscPosPrintDevice> escPos([] { return std::make_unique<EscPosPrintDevice>(); });
    printSample(escPos.output, GetParam());
    const QByteArray bytes = escPos.device->document();
    const EscPosJob job = readEscPos(bytes);

    ASSERT_EQ(job.error, QString());
    EXPECT_EQ(job.picture.width(), 384);
    EXPECT_EQ(job.commands.first(), "ESC @");
    EXPECT_EQ(job.commands.last(), QStringLiteral("ESC J %1").arg(kTearOffFeed));
    // The white lines at the receipt's end are neither sent nor fed: the last raster is followed only by
    // the feed to the tear bar.
    EXPECT_EQ(job.trailingFeed, kTearOffFeed);
    EXPECT_TRUE(job.commands.at(job.commands.size() - 2).startsWith("GS v 0 "));
    const QList<QByteArray> expected = directlyDrawnReceipt(GetParam());
    const QList<QByteArray> printed = inkedRows(job.picture);
    ASSERT_EQ(printed.size(), expected.size());
    for (qsizetype row = 0; row < expected.size(); ++row)
        ASSERT_EQ(printed[row], expected[row]) << "dot row " << row;
    EXPECT_EQ(job.picture.height(), expected.size());
    EXPECT_LE(bytes.size(), 48 * job.picture.height()) << "bytes per printed dot row";
}

INSTANTIATE_TEST_SUITE_P(Items, EscPosReceipt, testing::Values(1, 20, 200));

TEST(EscPosDevice, SecondReceiptOfTheRunIsWholeAndAlone)
{
    Printer<EscPosPrintDevice> escPos([] { return std::make_unique<EscPosPrintDevice>(384, 203, true); });
    printSample(escPos.output, 200);
    printSample(escPos.output, 3);
    const EscPosJob job = readEscPos(escPos.device->document());

    ASSERT_EQ(job.error, QString());
    EXPECT_EQ(job.commands.first(), "ESC @");
    EXPECT_EQ(job.commands.count("ESC @"), 1);
    EXPECT_EQ(job.commands.last(), "GS V 66 0");
    EXPECT_EQ(job.trailingFeed, 0);
    EXPECT_EQ(inkedRows(job.picture), directlyDrawnReceipt(3));
}

// A form feed on a roll starts the next page under the last line of the one before.
TEST(EscPosDevice, FormFeedPutsTheNextPageBelowTheLastLine)
{
    Printer<EscPosPrintDevice> escPos([] { return std::make_unique<EscPosPrintDevice>(); });
    escPos.output.Open();
    escPos.output.SetFontSize(10);
    escPos.output.Write(QStringLiteral("学\f学"));
    escPos.output.Close();
    const int cell = escPos.device->cellHeight();
    const EscPosJob job = readEscPos(escPos.device->document());

    ASSERT_EQ(job.error, QString());
    const QImage picture = job.picture.copy(0, 0, kDots, 2 * cell);
    EXPECT_EQ(inkedRows(picture.copy(0, cell, kDots, cell)), inkedRows(picture.copy(0, 0, kDots, cell)));
    EXPECT_FALSE(inkedRows(picture.copy(0, 0, kDots, cell)).isEmpty());
}

TEST(EscPosDevice, PrinterWithoutDotsOrResolutionIsNotValid)
{
    for (const auto& [dots, resolution] : {std::pair{0, 203}, std::pair{384, 0}, std::pair{-8, 203}}) {
        try {
            EscPosPrintDevice device(dots, resolution);
            ADD_FAILURE() << dots << " dots at " << resolution << " dpi made a device";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.message(), "Printer selected is not valid");
        }
    }
}

// Pictures of a few dots across, each row given as the columns it has ink in.
struct RasterCase
{
    const char* name;
    int width;
    QList<QList<int>> rows;
    QStringList commands;
};

void PrintTo(const RasterCase& raster, std::ostream* out)
{
    *out << raster.name;
}

class EscPosRasterCommands : public testing::TestWithParam<RasterCase>
{
};

TEST_P(EscPosRasterCommands, SendInkAsRasterAndWhiteAsFeed)
{
    const RasterCase& raster = GetParam();
    QImage picture = monoPicture(raster.width, int(raster.rows.size()));
    for (int y = 0; y < raster.rows.size(); ++y) {
        for (int x : raster.rows[y])
            picture.setPixel(x, y, 1);
    }
    EscPosRaster job(raster.width);
    job.appendRows(picture, picture.height());
    const EscPosJob read = readEscPos(job.finish(5, false));

    ASSERT_EQ(read.error, QString());
    EXPECT_EQ(read.commands, raster.commands);
    if (!read.picture.isNull()) {
        EXPECT_EQ(inkedRows(read.picture), inkedRows(picture));
    }
}

QList<QList<int>> rowsOf(int count, QList<int> ink)
{
    return QList<QList<int>>(count, ink);
}

const RasterCase kRasterCases[] = {
    {"WhitePageSendsOnlyTheJobsEnds", 16, rowsOf(40, {}), {"ESC @", "ESC J 5"}},
    {"WhiteRowsBetweenAndBeforeInkAreFed",
     16,
     {{}, {}, {3}, {}, {}, {}, {15}, {0, 15}},
     {"ESC @", "ESC J 2", "GS v 0 2x1", "ESC J 3", "GS v 0 2x2", "ESC J 5"}},
    {"TrailingWhiteRowsAreDropped", 8, rowsOf(1, {7}) + rowsOf(300, {}), {"ESC @", "GS v 0 1x1", "ESC J 5"}},
    {"LongWhiteRunIsFedInStepsOf255",
     8,
     rowsOf(1, {0}) + rowsOf(300, {}) + rowsOf(1, {0}),
     {"ESC @", "GS v 0 1x1", "ESC J 255", "ESC J 45", "GS v 0 1x1", "ESC J 5"}},
    {"BandsHoldAtMost128Rows",
     8,
     rowsOf(300, {1}),
     {"ESC @", "GS v 0 1x128", "GS v 0 1x128", "GS v 0 1x44", "ESC J 5"}},
    {"RowsOfAWidthBetweenBytesArePadded", 12, rowsOf(2, {0, 11}), {"ESC @", "GS v 0 2x2", "ESC J 5"}},
};

INSTANTIATE_TEST_SUITE_P(Table, EscPosRasterCommands, testing::ValuesIn(kRasterCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Whatever the bits past a picture's right edge hold, they are not printed.
TEST(EscPosRaster, PaddingBitsPastTheRightEdgeAreNotSent)
{
    QImage picture = monoPicture(12, 1);
    picture.scanLine(0)[1] = char(0x0f);
    EscPosRaster job(12);
    job.appendRows(picture, 1);
    EXPECT_EQ(readEscPos(job.finish(5, false)).commands, (QStringList{"ESC @", "ESC J 5"}));
}

TEST(EscPosReader, RefusesWhatItDoesNotKnow)
{
    EXPECT_EQ(readEscPos(QByteArray("\x1b@\x1b\x61\x01", 5)).error, "unknown command at byte 2");
    EXPECT_EQ(readEscPos(QByteArray("\x1dv0\0\x02\0\x02\0\xff", 9)).error, "raster cut short at byte 0");
}
} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests, as the build does to find them, needs no display.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
