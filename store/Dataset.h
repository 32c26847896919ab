#pragma once

#include "store/Field.h"
#include "store/TableWriter.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <optional>

class Connection;

// A query over one table of the connection (the ADOQuery role): all rows kept in memory as read, one current
// row, the cursor and the edit states; each post or delete is written to the file at once by the table's
// writer.
class Dataset : public QObject
{
    Q_OBJECT

public:
    enum class State
    {
        Closed,
        Browse,
        Edit,
        Insert
    };

    Dataset(Connection& connection, QString name, QObject* parent = nullptr);

    const QString& name() const { return m_name; }
    void setSql(const QString& sql);
    const QString& sql() const { return m_sql; }

    void open();
    void close();
    bool isOpen() const { return m_state != State::Closed; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    bool canModify() const { return m_writer.has_value(); }

    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    // The current row's index, or -1 when there is none.
    int currentRow() const { return m_current; }
    bool eof() const { return m_eof; }
    // The row being inserted, or -1.
    int insertRow() const { return m_state == State::Insert ? m_current : -1; }

    // Each move first completes a pending edit: posted if changed, dropped if not.
    void first();
    void last();
    void next();
    void prior();
    void moveBy(int distance);
    void moveTo(int row);

    void edit();
    void insert();
    void append();
    void post();
    void cancel();
    void remove();
    // Whether the pending row has a changed column.
    bool isModified() const { return !m_changed.isEmpty(); }

    int fieldCount() const { return int(m_fields.size()); }
    const FieldDef& field(int column) const { return m_fields.at(column); }
    int fieldIndex(const QString& name) const;
    Field fieldByName(const QString& name);

    // The value as the file holds it (see FieldValue for its text and number).
    QVariant value(int row, int column) const;
    QVariant currentValue(int column) const;
    void setCurrentValue(int column, const QVariant& value);

    // Called before a pending row is completed or posted, so that an open cell editor writes its text in.
    void setUpdateRecordHook(std::function<void()> hook) { m_updateRecord = std::move(hook); }
    // Called with the column that a post found empty though required, before the failure is raised.
    void setFocusFieldHook(std::function<void(int)> hook) { m_focusField = std::move(hook); }

signals:
    void reset();
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void currentRowChanged(int row);
    void stateChanged();

private:
    using Row = StoredRow;

    void checkOpen() const;
    void checkCanModify() const;
    void completePendingEdit();
    void startNewRow(int at);
    void setCurrent(int row);
    void setState(State state);
    void writePendingRow();
    void checkRequiredFields();

    Connection& m_connection;
    QString m_name;
    QString m_sql;
    std::optional<TableWriter> m_writer; // none for a query that is not a plain select of one table
    State m_state = State::Closed;
    QVector<FieldDef> m_fields;
    QVector<Row> m_rows;
    int m_current = -1;
    bool m_eof = true;
    QVector<QVariant> m_original; // the row's values before an edit
    QList<int> m_changed;
    int m_rowBeforeInsert = -1;
    std::function<void()> m_updateRecord;
    std::function<void(int)> m_focusField;
};
