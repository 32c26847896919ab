#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A CUPS of our own (scripts/cups-sandbox): its own cupsd in a temporary folder with the virtual 58 mm,
// 203 dpi queue POS58 as the default printer, which writes each job's document to outputPath(), and the raw
// queue POS58RAW, which writes each job's bytes to rawOutputPath(). Starting it points this process's CUPS
// clients at it, so it must be started before anything here talks to CUPS.
class CupsSandbox
{
public:
    CupsSandbox();
    ~CupsSandbox();
    CupsSandbox(const CupsSandbox&) = delete;
    CupsSandbox& operator=(const CupsSandbox&) = delete;

    static bool runningAsRoot();

    // Starts cupsd; returns an empty text when ready, otherwise what went wrong.
    QString start();
    void removeQueue();
    void addQueue();
    // Ends cupsd as a crashed or shut-down scheduler would; start() brings it back with its queue and jobs.
    void stop();
    // Stops and resumes cupsd's process: a scheduler that takes connections and never answers.
    void freeze();
    void thaw();
    // Runs one of CUPS's administration commands (lpadmin, cupsreject, cupsenable, ...) on the sandbox;
    // returns an empty text on success, otherwise what went wrong.
    QString admin(const QString& program, const QStringList& arguments) const;
    QString folder() const { return m_dir.path(); }

    QString outputPath() const;
    QString rawOutputPath() const;
    QString errorLog() const;
    // Waits until no job is pending or processing; false after the timeout.
    bool waitUntilIdle(int timeoutMs = 60000) const;

    struct Job
    {
        int id = 0;
        QString title;
        bool completed = false;
        int state = 0; // the IPP job-state
    };
    QList<Job> jobs() const;

    static inline const QString queue = QStringLiteral("POS58");
    static inline const QString rawQueue = QStringLiteral("POS58RAW");

private:
    QString run(const QString& command) const;
    void signalScheduler(int signal) const;

    QTemporaryDir m_dir;
    bool m_started = false;
};
