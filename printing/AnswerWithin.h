#pragma once

#include "text/Failure.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <functional>
#include <optional>

// Runs a call to the print system on a worker thread while the caller's event loop goes on (the window
// repaints, its clock ticks, its clicks are handled), and gives the call's result or rethrows its failure.
// When the limit passes first, throws `late` instead; the call then ends on its own at the print system's
// own time limit, and its result is dropped.
template <class T> T answerWithin(int limitMs, std::function<T()> call, const Failure& late)
{
    struct Answer
    {
        std::optional<T> value;
        std::exception_ptr failure;
    };
    QFuture<Answer> future = QtConcurrent::run([call = std::move(call)] {
        Answer answer;
        try {
            answer.value = call();
        } catch (...) {
            answer.failure = std::current_exception();
        }
        return answer;
    });
    if (!future.isFinished()) {
        QEventLoop loop;
        QFutureWatcher<Answer> watcher;
        QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
        watcher.setFuture(future);
        if (!future.isFinished())
            loop.exec();
    }
    if (!future.isFinished())
        throw late;
    Answer answer = future.result();
    if (answer.failure)
        std::rethrow_exception(answer.failure);
    return std::move(*answer.value);
}
