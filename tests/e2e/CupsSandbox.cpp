#include "tests/e2e/CupsSandbox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <cups/cups.h>
#include <signal.h>
#include <unistd.h>

namespace {
const QString kScript = QStringLiteral(RECEIPT_SOURCE_DIR "/scripts/cups-sandbox");
}

CupsSandbox::CupsSandbox() : m_dir(QDir::tempPath() + QStringLiteral("/receipt-cups-XXXXXX")) {}

CupsSandbox::~CupsSandbox()
{
    if (m_started)
        run(QStringLiteral("stop"));
}

bool CupsSandbox::runningAsRoot()
{
    return geteuid() == 0;
}

QString CupsSandbox::start()
{
    if (!m_dir.isValid())
        return QStringLiteral("cannot create a temporary folder: ") + m_dir.errorString();
    // Our own queue must be the default: nothing from the environment may name another one.
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    qputenv("CUPS_SERVER", QDir(m_dir.path()).filePath(QStringLiteral("cups.sock")).toLocal8Bit());
    m_started = true;
    return run(QStringLiteral("start"));
}

void CupsSandbox::removeQueue()
{
    run(QStringLiteral("remove"));
}

void CupsSandbox::addQueue()
{
    run(QStringLiteral("add"));
}

void CupsSandbox::stop()
{
    run(QStringLiteral("stop"));
}

void CupsSandbox::freeze()
{
    signalScheduler(SIGSTOP);
}

void CupsSandbox::thaw()
{
    signalScheduler(SIGCONT);
}

void CupsSandbox::signalScheduler(int signal) const
{
    QFile pidFile(QDir(m_dir.path()).filePath(QStringLiteral("cupsd.pid")));
    if (pidFile.open(QIODevice::ReadOnly))
        kill(pid_t(pidFile.readAll().trimmed().toInt()), signal);
}

QString CupsSandbox::run(const QString& command) const
{
    return admin(kScript, {command, m_dir.path()});
}

QString CupsSandbox::admin(const QString& program, const QStringList& arguments) const
{
    QProcess process;
    process.start(program, arguments);
    const QString command = program + u' ' + arguments.join(u' ');
    if (!process.waitForFinished(120000))
        return command + QStringLiteral(" did not finish");
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("%1 failed with %2: %3")
            .arg(command)
            .arg(process.exitCode())
            .arg(QString::fromLocal8Bit(process.readAllStandardError()));
    return {};
}

QString CupsSandbox::outputPath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("out/%1.pdf").arg(queue));
}

QString CupsSandbox::rawOutputPath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("out/%1.bin").arg(rawQueue));
}

QString CupsSandbox::errorLog() const
{
    QFile log(QDir(m_dir.path()).filePath(QStringLiteral("log/error_log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

QList<CupsSandbox::Job> CupsSandbox::jobs() const
{
    cups_job_t* list = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, nullptr, 0, CUPS_WHICHJOBS_ALL);
    QList<Job> result;
    for (int at = 0; at < count; ++at)
        result.append({list[at].id, QString::fromUtf8(list[at].title), list[at].state == IPP_JSTATE_COMPLETED,
                       int(list[at].state)});
    cupsFreeJobs(count, list);
    return result;
}

bool CupsSandbox::waitUntilIdle(int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        cups_job_t* list = nullptr;
        const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(qMax(active, 0), list);
        if (active == 0)
            return true;
        QThread::msleep(50);
    }
    return false;
}
