#include "app/UnitMain.h"
#include "assets/Assets.h"
#include "links/VendorLinks.h"
#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/Dataset.h"
#include "widgets/DBGrid.h"
#include "widgets/FlatEdit.h"
#include "widgets/FlatPanel.h"
#include "widgets/FlatSpeedButton.h"
#include "widgets/Fonts.h"
#include "widgets/TextLabel.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {
const QColor kWindowColour{0x84, 0xA8, 0xFB};
const QSize kOuterSize{594, 644};
const QPoint kOuterPlace{222, 51};
const QString kTitle = QStringLiteral("禾岚幼儿园收费小票打印软件");

struct ButtonColours
{
    QColor color, focused, down, border;
};
const ButtonColours kActionButton{
    {0x51, 0x9E, 0xF4}, {0x51, 0x51, 0xFF}, {0x80, 0x80, 0xFF}, {0xFF, 0xFF, 0xFF}};
const ButtonColours kStoreButton{
    {0xC1, 0xD7, 0xFD}, {0x80, 0x80, 0xFF}, {0xFF, 0x80, 0x40}, {0xFF, 0x80, 0x40}};

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QFont& font)
{
    auto* result = new TextLabel(text, parent);
    result->setObjectName(name);
    result->setFont(font);
    return result;
}

QLabel* fixedLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                   const QRect& geometry)
{
    QLabel* result = label(parent, name, text, font);
    result->setGeometry(geometry);
    return result;
}

QLabel* sizedLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font, QPoint place)
{
    QLabel* result = label(parent, name, text, font);
    result->move(place);
    result->adjustSize();
    return result;
}

// An element of the layout under its component name, at its place.
template <typename Element> Element* placed(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* result = new Element(parent);
    result->setObjectName(name);
    result->setGeometry(geometry);
    return result;
}

// Every field of the window: 16 px window font, white in every state, framed in #A09683, as high as a line.
FlatEdit* edit(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* result = placed<FlatEdit>(parent, name, geometry);
    result->setFont(windowFont(16));
    result->setColorFlat(Qt::white);
    result->setColorFocused(Qt::white);
    result->setColorBorder(QColor(0xA0, 0x96, 0x83));
    result->setText(text);
    result->adjustHeight();
    return result;
}

FlatSpeedButton* button(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry)
{
    auto* result = placed<FlatSpeedButton>(parent, name, geometry);
    result->setText(caption);
    return result;
}

void dress(FlatSpeedButton* button, const ButtonColours& colours, const QFont& font, const QColor& fontColour)
{
    button->setColor(colours.color);
    button->setColorFocused(colours.focused);
    button->setColorDown(colours.down);
    button->setColorBorder(colours.border);
    button->setFont(font);
    button->setFontColor(fontColour);
}

FlatPanel* panel(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry)
{
    auto* result = placed<FlatPanel>(parent, name, geometry);
    result->setCaption(caption);
    return result;
}

// The layout's size is the outer one, frame and title bar included. The window system tells the frame only
// once the window is up, so the client size is corrected then, once; afterwards the operator sizes it.
class OuterSize : public QObject
{
public:
    OuterSize(QWidget* window, QSize outer) : QObject(window), m_window(window), m_outer(outer)
    {
        window->resize(outer);
        window->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize)
            fit();
        return false;
    }

private:
    void fit()
    {
        const QWindow* handle = m_window->windowHandle();
        const QMargins frame = handle ? handle->frameMargins() : QMargins();
        if (frame.isNull())
            return;
        m_window->removeEventFilter(this);
        m_window->resize(m_outer.shrunkBy(frame));
    }

    QWidget* m_window;
    QSize m_outer;
};
} // namespace

void TFormMain::loadLayout()
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(
        QStringLiteral("禾岚小票打印机软件-支持所有接口的POS58小票打印机(需要安装打印机驱动)  V9.8"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(Assets::windowIcon()));
    setColour(this, QPalette::Window, kWindowColour);
    setFont(windowFont(13));
    move(kOuterPlace);
    new OuterSize(this, kOuterSize);

    // The content keeps its places; a window made smaller than it scrolls.
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setFocusPolicy(Qt::NoFocus);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox->viewport()->setBackgroundRole(QPalette::Window);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox);
    ClientArea = new QWidget;
    ClientArea->setObjectName(QStringLiteral("ClientArea"));

    // On the window, in drawing order; the panels lie above.
    Label1 =
        fixedLabel(ClientArea, QStringLiteral("Label1"), kTitle, windowFont(16, true), {144, 8, 289, 17});
    setColour(Label1, QPalette::WindowText, QColor(0xFF, 0xFF, 0x00));
    Label8 =
        fixedLabel(ClientArea, QStringLiteral("Label8"), kTitle, windowFont(16, true), {142, 7, 283, 20});
    setColour(Label8, QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
    const QString developerLine = QStringLiteral("开发商：") + VendorLinks::webAddress +
                                  QStringLiteral("    QQ:") + VendorLinks::contactNumber +
                                  QStringLiteral("    邮箱：") + VendorLinks::email;
    Label2 =
        fixedLabel(ClientArea, QStringLiteral("Label2"), developerLine, songtiFont(16), {8, 584, 561, 20});
    setColour(Label2, QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    Label2->setAutoFillBackground(true);
    Label12 = sizedLabel(ClientArea, QStringLiteral("Label12"),
                         QStringLiteral("【购买QQ:") + VendorLinks::contactNumber + QStringLiteral("】"),
                         windowFont(12), {432, 16});
    setColour(Label12, QPalette::WindowText, QColor(0xFF, 0xFF, 0x00));
    Label12->setAutoFillBackground(true);
    FlatSpeedButton6 = button(ClientArea, QStringLiteral("FlatSpeedButton6"), QString(), {8, 576, 561, 33});
    FlatSpeedButton6->setTransparentMode(FlatSpeedButton::TransparentMode::tmAlways);
    FlatSpeedButton6->setColorBorder(Qt::white);
    FlatSpeedButton6->setAccessibleName(developerLine);

    FlatPanel1 = panel(ClientArea, QStringLiteral("FlatPanel1"),
                       QStringLiteral("小票打印软件-支持所有接口的POS58打印机"), {16, 32, 553, 473});
    FlatPanel2 = panel(ClientArea, QStringLiteral("FlatPanel2"),
                       QStringLiteral("温馨提示：本软件正版购买98元/套.") + QString(34, QLatin1Char(' ')),
                       {8, 520, 561, 49});
    FlatPanel2->setColor(QColor(0x91, 0xD7, 0xF4));
    FlatPanel2->setFont(songtiFont(16));
    FlatPanel2->setFontColor(QColor(0xFF, 0x00, 0x00));

    // On the entry panel: the picture first, everything else over it.
    Image1 = placed<QLabel>(FlatPanel1, QStringLiteral("Image1"), {1, 1, 551, 471});
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(Assets::background()));

    const QFont captionFont = font();
    Label7 =
        sizedLabel(FlatPanel1, QStringLiteral("Label7"), QStringLiteral("店名："), captionFont, {168, 24});
    FlatEdit1 = edit(FlatPanel1, QStringLiteral("FlatEdit1"), QStringLiteral("禾岚幼儿园收费小票"),
                     {208, 16, 185, 26});
    FlatEdit1->setEnabled(false);
    FlatEdit1->setReadOnly(true);
    Label5 =
        sizedLabel(FlatPanel1, QStringLiteral("Label5"), QStringLiteral("日期："), captionFont, {16, 64});
    FlatEdit2 = edit(FlatPanel1, QStringLiteral("FlatEdit2"), QString(), {56, 56, 137, 26});
    Label6 = fixedLabel(FlatPanel1, QStringLiteral("Label6"), QStringLiteral("收款人："), captionFont,
                        {336, 64, 65, 16});
    FlatEdit3 = edit(FlatPanel1, QStringLiteral("FlatEdit3"), QStringLiteral("018"), {400, 56, 137, 26});
    Label13 =
        sizedLabel(FlatPanel1, QStringLiteral("Label13"), QStringLiteral("学生："), captionFont, {16, 96});
    FlatEdit9 = edit(FlatPanel1, QStringLiteral("FlatEdit9"), QString(), {56, 88, 137, 26});
    DBGrid1 = placed<DBGrid>(FlatPanel1, QStringLiteral("DBGrid1"), {16, 120, 521, 193});
    DBGrid1->setFont(windowFont(16));
    DBGrid1->setFixedColor(QColor(0x77, 0xBB, 0xFF));
    Label3 = fixedLabel(FlatPanel1, QStringLiteral("Label3"),
                        QStringLiteral("提示：录入时添加新的一行数据请按键盘上的Tab键  "),
                        windowFont(11, true), {120, 320, 369, 13});
    setColour(Label3, QPalette::WindowText, Qt::white);
    Label9 = fixedLabel(FlatPanel1, QStringLiteral("Label9"), QStringLiteral("合计金额："), captionFont,
                        {16, 352, 81, 16});
    FlatEdit6 = edit(FlatPanel1, QStringLiteral("FlatEdit6"), QStringLiteral("168"), {88, 344, 177, 26});
    Label10 = sizedLabel(FlatPanel1, QStringLiteral("Label10"), QStringLiteral("备     注  1："), captionFont,
                         {16, 392});
    FlatEdit7 = edit(FlatPanel1, QStringLiteral("FlatEdit7"),
                     QStringLiteral("QQ:") + VendorLinks::contactNumber, {88, 384, 177, 26});
    FlatEdit7->setReadOnly(true);
    Label11 = sizedLabel(FlatPanel1, QStringLiteral("Label11"), QStringLiteral("备      注  2："),
                         captionFont, {288, 392});
    FlatEdit8 = edit(FlatPanel1, QStringLiteral("FlatEdit8"), QStringLiteral("可以支付宝购买，安全."),
                     {368, 384, 169, 26});
    FlatSpeedButton7 =
        button(FlatPanel1, QStringLiteral("FlatSpeedButton7"), QStringLiteral("删除一行"), {8, 432, 121, 33});
    FlatSpeedButton3 = button(FlatPanel1, QStringLiteral("FlatSpeedButton3"), QStringLiteral("保存备注"),
                              {144, 432, 121, 33});
    FlatSpeedButton5 = button(FlatPanel1, QStringLiteral("FlatSpeedButton5"), QStringLiteral("计算合计"),
                              {288, 432, 121, 33});
    FlatSpeedButton2 = button(FlatPanel1, QStringLiteral("FlatSpeedButton2"), QStringLiteral("打印小票"),
                              {424, 432, 121, 33});
    for (FlatSpeedButton* action : {FlatSpeedButton7, FlatSpeedButton3, FlatSpeedButton5, FlatSpeedButton2})
        dress(action, kActionButton, windowFont(16, true), Qt::white);

    // On the bottom panel.
    FlatSpeedButton4 = button(FlatPanel2, QStringLiteral("FlatSpeedButton4"), QStringLiteral("淘宝店购买"),
                              {296, 8, 106, 33});
    FlatSpeedButton1 = button(FlatPanel2, QStringLiteral("FlatSpeedButton1"), QStringLiteral("软行天下购买"),
                              {432, 8, 106, 33});
    for (FlatSpeedButton* store : {FlatSpeedButton4, FlatSpeedButton1})
        dress(store, kStoreButton, songtiFont(16, true), Qt::black);

    // The scrolled content reaches to the right and bottom edges of the elements.
    const QRect content = ClientArea->childrenRect();
    ClientArea->setFixedSize(content.x() + content.width(), content.y() + content.height());
    ScrollBox->setWidget(ClientArea);

    ADOConnection1 = new Connection(this);
    ADOQuery1 = new Dataset(*ADOConnection1, QStringLiteral("ADOQuery1"), this);
    DataSource1 = new DataSource(*ADOQuery1, this);
    ADOQuery2 = new Dataset(*ADOConnection1, QStringLiteral("ADOQuery2"), this);
    DataSource2 = new DataSource(*ADOQuery2, this);
    DBGrid1->setDialogService(*m_services.dialogs);
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->addColumn(QStringLiteral("品名"), QStringLiteral("收费项目"), 218);
    DBGrid1->addColumn(QStringLiteral("金额"), QStringLiteral("金额"), 130);

    // The disabled title field keeps its place at the head of the order; Tab passes over it.
    setTabOrder(FlatEdit1, FlatEdit2);
    setTabOrder(FlatEdit2, FlatEdit3);
    setTabOrder(FlatEdit3, DBGrid1);
    setTabOrder(DBGrid1, FlatEdit6);
    setTabOrder(FlatEdit6, FlatEdit7);
    setTabOrder(FlatEdit7, FlatEdit8);
    setTabOrder(FlatEdit8, FlatEdit9);

    // The clock runs from the loading of the layout on, before the create step.
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer1->start();
}
