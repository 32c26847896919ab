// Writes a PNG of the fee desk window as a clerk sees it after start-up, for a reviewer to look at: the real
// window over a real database in a scratch folder, with two fee items, on the offscreen platform.
// Usage: window_screenshot OUTPUT.png
#include "app/ReceiptApplication.h"
#include "app/UnitMain.h"
#include "tests/support/RecordingDialogService.h"
#include "tests/support/TestDatabase.h"
#include "text/FormatSettings.h"

#include <QDir>
#include <QLocale>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv)
{
    ReceiptApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_screenshot OUTPUT.png\n");
        return 2;
    }
    setFormatSettings(FormatSettings::fromLocale(QLocale::system()));
    TestDatabase database;
    database.execute(QStringLiteral("INSERT INTO xiaoshou VALUES ('学费', 300), ('餐费', 12.5)"));
    RecordingDialogService dialogs;

    TFormMain::Services services;
    services.executablePath = QDir(database.folder()).filePath(QStringLiteral("Receipt"));
    services.dialogs = &dialogs;
    services.clock = [] { return QDateTime::currentDateTime(); };
    services.applicationTitle = QStringLiteral("Receipt");
    TFormMain form(services);
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) {
        std::fprintf(stderr, "window_screenshot: the window did not come up\n");
        return 1;
    }
    QTest::qWait(200);
    if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "window_screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    for (const MessageBoxRequest& request : dialogs.requests)
        std::fprintf(stderr, "window_screenshot: the window showed a box: %s\n", qPrintable(request.text));
    return 0;
}
