#include "tests/gui/widgets/WidgetHost.h"
#include "widgets/FlatPanel.h"
#include "widgets/Fonts.h"

#include <QAccessible>
#include <QTest>

namespace {
const QColor kFill{0x91, 0xD7, 0xF4};
const QColor kCaption{0xFF, 0x00, 0x00};
const QString kNotice = QStringLiteral("温馨提示：本软件正版购买98元/套.");
} // namespace

class FlatPanelTest : public QObject
{
    Q_OBJECT

private slots:
    void fillAndEdges()
    {
        WidgetHost host;
        FlatPanel panel(&host);
        panel.setGeometry(8, 8, 120, 50);
        panel.setColor(kFill);
        panel.setColorHighLight(Qt::white);
        panel.setColorShadow(Qt::black);
        QVERIFY(host.showActive());

        const int right = panel.width() - 1;
        const int bottom = panel.height() - 1;
        QCOMPARE(host.pixel(panel, {0, 0}), QColor(Qt::white));
        QCOMPARE(host.pixel(panel, {60, 0}), QColor(Qt::white));
        QCOMPARE(host.pixel(panel, {0, 25}), QColor(Qt::white));
        // The dark sides take the two corners they share with the light ones.
        QCOMPARE(host.pixel(panel, {right, 0}), QColor(Qt::black));
        QCOMPARE(host.pixel(panel, {0, bottom}), QColor(Qt::black));
        QCOMPARE(host.pixel(panel, {right, 25}), QColor(Qt::black));
        QCOMPARE(host.pixel(panel, {60, bottom}), QColor(Qt::black));
        QCOMPARE(host.pixel(panel, {1, 1}), kFill);
        QCOMPARE(host.pixel(panel, {right - 1, bottom - 1}), kFill);
    }

    void defaultsTakeTheContainersColour()
    {
        WidgetHost host;
        FlatPanel panel(&host);
        panel.setGeometry(8, 8, 120, 50);
        QVERIFY(host.showActive());
        QCOMPARE(panel.color(), WidgetHost::background);
        QCOMPARE(panel.colorHighLight(), QColor(0xA0, 0x96, 0x83));
        QCOMPARE(panel.colorShadow(), QColor(0xA0, 0x96, 0x83));
        QCOMPARE(host.pixel(panel, {0, 0}), QColor(0xA0, 0x96, 0x83));
        QCOMPARE(host.pixel(panel, {119, 49}), QColor(0xA0, 0x96, 0x83));
        QCOMPARE(host.pixel(panel, {60, 25}), WidgetHost::background);
    }

    void captionCentredWithItsTrailingSpaces_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::newRow("no trailing spaces") << kNotice;
        QTest::newRow("34 trailing spaces") << kNotice + QString(34, QLatin1Char(' '));
    }

    void captionCentredWithItsTrailingSpaces()
    {
        QFETCH(QString, caption);
        WidgetHost host({600, 100});
        FlatPanel panel(&host);
        panel.setGeometry(8, 20, 561, 49);
        panel.setColor(kFill);
        panel.setFont(songtiFont(16));
        panel.setFontColor(kCaption);
        panel.setCaption(caption);
        QVERIFY(host.showActive());

        const QFontMetrics metrics(panel.font());
        const int expectedLeft = (panel.width() - metrics.horizontalAdvance(caption)) / 2;
        const QRect ink = host.inkBounds(panel, panel.rect().adjusted(1, 1, -1, -1), kFill);
        QVERIFY(!ink.isEmpty());
        QVERIFY2(qAbs(ink.left() - expectedLeft) <= 2,
                 qPrintable(
                     QStringLiteral("caption starts at %1, expected %2").arg(ink.left()).arg(expectedLeft)));
        QVERIFY(qAbs(ink.center().y() - panel.height() / 2) <= 3);
    }

    void paddedNoticeStaysClearOfTheStoreButtons()
    {
        // The store buttons begin 296 pixels into the bottom panel.
        WidgetHost host({600, 100});
        FlatPanel panel(&host);
        panel.setGeometry(8, 20, 561, 49);
        panel.setColor(kFill);
        panel.setFont(songtiFont(16));
        panel.setCaption(kNotice + QString(34, QLatin1Char(' ')));
        QVERIFY(host.showActive());
        const QRect ink = host.inkBounds(panel, panel.rect().adjusted(1, 1, -1, -1), kFill);
        QVERIFY2(ink.right() < 296, qPrintable(QString::number(ink.right())));
        QVERIFY(ink.left() > 1);
    }

    void childrenLieOverThePanel()
    {
        WidgetHost host;
        FlatPanel panel(&host);
        panel.setGeometry(0, 0, 200, 100);
        panel.setColor(kFill);
        panel.setCaption(QStringLiteral("小票打印软件"));
        QWidget child(&panel);
        child.setGeometry(1, 1, 198, 98);
        child.setAutoFillBackground(true);
        QPalette own = child.palette();
        own.setColor(QPalette::Window, Qt::green);
        child.setPalette(own);
        QVERIFY(host.showActive());
        QCOMPARE(host.inkBounds(panel, panel.rect().adjusted(1, 1, -1, -1), Qt::green), QRect());
        QCOMPARE(host.pixel(panel, {0, 0}), QColor(0xA0, 0x96, 0x83));
    }

    void accessibleWithItsCaption()
    {
        FlatPanel panel;
        panel.setCaption(kNotice + QString(34, QLatin1Char(' ')));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&panel);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Pane);
        QCOMPARE(accessible->text(QAccessible::Name), kNotice);
    }
};

QTEST_MAIN(FlatPanelTest)
#include "flat_panel_test.moc"
