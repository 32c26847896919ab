#include "app/UnitMain.h"
#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/Dataset.h"
#include "widgets/DBGrid.h"
#include "widgets/FlatEdit.h"
#include "widgets/FlatPanel.h"
#include "widgets/FlatSpeedButton.h"

#include <QLabel>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    result->setGeometry(geometry);
    return result;
}

FlatEdit* edit(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* result = new FlatEdit(parent);
    result->setObjectName(name);
    result->setText(text);
    result->setGeometry(geometry);
    return result;
}

FlatSpeedButton* button(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry)
{
    auto* result = new FlatSpeedButton(parent);
    result->setObjectName(name);
    result->setText(caption);
    result->setGeometry(geometry);
    return result;
}
} // namespace

void TFormMain::loadLayout()
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(
        QStringLiteral("禾岚小票打印机软件-支持所有接口的POS58小票打印机(需要安装打印机驱动)  V9.8"));
    resize(594, 644);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox);
    ClientArea = new QWidget;
    ClientArea->setFixedSize(578, 605);
    ScrollBox->setWidget(ClientArea);

    Label1 = label(ClientArea, QStringLiteral("Label1"), QStringLiteral("禾岚幼儿园收费小票打印软件"),
                   {144, 8, 289, 17});
    Label8 = label(ClientArea, QStringLiteral("Label8"), QStringLiteral("禾岚幼儿园收费小票打印软件"),
                   {142, 7, 283, 20});
    Label2 = label(ClientArea, QStringLiteral("Label2"), QString(), {8, 584, 561, 20});
    Label12 = label(ClientArea, QStringLiteral("Label12"), QString(), {432, 16, 127, 13});
    FlatSpeedButton6 = button(ClientArea, QStringLiteral("FlatSpeedButton6"), QString(), {8, 576, 561, 33});
    FlatPanel1 = new FlatPanel(ClientArea);
    FlatPanel1->setObjectName(QStringLiteral("FlatPanel1"));
    FlatPanel1->setGeometry(16, 32, 553, 473);
    FlatPanel1->setCaption(QStringLiteral("小票打印软件-支持所有接口的POS58打印机"));
    FlatPanel2 = new FlatPanel(ClientArea);
    FlatPanel2->setObjectName(QStringLiteral("FlatPanel2"));
    FlatPanel2->setGeometry(8, 520, 561, 49);
    FlatPanel2->setCaption(QStringLiteral("温馨提示：本软件正版购买98元/套.") +
                           QString(34, QLatin1Char(' ')));

    Image1 = label(FlatPanel1, QStringLiteral("Image1"), QString(), {1, 1, 551, 471});
    Label7 = label(FlatPanel1, QStringLiteral("Label7"), QStringLiteral("店名："), {168, 24, 36, 16});
    FlatEdit1 = edit(FlatPanel1, QStringLiteral("FlatEdit1"), QStringLiteral("禾岚幼儿园收费小票"),
                     {208, 16, 185, 26});
    FlatEdit1->setEnabled(false);
    FlatEdit1->setReadOnly(true);
    Label5 = label(FlatPanel1, QStringLiteral("Label5"), QStringLiteral("日期："), {16, 64, 36, 16});
    FlatEdit2 = edit(FlatPanel1, QStringLiteral("FlatEdit2"), QString(), {56, 56, 137, 26});
    Label6 = label(FlatPanel1, QStringLiteral("Label6"), QStringLiteral("收款人："), {336, 64, 65, 16});
    FlatEdit3 = edit(FlatPanel1, QStringLiteral("FlatEdit3"), QStringLiteral("018"), {400, 56, 137, 26});
    Label13 = label(FlatPanel1, QStringLiteral("Label13"), QStringLiteral("学生："), {16, 96, 36, 16});
    FlatEdit9 = edit(FlatPanel1, QStringLiteral("FlatEdit9"), QString(), {56, 88, 137, 26});
    DBGrid1 = new DBGrid(FlatPanel1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(16, 120, 521, 193);
    Label3 = label(FlatPanel1, QStringLiteral("Label3"),
                   QStringLiteral("提示：录入时添加新的一行数据请按键盘上的Tab键  "), {120, 320, 369, 13});
    Label9 = label(FlatPanel1, QStringLiteral("Label9"), QStringLiteral("合计金额："), {16, 352, 81, 16});
    FlatEdit6 = edit(FlatPanel1, QStringLiteral("FlatEdit6"), QStringLiteral("168"), {88, 344, 177, 26});
    Label10 =
        label(FlatPanel1, QStringLiteral("Label10"), QStringLiteral("备     注  1："), {16, 392, 64, 16});
    FlatEdit7 = edit(FlatPanel1, QStringLiteral("FlatEdit7"), QString(), {88, 384, 177, 26});
    FlatEdit7->setReadOnly(true);
    Label11 =
        label(FlatPanel1, QStringLiteral("Label11"), QStringLiteral("备      注  2："), {288, 392, 67, 16});
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
    FlatSpeedButton4 = button(FlatPanel2, QStringLiteral("FlatSpeedButton4"), QStringLiteral("淘宝店购买"),
                              {296, 8, 106, 33});
    FlatSpeedButton1 = button(FlatPanel2, QStringLiteral("FlatSpeedButton1"), QStringLiteral("软行天下购买"),
                              {432, 8, 106, 33});

    ADOConnection1 = new Connection(this);
    ADOQuery1 = new Dataset(*ADOConnection1, QStringLiteral("ADOQuery1"), this);
    DataSource1 = new DataSource(*ADOQuery1, this);
    ADOQuery2 = new Dataset(*ADOConnection1, QStringLiteral("ADOQuery2"), this);
    DataSource2 = new DataSource(*ADOQuery2, this);
    DBGrid1->setDialogService(*m_services.dialogs);
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->addColumn(QStringLiteral("品名"), QStringLiteral("收费项目"), 218);
    DBGrid1->addColumn(QStringLiteral("金额"), QStringLiteral("金额"), 130);

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
