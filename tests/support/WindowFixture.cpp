#include "tests/support/WindowFixture.h"

#include "app/ApplicationShell.h"
#include "text/FailureReport.h"

#include <QDir>
#include <QTest>

WindowFixture::WindowFixture(std::unique_ptr<TestDatabase> database) : m_database(std::move(database))
{
    setFailureDisplay([this](const std::exception& error) {
        ApplicationShell::showError(dialogs, QStringLiteral("Receipt"), error);
    });
}

WindowFixture::~WindowFixture()
{
    setFailureDisplay({});
}

QString WindowFixture::executablePath() const
{
    return QDir(m_database->folder()).filePath(QStringLiteral("Receipt"));
}

QStringList WindowFixture::errors() const
{
    QStringList result;
    for (const MessageBoxRequest& request : dialogs.requests)
        if (request.icon == MessageBoxRequest::Icon::Error)
            result.append(request.text);
    return result;
}

TFormMain& WindowFixture::open(bool show)
{
    TFormMain::Services services;
    services.executablePath = executablePath();
    services.dialogs = &dialogs;
    services.clock = [this] { return clock; };
    services.printSystem = printSystem;
    services.printDevices = printDevices;
    services.applicationTitle = QStringLiteral("Receipt");
    m_form = std::make_unique<TFormMain>(services);
    if (show)
        showActive(*m_form);
    return *m_form;
}

bool showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    if (QTest::qWaitForWindowActive(&window))
        return true;
    QTest::qFail("the window did not become active", __FILE__, __LINE__);
    return false;
}
