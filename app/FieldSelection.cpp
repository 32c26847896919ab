#include "app/FieldSelection.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>

namespace {
// The focus leaves for a pop-up or another window and comes back by the same reason.
bool isAway(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}
} // namespace

FieldSelection::FieldSelection(QWidget* window) : QObject(window), m_window(window)
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusChanged(now); });
}

void FieldSelection::watch(QLineEdit* field)
{
    field->installEventFilter(this);
}

// The program may move the window's focus while the window is inactive; then the focus that comes back with
// the window is new to the field that gets it.
void FieldSelection::focusChanged(QWidget* now)
{
    if (now && now != m_kept && now->window() == m_window)
        m_kept = nullptr;
}

bool FieldSelection::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        m_kept = isAway(static_cast<QFocusEvent*>(event)->reason()) ? watched : nullptr;
    } else if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool comesBack = isAway(reason) && m_kept == watched;
        m_kept = nullptr;
        if (!comesBack && reason != Qt::MouseFocusReason)
            static_cast<QLineEdit*>(watched)->selectAll();
    }
    return false;
}
