#include "tests/reliability/KillTrials.h"

#include "store/Connection.h"
#include "store/DatabaseLocation.h"
#include "store/Dataset.h"
#include "store/Provider.h"
#include "text/Failure.h"

#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
void say(int fd, const QString& line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    if (write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        _exit(4);
}

// The child: post and delete rows until killed. Never returns.
[[noreturn]] void work(const QString& path, int trial, std::uint64_t seed, int fd)
{
    std::mt19937_64 random(seed);
    try {
        Connection connection;
        connection.setConnectionString(DatabaseLocation::connectionString(path));
        Dataset items(connection, QStringLiteral("ADOQuery1"));
        items.setSql(QStringLiteral("select * from xiaoshou"));
        items.open();
        say(fd, QStringLiteral("R"));
        for (int n = 0;; ++n) {
            if (items.rowCount() > 0 && random() % 4 == 0) {
                items.moveTo(int(random() % std::uint64_t(items.rowCount())));
                const QString name = items.fieldByName(QStringLiteral("品名")).asString();
                items.remove();
                say(fd, QStringLiteral("D ") + name);
            } else {
                const QString name = QStringLiteral("t%1-%2").arg(trial).arg(n);
                items.append();
                items.fieldByName(QStringLiteral("品名")).setAsString(name);
                items.fieldByName(QStringLiteral("金额"))
                    .setAsString(QString::number(n % 1000) + QStringLiteral(".25"));
                items.post();
                say(fd, QStringLiteral("A ") + name);
            }
        }
    } catch (const Failure& failure) {
        say(fd, QStringLiteral("E ") + failure.message());
    }
    _exit(3);
}
} // namespace

KillTrials::KillTrials(QString databasePath, std::uint64_t seed)
    : m_path(std::move(databasePath)), m_random(seed)
{
}

KillTrials::Outcome KillTrials::run(int maxLifeMs)
{
    Outcome outcome;
    ++m_trial;
    const std::uint64_t childSeed = m_random();
    const int life = int(m_random() % std::uint64_t(maxLifeMs + 1));
    int ends[2];
    if (pipe(ends) != 0) {
        outcome.problems.append(QStringLiteral("no pipe"));
        return outcome;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        work(m_path, m_trial, childSeed, ends[1]);
    }
    close(ends[1]);

    QByteArray received;
    bool killed = false;
    qint64 deadline = -1; // set once the child has opened the list
    timespec now{};
    const auto millis = [&] {
        clock_gettime(CLOCK_MONOTONIC, &now);
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    };
    for (;;) {
        if (!killed && deadline >= 0 && millis() >= deadline) {
            kill(child, SIGKILL);
            killed = true;
        }
        pollfd readable{ends[0], POLLIN, 0};
        const int wait = killed || deadline < 0 ? 5000 : int(std::max<qint64>(0, deadline - millis()));
        if (poll(&readable, 1, wait) < 0)
            break;
        if (!(readable.revents & (POLLIN | POLLHUP)))
            continue;
        char buffer[4096];
        const ssize_t n = read(ends[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        received.append(buffer, n);
        if (deadline < 0 && received.startsWith("R\n"))
            deadline = millis() + life;
    }
    close(ends[0]);
    if (!killed)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);

    // Only whole lines were acknowledged; a line cut by the kill was not.
    const QStringList lines = QString::fromUtf8(received.left(received.lastIndexOf('\n') + 1))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QString name = line.mid(2);
        if (line.startsWith(QLatin1String("A "))) {
            m_acknowledged.insert(name, true);
            ++outcome.posted;
        } else if (line.startsWith(QLatin1String("D "))) {
            m_acknowledged.insert(name, false);
            ++outcome.deleted;
        } else if (line.startsWith(QLatin1String("E "))) {
            outcome.problems.append(QStringLiteral("the child failed: ") + name);
        }
    }
    outcome.problems.append(check());
    return outcome;
}

QStringList KillTrials::check()
{
    QStringList problems;
    try {
        SqliteDatabase db(m_path, Provider::password, SqliteDatabase::Mode::OpenExisting);
        SqliteStatement integrity(db, QStringLiteral("PRAGMA integrity_check"));
        while (integrity.step())
            if (integrity.text(0) != QLatin1String("ok"))
                problems.append(QStringLiteral("integrity_check: ") + integrity.text(0));
        QMap<QString, int> stored;
        SqliteStatement names(db, QStringLiteral("SELECT 品名 FROM xiaoshou"));
        while (names.step())
            ++stored[names.text(0)];
        QStringList missing;
        for (auto row = m_acknowledged.cbegin(); row != m_acknowledged.cend(); ++row)
            if (row.value() && !stored.contains(row.key()))
                missing.append(row.key());
        QStringList unacknowledged;
        for (auto row = stored.cbegin(); row != stored.cend(); ++row) {
            if (row.value() > 1)
                problems.append(QStringLiteral("%1 is stored %2 times").arg(row.key()).arg(row.value()));
            if (!m_acknowledged.contains(row.key()))
                unacknowledged.append(row.key());
            else if (!m_acknowledged.value(row.key()))
                problems.append(QStringLiteral("%1 was deleted, yet is still there").arg(row.key()));
        }
        // The one post under way at the kill may have reached the file; from now on it is a row like any.
        if (unacknowledged.size() > 1)
            problems.append(QStringLiteral("rows never acknowledged: ") +
                            unacknowledged.join(QLatin1Char(' ')));
        for (const QString& name : std::as_const(unacknowledged))
            m_acknowledged.insert(name, true);
    } catch (const Failure& failure) {
        problems.append(failure.message());
    }
    return problems;
}
