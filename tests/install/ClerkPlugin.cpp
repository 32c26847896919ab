// A stand-in clerk that Qt loads into the installed program (QT_QPA_GENERIC_PLUGINS=receiptclerk), so the
// install tests drive the real executable as it lies in its install folder. With RECEIPT_CLERK_ROW set to
// "品名|金额" it types a student and that fee item into the window and saves the row with Tab, as a clerk
// does. Either way it then writes the program's path and every grid row to standard output, each line
// beginning with "clerk:", and closes the window, which ends the program. A message box ends the program
// at once with exit code 3, after writing its text.
#include <QAbstractItemView>
#include <QApplication>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

void say(const QString& line)
{
    std::printf("clerk: %s\n", qPrintable(line));
    std::fflush(stdout);
}

void type(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(QApplication::focusWidget(), char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
}

void press(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
}

class Clerk : public QObject
{
public:
    Clerk()
    {
        m_timer.setInterval(50);
        connect(&m_timer, &QTimer::timeout, this, &Clerk::look);
        m_timer.start();
    }

private:
    void look()
    {
        if (QWidget* box = QApplication::activeModalWidget()) {
            const auto* message = qobject_cast<QMessageBox*>(box);
            say(QStringLiteral("box %1: %2").arg(box->windowTitle(), message ? message->text() : QString()));
            std::_Exit(3);
        }
        QWidget* window = nullptr;
        for (QWidget* candidate : QApplication::topLevelWidgets()) {
            if (candidate->objectName() == QLatin1String("FormMain") && candidate->isVisible())
                window = candidate;
        }
        if (!window)
            return;
        m_timer.stop();
        work(*window);
    }

    static void work(QWidget& window)
    {
        say(QStringLiteral("program %1").arg(QCoreApplication::applicationFilePath()));
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            say(QStringLiteral("the window did not become active"));
        const QString row = qEnvironmentVariable("RECEIPT_CLERK_ROW");
        if (!row.isEmpty()) {
            window.findChild<QWidget*>(QStringLiteral("FlatEdit9"))->setFocus();
            type(QStringLiteral("王小明"));
            press(Qt::Key_Return); // the student field hands the focus to the grid
            type(row.section(QLatin1Char('|'), 0, 0));
            press(Qt::Key_Return);
            type(row.section(QLatin1Char('|'), 1));
            press(Qt::Key_Tab); // saves the row and opens a new one
        }
        const QAbstractItemModel* model =
            window.findChild<QAbstractItemView*>(QStringLiteral("DBGrid1"))->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            say(QStringLiteral("row ") + cells.join(QLatin1Char('|')));
        }
        window.close();
    }

    QTimer m_timer;
};

} // namespace

class ClerkPlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "clerk.json")

public:
    QObject* create(const QString&, const QString&) override { return new Clerk; }
};

#include "ClerkPlugin.moc"
