#pragma once

#include <QObject>
#include <QPointer>

class QLineEdit;
class QWidget;

// The fields of a window select their whole text when the focus comes to them by Enter, Tab or the
// program, so that typing replaces it; a click keeps the caret where it fell. Focus that only comes back
// to the field that held it (a pop-up menu closed, the window active again, a modal box dismissed) leaves
// the caret and selection as they were, or a context-menu action or the next keystroke would act on the
// whole text.
class FieldSelection : public QObject
{
    Q_OBJECT

public:
    explicit FieldSelection(QWidget* window);

    void watch(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusChanged(QWidget* now);

    QWidget* m_window;
    // The field that kept the window's focus while a pop-up or another window had the keyboard.
    QPointer<QObject> m_kept;
};
