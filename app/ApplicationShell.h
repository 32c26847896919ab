#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <memory>

class DialogService;
class QWidget;

namespace ApplicationShell {

// The default error display: the failure's message, with the full-stop rule, in an error box captioned
// with the application title.
void showError(DialogService& dialogs, const QString& title, const std::exception& error);

// The text of the "Application Error" box for a failure while the main window was being created.
QString applicationErrorText(const std::exception& error, const QString& moduleName);

// Creates the main window; if that fails, shows the "Application Error" box and returns nothing, and the
// caller ends the program with exit code 1.
std::unique_ptr<QWidget> createMainWindow(DialogService& dialogs, const QString& moduleName,
                                          const std::function<std::unique_ptr<QWidget>()>& create);

} // namespace ApplicationShell
