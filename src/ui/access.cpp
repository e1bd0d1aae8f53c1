// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/access.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>

#include <map>

#include "ui/field_keys.h"
#include "ui/main_form.h"
#include "ui/results_grid.h"

namespace tq::ui {

namespace {

QRect GlobalRect(const QWidget* w, const QRect& r) {
    if (!w || r.isEmpty()) return {};
    return QRect(w->mapToGlobal(r.topLeft()), r.size());
}

class GridAccess;

// One cell of a table the game draws: it has no object of its own and asks its table for
// everything.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    GridCell(GridAccess& table, int row, int col) : table_(table), row_(row), col_(col) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return col_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

  private:
    GridAccess& table_;
    int row_;
    int col_;
};

// A table drawn by a widget: rows and columns of cells, one of which may be the focus.
class GridAccess : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit GridAccess(QWidget* w) : QAccessibleWidget(w, QAccessible::Table) {}
    ~GridAccess() override {
        for (const auto& [key, id] : cells_) QAccessible::deleteAccessibleInterface(id);
    }

    virtual int Rows() const = 0;
    virtual int Cols() const = 0;
    virtual QString CellName(int row, int col) const = 0;
    virtual QRect CellRect(int row, int col) const = 0;  // global
    virtual bool CellSelected(int, int) const { return false; }
    // The cell the keyboard is on, whether or not the table has the focus.
    virtual bool FocusCell(int& row, int& col) const = 0;

    bool CellFocused(int row, int col) const {
        int r = 0;
        int c = 0;
        return widget()->hasFocus() && FocusCell(r, c) && r == row && c == col;
    }

    QAccessibleInterface* CellAt(int row, int col) const {
        if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) return nullptr;
        const int key = row * 1000 + col;
        auto found = cells_.find(key);
        if (found != cells_.end()) return QAccessible::accessibleInterface(found->second);
        auto* cell = new GridCell(const_cast<GridAccess&>(*this), row, col);
        cells_[key] = QAccessible::registerAccessibleInterface(cell);
        return cell;
    }

    // QAccessibleInterface.
    int childCount() const override { return Rows() * Cols(); }
    QAccessibleInterface* child(int index) const override {
        const int cols = Cols();
        if (index < 0 || cols <= 0) return nullptr;
        return CellAt(index / cols, index % cols);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        auto* cell =
            child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
        if (!cell || cell->table() != this) return -1;
        return cell->rowIndex() * Cols() + cell->columnIndex();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int r = 0; r < Rows(); ++r)
            for (int c = 0; c < Cols(); ++c)
                if (CellRect(r, c).contains(x, y)) return CellAt(r, c);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        int r = 0;
        int c = 0;
        if (widget()->hasFocus() && FocusCell(r, c)) return CellAt(r, c);
        return nullptr;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // QAccessibleTableInterface.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override { return CellAt(row, column); }
    int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (int r = 0; r < Rows(); ++r)
            for (int c = 0; c < Cols(); ++c)
                if (CellSelected(r, c)) cells << CellAt(r, c);
        return cells;
    }
    QString rowDescription(int row) const override { return QString::number(row + 1); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Cols(); }
    int rowCount() const override { return Rows(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    mutable std::map<int, QAccessible::Id> cells_;
};

bool GridCell::isValid() const {
    return table_.isValid() && row_ < table_.Rows() && col_ < table_.Cols();
}
QWindow* GridCell::window() const {
    return table_.window();
}
QAccessibleInterface* GridCell::parent() const {
    return &table_;
}
QAccessibleInterface* GridCell::table() const {
    return &table_;
}
QString GridCell::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && isValid()) return table_.CellName(row_, col_);
    return {};
}
QRect GridCell::rect() const {
    return isValid() ? table_.CellRect(row_, col_) : QRect();
}
bool GridCell::isSelected() const {
    return isValid() && table_.CellSelected(row_, col_);
}
QAccessible::State GridCell::state() const {
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.focusable = true;
    s.selectable = true;
    s.focused = table_.CellFocused(row_, col_);
    s.active = s.focused;
    s.selected = table_.CellSelected(row_, col_);
    return s;
}

// The field: a row of the table is a row of cells, a column a column.
class FieldAccess : public GridAccess {
  public:
    FieldAccess(QWidget* w, TMainForm& form) : GridAccess(w), form_(form) {}

    int Rows() const override { return form_.FieldRows(); }
    int Cols() const override { return form_.FieldCols(); }
    QString CellName(int row, int col) const override {
        const QString letter = form_.LetterAt(col, row)->Text();
        QString name =
            QCoreApplication::translate("tq::ui::Access", "%1, column %2, row %3")
                .arg(letter.isEmpty() ? QCoreApplication::translate("tq::ui::Access", "empty")
                                      : letter)
                .arg(col + 1)
                .arg(row + 1);
        switch (form_.CellState(col, row)) {
            case MarkState::Marked:
                name = QCoreApplication::translate("tq::ui::Access", "%1, marked").arg(name);
                break;
            case MarkState::Golden:
                name = QCoreApplication::translate("tq::ui::Access", "%1, hinted").arg(name);
                break;
            case MarkState::Normal:
                break;
        }
        int r = 0;
        int c = 0;
        if (FocusCell(r, c) && r == row && c == col && form_.Keys().CursorShown())
            name = QCoreApplication::translate("tq::ui::Access", "%1, cursor").arg(name);
        return name;
    }
    QRect CellRect(int row, int col) const override {
        const QWidget* cell = form_.CellAt(col, row);
        return GlobalRect(cell, cell->rect());
    }
    bool CellSelected(int row, int col) const override {
        return form_.CellState(col, row) == MarkState::Marked;
    }
    bool FocusCell(int& row, int& col) const override {
        const Cell at = form_.Keys().Position();
        if (at.col < 0 || at.row < 0 || at.col >= Cols() || at.row >= Rows()) return false;
        row = at.row;
        col = at.col;
        return true;
    }
    QString columnDescription(int column) const override {
        return QCoreApplication::translate("tq::ui::Access", "Column %1").arg(column + 1);
    }

  private:
    TMainForm& form_;
};

// The results: a row for each move, read as player, word, points and letter.
class ResultsAccess : public GridAccess {
  public:
    explicit ResultsAccess(ResultsGrid* grid) : GridAccess(grid), grid_(*grid) {}

    int Rows() const override { return grid_.FilledRows(); }
    int Cols() const override { return 4; }
    QString CellName(int row, int col) const override {
        const QString text = col == 0 ? grid_.Player(row) : grid_.Text(col, row);
        return text.isEmpty() ? QCoreApplication::translate("tq::ui::Access", "empty") : text;
    }
    QRect CellRect(int row, int col) const override {
        QRect r = grid_.CellRect(col, row);
        if (col == 0 && !r.isNull()) r.setWidth(1);
        return GlobalRect(&grid_, r);
    }
    bool CellSelected(int row, int col) const override {
        return col == 1 && row == grid_.SelectedRow();
    }
    bool FocusCell(int& row, int& col) const override {
        if (grid_.SelectedRow() >= Rows()) return false;
        row = grid_.SelectedRow();
        col = 1;
        return true;
    }
    QString columnDescription(int column) const override {
        switch (column) {
            case 0:
                return QCoreApplication::translate("tq::ui::Access", "Player");
            case 1:
                return QCoreApplication::translate("tq::ui::Access", "Word");
            case 2:
                return QCoreApplication::translate("tq::ui::Access", "Points");
            default:
                return QCoreApplication::translate("tq::ui::Access", "Letter");
        }
    }
    // The grid sits in a plain panel of the client area; to a screen reader it is the client
    // area's own child.
    QAccessibleInterface* parent() const override {
        QWidget* panel = grid_.parentWidget();
        QWidget* client = panel ? panel->parentWidget() : nullptr;
        if (client && client->objectName() == kClientObjectName)
            return QAccessible::queryAccessibleInterface(client);
        return GridAccess::parent();
    }

  private:
    ResultsGrid& grid_;
};

// The window's client area: what a player reads and uses, in the order of the Tab key, without
// the pictures, shapes and letter labels the field is drawn with.
class ClientAccess : public QAccessibleWidget {
  public:
    ClientAccess(QWidget* w, TMainForm& form)
        : QAccessibleWidget(w, QAccessible::Client), form_(form) {}

    QList<QWidget*> Shown() const {
        QList<QWidget*> all = {form_.Background(),     form_.Results(),      form_.PageUpButton(),
                               form_.PageDownButton(), form_.StatusButton(), form_.WordLabel(),
                               form_.HintLabel(),      form_.ClockLabel(),   form_.Announcements()};
        QList<QWidget*> shown;
        for (QWidget* w : all)
            if (w && !w->isHidden()) shown << w;
        return shown;
    }
    int childCount() const override { return static_cast<int>(Shown().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> shown = Shown();
        if (index < 0 || index >= shown.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(shown[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        return static_cast<int>(Shown().indexOf(qobject_cast<QWidget*>(child->object())));
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (QWidget* w : Shown())
            if (w->isVisible() && GlobalRect(w, w->rect()).contains(x, y))
                return QAccessible::queryAccessibleInterface(w);
        return nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return form_.windowTitle();
        return QAccessibleWidget::text(t);
    }

  private:
    TMainForm& form_;
};

// A caption label: its name, then what it shows.
class LabelAccess : public QAccessibleWidget {
  public:
    explicit LabelAccess(TextLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        const QString shown = static_cast<TextLabel*>(widget())->Text();
        const QString name = widget()->accessibleName();
        if (name.isEmpty()) return shown;
        if (shown.isEmpty()) return name;
        return QCoreApplication::translate("tq::ui::Access", "%1: %2").arg(name, shown);
    }
};

// A flat button: its caption, or the name it was given (the page buttons show only a glyph).
class ButtonAccess : public QAccessibleWidget {
  public:
    explicit ButtonAccess(FlatButton* button) : QAccessibleWidget(button, QAccessible::Button) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<FlatButton*>(widget())->Caption();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) static_cast<FlatButton*>(widget())->Click();
    }
};

class NoticeAccess : public QAccessibleWidget {
  public:
    explicit NoticeAccess(Notice* n) : QAccessibleWidget(n, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<Notice*>(widget())->text;
        return QAccessibleWidget::text(t);
    }
};

class AnnouncerAccess : public QAccessibleWidget {
  public:
    explicit AnnouncerAccess(Announcer* a) : QAccessibleWidget(a, QAccessible::Grouping) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return QCoreApplication::translate("tq::ui::Access", "Announcements");
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w) return nullptr;
    if (auto* n = qobject_cast<Notice*>(w)) return new NoticeAccess(n);
    if (auto* a = qobject_cast<Announcer*>(w)) return new AnnouncerAccess(a);
    if (auto* g = qobject_cast<ResultsGrid*>(w)) return new ResultsAccess(g);
    if (auto* b = qobject_cast<FlatButton*>(w)) return new ButtonAccess(b);
    if (auto* l = qobject_cast<TextLabel*>(w)) return new LabelAccess(l);
    auto* form = qobject_cast<TMainForm*>(w->window());
    if (!form || form == w) return nullptr;
    if (w->objectName() == QLatin1String(kFieldObjectName)) return new FieldAccess(w, *form);
    if (w->objectName() == QLatin1String(kClientObjectName)) return new ClientAccess(w, *form);
    return nullptr;
}

GridAccess* GridOf(QWidget* w) {
    if (!w || !QAccessible::isActive()) return nullptr;
    return dynamic_cast<GridAccess*>(QAccessible::queryAccessibleInterface(w));
}

void SendFocus(QWidget* w, int row, int col) {
    GridAccess* grid = GridOf(w);
    if (!grid || !w->hasFocus() || row < 0 || col < 0 || row >= grid->Rows() || col >= grid->Cols())
        return;
    QAccessibleEvent event(w, QAccessible::Focus);
    event.setChild(row * grid->Cols() + col);
    QAccessible::updateAccessibility(&event);
}

}  // namespace

void InstallAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(Factory);
}

Notice::Notice(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
}

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    for (Notice*& n : notices_) n = new Notice(this);
}

void Announcer::Say(const QString& text) {
    last_ = text;
    emit said(text);
    Notice* notice = notices_[next_];
    next_ = (next_ + 1) % kNotices;
    notice->text = text;
    if (!QAccessible::isActive()) return;
    QAccessibleEvent named(notice, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    // A notification that appears is read out by a screen reader wherever its focus is.
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void NotifyFieldCell(QWidget* field, int col, int row) {
    GridAccess* grid = GridOf(field);
    if (!grid) return;
    QAccessibleInterface* cell = grid->CellAt(row, col);
    if (!cell) return;
    QAccessibleEvent event(cell, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void NotifyTableReset(QWidget* table) {
    if (!GridOf(table)) return;
    QAccessibleTableModelChangeEvent event(table, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

void NotifyFieldFocus(QWidget* field, int col, int row) {
    SendFocus(field, row, col);
}

void NotifyResultsFocus(QWidget* results, int row) {
    SendFocus(results, row, 1);
}

void NotifyNameChanged(QWidget* widget) {
    if (!widget || !QAccessible::isActive()) return;
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

}  // namespace tq::ui
