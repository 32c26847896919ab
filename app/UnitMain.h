#pragma once

#include "printing/DocumentDevice.h"
#include "printing/PrintSystem.h"

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class Connection;
class Dataset;
class DataSource;
class DBGrid;
class DialogService;
class FlatEdit;
class FlatPanel;
class FlatSpeedButton;
class QLabel;
class QScrollArea;
class QTimer;
class ReceiptPrinter;

// The fee desk's one window: its components under their own names, its lifecycle steps and its handlers.
class TFormMain : public QWidget
{
    Q_OBJECT

public:
    // What the window needs from outside; the defaults are the real program's.
    struct Services
    {
        QString executablePath;                   // data.mdb lies beside it
        DialogService* dialogs = nullptr;         // every modal box
        std::function<QDateTime()> clock;         // the date field's time
        std::shared_ptr<PrintSystem> printSystem; // the print queues and their jobs
        DocumentDeviceFactory printDevices;       // what draws the receipt for a queue
        QString applicationTitle;                 // caption of the program's own boxes

        static Services system(DialogService& dialogs);
    };

    explicit TFormMain(Services services, QWidget* parent = nullptr);
    ~TFormMain() override;

    // Lifecycle steps.
    void FormCreate();
    void FormShow();
    void FormClose();
    void Timer1Timer();

    // Keys and clicks.
    void FlatEdit2KeyDown(int& key);
    void FlatEdit3KeyDown(int& key);
    void FlatEdit9KeyDown(int& key);
    void FlatEdit6KeyDown(int& key);
    void FlatEdit7KeyDown(int& key);
    void FlatEdit8KeyDown(int& key);
    void DBGrid1KeyPress(QChar& key);
    void FlatSpeedButton7Click();
    void FlatSpeedButton5Click();
    void FlatSpeedButton3Click();
    void FlatSpeedButton2Click();
    void Label2Click();
    void FlatSpeedButton6Click();
    void FlatSpeedButton4Click();
    void FlatSpeedButton1Click();

    // Components, owned by the window through Qt's parent chain.
    Connection* ADOConnection1 = nullptr;
    Dataset* ADOQuery1 = nullptr;
    Dataset* ADOQuery2 = nullptr;
    DataSource* DataSource1 = nullptr;
    DataSource* DataSource2 = nullptr;
    QTimer* Timer1 = nullptr;

    QScrollArea* ScrollBox = nullptr;
    QWidget* ClientArea = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label12 = nullptr;
    FlatSpeedButton* FlatSpeedButton6 = nullptr;
    FlatPanel* FlatPanel1 = nullptr;
    FlatPanel* FlatPanel2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label7 = nullptr;
    FlatEdit* FlatEdit1 = nullptr;
    QLabel* Label5 = nullptr;
    FlatEdit* FlatEdit2 = nullptr;
    QLabel* Label6 = nullptr;
    FlatEdit* FlatEdit3 = nullptr;
    QLabel* Label13 = nullptr;
    FlatEdit* FlatEdit9 = nullptr;
    DBGrid* DBGrid1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label9 = nullptr;
    FlatEdit* FlatEdit6 = nullptr;
    QLabel* Label10 = nullptr;
    FlatEdit* FlatEdit7 = nullptr;
    QLabel* Label11 = nullptr;
    FlatEdit* FlatEdit8 = nullptr;
    FlatSpeedButton* FlatSpeedButton7 = nullptr;
    FlatSpeedButton* FlatSpeedButton3 = nullptr;
    FlatSpeedButton* FlatSpeedButton5 = nullptr;
    FlatSpeedButton* FlatSpeedButton2 = nullptr;
    FlatSpeedButton* FlatSpeedButton4 = nullptr;
    FlatSpeedButton* FlatSpeedButton1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Creates every component in layout order, places and dresses it, and wires its events.
    void loadLayout();
    void wireEvents();
    void reopenItems();
    QString now() const;

    Services m_services;
    ReceiptPrinter* m_printer = nullptr;
    bool m_shown = false;
};
