#include "tests/gui/window/WindowFixture.h"

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
    if (show) {
        m_form->show();
        m_form->activateWindow();
        if (!QTest::qWaitForWindowActive(m_form.get()))
            qWarning("the window did not become active");
    }
    return *m_form;
}
