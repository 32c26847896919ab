#include "printing/EscPosPrintDevice.h"
#include "receipt/ReceiptItems.h"
#include "receipt/ReceiptPrinting.h"
#include "receipt/TPrinterLineOutput.h"
#include "tests/e2e/CupsSandbox.h"
#include "tests/e2e/SandboxedTests.h"
#include "tests/support/EscPosReader.h"
#include "tests/support/GTestQt.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <cups/cups.h>
#include <gtest/gtest.h>

// The sandbox's raw queue hands a job's bytes on unchanged, as a USB receipt printer receives them, and
// leaves the driver queue the default.
namespace {
CupsSandbox* sandbox = nullptr;

QByteArray escPosReceipt(const QString& student)
{
    EscPosPrintDevice* device = nullptr;
    TPrinterLineOutput output([&device]() -> std::unique_ptr<PrintDevice> {
        auto made = std::make_unique<EscPosPrintDevice>();
        device = made.get();
        return made;
    });
    ReceiptFields fields;
    fields.title = QStringLiteral("禾岚幼儿园收费小票");
    fields.student = student;
    ReceiptItemList items({{QStringLiteral("学费"), QStringLiteral("300")}});
    printReceipt(output, fields, items);
    return device->document();
}

// Sends the bytes to the raw queue with lp and gives what reached the device, or nothing after 30 s.
QByteArray printRaw(const QByteArray& bytes)
{
    QFile::remove(sandbox->rawOutputPath());
    QProcess lp;
    lp.start(QStringLiteral("lp"), {QStringLiteral("-d"), CupsSandbox::rawQueue});
    lp.write(bytes);
    lp.closeWriteChannel();
    if (!lp.waitForFinished(30000) || lp.exitCode() != 0) {
        ADD_FAILURE() << "lp failed: " << lp.readAllStandardError().toStdString();
        return {};
    }
    QElapsedTimer timer;
    timer.start();
    QFile received(sandbox->rawOutputPath());
    while (!received.exists() && timer.elapsed() < 30000)
        QThread::msleep(50);
    if (!received.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "nothing reached the raw queue's device:\n" << sandbox->errorLog().toStdString();
        return {};
    }
    return received.readAll();
}

TEST(RawQueue, PassesEachJobsBytesUnchanged)
{
    for (const QString& student : {QStringLiteral("李小明"), QStringLiteral("王小红")}) {
        const QByteArray job = escPosReceipt(student);
        const QByteArray received = printRaw(job);
        EXPECT_EQ(received.size(), job.size());
        EXPECT_TRUE(received == job) << student.toStdString();
        EXPECT_EQ(readEscPos(received).error, QString());
    }
}

TEST(RawQueue, LeavesTheDriverQueueTheDefault)
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    ASSERT_NE(dest, nullptr);
    EXPECT_EQ(QString::fromUtf8(dest->name), CupsSandbox::queue);
    cupsFreeDests(1, dest);
}
} // namespace

int main(int argc, char** argv)
{
    return runSandboxedTests<QGuiApplication>(argc, argv, "the raw queue tests", sandbox);
}
