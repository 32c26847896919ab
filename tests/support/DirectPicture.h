#pragma once

#include "printing/EscPosPrintDevice.h"
#include "printing/PainterPrintDevice.h"
#include "receipt/TPrinterLineOutput.h"

#include <QImage>
#include <functional>
#include <memory>

// A one-bit picture of white paper: colour index 1 is a burnt dot.
inline QImage monoPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_Mono);
    picture.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    picture.fill(0);
    return picture;
}

// The rows of a one-bit picture down to its last inked one, each as the bytes a printer would burn.
inline QList<QByteArray> inkedRows(const QImage& picture)
{
    QList<QByteArray> rows;
    for (int y = 0; y < picture.height(); ++y)
        rows.append(
            QByteArray(reinterpret_cast<const char*>(picture.constScanLine(y)), (picture.width() + 7) / 8));
    while (!rows.isEmpty() && rows.last().count('\0') == rows.last().size())
        rows.removeLast();
    return rows;
}

// The same painter code onto one tall one-bit picture, no printer in between: what the paper should show.
class DirectPictureDevice : public PainterPrintDevice
{
public:
    DirectPictureDevice() : m_picture(monoPicture(EscPosPrintDevice::kDefaultDotsAcross, 20000)) {}
    ~DirectPictureDevice() override
    {
        if (isPainting())
            endPainting();
    }

    void startDocument(const QString&) override
    {
        m_picture.fill(0);
        beginPainting();
    }
    void endDocument() override { endPainting(); }
    void startPage() override {}
    void endPage() override {}
    int printableWidth() const override { return EscPosPrintDevice::kDefaultDotsAcross; }
    int printableHeight() const override { return EscPosPrintDevice::kRollRows; }
    int verticalResolution() const override { return EscPosPrintDevice::kDefaultResolution; }

    const QImage& picture() const { return m_picture; }
    // Nothing is submitted from this device: the test reads its picture.
    JobDocument finishedJob() const override { return {}; }

protected:
    QPaintDevice& paintDevice() override { return m_picture; }

private:
    QImage m_picture;
};

// An output whose device stays reachable, as the line output owns it.
template <typename Device> struct Printer
{
    Device* device = nullptr;
    TPrinterLineOutput output;

    explicit Printer(std::function<std::unique_ptr<Device>()> make)
        : output([this, make]() -> std::unique_ptr<PrintDevice> {
              auto made = make();
              device = made.get();
              return made;
          })
    {
    }
};
