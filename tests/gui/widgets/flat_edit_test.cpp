#include "tests/gui/widgets/WidgetHost.h"
#include "widgets/FlatEdit.h"
#include "widgets/Fonts.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {
const QColor kFlat{0xEB, 0xEA, 0xE1};
const QColor kFocused{0xFF, 0xFF, 0xFF};
const QColor kBorder{0xA0, 0x96, 0x83};

// Two flat edits and a plain line edit on one window.
struct EditWindow
{
    EditWindow()
    {
        first.setGeometry(10, 10, 137, 26);
        second.setGeometry(10, 50, 137, 26);
        plain.setGeometry(10, 90, 137, 26);
    }

    WidgetHost host;
    FlatEdit first{&host};
    FlatEdit second{&host};
    QLineEdit plain{&host};
};
} // namespace

class FlatEditTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { movePointerAway(); }

    void defaults()
    {
        FlatEdit edit;
        QCOMPARE(edit.colorFlat(), kFlat);
        QCOMPARE(edit.colorFocused(), kFocused);
        QCOMPARE(edit.colorBorder(), kBorder);
    }

    void fieldColourByFocusAndPointer_data()
    {
        QTest::addColumn<QString>("focus"); // "first", "second", "plain" or "" for none
        QTest::addColumn<bool>("pointerOnFirst");
        QTest::addColumn<bool>("windowActive");
        QTest::addColumn<bool>("focusedLook");
        QTest::newRow("at rest") << "" << false << true << false;
        QTest::newRow("focused") << "first" << false << true << true;
        QTest::newRow("hovered, nothing focused") << "" << true << true << true;
        QTest::newRow("hovered, a plain edit focused") << "plain" << true << true << true;
        QTest::newRow("hovered, another flat edit focused") << "second" << true << true << false;
        QTest::newRow("hovered while another program is active") << "" << true << false << false;
    }

    void fieldColourByFocusAndPointer()
    {
        QFETCH(QString, focus);
        QFETCH(bool, pointerOnFirst);
        QFETCH(bool, windowActive);
        QFETCH(bool, focusedLook);
        EditWindow window;
        QVERIFY(window.host.showActive());
        if (focus == QLatin1String("first"))
            window.first.setFocus();
        else if (focus == QLatin1String("second"))
            window.second.setFocus();
        else if (focus == QLatin1String("plain"))
            window.plain.setFocus();
        else if (QApplication::focusWidget())
            QApplication::focusWidget()->clearFocus();
        QCOMPARE(QApplication::focusWidget() != nullptr, !focus.isEmpty());
        if (!windowActive)
            QApplication::setActiveWindow(nullptr);
        if (pointerOnFirst)
            movePointer(window.first, {100, 13});

        const QColor field = focusedLook ? kFocused : kFlat;
        FlatEdit& edit = window.first;
        QCOMPARE(edit.showsFocused(), focusedLook);
        const int right = edit.width() - 1;
        const int bottom = edit.height() - 1;
        for (const QPoint outer : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom),
                                   QPoint(60, 0), QPoint(60, bottom), QPoint(0, 13), QPoint(right, 13)})
            QCOMPARE(window.host.pixel(edit, outer), kBorder);
        for (const QPoint inner :
             {QPoint(1, 1), QPoint(2, 2), QPoint(right - 1, bottom - 1), QPoint(right - 2, bottom - 2),
              QPoint(60, 1), QPoint(60, bottom - 2), QPoint(right - 8, 13)})
            QCOMPARE(window.host.pixel(edit, inner), field);
    }

    void anotherFlatEditTakingTheFocusDimsTheHoveredOne()
    {
        EditWindow window;
        QVERIFY(window.host.showActive());
        movePointer(window.first, {100, 13});
        QCOMPARE(window.host.pixel(window.first, {2, 2}), kFocused);
        window.second.setFocus();
        QApplication::processEvents();
        QCOMPARE(window.host.pixel(window.first, {2, 2}), kFlat);
        movePointerAway();
        window.second.clearFocus();
        QCOMPARE(window.host.pixel(window.first, {2, 2}), kFlat);
    }

    void heightIsALineOfItsFontAndTheFrame_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::newRow("window font, 13 px") << windowFont(13);
        QTest::newRow("window font, 16 px") << windowFont(16);
        QTest::newRow("Songti, 16 px") << songtiFont(16);
    }

    void heightIsALineOfItsFontAndTheFrame()
    {
        QFETCH(QFont, font);
        WidgetHost host;
        FlatEdit edit(&host);
        edit.setGeometry(56, 56, 137, 26);
        edit.setFont(font);
        edit.adjustHeight();
        QCOMPARE(edit.geometry(), QRect(56, 56, 137, QFontMetrics(font).height() + 6));
    }

    void dateTextFitsTheDateField()
    {
        WidgetHost host;
        FlatEdit edit(&host);
        edit.setFont(windowFont(16));
        edit.setGeometry(10, 10, 137, 26);
        edit.adjustHeight();
        edit.setText(QStringLiteral("2024-12-28 23:59"));
        QVERIFY(host.showActive());
        edit.setFocus();
        edit.end(false);

        // The whole text shows inside the frame: nothing scrolled out on the left.
        const QRect ink = host.inkBounds(edit, edit.rect().adjusted(3, 3, -3, -3), kFocused);
        QVERIFY(ink.left() >= 3 && ink.left() <= 6);
        QVERIFY(ink.right() <= edit.width() - 4);
        QVERIFY(ink.width() >= edit.fontMetrics().horizontalAdvance(edit.text()) - 3);
    }

    void keepsTheAccessibleTextOfALineEdit()
    {
        WidgetHost host;
        FlatEdit edit(&host);
        edit.setText(QStringLiteral("禾岚幼儿园收费小票"));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&edit);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::EditableText);
        QCOMPARE(accessible->text(QAccessible::Value), QStringLiteral("禾岚幼儿园收费小票"));
        QVERIFY(accessible->textInterface());
    }
};

QTEST_MAIN(FlatEditTest)
#include "flat_edit_test.moc"
