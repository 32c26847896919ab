#pragma once

#include "store/DataSource.h"
#include "widgets/DialogService.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>
#include <functional>

class Dataset;
class DatasetModel;
class QAbstractButton;
class GridCellDelegate;
class GridCellEditor;
class GridHeader;

// The data-aware grid: the rows of a dataset in data columns, an indicator column with the current row's
// state mark, and a cell editor opened on demand. A value passes from the editor's text into the row when the
// cell text is written (leaving the column, Enter, leaving the grid, or a row move through the dataset's
// update hook), and from the row into the database only when the dataset posts it.
class DBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    void setDialogService(DialogService& dialogs) { m_dialogs = &dialogs; }
    void addColumn(const QString& fieldName, const QString& title, int width);

    // The current data column: 0 is the first data column; the indicator column is not counted.
    int selectedIndex() const { return m_column; }
    // Writes a changed cell text into the row, then makes the data column current (past the last: the last).
    void setSelectedIndex(int index);

    void setFixedColor(const QColor& color);
    QColor fixedColor() const;

    // Called with every character typed into the grid or its cell editor before the grid acts on it; the
    // handler consumes the character by setting it to QChar().
    void setKeyPressHandler(std::function<void(QChar&)> handler) { m_keyPress = std::move(handler); }

    // The open cell editor, or nullptr.
    QLineEdit* cellEditor() const;
    // Whether the editor's text changed since it was last written into the row.
    bool isCellChanged() const { return m_cellChanged; }

signals:
    // A typed character that the current column does not take; the grid has beeped.
    void characterRefused(QChar character);

public slots:
    void reset() override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    enum class Caret
    {
        SelectAll,
        AtEnd
    };

    // The dataset when it is open; the grid's own keys do nothing otherwise.
    Dataset* activeDataset() const;
    QModelIndex currentCell() const;
    void moveToClickedCell(const QMouseEvent& event);
    bool isUnchangedNewRow() const;
    bool canChangeCell() const;

    void processKey(QKeyEvent& event);
    bool callKeyPressHandler(QKeyEvent& event);
    bool gridKey(const QKeyEvent& event);
    void editorKey(QKeyEvent& event);
    void applyEditingKey(QKeyEvent& event);
    void applyInputMethod(QInputMethodEvent& event);
    void refuse(QChar character);

    void writeCellText();
    void startRowEditing();
    bool startsSelectionPaste();
    void moveColumn(int column);
    void tabStep(bool forward);
    void nextRowMove();
    void previousRowMove();
    void pageMove(int direction);
    void moveToShownRow(bool top);
    void insertRow();
    void deleteRow();
    void escape();
    void leaveGrid();
    bool leavesGrid(const QFocusEvent& event) const;
    void focusField(int field);

    void openCellEditor(Caret caret);
    void closeCellEditor();
    void syncCurrentCell();
    void scheduleSettle();
    void settleCurrentCell();
    void selectCurrentCell();
    void handleKey(QKeyEvent& event);
    void datasetStateChanged();
    void updateMetrics();
    int fullyShownRows() const;

    DatasetModel* m_model;
    GridCellDelegate* m_delegate;
    GridHeader* m_titles;
    GridHeader* m_indicators;
    QPointer<QAbstractButton> m_corner;
    QPointer<DataSource> m_source;
    QPointer<Dataset> m_dataset;
    MessageBoxDialogService m_messageBoxes;
    DialogService* m_dialogs = &m_messageBoxes;
    std::function<void(QChar&)> m_keyPress;
    QPointer<GridCellEditor> m_editor;
    QPersistentModelIndex m_editorIndex;
    int m_column = 0;
    bool m_cellChanged = false;
    bool m_settlePending = false;
};
