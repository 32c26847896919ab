#include "widgets/DBGrid.h"

#include "store/DataSource.h"
#include "store/Dataset.h"
#include "store/Field.h"
#include "text/FailureReport.h"
#include "widgets/DatasetModel.h"
#include "widgets/GridCellEditor.h"
#include "widgets/GridHeader.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kIndicatorWidth = 11;

bool isEnter(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

bool hasControlOnly(const QKeyEvent& event)
{
    return event.modifiers().testFlag(Qt::ControlModifier) && !event.modifiers().testFlag(Qt::AltModifier);
}

bool hasAltOnly(const QKeyEvent& event)
{
    return event.modifiers().testFlag(Qt::AltModifier) && !event.modifiers().testFlag(Qt::ControlModifier);
}

// The character a key produces, as the key-press handler sees it: control characters for Enter, Tab, Esc,
// Backspace and Ctrl with a letter; none for keys held with Alt alone, which are system keys.
QChar characterOf(const QKeyEvent& event)
{
    if (hasAltOnly(event))
        return QChar();
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(u'\r');
    case Qt::Key_Backspace:
        return QChar(u'\b');
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QChar(u'\t');
    case Qt::Key_Escape:
        return QChar(0x1b);
    default:
        break;
    }
    if (hasControlOnly(event))
        return event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z ? QChar(event.key() - Qt::Key_A + 1)
                                                                    : QChar();
    return event.text().isEmpty() ? QChar() : event.text().front();
}

// The printable text a key types; empty for control keys and for keys held with Ctrl or Alt alone (with both,
// as AltGr, they type).
QString typedText(const QKeyEvent& event)
{
    if (hasControlOnly(event) || hasAltOnly(event))
        return QString();
    const QString text = event.text();
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return QString();
    return text;
}

// Whether a key changes the text of the cell editor.
bool isEditingKey(const QKeyEvent& event)
{
    if (!typedText(event).isEmpty() || event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete)
        return true;
    if (event.key() == Qt::Key_Insert && event.modifiers() == Qt::ShiftModifier)
        return true;
    for (const auto edit : {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
                            QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
                            QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine})
        if (event.matches(edit))
            return true;
    return false;
}

// The keys that the open cell editor hands to the grid.
bool isGridKeyWhileEditing(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Insert:
        return event.modifiers() == Qt::NoModifier;
    default:
        return false;
    }
}
} // namespace

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent), m_model(new DatasetModel(this)), m_delegate(new GridCellDelegate(this, this)),
      m_titles(new GridHeader(Qt::Horizontal, this)), m_indicators(new GridHeader(Qt::Vertical, this))
{
    setHorizontalHeader(m_titles);
    setVerticalHeader(m_indicators);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    // The view follows the dataset's current row itself, once a walk through the rows is over.
    setAutoScroll(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    // The corner above the indicator column is a fixed cell too; the style would paint it as a button.
    m_corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner)
        m_corner->installEventFilter(this);
    updateMetrics();
}

DBGrid::~DBGrid()
{
    if (m_editor)
        m_editor->removeEventFilter(this);
    if (m_dataset) {
        m_dataset->setUpdateRecordHook({});
        m_dataset->setFocusFieldHook({});
    }
}

void DBGrid::setDataSource(DataSource* source)
{
    closeCellEditor();
    if (m_dataset) {
        disconnect(m_dataset, nullptr, this, nullptr);
        m_dataset->setUpdateRecordHook({});
        m_dataset->setFocusFieldHook({});
    }
    m_source = source;
    m_dataset = source ? &source->dataset() : nullptr;
    m_model->setDataset(m_dataset);
    if (m_dataset) {
        // Direct calls, not signals: both may fail, and the failure must reach the caller of the dataset.
        m_dataset->setUpdateRecordHook([this] { writeCellText(); });
        m_dataset->setFocusFieldHook([this](int field) { focusField(field); });
        connect(m_dataset, &Dataset::currentRowChanged, this, &DBGrid::syncCurrentCell);
        connect(m_dataset, &Dataset::stateChanged, this, &DBGrid::datasetStateChanged);
    }
    syncCurrentCell();
}

void DBGrid::addColumn(const QString& fieldName, const QString& title, int width)
{
    m_model->addColumn(fieldName, title);
    // The section holds the cell and its grid line.
    m_titles->resizeSection(m_model->columnCount() - 1, width + 1);
    syncCurrentCell();
}

void DBGrid::setSelectedIndex(int index)
{
    moveColumn(index);
}

void DBGrid::setFixedColor(const QColor& color)
{
    m_titles->setFixedColor(color);
    m_indicators->setFixedColor(color);
    if (m_corner)
        m_corner->update();
}

QColor DBGrid::fixedColor() const
{
    return m_titles->fixedColor();
}

QLineEdit* DBGrid::cellEditor() const
{
    return m_editor;
}

Dataset* DBGrid::activeDataset() const
{
    return m_dataset && m_dataset->isOpen() ? m_dataset.data() : nullptr;
}

QModelIndex DBGrid::currentCell() const
{
    if (!activeDataset())
        return QModelIndex();
    return m_model->index(std::max(m_dataset->currentRow(), 0), m_column);
}

bool DBGrid::isUnchangedNewRow() const
{
    return m_dataset->state() == Dataset::State::Insert && !m_dataset->isModified() && !m_cellChanged;
}

bool DBGrid::canChangeCell() const
{
    const Dataset* dataset = activeDataset();
    return dataset && dataset->canModify() && m_model->fieldOf(m_column) >= 0 &&
           (dataset->isEditing() || (m_source && m_source->autoEdit()));
}

// Keys arrive here from the grid (cell editor closed) and from the open cell editor alike.
void DBGrid::processKey(QKeyEvent& event)
{
    event.accept();
    if (isEnter(event))
        writeCellText();
    if (!callKeyPressHandler(event))
        return;
    if (m_editor && !isGridKeyWhileEditing(event)) {
        editorKey(event);
        return;
    }
    if (!activeDataset() || hasAltOnly(event))
        return;
    if (isEnter(event)) {
        // Only reached when the key-press handler leaves Enter alone.
        if (m_editor)
            closeCellEditor();
        else
            openCellEditor(Caret::SelectAll);
        return;
    }
    if (gridKey(event))
        return;
    if (event.key() == Qt::Key_Backspace || !typedText(event).isEmpty()) {
        openCellEditor(Caret::SelectAll);
        if (m_editor)
            applyEditingKey(event);
    }
}

bool DBGrid::callKeyPressHandler(QKeyEvent& event)
{
    QChar character = characterOf(event);
    if (character.isNull() || !m_keyPress)
        return true;
    m_keyPress(character);
    return !character.isNull();
}

bool DBGrid::gridKey(const QKeyEvent& event)
{
    const bool control = event.modifiers().testFlag(Qt::ControlModifier);
    const int lastColumn = m_model->columnCount() - 1;
    switch (event.key()) {
    case Qt::Key_Tab:
        tabStep(!event.modifiers().testFlag(Qt::ShiftModifier));
        return true;
    case Qt::Key_Backtab:
        tabStep(false);
        return true;
    case Qt::Key_Left:
        moveColumn(control ? 0 : m_column - 1);
        return true;
    case Qt::Key_Right:
        moveColumn(control ? lastColumn : m_column + 1);
        return true;
    case Qt::Key_Home:
        if (control)
            m_dataset->first();
        else
            moveColumn(0);
        return true;
    case Qt::Key_End:
        if (control)
            m_dataset->last();
        else
            moveColumn(lastColumn);
        return true;
    case Qt::Key_Up:
        if (control)
            moveToShownRow(true);
        else
            previousRowMove();
        return true;
    case Qt::Key_Down:
        if (control)
            moveToShownRow(false);
        else
            nextRowMove();
        return true;
    case Qt::Key_PageUp:
        if (control)
            moveToShownRow(true);
        else
            pageMove(-1);
        return true;
    case Qt::Key_PageDown:
        if (control)
            moveToShownRow(false);
        else
            pageMove(1);
        return true;
    case Qt::Key_Insert:
        if (!control)
            insertRow();
        return true;
    case Qt::Key_Delete:
        if (control)
            deleteRow();
        return true;
    case Qt::Key_Escape:
        escape();
        return true;
    case Qt::Key_F2:
        openCellEditor(Caret::AtEnd);
        return true;
    default:
        return false;
    }
}

void DBGrid::editorKey(QKeyEvent& event)
{
    if (event.key() == Qt::Key_F2) {
        m_editor->deselect();
        m_editor->end(false);
    } else if (isEditingKey(event)) {
        applyEditingKey(event);
    } else {
        m_editor->applyKey(&event);
    }
}

// The first editing key starts the row's editing; a character the column does not take starts nothing.
void DBGrid::applyEditingKey(QKeyEvent& event)
{
    if (!canChangeCell())
        return;
    const FieldDef& field = m_dataset->field(m_model->fieldOf(m_column));
    for (const QChar c : typedText(event)) {
        if (!FieldValue::acceptsCharacter(field, c)) {
            refuse(c);
            return;
        }
    }
    startRowEditing();
    if (m_editor)
        m_editor->applyKey(&event);
}

// Text committed by an input method counts as typed, character by character.
void DBGrid::applyInputMethod(QInputMethodEvent& event)
{
    QString accepted;
    for (const QChar c : event.commitString()) {
        QChar character = c;
        if (m_keyPress)
            m_keyPress(character);
        if (character.isNull() || !canChangeCell())
            continue;
        if (FieldValue::acceptsCharacter(m_dataset->field(m_model->fieldOf(m_column)), character))
            accepted += character;
        else
            refuse(character);
    }
    if (!accepted.isEmpty())
        startRowEditing();
    if (!m_editor)
        return;
    QInputMethodEvent filtered(event.preeditString(), event.attributes());
    filtered.setCommitString(accepted, event.replacementStart(), event.replacementLength());
    m_editor->applyInputMethod(&filtered);
}

void DBGrid::refuse(QChar character)
{
    QApplication::beep();
    emit characterRefused(character);
}

void DBGrid::writeCellText()
{
    if (!m_cellChanged || !m_editor || !m_dataset)
        return;
    const int field = m_model->fieldOf(m_column);
    m_dataset->setCurrentValue(field, FieldValue::fromText(m_dataset->field(field), m_editor->text()));
    m_cellChanged = false;
}

// The middle button pastes the X11 selection into the open editor: that is an editing key like Shift+Insert,
// which starts the row's editing first, and pastes nothing where the cell cannot change.
bool DBGrid::startsSelectionPaste()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection() || clipboard->text(QClipboard::Selection).isEmpty())
        return true;
    if (!canChangeCell())
        return false;
    startRowEditing();
    return true;
}

void DBGrid::startRowEditing()
{
    if (!m_dataset->isEditing())
        m_dataset->edit();
}

void DBGrid::moveColumn(int column)
{
    const int count = m_model->columnCount();
    if (count == 0)
        return;
    writeCellText();
    column = std::clamp(column, 0, count - 1);
    if (column == m_column)
        return;
    closeCellEditor();
    m_column = column;
    syncCurrentCell();
}

void DBGrid::tabStep(bool forward)
{
    const int count = m_model->columnCount();
    if (count == 0)
        return;
    const int start = m_column;
    int column = start + (forward ? 1 : -1);
    if (column >= count) {
        nextRowMove();
        column = 0;
    } else if (column < 0) {
        previousRowMove();
        column = count - 1;
    }
    if (column != start)
        moveColumn(column);
}

void DBGrid::nextRowMove()
{
    if (isUnchangedNewRow()) {
        if (m_dataset->currentRow() < m_dataset->rowCount() - 1)
            m_dataset->cancel();
        return;
    }
    m_dataset->next();
    if (m_dataset->eof() && m_dataset->canModify())
        m_dataset->append();
}

void DBGrid::previousRowMove()
{
    if (isUnchangedNewRow() && m_dataset->currentRow() == m_dataset->rowCount() - 1) {
        m_dataset->cancel();
        return;
    }
    m_dataset->prior();
}

void DBGrid::pageMove(int direction)
{
    m_dataset->moveBy(direction * fullyShownRows());
}

void DBGrid::moveToShownRow(bool top)
{
    // Ending the row's editing may drop a new row, which changes the rows shown.
    m_dataset->moveBy(0);
    settleCurrentCell();
    const int first = std::max(rowAt(0), 0);
    const int row = top ? first : first + fullyShownRows() - 1;
    m_dataset->moveTo(std::min(row, m_dataset->rowCount() - 1));
}

void DBGrid::insertRow()
{
    if (m_dataset->canModify())
        m_dataset->insert();
}

void DBGrid::deleteRow()
{
    if (m_dataset->isEmpty() || !m_dataset->canModify())
        return;
    MessageBoxRequest request;
    request.caption = QStringLiteral("Confirm");
    request.text = QStringLiteral("Delete record?");
    request.icon = MessageBoxRequest::Icon::Question;
    request.buttons = {QStringLiteral("OK"), QStringLiteral("Cancel")};
    request.defaultButton = 0;
    request.escapeButton = 1;
    if (m_dialogs->show(request) == 0)
        m_dataset->remove();
}

// A first Esc undoes the typing in the cell; with nothing typed, Esc undoes the row.
void DBGrid::escape()
{
    if (!m_cellChanged && m_dataset->isEditing())
        m_dataset->cancel();
    closeCellEditor();
}

bool DBGrid::leavesGrid(const QFocusEvent& event) const
{
    switch (event.reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        break;
    }
    const QWidget* next = QApplication::focusWidget();
    return next != this && !isAncestorOf(next);
}

// The row stays in editing, unsaved; only a new row without changes is dropped.
void DBGrid::leaveGrid()
{
    if (!activeDataset())
        return;
    if (isUnchangedNewRow()) {
        closeCellEditor();
        m_dataset->cancel();
        return;
    }
    try {
        writeCellText();
    } catch (...) {
        // The operator corrects the text where it stands; the failure still goes to the error display.
        if (m_editor)
            m_editor->setFocus();
        else
            setFocus();
        throw;
    }
    closeCellEditor();
}

void DBGrid::focusField(int field)
{
    const int column = m_model->columnOfField(field);
    if (column < 0)
        return;
    closeCellEditor();
    m_column = column;
    syncCurrentCell();
    setFocus();
    openCellEditor(Caret::SelectAll);
}

void DBGrid::openCellEditor(Caret caret)
{
    if (!m_editor) {
        // An editor placed outside the rows shown would be hidden, and its focus lost with it.
        settleCurrentCell();
        const QModelIndex index = currentCell();
        if (!index.isValid() || !index.flags().testFlag(Qt::ItemIsEditable))
            return;
        if (!edit(index, QAbstractItemView::AllEditTriggers, nullptr))
            return;
        m_editor = qobject_cast<GridCellEditor*>(indexWidget(index));
        if (!m_editor)
            return;
        m_editorIndex = index;
        m_editor->setText(index.data(Qt::EditRole).toString());
        m_cellChanged = false;
        connect(m_editor, &QLineEdit::textEdited, this, [this] { m_cellChanged = true; });
    }
    if (caret == Caret::SelectAll) {
        m_editor->selectAll();
    } else {
        m_editor->deselect();
        m_editor->end(false);
    }
}

void DBGrid::closeCellEditor()
{
    m_cellChanged = false;
    if (!m_editor)
        return;
    GridCellEditor* editor = m_editor;
    m_editor = nullptr;
    m_editorIndex = QPersistentModelIndex();
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// The view's current cell follows the dataset's current row and the grid's current column.
void DBGrid::syncCurrentCell()
{
    const QModelIndex target = currentCell();
    if (m_editor && QModelIndex(m_editorIndex) != target)
        closeCellEditor();
    scheduleSettle();
    m_indicators->viewport()->update();
}

// Following every move of a walk through the rows (a total, a print) would shift the picture once a row and
// cost the view's selection bookkeeping a hundred times the walk itself; the highlight and the scrolling
// follow once instead, when the event loop comes back and before it paints, or when the grid's own key
// handling ends.
void DBGrid::scheduleSettle()
{
    if (std::exchange(m_settlePending, true))
        return;
    QMetaObject::invokeMethod(this, &DBGrid::settleCurrentCell, Qt::QueuedConnection);
}

void DBGrid::settleCurrentCell()
{
    if (!std::exchange(m_settlePending, false))
        return;
    selectCurrentCell();
    if (const QModelIndex cell = currentCell(); cell.isValid())
        scrollTo(cell);
}

void DBGrid::selectCurrentCell()
{
    const QModelIndex cell = currentCell();
    if (selectionModel()->currentIndex() != cell)
        selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
}

void DBGrid::handleKey(QKeyEvent& event)
{
    runGuarded([&] { processKey(event); });
    selectCurrentCell();
}

void DBGrid::datasetStateChanged()
{
    if (!m_dataset || !m_dataset->isEditing())
        closeCellEditor();
    m_indicators->viewport()->update();
}

void DBGrid::updateMetrics()
{
    // A row holds a line of text with three pixels to spare, and its grid line.
    const int rowHeight = fontMetrics().height() + 4;
    m_indicators->setMinimumSectionSize(rowHeight);
    m_indicators->setDefaultSectionSize(rowHeight);
    m_indicators->setThickness(kIndicatorWidth + 1);
    m_titles->setThickness(rowHeight);
    updateGeometries();
}

int DBGrid::fullyShownRows() const
{
    return std::max(1, viewport()->height() / m_indicators->defaultSectionSize());
}

void DBGrid::reset()
{
    // The rows are gone and the view releases the editor itself; only the focus has to leave it first.
    if (m_editor && m_editor->hasFocus())
        setFocus();
    m_editor = nullptr;
    m_editorIndex = QPersistentModelIndex();
    m_cellChanged = false;
    QTableView::reset();
}

bool DBGrid::event(QEvent* event)
{
    // Tab belongs to the grid: it moves between cells and never takes the focus elsewhere.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            handleKey(*key);
            return true;
        }
    }
    return QTableView::event(event);
}

bool DBGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (m_corner && watched == m_corner.data() && event->type() == QEvent::Paint) {
        QPainter painter(m_corner);
        GridHeader::paintFixedCell(painter, m_corner->rect(), fixedColor(),
                                   palette().color(QPalette::Shadow));
        return true;
    }
    if (!m_editor || watched != m_editor.data())
        return QTableView::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        handleKey(*static_cast<QKeyEvent*>(event));
        return true;
    case QEvent::InputMethod:
        runGuarded([&] { applyInputMethod(*static_cast<QInputMethodEvent*>(event)); });
        return true;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            bool paste = false;
            runGuarded([&] { paste = startsSelectionPaste(); });
            return !paste;
        }
        return false;
    case QEvent::FocusOut:
        if (leavesGrid(*static_cast<QFocusEvent*>(event)))
            runGuarded([this] { leaveGrid(); });
        return false;
    default:
        return QTableView::eventFilter(watched, event);
    }
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    handleKey(*event);
}

void DBGrid::inputMethodEvent(QInputMethodEvent* event)
{
    // A composition still under way stays with the input method; moving the focus into an editor now would
    // end it. Its committed text counts as typed, like the characters of keys.
    event->accept();
    if (!activeDataset() || event->commitString().isEmpty())
        return;
    runGuarded([&] {
        openCellEditor(Caret::SelectAll);
        if (m_editor)
            applyInputMethod(*event);
    });
}

void DBGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    if (leavesGrid(*event))
        runGuarded([this] { leaveGrid(); });
}

void DBGrid::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    runGuarded([&] { moveToClickedCell(*event); });
    selectCurrentCell();
}

void DBGrid::moveToClickedCell(const QMouseEvent& event)
{
    Dataset* dataset = activeDataset();
    if (!dataset || event.button() != Qt::LeftButton)
        return;
    settleCurrentCell();
    // Persistent: ending the row's editing may drop a new row above the one clicked.
    const QPersistentModelIndex clicked(indexAt(event.position().toPoint()));
    if (!clicked.isValid())
        return;
    if (clicked.row() != currentCell().row()) {
        dataset->moveBy(0);
        if (!clicked.isValid())
            return;
        dataset->moveTo(clicked.row());
    }
    moveColumn(clicked.column());
}

void DBGrid::mouseMoveEvent(QMouseEvent* event)
{
    // No dragging of selections: the current cell moves only with the dataset's rules.
    event->accept();
}

void DBGrid::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (activeDataset() && event->button() == Qt::LeftButton &&
        indexAt(event->position().toPoint()) == currentCell())
        runGuarded([this] { openCellEditor(Caret::AtEnd); });
}

bool DBGrid::focusNextPrevChild(bool)
{
    return true;
}

void DBGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMetrics();
}

void DBGrid::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    if (m_editor && m_editorIndex.row() >= start && m_editorIndex.row() <= end)
        closeCellEditor();
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}
