#pragma once

#include <QSize>
#include <QString>
#include <functional>
#include <memory>

// What the line output needs from a printer: a document of pages, their printable area in device pixels,
// one font at a time, text measurement and text drawing.
class PrintDevice
{
public:
    virtual ~PrintDevice() = default;

    virtual void startDocument(const QString& name) = 0;
    virtual void endDocument() = 0;
    virtual void startPage() = 0;
    virtual void endPage() = 0;

    virtual int printableWidth() const = 0;
    virtual int printableHeight() const = 0;
    virtual int verticalResolution() const = 0;

    // Selects the printing font by its character height in device pixels, internal leading not included.
    virtual void selectFont(int characterHeight) = 0;
    // Width and height of text in the selected font; the height is the font's cell height.
    virtual QSize textExtent(const QString& text) = 0;
    virtual int cellHeight() = 0;
    virtual int averageCharWidth() = 0;
    // Draws text with its top-left corner at (x, y), on an opaque white background.
    virtual void drawText(int x, int y, const QString& text) = 0;
};

// Opens the device for a printer; throws a Failure when there is no usable printer.
using PrintDeviceFactory = std::function<std::unique_ptr<PrintDevice>()>;
