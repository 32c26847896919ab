#include "app/ApplicationShell.h"

#include "text/Failure.h"
#include "text/MessageText.h"
#include "widgets/DialogService.h"

#include <QWidget>

namespace ApplicationShell {

void showError(DialogService& dialogs, const QString& title, const std::exception& error)
{
    MessageBoxRequest request;
    request.caption = title;
    request.text = withErrorFullStop(failureMessage(error));
    request.icon = MessageBoxRequest::Icon::Error;
    dialogs.show(request);
}

QString applicationErrorText(const std::exception& error, const QString& moduleName)
{
    const quintptr address = failureAddress(error);
    return QStringLiteral("Exception %1 in module %2 at %3.\n%4")
        .arg(failureKind(error), moduleName,
             QStringLiteral("%1").arg(address, int(sizeof(void*) * 2), 16, QLatin1Char('0')).toUpper(),
             withCrashFullStop(failureMessage(error)));
}

std::unique_ptr<QWidget> createMainWindow(DialogService& dialogs, const QString& moduleName,
                                          const std::function<std::unique_ptr<QWidget>()>& create)
{
    try {
        return create();
    } catch (const std::exception& error) {
        MessageBoxRequest request;
        request.caption = QStringLiteral("Application Error");
        request.text = applicationErrorText(error, moduleName);
        request.icon = MessageBoxRequest::Icon::Error;
        dialogs.show(request);
        return nullptr;
    }
}

} // namespace ApplicationShell
