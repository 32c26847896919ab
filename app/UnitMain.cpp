#include "app/UnitMain.h"

#include "app/DatasetItemSource.h"
#include "app/FieldSelection.h"
#include "links/VendorLinks.h"
#include "printing/CupsPrintSystem.h"
#include "printing/QueueDevices.h"
#include "printing/ReceiptPrinter.h"
#include "store/Connection.h"
#include "store/DataSource.h"
#include "store/DatabaseLocation.h"
#include "store/Dataset.h"
#include "text/ApplicationTitle.h"
#include "text/DateTimeText.h"
#include "text/Failure.h"
#include "text/FailureReport.h"
#include "text/FormatSettings.h"
#include "text/NumberText.h"
#include "widgets/DBGrid.h"
#include "widgets/DialogService.h"
#include "widgets/FlatEdit.h"
#include "widgets/FlatSpeedButton.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace {
const QString kItemsQuery = QStringLiteral("select * from xiaoshou");
const QString kRemarksQuery = QStringLiteral("select * from beizhu");
constexpr int kEnter = 13;

// The key code the key-down handlers see: 13 for Enter on either keyboard block.
int virtualKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ? kEnter : event.key();
}
} // namespace

TFormMain::Services TFormMain::Services::system(DialogService& dialogs)
{
    Services services;
    services.executablePath = QCoreApplication::applicationFilePath();
    services.dialogs = &dialogs;
    services.clock = [] { return QDateTime::currentDateTime(); };
    services.printSystem = std::make_shared<CupsPrintSystem>();
    services.printDevices = queueDevices;
    services.applicationTitle = ::applicationTitle(QFileInfo(services.executablePath).fileName());
    return services;
}

TFormMain::TFormMain(Services services, QWidget* parent) : QWidget(parent), m_services(std::move(services))
{
    loadLayout();
    m_printer = new ReceiptPrinter(m_services.printSystem, m_services.printDevices, this);
    wireEvents();
    FormCreate();
}

TFormMain::~TFormMain() = default;

QString TFormMain::now() const
{
    return dateTimeText(m_services.clock(), formatSettings().timeSeparator);
}

void TFormMain::FormCreate()
{
    try {
        ADOConnection1->close();
        ADOConnection1->setConnectionString(QString());
        const QString path = DatabaseLocation::databasePath(
            QDir::toNativeSeparators(m_services.executablePath), QDir::separator());
        ADOConnection1->setConnectionString(DatabaseLocation::connectionString(path));
        ADOConnection1->open();
    } catch (const std::exception&) {
        // The window still comes up; every later open of a dataset tries to connect again.
        MessageBoxRequest request;
        request.caption = QStringLiteral("Error");
        request.text = QStringLiteral("提示：数据库连接出错！");
        request.icon = MessageBoxRequest::Icon::Error;
        request.buttons = {QStringLiteral("&Yes")};
        m_services.dialogs->show(request);
    }
}

void TFormMain::FormShow()
{
    FlatEdit2->setText(now());
    FlatEdit2->setFocus();
    ADOQuery1->close();
    ADOQuery1->setSql(kItemsQuery);
    ADOQuery1->open();
    ADOQuery2->close();
    ADOQuery2->setSql(kRemarksQuery);
    ADOQuery2->open();
    FlatEdit7->setText(ADOQuery2->fieldByName(QStringLiteral("备注1")).asString());
    FlatEdit8->setText(ADOQuery2->fieldByName(QStringLiteral("备注2")).asString());
    FlatEdit3->setText(ADOQuery2->fieldByName(QStringLiteral("收银员")).asString());
}

void TFormMain::reopenItems()
{
    ADOQuery1->close();
    ADOQuery1->setSql(kItemsQuery);
    ADOQuery1->open();
    ADOQuery1->first();
}

void TFormMain::FormClose()
{
    reopenItems();
}

void TFormMain::Timer1Timer()
{
    const QString text = now();
    if (FlatEdit2->text() != text)
        FlatEdit2->setText(text);
}

void TFormMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shown || event->spontaneous())
        return;
    m_shown = true;
    runGuarded([this] { FormShow(); });
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    // The close always goes ahead, also when the reread below fails and is reported.
    event->accept();
    runGuarded([this] { FormClose(); });
}

void TFormMain::FlatEdit2KeyDown(int& key)
{
    if (key == kEnter)
        FlatEdit3->setFocus();
}

void TFormMain::FlatEdit3KeyDown(int& key)
{
    if (key == kEnter)
        FlatEdit9->setFocus();
}

void TFormMain::FlatEdit9KeyDown(int& key)
{
    if (key == kEnter)
        DBGrid1->setFocus();
}

void TFormMain::FlatEdit6KeyDown(int& key)
{
    if (key == kEnter)
        FlatEdit7->setFocus();
}

void TFormMain::FlatEdit7KeyDown(int& key)
{
    if (key == kEnter)
        FlatEdit8->setFocus();
}

void TFormMain::FlatEdit8KeyDown(int& key)
{
    if (key == kEnter)
        FlatSpeedButton2Click();
}

void TFormMain::DBGrid1KeyPress(QChar& key)
{
    // While the cell editor has the focus, the grid still counts as the window's active control.
    const QWidget* active = focusWidget();
    if (key == QChar(kEnter) && active && (active == DBGrid1 || DBGrid1->isAncestorOf(active))) {
        DBGrid1->setSelectedIndex(DBGrid1->selectedIndex() + 1);
        key = QChar();
    }
}

void TFormMain::FlatSpeedButton7Click()
{
    ADOQuery1->remove();
}

void TFormMain::FlatSpeedButton5Click()
{
    double sum = 0.0;
    ADOQuery1->first();
    while (!ADOQuery1->eof()) {
        sum += ADOQuery1->fieldByName(QStringLiteral("金额")).asFloat();
        ADOQuery1->next();
    }
    FlatEdit6->setText(generalNumberForm(sum, formatSettings().decimalSeparator));
}

void TFormMain::FlatSpeedButton3Click()
{
    ADOQuery2->edit();
    ADOQuery2->fieldByName(QStringLiteral("备注1")).setAsString(FlatEdit7->text());
    ADOQuery2->fieldByName(QStringLiteral("备注2")).setAsString(FlatEdit8->text());
    ADOQuery2->fieldByName(QStringLiteral("收银员")).setAsString(FlatEdit3->text());
    ADOQuery2->post();
}

void TFormMain::FlatSpeedButton2Click()
{
    if (FlatEdit9->text().isEmpty()) {
        MessageBoxRequest request;
        request.caption = m_services.applicationTitle;
        request.text = QStringLiteral("提示：请填写学生姓名!");
        m_services.dialogs->show(request);
        FlatEdit9->setFocus();
        return;
    }
    ReceiptFields fields;
    fields.title = FlatEdit1->text();
    fields.student = FlatEdit9->text();
    fields.total = FlatEdit6->text();
    fields.remark1 = FlatEdit7->text();
    fields.remark2 = FlatEdit8->text();
    fields.dateTime = FlatEdit2->text();
    fields.payee = FlatEdit3->text();
    fields.webAddress = VendorLinks::webAddress;
    fields.contactNumber = VendorLinks::contactNumber;
    DatasetItemSource items(*ADOQuery1);
    m_printer->print(fields, items);
    reopenItems();
    FlatEdit9->clear();
    FlatEdit9->setFocus();
}

void TFormMain::Label2Click()
{
    VendorLinks::open(VendorLinks::webAddress);
}

void TFormMain::FlatSpeedButton6Click()
{
    VendorLinks::open(VendorLinks::webAddress);
}

void TFormMain::FlatSpeedButton4Click()
{
    VendorLinks::open(VendorLinks::marketplaceShop);
}

void TFormMain::FlatSpeedButton1Click()
{
    VendorLinks::open(VendorLinks::softwareStorePage);
}

void TFormMain::wireEvents()
{
    // Each handler reports its own failure, so that none unwinds through the toolkit.
    const auto guarded = [this](void (TFormMain::*handler)()) {
        return [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(Timer1, &QTimer::timeout, this, guarded(&TFormMain::Timer1Timer));
    connect(FlatSpeedButton7, &FlatSpeedButton::clicked, this, guarded(&TFormMain::FlatSpeedButton7Click));
    connect(FlatSpeedButton5, &FlatSpeedButton::clicked, this, guarded(&TFormMain::FlatSpeedButton5Click));
    connect(FlatSpeedButton3, &FlatSpeedButton::clicked, this, guarded(&TFormMain::FlatSpeedButton3Click));
    connect(FlatSpeedButton2, &FlatSpeedButton::clicked, this, guarded(&TFormMain::FlatSpeedButton2Click));
    connect(FlatSpeedButton6, &FlatSpeedButton::clicked, this, guarded(&TFormMain::FlatSpeedButton6Click));
    connect(FlatSpeedButton4, &FlatSpeedButton::clicked, this, guarded(&TFormMain::FlatSpeedButton4Click));
    connect(FlatSpeedButton1, &FlatSpeedButton::clicked, this, guarded(&TFormMain::FlatSpeedButton1Click));
    // A receipt that turns out not to print after the click has ended is told like any other failure.
    connect(m_printer, &ReceiptPrinter::jobProblem, this,
            [](const QString& message) { reportFailure(Failure(message, QStringLiteral("EPrinter"))); });
    DBGrid1->setKeyPressHandler([this](QChar& key) { DBGrid1KeyPress(key); });
    auto* selection = new FieldSelection(this);
    for (FlatEdit* field : {FlatEdit2, FlatEdit3, FlatEdit9, FlatEdit6, FlatEdit7, FlatEdit8}) {
        field->installEventFilter(this);
        selection->watch(field);
    }
    for (QLabel* link : {Label2, Label12})
        link->installEventFilter(this);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        int key = virtualKey(*static_cast<QKeyEvent*>(event));
        runGuarded([&] {
            if (watched == FlatEdit2)
                FlatEdit2KeyDown(key);
            else if (watched == FlatEdit3)
                FlatEdit3KeyDown(key);
            else if (watched == FlatEdit9)
                FlatEdit9KeyDown(key);
            else if (watched == FlatEdit6)
                FlatEdit6KeyDown(key);
            else if (watched == FlatEdit7)
                FlatEdit7KeyDown(key);
            else if (watched == FlatEdit8)
                FlatEdit8KeyDown(key);
        });
    } else if (event->type() == QEvent::MouseButtonRelease && (watched == Label2 || watched == Label12)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint()))
            Label2Click();
    }
    return QWidget::eventFilter(watched, event);
}
