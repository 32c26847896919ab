// Every damaged or foreign data.mdb gives a clear message when the list is opened and totalled, and is
// left byte for byte as it was.

#include "store/Connection.h"
#include "store/DatabaseFile.h"
#include "store/DatabaseLocation.h"
#include "store/Dataset.h"
#include "tests/support/GTestQt.h"
#include "tests/support/TestDatabase.h"
#include "text/Failure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const std::string kNotADatabase = "file is encrypted or is not a database";

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray randomBytes(int size)
{
    std::mt19937 random(11);
    QByteArray bytes(size, '\0');
    for (char& byte : bytes)
        byte = char(random());
    return bytes;
}

// A keyed database made from the given script, its bytes.
QByteArray keyedDatabase(const QString& sql, const QString& key = Provider::password)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("made.mdb"));
    DatabaseFile::createIfMissing(path, sql, key);
    return bytesOf(path);
}

// The shipped schema in a file that is not keyed at all.
void plainSqlite(const QString& path)
{
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, &sqlite3_close);
    ASSERT_EQ(
        sqlite3_exec(raw, TestDatabase::shippedSchema().toUtf8().constData(), nullptr, nullptr, nullptr),
        SQLITE_OK);
}

// A shipped database with a few items, its bytes.
QByteArray shippedWithItems()
{
    return keyedDatabase(TestDatabase::shippedSchema() +
                         QStringLiteral(";WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                        "WHERE i < 400) INSERT INTO xiaoshou SELECT '项目' || i, i FROM n"));
}

// What the clerk sees when the program connects, opens the item list and computes the total.
std::string openAndTotal(const QString& path)
{
    Connection connection;
    connection.setConnectionString(DatabaseLocation::connectionString(path));
    Dataset items(connection, QStringLiteral("ADOQuery1"));
    try {
        connection.open();
        items.setSql(QStringLiteral("select * from xiaoshou"));
        items.open();
        double sum = 0.0;
        for (items.first(); !items.eof(); items.next())
            sum += items.fieldByName(QStringLiteral("金额")).asFloat();
        return "total " + std::to_string(sum);
    } catch (const Failure& failure) {
        return failure.message().toStdString();
    }
}

struct DamagedFile
{
    const char* name;
    std::function<void(const QString& path)> make;
    std::string expected; // "{path}" stands for the file's path
};

void PrintTo(const DamagedFile& c, std::ostream* out)
{
    *out << c.name;
}

class DamagedFiles : public testing::TestWithParam<DamagedFile>
{
};

// The folder's entries with their bytes, so that a file written, created or left beside data.mdb shows.
QStringList folderContents(const QString& folder)
{
    QStringList contents;
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        const QString kind = entry.isSymLink() ? QStringLiteral("link")
                             : entry.isDir()   ? QStringLiteral("dir")
                                               : QStringLiteral("file");
        const QByteArray bytes =
            entry.isFile() && !entry.isSymLink() ? bytesOf(entry.filePath()) : QByteArray();
        contents.append(entry.fileName() + QLatin1Char(' ') + kind + QLatin1Char(' ') +
                        QString::fromLatin1(bytes.toHex()));
    }
    return contents;
}

TEST_P(DamagedFiles, GiveTheirMessageAndStayAsTheyWere)
{
    const DamagedFile& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.mdb"));
    c.make(path);
    const QStringList before = folderContents(dir.path());

    std::string expected = c.expected;
    if (const auto at = expected.find("{path}"); at != std::string::npos)
        expected.replace(at, 6, path.toStdString());
    EXPECT_EQ(openAndTotal(path), expected);
    EXPECT_EQ(folderContents(dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, DamagedFiles,
    testing::Values(
        DamagedFile{"ZeroBytes", [](const QString& p) { writeBytes(p, QByteArray()); }, kNotADatabase},
        DamagedFile{"OneByte", [](const QString& p) { writeBytes(p, "x"); }, kNotADatabase},
        DamagedFile{"RandomBytes", [](const QString& p) { writeBytes(p, randomBytes(16384)); },
                    kNotADatabase},
        DamagedFile{"Text",
                    [](const QString& p) { writeBytes(p, QByteArray("学费 300\n餐费 12.5\n").repeated(64)); },
                    kNotADatabase},
        DamagedFile{"PlainSqlite", plainSqlite, kNotADatabase},
        DamagedFile{"AnotherKey",
                    [](const QString& p) {
                        writeBytes(p, keyedDatabase(TestDatabase::shippedSchema(), QStringLiteral("111111")));
                    },
                    kNotADatabase},
        DamagedFile{"CutMidPage", [](const QString& p) { writeBytes(p, shippedWithItems().chopped(1000)); },
                    kNotADatabase},
        DamagedFile{"CutAtAPage", [](const QString& p) { writeBytes(p, shippedWithItems().first(8192)); },
                    "database disk image is malformed"},
        DamagedFile{"APageOverwrittenInTheMiddle",
                    [](const QString& p) {
                        QByteArray bytes = shippedWithItems();
                        bytes.replace(bytes.size() / 2 / 4096 * 4096, 4096, randomBytes(4096));
                        writeBytes(p, bytes);
                    },
                    "database disk image is malformed"},
        DamagedFile{
            "MissingTable",
            [](const QString& p) { writeBytes(p, keyedDatabase(QStringLiteral("CREATE TABLE other (a)"))); },
            "no such table: xiaoshou"},
        DamagedFile{"MissingColumn",
                    [](const QString& p) {
                        writeBytes(p, keyedDatabase(QStringLiteral("CREATE TABLE xiaoshou (品名 TEXT(50));"
                                                                   "INSERT INTO xiaoshou VALUES ('学费')")));
                    },
                    "ADOQuery1: Field '金额' not found"},
        DamagedFile{"TextInTheAmountColumn",
                    [](const QString& p) {
                        writeBytes(p,
                                   keyedDatabase(TestDatabase::shippedSchema() +
                                                 QStringLiteral(";INSERT INTO xiaoshou VALUES ('学费', 300), "
                                                                "('杂费', 'abc')")));
                    },
                    "'abc' is not a valid floating point value for field '金额'"},
        DamagedFile{"ADirectory", [](const QString& p) { ASSERT_TRUE(QDir().mkdir(p)); }, kNotADatabase},
        DamagedFile{"AFifo",
                    [](const QString& p) { ASSERT_EQ(mkfifo(QFile::encodeName(p).constData(), 0600), 0); },
                    kNotADatabase},
        DamagedFile{"ADanglingSymlink",
                    [](const QString& p) { ASSERT_TRUE(QFile::link(p + QStringLiteral(".gone"), p)); },
                    "Could not find file '{path}'"}));

// Runs the action as an ordinary user when the tests run as root, so that file permissions hold, and
// returns what it printed.
std::string asAnOrdinaryUser(const std::function<std::string()>& action)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        std::string result;
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            result = "cannot become nobody";
        else
            result = action();
        const ssize_t written = write(pipeEnds[1], result.data(), result.size());
        _exit(written == ssize_t(result.size()) ? 0 : 1);
    }
    close(pipeEnds[1]);
    std::string result;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, size_t(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return result;
}

// Opens the list, types a row and posts it; the post's failure, or what the list then holds.
std::string postARow(const QString& path)
{
    Connection connection;
    connection.setConnectionString(DatabaseLocation::connectionString(path));
    Dataset items(connection, QStringLiteral("ADOQuery1"));
    items.setSql(QStringLiteral("select * from xiaoshou"));
    try {
        items.open();
        items.append();
        items.fieldByName(QStringLiteral("品名")).setAsString(QStringLiteral("学费"));
        items.post();
        return "stored";
    } catch (const Failure& failure) {
        return failure.message().toStdString() +
               (items.state() == Dataset::State::Insert ? "" : " (row lost)");
    }
}

struct ReadOnlyCase
{
    const char* name;
    QFile::Permissions folder;
    QFile::Permissions file;
    std::string expected;
};

void PrintTo(const ReadOnlyCase& c, std::ostream* out)
{
    *out << c.name;
}

class ReadOnlyPlaces : public testing::TestWithParam<ReadOnlyCase>
{
};

constexpr QFile::Permissions kReadAll = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr QFile::Permissions kListAll = kReadAll | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
constexpr QFile::Permissions kWriteAll = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

TEST_P(ReadOnlyPlaces, RefuseThePostPlainlyAndKeepTheRowPending)
{
    const ReadOnlyCase& c = GetParam();
    TestDatabase db;
    ASSERT_TRUE(QFile::setPermissions(db.path(), c.file));
    ASSERT_TRUE(QFile::setPermissions(db.folder(), c.folder));
    const QStringList before = folderContents(db.folder());
    std::string expected = c.expected;
    if (const auto at = expected.find("{folder}"); at != std::string::npos)
        expected.replace(at, 8, db.folder().toStdString());
    EXPECT_EQ(asAnOrdinaryUser([&] { return postARow(db.path()); }), expected);
    EXPECT_EQ(folderContents(db.folder()), before);
    QFile::setPermissions(db.folder(), kListAll | QFile::WriteOwner);
}

INSTANTIATE_TEST_SUITE_P(
    Permissions, ReadOnlyPlaces,
    testing::Values(
        ReadOnlyCase{"ReadOnlyFile", kListAll | kWriteAll, kReadAll, "attempt to write a readonly database"},
        ReadOnlyCase{"ReadOnlyFolder", kListAll, kReadAll | kWriteAll,
                     "Cannot save changes: the folder '{folder}' of the database is not writable"}));
} // namespace
