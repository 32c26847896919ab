#include "printing/PrintMessages.h"

#include <QHash>

namespace {
QString quoted(const QString& printer)
{
    return QStringLiteral("“%1”").arg(printer);
}

// "the printer “X”" where the name is known; the print system's own trouble where it is not.
QString withPrinter(const QString& printer, const QString& known, const QString& unknown)
{
    return printer.isEmpty() ? unknown : known.arg(quoted(printer));
}

// A reason's keyword without its severity suffix.
QString keyword(QString reason)
{
    for (const QString& suffix :
         {QStringLiteral("-error"), QStringLiteral("-warning"), QStringLiteral("-report")}) {
        if (reason.endsWith(suffix))
            return reason.chopped(suffix.size());
    }
    return reason;
}
} // namespace

namespace PrintMessages {

QString noDefaultPrinter()
{
    return QStringLiteral("There is no default printer currently selected");
}

QString unreachable(const QString& printer)
{
    return withPrinter(printer, QStringLiteral("提示：连接不上打印系统，打印机%1无法使用，小票没有打印!"),
                       QStringLiteral("提示：连接不上打印系统，小票没有打印!"));
}

QString notAnswering(const QString& printer)
{
    return withPrinter(printer, QStringLiteral("提示：打印系统没有响应，打印机%1无法使用，小票没有打印!"),
                       QStringLiteral("提示：打印系统没有响应，小票没有打印!"));
}

QString notAccepting(const QString& printer)
{
    return QStringLiteral("提示：打印机%1不接受打印任务，小票没有打印!").arg(quoted(printer));
}

QString refused(const QString& printer, const QString& reason)
{
    return QStringLiteral("提示：打印机%1拒绝了小票（%2），小票没有打印!").arg(quoted(printer), reason);
}

QString waitsUntilResumed(const QString& printer)
{
    return QStringLiteral("提示：打印机%1已暂停，小票在队列中等待，打印机恢复后才会打出，请不要重打!")
        .arg(quoted(printer));
}

QString didNotPrint(const QString& printer, const JobStatus& status)
{
    QString cause = printerProblem(status.printerReasons);
    if (cause.isEmpty()) {
        switch (status.state) {
        case JobStatus::State::Held:
            cause = QStringLiteral("打印任务被挂起");
            break;
        case JobStatus::State::Stopped:
            cause = QStringLiteral("打印任务被停止");
            break;
        case JobStatus::State::Canceled:
            cause = QStringLiteral("打印任务被取消");
            break;
        default:
            cause = QStringLiteral("打印任务出错中止");
            break;
        }
    }
    if (!status.printerMessage.isEmpty())
        cause += QStringLiteral("（%1）").arg(status.printerMessage);
    return QStringLiteral("提示：打印机%1没有打出小票：%2，请处理后重打!").arg(quoted(printer), cause);
}

QString unconfirmed(const QString& printer)
{
    return QStringLiteral("提示：打印系统没有响应，不能确认打印机%1是否打出了小票，请查看打印机!")
        .arg(quoted(printer));
}

QString notDrawn()
{
    return QStringLiteral("提示：小票没有生成，没有打印!");
}

QString printerProblem(const QStringList& reasons)
{
    static const QHash<QString, QString> problems{
        {QStringLiteral("media-empty"), QStringLiteral("缺纸")},
        {QStringLiteral("media-needed"), QStringLiteral("缺纸")},
        {QStringLiteral("media-jam"), QStringLiteral("卡纸")},
        {QStringLiteral("door-open"), QStringLiteral("打印机盖开着")},
        {QStringLiteral("cover-open"), QStringLiteral("打印机盖开着")},
        {QStringLiteral("offline"), QStringLiteral("打印机离线")},
        {QStringLiteral("paused"), QStringLiteral("打印机已暂停")},
        {QStringLiteral("shutdown"), QStringLiteral("打印机已关闭")},
    };
    QStringList causes;
    for (const QString& reason : reasons) {
        const QString known = problems.value(keyword(reason));
        if (!known.isEmpty())
            causes.append(known);
        else if (reason.endsWith(QStringLiteral("-error")))
            causes.append(reason);
    }
    causes.removeDuplicates();
    return causes.join(QStringLiteral("，"));
}

} // namespace PrintMessages
