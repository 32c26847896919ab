#pragma once

#include <QByteArray>
#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// A print queue as the print system describes it just before a job.
struct PrinterQueue
{
    enum class State
    {
        Idle,
        Processing,
        Stopped,
    };
    // How the receipt reaches the printer: a PDF for the queue's driver, or ESC/POS raster for a printer
    // without one.
    enum class Output
    {
        Driver,
        EscPos,
    };

    QString name; // the queue, with "/instance" when there is one
    bool accepting = true;
    State state = State::Idle;
    QStringList reasons; // printer-state-reasons, without "none"
    Output output = Output::Driver;
    bool cutter = false;           // the printer cuts the paper itself (its "receipt-cutter" option)
    int resolution = 203;          // dots per inch
    QSizeF paper{58, 210};         // millimetres
    QMarginsF margins{5, 0, 5, 0}; // millimetres outside the printable area

    bool paused() const { return state == State::Stopped || reasons.contains(QStringLiteral("paused")); }
};

// A finished job, as the device rendered it.
struct JobDocument
{
    QByteArray format; // MIME type, e.g. "application/pdf"
    QByteArray bytes;
};

// What the print system says about a job after it was submitted.
struct JobStatus
{
    enum class State
    {
        Waiting, // pending or processing
        Completed,
        Held,
        Stopped,
        Canceled,
        Aborted,
    };
    State state = State::Waiting;
    QStringList printerReasons; // printer-state-reasons of the queue, without "none"
    QString printerMessage;
};
