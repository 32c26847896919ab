#pragma once

#include "text/Failure.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

// Runs a call to the print system on a worker thread while the caller's event loop goes on (the window
// repaints, its clock ticks, its clicks are handled), and gives the call's result or rethrows its failure.
// When the limit passes first, throws `late` instead; the call then ends on its own at the print system's
// own time limit, and `undo` is given the result it comes to, if any, so that what the caller was told did
// not happen does not happen later.
template <class T>
T answerWithin(int limitMs, std::function<T()> call, const Failure& late,
               std::function<void(const T&)> undo = {})
{
    enum Progress
    {
        Asking,
        Answered,
        GivenUp,
    };
    struct Answer
    {
        std::optional<T> value;
        std::exception_ptr failure;
    };
    auto progress = std::make_shared<std::atomic<int>>(Asking);
    QFuture<Answer> future = QtConcurrent::run([call = std::move(call), undo = std::move(undo), progress] {
        Answer answer;
        try {
            answer.value = call();
        } catch (...) {
            answer.failure = std::current_exception();
        }
        if (progress->exchange(Answered) == GivenUp && answer.value && undo) {
            try {
                undo(*answer.value);
            } catch (...) {
                // Nobody waits for this answer any more; the caller has already told what it knew.
            }
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
    // An answer that came just as the limit passed still counts: the worker is only returning it.
    if (progress->exchange(GivenUp) != Answered)
        throw late;
    Answer answer = future.result();
    if (answer.failure)
        std::rethrow_exception(answer.failure);
    return std::move(*answer.value);
}
