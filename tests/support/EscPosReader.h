#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringList>

// What a receipt printer makes of an ESC/POS job, as far as the program's jobs go.
struct EscPosJob
{
    // Every dot row from the start of the job down to the last raster row, fed rows white:
    // QImage::Format_Mono, colour index 1 a burnt dot.
    QImage picture;
    // The commands in order: "ESC @", "GS v 0 48x128" (bytes across, rows), "ESC J 12", "GS V 66 0".
    QStringList commands;
    // Dots fed after the last raster row.
    int trailingFeed = 0;
    // The first thing that is not understood, with its offset; empty when the whole job was read.
    QString error;
};

// Reads ESC @, GS v 0 in normal density, ESC J and GS V; anything else is an error.
EscPosJob readEscPos(const QByteArray& bytes);
