#include "assets/Assets.h"
#include "links/VendorLinks.h"
#include "tests/gui/widgets/WidgetHost.h"
#include "tests/support/TestApplication.h"
#include "tests/support/WindowFixture.h"
#include "widgets/DBGrid.h"
#include "widgets/FlatEdit.h"
#include "widgets/FlatPanel.h"
#include "widgets/FlatSpeedButton.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

namespace {
const QColor kWindowColour{0x84, 0xA8, 0xFB};
const QString kDeveloperLine =
    QStringLiteral("开发商：http://www.example.com    QQ:80012345    邮箱：kf@example.com");

// Catches every address the program hands to the desktop.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    UrlRecorder()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
    }
    ~UrlRecorder() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    QStringList opened;

public slots:
    void open(const QUrl& url) { opened.append(url.toString()); }
};

QWidget* element(TFormMain& form, const QString& name)
{
    return form.findChild<QWidget*>(name);
}

// A point of an element in the coordinates of the window.
QPoint inWindow(const QWidget& widget, QPoint point)
{
    return widget.mapTo(widget.window(), point);
}

QColor pixelOf(const QImage& shot, const QWidget& widget, QPoint point)
{
    return shot.pixelColor(inWindow(widget, point));
}

void clickAt(TFormMain& form, const QWidget& widget, QPoint point)
{
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, inWindow(widget, point));
}

// Pixels of exactly one colour inside a rectangle of the window.
QList<QPoint> pixelsOf(const QImage& shot, const QRect& area, const QColor& colour)
{
    QList<QPoint> points;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (shot.pixelColor(x, y) == colour)
                points.append({x, y});
    return points;
}

QRect boundsOf(const QList<QPoint>& points)
{
    QRect bounds;
    for (const QPoint point : points)
        bounds |= QRect(point, QSize(1, 1));
    return bounds;
}
} // namespace

class WindowLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { movePointerAway(); }

    void frameCaptionAndIcon()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        QCOMPARE(
            form.windowTitle(),
            QStringLiteral("禾岚小票打印机软件-支持所有接口的POS58小票打印机(需要安装打印机驱动)  V9.8"));
        QCOMPARE(form.frameGeometry(), QRect(222, 51, 594, 644));
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!form.windowIcon().isNull());
        QVERIFY(form.windowIcon().availableSizes().contains(QSize(16, 16)));
        QCOMPARE(form.palette().color(QPalette::Window), kWindowColour);
        QCOMPARE(form.font().pixelSize(), 13);
    }

    void elementsInTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("geometry"); // zero width: a label sized to its text; edits: height by font
        QTest::addColumn<QString>("text");
        const QString window = QStringLiteral("ClientArea");
        const QString entry = QStringLiteral("FlatPanel1");
        const QString bottom = QStringLiteral("FlatPanel2");
        const QString title = QStringLiteral("禾岚幼儿园收费小票打印软件");
        const struct
        {
            const char* name;
            QString container;
            QRect geometry;
            QString text;
        } rows[] = {
            {"Label1", window, {144, 8, 289, 17}, title},
            {"Label8", window, {142, 7, 283, 20}, title},
            {"Label2", window, {8, 584, 561, 20}, kDeveloperLine},
            {"Label12", window, {432, 16, 0, 0}, QStringLiteral("【购买QQ:80012345】")},
            {"FlatSpeedButton6", window, {8, 576, 561, 33}, QString()},
            {"FlatPanel1",
             window,
             {16, 32, 553, 473},
             QStringLiteral("小票打印软件-支持所有接口的POS58打印机")},
            {"FlatPanel2",
             window,
             {8, 520, 561, 49},
             QStringLiteral("温馨提示：本软件正版购买98元/套.") + QString(34, QLatin1Char(' '))},
            {"Image1", entry, {1, 1, 551, 471}, QString()},
            {"Label7", entry, {168, 24, 0, 0}, QStringLiteral("店名：")},
            {"FlatEdit1", entry, {208, 16, 185, 26}, QStringLiteral("禾岚幼儿园收费小票")},
            {"Label5", entry, {16, 64, 0, 0}, QStringLiteral("日期：")},
            {"FlatEdit2", entry, {56, 56, 137, 26}, QStringLiteral("2024-03-05 09:07")},
            {"Label6", entry, {336, 64, 65, 16}, QStringLiteral("收款人：")},
            {"FlatEdit3", entry, {400, 56, 137, 26}, QStringLiteral("018")},
            {"Label13", entry, {16, 96, 0, 0}, QStringLiteral("学生：")},
            {"FlatEdit9", entry, {56, 88, 137, 26}, QString()},
            {"DBGrid1", entry, {16, 120, 521, 193}, QString()},
            {"Label3",
             entry,
             {120, 320, 369, 13},
             QStringLiteral("提示：录入时添加新的一行数据请按键盘上的Tab键  ")},
            {"Label9", entry, {16, 352, 81, 16}, QStringLiteral("合计金额：")},
            {"FlatEdit6", entry, {88, 344, 177, 26}, QStringLiteral("168")},
            {"Label10", entry, {16, 392, 0, 0}, QStringLiteral("备     注  1：")},
            {"FlatEdit7", entry, {88, 384, 177, 26}, QStringLiteral("QQ:80012345")},
            {"Label11", entry, {288, 392, 0, 0}, QStringLiteral("备      注  2：")},
            {"FlatEdit8", entry, {368, 384, 169, 26}, QStringLiteral("可以支付宝购买，安全.")},
            {"FlatSpeedButton7", entry, {8, 432, 121, 33}, QStringLiteral("删除一行")},
            {"FlatSpeedButton3", entry, {144, 432, 121, 33}, QStringLiteral("保存备注")},
            {"FlatSpeedButton5", entry, {288, 432, 121, 33}, QStringLiteral("计算合计")},
            {"FlatSpeedButton2", entry, {424, 432, 121, 33}, QStringLiteral("打印小票")},
            {"FlatSpeedButton4", bottom, {296, 8, 106, 33}, QStringLiteral("淘宝店购买")},
            {"FlatSpeedButton1", bottom, {432, 8, 106, 33}, QStringLiteral("软行天下购买")},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.container << row.geometry
                                    << row.text;
    }

    void elementsInTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        QWidget* widget = element(form, name);
        QVERIFY(widget);
        QVERIFY(widget->isVisible());
        QCOMPARE(widget->parentWidget()->objectName(), container);

        if (auto* edit = qobject_cast<FlatEdit*>(widget)) {
            // As high as a line of its font and the frame.
            geometry.setHeight(edit->fontMetrics().height() + 2 * FlatEdit::frameWidth);
            QCOMPARE(edit->text(), text);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (geometry.width() == 0) {
                // Sized to its text.
                geometry.setSize(label->sizeHint());
                QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(text));
            }
            QCOMPARE(label->text(), text);
        } else if (auto* button = qobject_cast<FlatSpeedButton*>(widget)) {
            QCOMPARE(button->text(), text);
        } else if (auto* panel = qobject_cast<FlatPanel*>(widget)) {
            QCOMPARE(panel->caption(), text);
        }
        QCOMPARE(widget->geometry(), geometry);
    }

    void fontsAndColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("face"); // "window" or "songti"
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("colour");
        const QColor text = QColor(Qt::black);
        QTest::newRow("Label1") << "Label1"
                                << "window" << 16 << true << QColor(0xFF, 0xFF, 0x00);
        QTest::newRow("Label8") << "Label8"
                                << "window" << 16 << true << QColor(0xFF, 0x00, 0x00);
        QTest::newRow("Label2") << "Label2"
                                << "songti" << 16 << false << QColor(0x00, 0x00, 0x80);
        QTest::newRow("Label12") << "Label12"
                                 << "window" << 12 << false << QColor(0xFF, 0xFF, 0x00);
        QTest::newRow("FlatSpeedButton6") << "FlatSpeedButton6"
                                          << "window" << 13 << false << text;
        QTest::newRow("FlatPanel1") << "FlatPanel1"
                                    << "window" << 13 << false << text;
        QTest::newRow("FlatPanel2") << "FlatPanel2"
                                    << "songti" << 16 << false << QColor(0xFF, 0x00, 0x00);
        QTest::newRow("Label7") << "Label7"
                                << "window" << 13 << false << text;
        QTest::newRow("Label6") << "Label6"
                                << "window" << 13 << false << text;
        QTest::newRow("FlatEdit2") << "FlatEdit2"
                                   << "window" << 16 << false << text;
        QTest::newRow("DBGrid1") << "DBGrid1"
                                 << "window" << 16 << false << text;
        QTest::newRow("Label3") << "Label3"
                                << "window" << 11 << true << QColor(0xFF, 0xFF, 0xFF);
        QTest::newRow("FlatSpeedButton7") << "FlatSpeedButton7"
                                          << "window" << 16 << true << QColor(Qt::white);
        QTest::newRow("FlatSpeedButton4") << "FlatSpeedButton4"
                                          << "songti" << 16 << true << text;
    }

    void fontsAndColours()
    {
        QFETCH(QString, name);
        QFETCH(QString, face);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(QColor, colour);
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        QWidget* widget = element(form, name);
        QVERIFY(widget);
        const QFontInfo info(widget->font());
        QCOMPARE(info.family(), face == QLatin1String("songti") ? QStringLiteral("Noto Sans Mono CJK SC")
                                                                : QStringLiteral("Noto Sans CJK SC"));
        QCOMPARE(info.pixelSize(), pixelSize);
        QCOMPARE(info.bold(), bold);
        if (auto* button = qobject_cast<FlatSpeedButton*>(widget))
            QCOMPARE(button->fontColor(), colour);
        else if (auto* panel = qobject_cast<FlatPanel*>(widget))
            QCOMPARE(panel->fontColor(), colour);
        else if (qobject_cast<FlatEdit*>(widget) || qobject_cast<DBGrid*>(widget))
            QCOMPARE(widget->palette().color(QPalette::Text), colour);
        else
            QCOMPARE(widget->palette().color(QPalette::WindowText), colour);
    }

    void controlColours()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        for (FlatEdit* edit : form.findChildren<FlatEdit*>()) {
            QCOMPARE(edit->colorFlat(), QColor(Qt::white));
            QCOMPARE(edit->colorFocused(), QColor(Qt::white));
            QCOMPARE(edit->colorBorder(), QColor(0xA0, 0x96, 0x83));
        }
        for (FlatPanel* panel : {form.FlatPanel1, form.FlatPanel2}) {
            QCOMPARE(panel->colorHighLight(), QColor(0xA0, 0x96, 0x83));
            QCOMPARE(panel->colorShadow(), QColor(0xA0, 0x96, 0x83));
        }
        QCOMPARE(form.FlatPanel1->color(), kWindowColour);
        QCOMPARE(form.FlatPanel2->color(), QColor(0x91, 0xD7, 0xF4));
        QCOMPARE(form.FlatSpeedButton6->transparentMode(), FlatSpeedButton::TransparentMode::tmAlways);
        QCOMPARE(form.FlatSpeedButton6->colorBorder(), QColor(Qt::white));
        QCOMPARE(form.FlatSpeedButton6->colorFocused(), QColor(0xEB, 0xEA, 0xE1));
        QCOMPARE(form.FlatSpeedButton6->colorDown(), QColor(0xD9, 0xD6, 0xC5));
        for (FlatSpeedButton* button : form.findChildren<FlatSpeedButton*>()) {
            QCOMPARE(button->colorHighLight(), QColor(Qt::white));
            QCOMPARE(button->colorShadow(), QColor(Qt::black));
        }
        QCOMPARE(form.DBGrid1->fixedColor(), QColor(0x77, 0xBB, 0xFF));
        QVERIFY(form.Label2->autoFillBackground());
        QVERIFY(form.Label12->autoFillBackground());
        QVERIFY(!form.Label1->autoFillBackground());
        QVERIFY(!form.Label8->autoFillBackground());
    }

    void tabVisitsTheFieldsInOrder()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        // The fields the Tab key can reach, in the order of the focus chain.
        QList<QWidget*> order;
        QWidget* next = form.FlatEdit2;
        do {
            if (next->isEnabled() && next->isVisible() && (next->focusPolicy() & Qt::TabFocus) &&
                !next->objectName().isEmpty())
                order.append(next);
            next = next->nextInFocusChain();
        } while (next != form.FlatEdit2);
        const QList<QWidget*> expected = {form.FlatEdit2, form.FlatEdit3, form.DBGrid1,  form.FlatEdit6,
                                          form.FlatEdit7, form.FlatEdit8, form.FlatEdit9};
        QCOMPARE(order, expected);
        for (FlatSpeedButton* button : form.findChildren<FlatSpeedButton*>())
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        for (QLabel* label : form.findChildren<QLabel*>())
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    void titleFieldIgnoresTheMouseAndRemarkOneIsReadOnly()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        form.FlatEdit3->setFocus();
        QVERIFY(!form.FlatEdit1->isEnabled());
        clickAt(form, *form.FlatEdit1, {40, 12});
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit3);
        QCOMPARE(form.FlatEdit1->text(), QStringLiteral("禾岚幼儿园收费小票"));

        clickAt(form, *form.FlatEdit7, {40, 12});
        QCOMPARE(QApplication::focusWidget(), form.FlatEdit7);
        QTest::keyClicks(form.FlatEdit7, QStringLiteral("abc"));
        QTest::keyClick(form.FlatEdit7, Qt::Key_Backspace);
        QCOMPARE(form.FlatEdit7->text(), QStringLiteral("QQ:80012345"));
    }

    void developerStripBelongsToTheTransparentButton_data()
    {
        QTest::addColumn<QPoint>("point"); // in the window's content
        QTest::newRow("top left corner") << QPoint(8, 576);
        QTest::newRow("bottom right corner") << QPoint(568, 608);
        QTest::newRow("strip above the line") << QPoint(300, 579);
        QTest::newRow("strip below the line") << QPoint(300, 606);
        QTest::newRow("on the line's text") << QPoint(40, 594);
        QTest::newRow("right end of the line") << QPoint(566, 590);
    }

    void developerStripBelongsToTheTransparentButton()
    {
        QFETCH(QPoint, point);
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        UrlRecorder urls;
        QCOMPARE(form.ClientArea->childAt(point), form.FlatSpeedButton6);
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, inWindow(*form.ClientArea, point));
        QCOMPARE(urls.opened, QStringList{VendorLinks::webAddress});
    }

    void linksOpenTheirPages()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        UrlRecorder urls;
        clickAt(form, *form.Label12, {20, 6});
        clickAt(form, *form.FlatSpeedButton4, {50, 16});
        clickAt(form, *form.FlatSpeedButton1, {50, 16});
        for (int i = 0; i < 3; ++i)
            clickAt(form, *form.FlatSpeedButton6, {200, 16});
        QCOMPARE(urls.opened, QStringList({VendorLinks::webAddress, VendorLinks::marketplaceShop,
                                           VendorLinks::softwareStorePage, VendorLinks::webAddress,
                                           VendorLinks::webAddress, VendorLinks::webAddress}));
        // Just outside the strip, the window's own background takes the click.
        clickAt(form, *form.ClientArea, {300, 574});
        QCOMPARE(urls.opened.size(), 6);
    }

    void titleIsRedOverItsYellowShadow()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        // Up to the purchase line at x 432, which is yellow too.
        const QRect area = QRect(inWindow(*form.ClientArea, {130, 0}), QSize(302, 30));
        const QColor red(0xFF, 0x00, 0x00);
        const QColor yellow(0xFF, 0xFF, 0x00);
        const QImage shot = form.grab().toImage();
        const QList<QPoint> reds = pixelsOf(shot, area, red);
        const QList<QPoint> yellows = pixelsOf(shot, area, yellow);
        QVERIFY(reds.size() > 100);
        QVERIFY(yellows.size() > 30);
        // The yellow copy stands 2 pixels to the right of and 1 pixel below the red characters, down to their
        // lowest row; the red ones fill the character height from the top of their box.
        QCOMPARE(boundsOf(yellows), boundsOf(reds).translated(2, 1));
        QCOMPARE(boundsOf(reds).top(), inWindow(*form.Label8, {0, 0}).y());
        QCOMPARE(boundsOf(reds).height(), 16);
        // Nothing yellow is drawn over the red: every red pixel of the red title alone stays red.
        form.Label1->hide();
        const QList<QPoint> redAlone = pixelsOf(form.grab().toImage(), area, red);
        QCOMPARE(reds, redAlone);
    }

    // A fixed-size label shows its characters whole: the same label in a taller box adds no ink.
    void fixedLabelsShowTheirCharactersWhole_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Label1", "Label8", "Label2", "Label3", "Label6", "Label9"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void fixedLabelsShowTheirCharactersWhole()
    {
        QFETCH(QString, name);
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        auto* label = form.findChild<QLabel*>(name);
        QVERIFY(label);
        constexpr int extra = 12;
        const QRect area(inWindow(*label, {0, 0}), label->size() + QSize(0, extra));
        // The pixels the label draws: where the window differs with the label hidden.
        const auto ink = [&] {
            const QImage shown = form.grab().toImage();
            label->hide();
            const QImage hidden = form.grab().toImage();
            label->show();
            QList<QPoint> points;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (shown.pixel(x, y) != hidden.pixel(x, y))
                        points.append(QPoint(x, y));
            return points;
        };
        const QList<QPoint> inBox = ink();
        QVERIFY(!inBox.isEmpty());
        label->resize(label->width(), label->height() + extra);
        QCOMPARE(ink(), inBox);
    }

    void renderedColoursAtTellingPoints()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        const QImage shot = form.grab().toImage();
        QCOMPARE(pixelOf(shot, *form.ClientArea, {4, 100}), kWindowColour);
        // The transparent button's white edge round the developer line, the window colour inside.
        QCOMPARE(pixelOf(shot, *form.FlatSpeedButton6, {0, 0}), QColor(Qt::white));
        QCOMPARE(pixelOf(shot, *form.FlatSpeedButton6, {560, 32}), QColor(Qt::white));
        QCOMPARE(pixelOf(shot, *form.FlatSpeedButton6, {300, 4}), kWindowColour);
        // The panels.
        QCOMPARE(pixelOf(shot, *form.FlatPanel1, {0, 0}), QColor(0xA0, 0x96, 0x83));
        QCOMPARE(pixelOf(shot, *form.FlatPanel2, {3, 3}), QColor(0x91, 0xD7, 0xF4));
        // Buttons at rest.
        QCOMPARE(pixelOf(shot, *form.FlatSpeedButton7, {3, 3}), QColor(0x51, 0x9E, 0xF4));
        QCOMPARE(pixelOf(shot, *form.FlatSpeedButton7, {0, 0}), QColor(Qt::white));
        QCOMPARE(pixelOf(shot, *form.FlatSpeedButton4, {3, 3}), QColor(0xC1, 0xD7, 0xFD));
        QCOMPARE(pixelOf(shot, *form.FlatSpeedButton4, {0, 0}), QColor(0xFF, 0x80, 0x40));
        // The fields, white inside their frame.
        QCOMPARE(pixelOf(shot, *form.FlatEdit9, {0, 0}), QColor(0xA0, 0x96, 0x83));
        QCOMPARE(pixelOf(shot, *form.FlatEdit9, {2, 2}), QColor(Qt::white));
        // The grid's title row in its fixed colour.
        const QHeaderView* titles = form.DBGrid1->horizontalHeader();
        const QPoint title(titles->sectionViewportPosition(0) + titles->sectionSize(0) - 12,
                           titles->height() / 2);
        QCOMPARE(shot.pixelColor(titles->mapTo(&form, title)), QColor(0x77, 0xBB, 0xFF));

        // The background picture, stretched, hides the entry panel's own fill.
        const QImage stretched = QImage(Assets::background())
                                     .scaled(551, 471, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                     .convertToFormat(QImage::Format_RGB32);
        for (const QPoint point : {QPoint(5, 200), QPoint(545, 10), QPoint(300, 418)}) {
            const QColor expected = stretched.pixelColor(point - QPoint(1, 1));
            const QColor actual = pixelOf(shot, *form.FlatPanel1, point);
            QVERIFY2(qAbs(actual.red() - expected.red()) <= 2 &&
                         qAbs(actual.green() - expected.green()) <= 2 &&
                         qAbs(actual.blue() - expected.blue()) <= 2,
                     qPrintable(actual.name() + QStringLiteral(" vs ") + expected.name()));
        }
    }

    void actionButtonLooksUnderThePointerAndPressed()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        FlatSpeedButton& button = *form.FlatSpeedButton5;
        QWindow* window = form.windowHandle();
        movePointer(button, {60, 16});
        QCOMPARE(form.grab().toImage().pixelColor(inWindow(button, {3, 3})), QColor(0x51, 0x51, 0xFF));
        QTest::mousePress(window, Qt::LeftButton, {}, inWindow(button, {60, 16}));
        QImage shot = form.grab().toImage();
        QCOMPARE(shot.pixelColor(inWindow(button, {3, 3})), QColor(0x80, 0x80, 0xFF));
        QCOMPARE(shot.pixelColor(inWindow(button, {0, 10})), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(inWindow(button, {120, 10})), QColor(Qt::white));
        // Held off the button it looks at rest, and released there it does not click.
        QTest::mouseMove(window, inWindow(button, {60, 60}));
        QCOMPARE(form.grab().toImage().pixelColor(inWindow(button, {3, 3})), QColor(0x51, 0x9E, 0xF4));
        QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(button, {60, 60}));
        QCOMPARE(form.FlatEdit6->text(), QStringLiteral("168"));
    }

    void scrollBarsWhenTheWindowIsSmallerThanItsContent()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        QVERIFY(!form.ScrollBox->horizontalScrollBar()->isVisible());
        QVERIFY(!form.ScrollBox->verticalScrollBar()->isVisible());
        QCOMPARE(form.ClientArea->size(), QSize(569, 609));

        form.resize(400, 300);
        QTRY_VERIFY(form.ScrollBox->verticalScrollBar()->isVisible());
        QVERIFY(form.ScrollBox->horizontalScrollBar()->isVisible());
        QCOMPARE(form.FlatPanel1->geometry(), QRect(16, 32, 553, 473));
        QCOMPARE(form.FlatSpeedButton6->geometry(), QRect(8, 576, 561, 33));
        form.ScrollBox->verticalScrollBar()->setValue(form.ScrollBox->verticalScrollBar()->maximum());
        QVERIFY(form.ScrollBox->viewport()->rect().contains(
            form.FlatSpeedButton6->mapTo(form.ScrollBox->viewport(), QPoint(0, 32))));
    }

    void accessibleNames()
    {
        WindowFixture fixture;
        TFormMain& form = fixture.open();
        QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(form.FlatSpeedButton6);
        QCOMPARE(strip->role(), QAccessible::PushButton);
        QCOMPARE(strip->text(QAccessible::Name), kDeveloperLine);
        QCOMPARE(QAccessible::queryAccessibleInterface(form.FlatSpeedButton2)->text(QAccessible::Name),
                 QStringLiteral("打印小票"));
        QCOMPARE(QAccessible::queryAccessibleInterface(form.FlatPanel2)->text(QAccessible::Name),
                 QStringLiteral("温馨提示：本软件正版购买98元/套."));
    }
};

int main(int argc, char** argv)
{
    TestApplication app(argc, argv);
    WindowLayoutTest test;
    return app.run(test, argc, argv);
}

#include "window_layout_test.moc"
