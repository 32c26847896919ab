#include "tests/support/EscPosReader.h"

#include <QList>
#include <cstring>

namespace {
class Reader
{
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}

    EscPosJob read()
    {
        while (m_at < m_bytes.size() && m_job.error.isEmpty())
            readCommand();
        if (m_job.error.isEmpty())
            makePicture();
        return m_job;
    }

private:
    void readCommand()
    {
        const qsizetype start = m_at;
        const QByteArray prefix = take(2);
        if (prefix == "\x1b@") {
            m_job.commands.append(QStringLiteral("ESC @"));
        } else if (prefix == "\x1bJ" && has(1)) {
            const int dots = byte(m_at++);
            m_job.commands.append(QStringLiteral("ESC J %1").arg(dots));
            m_job.trailingFeed += dots;
        } else if (prefix == "\x1dv" && has(6) && m_bytes.at(m_at) == '0' && byte(m_at + 1) == 0) {
            readRaster();
        } else if (prefix == "\x1dV" && has(1)) {
            readCut();
        } else {
            fail(start, QStringLiteral("unknown command"));
        }
    }

    void readRaster()
    {
        const qsizetype start = m_at - 2;
        const int across = word(m_at + 2);
        const int rows = word(m_at + 4);
        m_at += 6;
        if (across == 0 || rows == 0)
            return fail(start, QStringLiteral("empty raster"));
        if (m_across != 0 && across != m_across)
            return fail(start, QStringLiteral("raster %1 bytes across after %2").arg(across).arg(m_across));
        if (!has(qsizetype(across) * rows))
            return fail(start, QStringLiteral("raster cut short"));
        m_across = across;
        for (int fed = 0; fed < m_job.trailingFeed; ++fed)
            m_rows.append(QByteArray(across, '\0'));
        m_job.trailingFeed = 0;
        for (int row = 0; row < rows; ++row)
            m_rows.append(take(across));
        m_job.commands.append(QStringLiteral("GS v 0 %1x%2").arg(across).arg(rows));
    }

    // GS V m, and GS V m n for the cuts that feed first.
    void readCut()
    {
        const int mode = byte(m_at++);
        if (mode == 65 || mode == 66) {
            if (!has(1))
                return fail(m_at - 3, QStringLiteral("cut cut short"));
            m_job.commands.append(QStringLiteral("GS V %1 %2").arg(mode).arg(byte(m_at++)));
        } else if (mode == 0 || mode == 1 || mode == 48 || mode == 49) {
            m_job.commands.append(QStringLiteral("GS V %1").arg(mode));
        } else {
            fail(m_at - 3, QStringLiteral("unknown cut"));
        }
    }

    void makePicture()
    {
        if (m_rows.isEmpty())
            return;
        m_job.picture = QImage(m_across * 8, int(m_rows.size()), QImage::Format_Mono);
        m_job.picture.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        for (int y = 0; y < m_rows.size(); ++y)
            std::memcpy(m_job.picture.scanLine(y), m_rows[y].constData(), size_t(m_across));
    }

    bool has(qsizetype count) const { return m_bytes.size() - m_at >= count; }
    int byte(qsizetype at) const { return static_cast<unsigned char>(m_bytes.at(at)); }
    int word(qsizetype at) const { return byte(at) + 256 * byte(at + 1); }
    QByteArray take(qsizetype count)
    {
        const QByteArray taken = m_bytes.mid(m_at, count);
        m_at += taken.size();
        return taken;
    }
    void fail(qsizetype at, const QString& what)
    {
        m_job.error = QStringLiteral("%1 at byte %2").arg(what).arg(at);
    }

    const QByteArray& m_bytes;
    qsizetype m_at = 0;
    int m_across = 0;
    QList<QByteArray> m_rows;
    EscPosJob m_job;
};
} // namespace

EscPosJob readEscPos(const QByteArray& bytes)
{
    return Reader(bytes).read();
}
