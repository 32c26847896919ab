#include "tests/gui/widgets/WidgetHost.h"
#include "widgets/FlatPanel.h"
#include "widgets/FlatSpeedButton.h"
#include "widgets/Fonts.h"

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
const QColor kFace{0x51, 0x9E, 0xF4};
const QColor kFocused{0x51, 0x51, 0xFF};
const QColor kDown{0x80, 0x80, 0xFF};
const QColor kBorder{0xFF, 0x80, 0x40};
const QColor kHighLight{0xFF, 0xFF, 0xFF};
const QColor kShadow{0x00, 0x00, 0x00};
const QColor kCaption{0xFF, 0xFF, 0x00};

enum class Look
{
    AtRest,
    UnderPointer,
    Pressed
};

// A window with two action buttons side by side, dressed like the window's own.
struct ButtonWindow
{
    ButtonWindow()
    {
        for (FlatSpeedButton* button : {&left, &right}) {
            button->setColor(kFace);
            button->setColorFocused(kFocused);
            button->setColorDown(kDown);
            button->setColorBorder(kBorder);
            button->setFontColor(kCaption);
            button->setFont(windowFont(16, true));
        }
        left.setText(QStringLiteral("打印小票"));
        right.setText(QStringLiteral("计算合计"));
        left.setGeometry(10, 10, 121, 33);
        right.setGeometry(150, 10, 121, 33);
    }

    WidgetHost host;
    FlatSpeedButton left{&host};
    FlatSpeedButton right{&host};
};

// Checks the face (a point clear of the caption) and the four edges of a button against one look.
void verifyLook(const WidgetHost& host, const FlatSpeedButton& button, Look look, const QColor& face)
{
    const QColor topLeft = look == Look::AtRest ? kBorder : look == Look::UnderPointer ? kHighLight : kShadow;
    const QColor bottomRight = look == Look::AtRest         ? kBorder
                               : look == Look::UnderPointer ? kShadow
                                                            : kHighLight;
    const int right = button.width() - 1;
    const int bottom = button.height() - 1;
    QCOMPARE(host.pixel(button, {3, 3}), face);
    QCOMPARE(host.pixel(button, {right - 3, bottom - 3}), face);
    QCOMPARE(host.pixel(button, {5, 0}), topLeft);
    QCOMPARE(host.pixel(button, {0, 5}), topLeft);
    QCOMPARE(host.pixel(button, {5, bottom}), bottomRight);
    QCOMPARE(host.pixel(button, {right, 5}), bottomRight);
}

QColor faceOf(Look look)
{
    return look == Look::AtRest ? kFace : look == Look::UnderPointer ? kFocused : kDown;
}
} // namespace

class FlatSpeedButtonTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { movePointerAway(); }

    void mouseSequences_data()
    {
        // Each step: 'p' press on the button, 'o' move off while held, 'i' move back on while held,
        // 'r' release on the button, 'R' release off it. Looks: '.' at rest, '^' under the pointer,
        // 'v' pressed.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("looks");
        QTest::addColumn<int>("clicks");
        QTest::newRow("press and release over") << "pr"
                                                << "v^" << 1;
        QTest::newRow("move off and release there") << "poR"
                                                    << "v.." << 0;
        QTest::newRow("move off and back, release over") << "poir"
                                                         << "v.v^" << 1;
        QTest::newRow("off, on, off again, release off") << "poioR"
                                                         << "v.v.." << 0;
    }

    void mouseSequences()
    {
        QFETCH(QString, steps);
        QFETCH(QString, looks);
        QFETCH(int, clicks);
        ButtonWindow window;
        QVERIFY(window.host.showActive());
        FlatSpeedButton& button = window.left;
        QSignalSpy clicked(&button, &FlatSpeedButton::clicked);
        const QPoint on(60, 16);
        const QPoint off(60, 80);
        movePointer(button, on);

        for (int i = 0; i < steps.size(); ++i) {
            switch (steps[i].toLatin1()) {
            case 'p':
                QTest::mousePress(&button, Qt::LeftButton, {}, on);
                break;
            case 'o':
                QTest::mouseMove(&button, off);
                break;
            case 'i':
                QTest::mouseMove(&button, on);
                break;
            case 'r':
                QTest::mouseRelease(&button, Qt::LeftButton, {}, on);
                break;
            case 'R':
                QTest::mouseRelease(&button, Qt::LeftButton, {}, off);
                movePointer(button, off);
                break;
            }
            const Look look = looks[i] == '.'   ? Look::AtRest
                              : looks[i] == '^' ? Look::UnderPointer
                                                : Look::Pressed;
            verifyLook(window.host, button, look, faceOf(look));
            if (QTest::currentTestFailed())
                qWarning("after step %d of %s", i + 1, qPrintable(steps));
            QVERIFY(!QTest::currentTestFailed());
        }
        QCOMPARE(clicked.count(), clicks);
    }

    void onlyTheLeftButtonPresses()
    {
        ButtonWindow window;
        QVERIFY(window.host.showActive());
        QSignalSpy clicked(&window.left, &FlatSpeedButton::clicked);
        movePointer(window.left, {60, 16});
        QTest::mousePress(&window.left, Qt::RightButton, {}, {60, 16});
        verifyLook(window.host, window.left, Look::UnderPointer, kFocused);
        QTest::mouseRelease(&window.left, Qt::RightButton, {}, {60, 16});
        QCOMPARE(clicked.count(), 0);
    }

    void captionSinksByOnePixelWhilePressed()
    {
        ButtonWindow window;
        QVERIFY(window.host.showActive());
        FlatSpeedButton& button = window.left;
        const QRect inside = button.rect().adjusted(2, 2, -2, -2);
        movePointer(button, {60, 16});
        const QRect raised = window.host.inkBounds(button, inside, kFocused);
        QTest::mousePress(&button, Qt::LeftButton, {}, {60, 16});
        const QRect pressed = window.host.inkBounds(button, inside, kDown);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, {60, 16});

        QVERIFY(!raised.isEmpty());
        QCOMPARE(pressed, raised.translated(1, 1));
        // Centred in the button, give or take the glyphs' own side bearings.
        QVERIFY(qAbs(raised.center().x() - button.width() / 2) <= 2);
        QVERIFY(qAbs(raised.center().y() - button.height() / 2) <= 3);
    }

    void oneButtonUnderThePointer()
    {
        ButtonWindow window;
        QVERIFY(window.host.showActive());
        movePointer(window.left, {60, 16});
        QCOMPARE(FlatSpeedButton::buttonUnderPointer(), &window.left);
        movePointer(window.right, {60, 16});
        QCOMPARE(FlatSpeedButton::buttonUnderPointer(), &window.right);
        QVERIFY(!window.left.isUnderPointer());
        verifyLook(window.host, window.left, Look::AtRest, kFace);
        verifyLook(window.host, window.right, Look::UnderPointer, kFocused);
        movePointerAway();
        QCOMPARE(FlatSpeedButton::buttonUnderPointer(), nullptr);
        verifyLook(window.host, window.right, Look::AtRest, kFace);
    }

    void missedLeaveIsCaughtByThePointerCheck()
    {
        ButtonWindow window;
        QVERIFY(window.host.showActive());
        movePointerAway();
        // An enter notice without the pointer really being there, as when the leave notice is lost.
        QEnterEvent enter(QPointF(60, 16), QPointF(60, 16), window.left.mapToGlobal(QPointF(60, 16)));
        QApplication::sendEvent(&window.left, &enter);
        QVERIFY(window.left.isUnderPointer());
        QTRY_VERIFY_WITH_TIMEOUT(!window.left.isUnderPointer(), 1000);
        verifyLook(window.host, window.left, Look::AtRest, kFace);
    }

    void pointerRestingOnTheButtonKeepsItRaised()
    {
        ButtonWindow window;
        QVERIFY(window.host.showActive());
        movePointer(window.left, {60, 16});
        // Several checks of the pointer have run, not merely some time has passed.
        QSignalSpy checks(window.left.findChild<QTimer*>(), &QTimer::timeout);
        QTRY_VERIFY(checks.count() >= 3);
        QVERIFY(window.left.isUnderPointer());
    }

    void noHoverWhileAnotherProgramIsActive()
    {
        ButtonWindow window;
        QVERIFY(window.host.showActive());
        QApplication::setActiveWindow(nullptr);
        QVERIFY(!QApplication::activeWindow());
        movePointer(window.left, {60, 16});
        QVERIFY(!window.left.isUnderPointer());
        verifyLook(window.host, window.left, Look::AtRest, kFace);
    }

    void transparentModes_data()
    {
        QTest::addColumn<FlatSpeedButton::TransparentMode>("mode");
        QTest::addColumn<int>("look");
        QTest::addColumn<bool>("filled");
        using Mode = FlatSpeedButton::TransparentMode;
        const struct
        {
            Mode mode;
            const char* name;
            bool atRest, underPointer, pressed;
        } cases[] = {{Mode::tmNone, "tmNone", true, true, true},
                     {Mode::tmAlways, "tmAlways", false, false, false},
                     {Mode::tmNotFocused, "tmNotFocused", false, true, true}};
        for (const auto& c : cases) {
            QTest::addRow("%s at rest", c.name) << c.mode << int(Look::AtRest) << c.atRest;
            QTest::addRow("%s under the pointer", c.name)
                << c.mode << int(Look::UnderPointer) << c.underPointer;
            QTest::addRow("%s pressed", c.name) << c.mode << int(Look::Pressed) << c.pressed;
        }
    }

    void transparentModes()
    {
        QFETCH(FlatSpeedButton::TransparentMode, mode);
        QFETCH(int, look);
        QFETCH(bool, filled);
        ButtonWindow window;
        window.left.setTransparentMode(mode);
        QVERIFY(window.host.showActive());
        if (look != int(Look::AtRest))
            movePointer(window.left, {60, 16});
        if (look == int(Look::Pressed))
            QTest::mousePress(&window.left, Qt::LeftButton, {}, {60, 16});
        verifyLook(window.host, window.left, Look(look),
                   filled ? faceOf(Look(look)) : WidgetHost::background);
        if (look == int(Look::Pressed))
            QTest::mouseRelease(&window.left, Qt::LeftButton, {}, {60, 16});
    }

    void faceAtRestTakesTheContainersColour()
    {
        WidgetHost host;
        FlatPanel panel(&host);
        panel.setGeometry(0, 0, 200, 100);
        panel.setColor(QColor(0x91, 0xD7, 0xF4));
        FlatSpeedButton button(&panel);
        button.setGeometry(20, 20, 100, 33);
        QVERIFY(host.showActive());
        QCOMPARE(button.color(), QColor(0x91, 0xD7, 0xF4));
        QCOMPARE(host.pixel(button, {3, 3}), QColor(0x91, 0xD7, 0xF4));
        QCOMPARE(host.pixel(button, {0, 0}), QColor(0xA0, 0x96, 0x83));
    }

    void neverTakesTheFocus()
    {
        ButtonWindow window;
        QLineEdit edit(&window.host);
        edit.setGeometry(10, 100, 100, 24);
        QVERIFY(window.host.showActive());
        edit.setFocus();
        QSignalSpy clicked(&window.left, &FlatSpeedButton::clicked);
        QTest::mouseClick(&window.left, Qt::LeftButton, {}, {60, 16});
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(QApplication::focusWidget(), &edit);
        QTest::keyClick(&edit, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != &window.left && QApplication::focusWidget() != &window.right);
        // Space, the usual key of a focused button, does nothing either.
        QTest::keyClick(&window.left, Qt::Key_Space);
        QCOMPARE(clicked.count(), 1);
    }

    void accessibleAsPushButtonWithItsCaption()
    {
        ButtonWindow window;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&window.left);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::PushButton);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("打印小票"));
        QVERIFY(accessible->actionInterface());
        QVERIFY(
            accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }
};

QTEST_MAIN(FlatSpeedButtonTest)
#include "flat_button_test.moc"
