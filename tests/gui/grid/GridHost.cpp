#include "tests/gui/grid/GridHost.h"

#include "widgets/DBGrid.h"
#include "widgets/DatasetModel.h"
#include "widgets/FlatEdit.h"

#include <QHash>
#include <QTest>

namespace {
struct NamedKey
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

const QHash<QString, NamedKey>& namedKeys()
{
    static const QHash<QString, NamedKey> keys = {
        {QStringLiteral("Enter"), {Qt::Key_Return, Qt::NoModifier}},
        {QStringLiteral("Tab"), {Qt::Key_Tab, Qt::NoModifier}},
        {QStringLiteral("S+Tab"), {Qt::Key_Backtab, Qt::ShiftModifier}},
        {QStringLiteral("C+Tab"), {Qt::Key_Tab, Qt::ControlModifier}},
        {QStringLiteral("A+Tab"), {Qt::Key_Tab, Qt::AltModifier}},
        {QStringLiteral("Up"), {Qt::Key_Up, Qt::NoModifier}},
        {QStringLiteral("Down"), {Qt::Key_Down, Qt::NoModifier}},
        {QStringLiteral("Left"), {Qt::Key_Left, Qt::NoModifier}},
        {QStringLiteral("Right"), {Qt::Key_Right, Qt::NoModifier}},
        {QStringLiteral("Home"), {Qt::Key_Home, Qt::NoModifier}},
        {QStringLiteral("End"), {Qt::Key_End, Qt::NoModifier}},
        {QStringLiteral("PgUp"), {Qt::Key_PageUp, Qt::NoModifier}},
        {QStringLiteral("PgDn"), {Qt::Key_PageDown, Qt::NoModifier}},
        {QStringLiteral("C+Up"), {Qt::Key_Up, Qt::ControlModifier}},
        {QStringLiteral("C+Down"), {Qt::Key_Down, Qt::ControlModifier}},
        {QStringLiteral("C+Left"), {Qt::Key_Left, Qt::ControlModifier}},
        {QStringLiteral("C+Right"), {Qt::Key_Right, Qt::ControlModifier}},
        {QStringLiteral("C+Home"), {Qt::Key_Home, Qt::ControlModifier}},
        {QStringLiteral("C+End"), {Qt::Key_End, Qt::ControlModifier}},
        {QStringLiteral("C+PgUp"), {Qt::Key_PageUp, Qt::ControlModifier}},
        {QStringLiteral("C+PgDn"), {Qt::Key_PageDown, Qt::ControlModifier}},
        {QStringLiteral("Ins"), {Qt::Key_Insert, Qt::NoModifier}},
        {QStringLiteral("S+Ins"), {Qt::Key_Insert, Qt::ShiftModifier}},
        {QStringLiteral("Del"), {Qt::Key_Delete, Qt::NoModifier}},
        {QStringLiteral("C+Del"), {Qt::Key_Delete, Qt::ControlModifier}},
        {QStringLiteral("Esc"), {Qt::Key_Escape, Qt::NoModifier}},
        {QStringLiteral("F2"), {Qt::Key_F2, Qt::NoModifier}},
        {QStringLiteral("Bksp"), {Qt::Key_Backspace, Qt::NoModifier}},
        {QStringLiteral("C+A"), {Qt::Key_A, Qt::ControlModifier}},
        {QStringLiteral("C+V"), {Qt::Key_V, Qt::ControlModifier}},
        {QStringLiteral("C+X"), {Qt::Key_X, Qt::ControlModifier}},
    };
    return keys;
}

QString sqlText(const QString& text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}
} // namespace

namespace {
std::unique_ptr<TestDatabase> databaseWith(const QString& itemsTable)
{
    if (itemsTable.isEmpty())
        return std::make_unique<TestDatabase>();
    return std::make_unique<TestDatabase>(
        itemsTable +
        QStringLiteral(";CREATE TABLE beizhu (备注1 TEXT(50), 备注2 TEXT(50), 收银员 TEXT(20))"));
}
} // namespace

GridHost::GridHost(const QString& itemsTable)
    : fixture(databaseWith(itemsTable)), form(fixture.open(false)), database(fixture.database()),
      items(*form.ADOQuery1), dialogs(fixture.dialogs), grid(form.DBGrid1), other(form.FlatEdit6)
{
}

void GridHost::addRows(const QStringList& rows) const
{
    for (const QString& row : rows) {
        const QStringList values = row.split(QLatin1Char('|'));
        const QString amount = values.value(1);
        database.execute(
            QStringLiteral("INSERT INTO xiaoshou (品名, 金额) VALUES (%1, %2)")
                .arg(sqlText(values.value(0)), amount.isEmpty() ? QStringLiteral("NULL") : amount));
    }
}

void GridHost::open()
{
    if (showActive(form))
        grid->setFocus();
}

void GridHost::press(const QString& script) const
{
    for (const QString& word : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto named = namedKeys().constFind(word);
        if (named != namedKeys().constEnd()) {
            QTest::keyClick(QApplication::focusWidget(), named->key, named->modifiers);
            continue;
        }
        for (const QChar c : word) {
            if (c.unicode() < 0x80)
                QTest::keyClick(QApplication::focusWidget(), char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
}

QStringList GridHost::fileRows() const
{
    return database.rows(
        QStringLiteral("SELECT 品名, CASE WHEN 金额 IS NULL THEN NULL ELSE printf('%g', 金额) END "
                       "FROM xiaoshou ORDER BY rowid"));
}

QStringList GridHost::gridRows() const
{
    QStringList rows;
    const QAbstractItemModel* model = grid->model();
    for (int row = 0; row < model->rowCount(); ++row)
        rows.append(model->index(row, 0).data().toString() + QLatin1Char('|') +
                    model->index(row, 1).data().toString());
    return rows;
}

QString GridHost::mark() const
{
    const int row = items.currentRow();
    if (row < 0)
        return QString();
    switch (DatasetModel::RowMark(
        grid->model()->headerData(row, Qt::Vertical, DatasetModel::RowMarkRole).toInt())) {
    case DatasetModel::RowMark::Browse:
        return QStringLiteral(">");
    case DatasetModel::RowMark::Edit:
        return QStringLiteral("I");
    case DatasetModel::RowMark::Insert:
        return QStringLiteral("*");
    case DatasetModel::RowMark::None:
        break;
    }
    return QString();
}

bool GridHost::hasFocus() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == grid || grid->isAncestorOf(focus));
}
