#include "tests/support/TestApplication.h"

#include "text/Failure.h"

#include <QTest>
#include <cstdio>

TestApplication::TestApplication(int& argc, char** argv) : ReceiptApplication(argc, argv) {}

int TestApplication::run(QObject& test, int argc, char** argv)
{
    const int failed = QTest::qExec(&test, argc, argv);
    for (const QString& failure : std::as_const(m_unguarded))
        std::fprintf(stderr, "Unguarded failure: %s\n", qPrintable(failure));
    return failed != 0 || !m_unguarded.isEmpty() ? 1 : 0;
}

void TestApplication::unguardedFailure(const QObject* receiver, const QEvent* event,
                                       const std::exception& error)
{
    const char* test = QTest::currentTestFunction();
    const QString failure = QStringLiteral("%1: %2: %3")
                                .arg(test ? QString::fromLatin1(test) : QStringLiteral("outside a test"),
                                     describe(receiver, event), failureMessage(error));
    m_unguarded.append(failure);
    if (test)
        QTest::qFail(qPrintable(QStringLiteral("a failure escaped its handler's guard: ") + failure),
                     __FILE__, __LINE__);
    ReceiptApplication::unguardedFailure(receiver, event, error);
}
