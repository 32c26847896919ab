// The window on a real X server with a window manager (tests/support/x11-session): what the offscreen
// platform cannot show, the focus coming back with the window or after a pop-up, the selection clipboard
// and the style's own painting.
#include "store/Dataset.h"
#include "tests/support/Clerk.h"
#include "tests/support/TestApplication.h"
#include "tests/support/WindowFixture.h"
#include "widgets/DBGrid.h"
#include "widgets/DialogService.h"
#include "widgets/FlatEdit.h"
#include "widgets/FlatSpeedButton.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QMenu>
#include <QTest>
#include <functional>

namespace {
enum class Cause
{
    Tab,
    Backtab,
    Enter,
    Program,
    Click,
    ContextMenu,
    Reactivation,
    ModalBox
};

// Dismisses the next modal box once it is up and active.
bool dismissModalBox()
{
    QWidget* box = QApplication::activeModalWidget();
    if (!box || !box->isActiveWindow())
        return false;
    box->close();
    return true;
}

// Chooses an entry of the open context menu by its text with the mouse, or leaves the menu with Esc.
std::function<bool()> chooseFromContextMenu(const QString& action)
{
    return [action] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return false;

        if (action.isEmpty()) {
            QTest::keyClick(menu->windowHandle(), Qt::Key_Escape);
            return true;
        }
        for (QAction* entry : menu->actions()) {
            if (entry->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0) == action) {
                const QPoint point = menu->actionGeometry(entry).center();
                QTest::mouseMove(menu, point);
                QTest::mouseClick(menu, Qt::LeftButton, {}, point);
                return true;
            }
        }
        return false;
    };
}

QPoint inWindow(const QWidget& widget, QPoint point)
{
    return widget.mapTo(widget.window(), point);
}

// The right button: the window asks the field for its context menu.
void rightClick(QWidget& widget, QPoint point)
{
    QTest::mouseClick(widget.window()->windowHandle(), Qt::RightButton, {}, inWindow(widget, point));
}
} // namespace

class WindowX11Test : public QObject
{
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->clear(QClipboard::Selection); }

    // The field's whole text is selected when the focus comes by Enter, Tab or the program; a click puts
    // the caret where it falls; focus that only comes back leaves the caret and selection alone.
    void focusCauses_data()
    {
        QTest::addColumn<int>("cause");
        QTest::addColumn<QString>("selected"); // "*": as the click left it
        QTest::addColumn<int>("caret");
        const QString whole = QStringLiteral("abcdef");
        const QString kept = QStringLiteral("cd");
        QTest::newRow("Tab") << int(Cause::Tab) << whole << 6;
        QTest::newRow("Shift+Tab") << int(Cause::Backtab) << whole << 6;
        QTest::newRow("Enter chain") << int(Cause::Enter) << whole << 6;
        QTest::newRow("program") << int(Cause::Program) << whole << 6;
        QTest::newRow("click") << int(Cause::Click) << QString() << -1;
        QTest::newRow("context menu left with Esc") << int(Cause::ContextMenu) << kept << 4;
        QTest::newRow("window active again") << int(Cause::Reactivation) << kept << 4;
        QTest::newRow("modal box closed") << int(Cause::ModalBox) << kept << 4;
    }

    void focusCauses()
    {
        QFETCH(int, cause);
        QFETCH(QString, selected);
        QFETCH(int, caret);
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        FlatEdit& field = *form.FlatEdit8;
        field.setText(QStringLiteral("abcdef"));
        const auto selectCd = [&] { field.setSelection(2, 2); };
        const QPoint clickPoint(field.width() / 4, field.height() / 2);

        switch (Cause(cause)) {
        case Cause::Tab:
            form.FlatEdit7->setFocus();
            selectCd();
            QTest::keyClick(form.FlatEdit7, Qt::Key_Tab);
            break;
        case Cause::Backtab:
            form.FlatEdit9->setFocus();
            selectCd();
            QTest::keyClick(form.FlatEdit9, Qt::Key_Backtab, Qt::ShiftModifier);
            break;
        case Cause::Enter:
            form.FlatEdit7->setFocus();
            selectCd();
            QTest::keyClick(form.FlatEdit7, Qt::Key_Return);
            break;
        case Cause::Program:
            selectCd();
            field.setFocus();
            break;
        case Cause::Click:
            selectCd();
            caret = field.cursorPositionAt(clickPoint);
            QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, inWindow(field, clickPoint));
            break;
        case Cause::ContextMenu: {
            field.setFocus();
            selectCd();
            Clerk clerk(chooseFromContextMenu(QString()));
            rightClick(field, clickPoint);
            QTRY_VERIFY(clerk.done());
            QTRY_VERIFY(!QApplication::activePopupWidget());
            break;
        }
        case Cause::Reactivation: {
            field.setFocus();
            selectCd();
            QWidget other;
            other.resize(200, 100);
            QVERIFY(showActive(other));
            QVERIFY(!form.isActiveWindow());
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            break;
        }
        case Cause::ModalBox: {
            // A save that fails shows the real error box.
            field.setFocus();
            selectCd();
            MessageBoxDialogService boxes;
            fixture.dialogs.onShow = [&](const MessageBoxRequest& request) { boxes.show(request); };
            form.ADOQuery2->close();
            Clerk clerk(dismissModalBox);
            QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {},
                              inWindow(*form.FlatSpeedButton3, {60, 16}));
            QCOMPARE(fixture.errors(), QStringList{QStringLiteral(
                                           "ADOQuery2: Cannot perform this operation on a closed dataset.")});
            QVERIFY(QTest::qWaitForWindowActive(&form));
            break;
        }
        }
        QCOMPARE(QApplication::focusWidget(), &field);
        QCOMPARE(field.selectedText(), selected);
        QCOMPARE(field.cursorPosition(), caret);
        QCOMPARE(field.text(), QStringLiteral("abcdef"));
    }

    // A context-menu action acts on the selection, and "保存备注" stores what it left.
    void contextMenuActionsActOnTheSelection_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("Paste") << "Paste"
                               << "abXYef"
                               << "XY";
        QTest::newRow("Cut") << "Cut"
                             << "abef"
                             << "cd";
        QTest::newRow("Delete") << "Delete"
                                << "abef"
                                << "XY";
        QTest::newRow("Copy") << "Copy"
                              << "abcdef"
                              << "cd";
    }

    void contextMenuActionsActOnTheSelection()
    {
        QFETCH(QString, action);
        QFETCH(QString, text);
        QFETCH(QString, clipboard);
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        FlatEdit& field = *form.FlatEdit3;
        field.setText(QStringLiteral("abcdef"));
        field.setFocus();
        field.setSelection(2, 2);
        QGuiApplication::clipboard()->setText(QStringLiteral("XY"));
        {
            Clerk clerk(chooseFromContextMenu(action));
            rightClick(field, {field.width() / 4, field.height() / 2});
            QTRY_VERIFY(clerk.done());
            QTRY_VERIFY(!QApplication::activePopupWidget());
        }
        QTRY_COMPARE(field.text(), text);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {},
                          inWindow(*form.FlatSpeedButton3, {60, 16}));
        QCOMPARE(fixture.database().rows(QStringLiteral("SELECT 收银员 FROM beizhu")), QStringList{text});
        QVERIFY(fixture.dialogs.requests.isEmpty());
    }

    // The middle button pastes the X11 selection into the open cell editor as an editing key would: the row
    // enters editing, Enter writes the text, and a move saves it.
    void middleButtonPasteStartsTheRowsEditing()
    {
        WindowFixture fixture;
        fixture.database().execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('学费', 300)"));
        TFormMain& form = fixture.open();
        form.DBGrid1->setFocus();
        QTest::keyClick(form.DBGrid1, Qt::Key_F2);
        QLineEdit* editor = form.DBGrid1->cellEditor();
        QVERIFY(editor);
        QCOMPARE(form.ADOQuery1->state(), Dataset::State::Browse);
        QGuiApplication::clipboard()->setText(QStringLiteral("班"), QClipboard::Selection);
        QTest::mouseClick(editor, Qt::MiddleButton, {}, {editor->width() - 2, editor->height() / 2});
        QCOMPARE(editor->text(), QStringLiteral("学费班"));
        QCOMPARE(form.ADOQuery1->state(), Dataset::State::Edit);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(fixture.dialogs.requests.isEmpty());
        QCOMPARE(fixture.database().rows(QStringLiteral("SELECT 品名 FROM xiaoshou")),
                 QStringList{QStringLiteral("学费班")});
    }

    void gridCornerIsAFixedCell()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        auto* corner = form.DBGrid1->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(corner);
        QVERIFY(corner->isVisible());
        const QImage shot = form.grab().toImage();
        const QColor fixed(0x77, 0xBB, 0xFF);
        for (const QPoint point : {QPoint(1, 1), QPoint(corner->width() / 2, corner->height() / 2),
                                   QPoint(corner->width() - 2, corner->height() - 2)})
            QCOMPARE(shot.pixelColor(inWindow(*corner, point)), fixed);
    }

    // Minimising and restoring the window runs no step again: the rows and fields stay as they were.
    void minimiseAndRestoreReloadNothing()
    {
        WindowFixture fixture;
        fixture.database().execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('学费', 300), ('餐费', 5)"));
        TFormMain& form = fixture.open();
        form.ADOQuery1->last();
        form.FlatEdit3->setText(QStringLiteral("王老师"));
        fixture.database().execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('书费', 20)"));
        form.showMinimized();
        QTRY_VERIFY(form.isMinimized());
        form.showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(!form.isMinimized());
        QCOMPARE(form.ADOQuery1->rowCount(), 2);
        QCOMPARE(form.ADOQuery1->currentRow(), 1);
        QCOMPARE(form.FlatEdit3->text(), QStringLiteral("王老师"));
        QVERIFY(fixture.dialogs.requests.isEmpty());
    }
};

int main(int argc, char** argv)
{
    TestApplication app(argc, argv);
    WindowX11Test test;
    return app.run(test, argc, argv);
}

#include "window_x11_test.moc"
