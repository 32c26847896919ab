#include "app/ApplicationShell.h"
#include "app/ReceiptApplication.h"
#include "app/UnitMain.h"
#include "text/FailureReport.h"
#include "text/FormatSettings.h"
#include "widgets/DialogService.h"

#include <QFileInfo>
#include <QLocale>

int main(int argc, char** argv)
{
    ReceiptApplication app(argc, argv);
    setFormatSettings(FormatSettings::fromLocale(QLocale::system()));
    MessageBoxDialogService dialogs;
    const TFormMain::Services services = TFormMain::Services::system(dialogs);
    setFailureDisplay([&](const std::exception& error) {
        ApplicationShell::showError(dialogs, services.applicationTitle, error);
    });

    const auto window = ApplicationShell::createMainWindow(
        dialogs, QFileInfo(services.executablePath).fileName(),
        [&]() -> std::unique_ptr<QWidget> { return std::make_unique<TFormMain>(services); });
    if (!window)
        return 1;
    window->show();
    return app.exec();
}
