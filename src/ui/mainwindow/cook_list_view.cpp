#include "ui/mainwindow/cook_list_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedLayout>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextLayout>
#include <QtMath>

#include "ui/mainwindow/cached_size_delegate.h"

namespace {

// The height of a line of names; Japanese text may come from a fallback
// face taller than the font's own.
int LineHeight(const QFont& font) {
    QTextLayout sample(QStringLiteral("料理g"), font);
    sample.beginLayout();
    const QTextLine line = sample.createLine();
    sample.endLayout();
    return std::max(QFontMetrics(font).height(), qCeil(line.height()));
}

// `name` broken into the lines `room` holds; a name longer than that ends in "…".
QStringList NameLines(const QString& name, const QFont& font, QSize room) {
    const int maxLines = std::max(1, room.height() / LineHeight(font));
    QTextLayout layout(name, font);
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrap);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(room.width());
        if (lines.size() + 1 == maxLines) {
            lines << QFontMetrics(font).elidedText(name.mid(line.textStart()), Qt::ElideRight, room.width());
            break;
        }
        lines << name.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

// The icon views size every cell like one sample row (the last); a recipe
// without an icon or with a short name must not shrink the cells of all the
// others. With a grid, a cell fills its grid square.
class TIconCellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.features |= QStyleOptionViewItem::HasDecoration;
        const QWidget* widget = opt.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        const QSize hint = style->sizeFromContents(QStyle::CT_ItemViewItem, &opt, QSize(), widget);
        const auto* view = qobject_cast<const QListView*>(widget);
        if (view && view->gridSize().isValid())
            return QSize(view->gridSize().width() - 2, qMax(hint.height(), view->gridSize().height() - 2));
        return hint;
    }
    // Large icons: the name goes below the icon on as many lines as the cell
    // holds, cut with "…" only on the last; the style's own layout elides a
    // name a rounding short of two lines, others beside it wrapped.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const auto* view = qobject_cast<const QListView*>(option.widget);
        if (!view || view->viewMode() != QListView::IconMode) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString name = opt.text;
        opt.text.clear();
        opt.features &= ~QStyleOptionViewItem::HasDisplay;
        const bool focused = opt.state & QStyle::State_HasFocus;
        opt.state &= ~QStyle::State_HasFocus;  // the focus frame goes round the name, drawn below
        const QStyle* style = view->style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, view);

        const int hMargin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
        const int vMargin = style->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, view) + 1;
        const QRect area = opt.rect.adjusted(hMargin, opt.decorationSize.height() + vMargin, -hMargin, 0);
        const QStringList lines = NameLines(name, opt.font, area.size());
        const QFontMetrics metrics(opt.font);
        const int lineHeight = LineHeight(opt.font);
        int textWidth = 0;
        for (const QString& line : lines)
            textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
        const QRect block(area.left() + (area.width() - textWidth) / 2 - 1, area.top(), textWidth + 2,
                          lineHeight * static_cast<int>(lines.size()));
        const bool selected = opt.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        painter->save();
        if (selected)
            painter->fillRect(block, opt.palette.brush(group, QPalette::Highlight));
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        for (int i = 0; i < lines.size(); ++i)
            painter->drawText(QRect(area.left(), area.top() + i * lineHeight, area.width(), lineHeight),
                              Qt::AlignHCenter | Qt::AlignVCenter, lines[i]);
        painter->restore();
        if (focused) {
            QStyleOptionFocusRect frame;
            frame.QStyleOption::operator=(opt);
            frame.rect = block;
            frame.state |= QStyle::State_KeyboardFocusChange;
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, view);
        }
    }
};

// A table moves along a row on Home and End; the recipe list, like any list,
// goes to its first and last row.
class TReportView final : public QTableView {
public:
    using QTableView::QTableView;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if (action == MoveHome || action == MoveEnd)
            modifiers |= Qt::ControlModifier;
        return QTableView::moveCursor(action, modifiers);
    }
};

}  // namespace

TGuardedSelectionModel::TGuardedSelectionModel(QAbstractItemModel* model, QObject* parent)
    : QItemSelectionModel(model, parent) {}

int TGuardedSelectionModel::SelectedRow() const {
    const QModelIndexList rows = selectedIndexes();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

int TGuardedSelectionModel::RowAfter(const QItemSelection& selection,
                                     QItemSelectionModel::SelectionFlags command) const {
    const int current = SelectedRow();
    if (command == QItemSelectionModel::NoUpdate)
        return current;
    int row = -1;
    if (!selection.isEmpty() && !selection.indexes().isEmpty())
        row = selection.indexes().constFirst().row();
    if (command & (QItemSelectionModel::Select | QItemSelectionModel::Toggle)) {
        if (row >= 0)
            return row;
        return (command & QItemSelectionModel::Clear) ? -1 : current;
    }
    if (command & QItemSelectionModel::Deselect)
        return row == current ? -1 : current;
    if (command & QItemSelectionModel::Clear)
        return -1;
    return current;
}

bool TGuardedSelectionModel::Allowed(int newRow) {
    if (!GuardEnabled || newRow == SelectedRow() || !Changing)
        return true;
    // One key press reaches the model by two calls (current index, then
    // selection); within one user action the question is asked once.
    if (ActionDepth > 0 && Decided && DecidedRow == newRow)
        return DecidedAllowed;
    const bool allowed = Changing();
    Decided = ActionDepth > 0;
    DecidedRow = newRow;
    DecidedAllowed = allowed;
    if (allowed)
        return true;
    // Refused: keep the focus on the row that stays selected.
    const int old = SelectedRow();
    if (old >= 0 && model())
        QItemSelectionModel::setCurrentIndex(model()->index(old, 0), QItemSelectionModel::NoUpdate);
    return false;
}

void TGuardedSelectionModel::select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) {
    select(QItemSelection(index, index), command);
}

void TGuardedSelectionModel::select(const QItemSelection& selection,
                                    QItemSelectionModel::SelectionFlags command) {
    if (!Allowed(RowAfter(selection, command)))
        return;
    QItemSelectionModel::select(selection, command);
}

void TGuardedSelectionModel::setCurrentIndex(const QModelIndex& index,
                                             QItemSelectionModel::SelectionFlags command) {
    if (command != QItemSelectionModel::NoUpdate &&
        !Allowed(RowAfter(QItemSelection(index, index), command)))
        return;
    QItemSelectionModel::setCurrentIndex(index, command);
}

void TGuardedSelectionModel::clear() {
    if (!Allowed(-1))
        return;
    QItemSelectionModel::clear();
}

TCookListView::TCookListView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CookListView"));
    Stack = new QStackedLayout(this);
    Stack->setContentsMargins(0, 0, 0, 0);

    Report = new TReportView(this);
    Report->setObjectName(QStringLiteral("CookListViewReport"));
    Report->setSelectionBehavior(QAbstractItemView::SelectRows);
    Report->setSelectionMode(QAbstractItemView::SingleSelection);
    Report->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Report->setShowGrid(false);
    Report->setWordWrap(false);
    Report->verticalHeader()->hide();
    Report->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Report->verticalHeader()->setDefaultSectionSize(18);
    Report->horizontalHeader()->setSectionsClickable(true);
    Report->horizontalHeader()->setHighlightSections(false);
    Report->horizontalHeader()->setStretchLastSection(false);
    Report->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Stored widths are kept exactly, narrow ones too.
    Report->horizontalHeader()->setMinimumSectionSize(0);
    Report->setIconSize(QSize(16, 16));
    Report->setContextMenuPolicy(Qt::NoContextMenu);

    Icons = new QListView(this);
    Icons->setObjectName(QStringLiteral("CookListViewIcons"));
    Icons->setSelectionMode(QAbstractItemView::SingleSelection);
    Icons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Icons->setMovement(QListView::Static);
    Icons->setResizeMode(QListView::Adjust);
    Icons->setUniformItemSizes(true);
    Icons->setItemDelegate(new TIconCellDelegate(Icons));
    // The list style sizes each cell by its name: remember the sizes across refills.
    Icons->setItemDelegate(new TCachedSizeDelegate(Icons->itemDelegate(), Icons));
    Icons->setContextMenuPolicy(Qt::NoContextMenu);

    Stack->addWidget(Report);
    Stack->addWidget(Icons);

    connect(Report->horizontalHeader(), &QHeaderView::sectionClicked, this, &TCookListView::ColumnClick);
    connect(Report, &QAbstractItemView::doubleClicked, this, &TCookListView::DoubleClicked);
    connect(Icons, &QAbstractItemView::doubleClicked, this, &TCookListView::DoubleClicked);
    // A click on empty space deselects, as the user expects of this list.
    Report->viewport()->installEventFilter(this);
    Icons->viewport()->installEventFilter(this);
    Report->installEventFilter(this);
    Icons->installEventFilter(this);
    SetModel(new QStandardItemModel(this));
    SetViewStyle(vsReport);
}

bool TCookListView::eventFilter(QObject* watched, QEvent* event) {
    const bool onViewport = watched == Report->viewport() || watched == Icons->viewport();
    const bool onView = watched == Report || watched == Icons;
    if (event->type() == QEvent::MouseButtonPress && onViewport) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!CurrentView()->indexAt(mouse->position().toPoint()).isValid()) {
            SelectRow(-1);
            return false;
        }
    }
    if (event->type() == QEvent::KeyPress && onView) {
        // A key press moves the current index and then the selection: handle
        // it here as one user action, so the change guard asks once.
        SelectionModel->BeginAction();
        const bool handled = watched->event(event);
        SelectionModel->EndAction();
        return handled;
    }
    return QWidget::eventFilter(watched, event);
}

void TCookListView::SetModel(QAbstractItemModel* model) {
    ItemModel = model;
    auto* old = SelectionModel;
    SelectionModel = new TGuardedSelectionModel(model, this);
    SelectionModel->Changing = [this] { return !Changing || Changing(); };
    Report->setModel(model);
    Icons->setModel(model);
    Report->setSelectionModel(SelectionModel);
    Icons->setSelectionModel(SelectionModel);
    connect(SelectionModel, &QItemSelectionModel::selectionChanged, this, &TCookListView::OnSelectionChanged);
    // A refill forgets the selection without a signal.
    connect(model, &QAbstractItemModel::modelReset, this, [this] { LastKey = QVariant(); });
    delete old;
    LastKey = QVariant();
}

void TCookListView::SetViewStyle(TViewStyle style) {
    Style = style;
    switch (style) {
    case vsReport:
        Stack->setCurrentWidget(Report);
        break;
    case vsList:
        Icons->setUniformItemSizes(false);  // no grid: each name sets its own width
        // Measuring tens of thousands of names the first time takes a second:
        // laid out in batches, the window answers meanwhile.
        Icons->setLayoutMode(QListView::Batched);
        Icons->setBatchSize(2000);
        Icons->setViewMode(QListView::ListMode);
        Icons->setFlow(QListView::TopToBottom);
        Icons->setWrapping(true);
        Icons->setIconSize(QSize(16, 16));
        Icons->setGridSize(QSize());
        Icons->setSpacing(1);
        Stack->setCurrentWidget(Icons);
        break;
    case vsIcon:
        Icons->setUniformItemSizes(true);
        Icons->setLayoutMode(QListView::SinglePass);
        Icons->setViewMode(QListView::IconMode);
        Icons->setFlow(QListView::LeftToRight);
        Icons->setWrapping(true);
        Icons->setIconSize(QSize(32, 32));
        Icons->setWordWrap(true);
        Icons->setMovement(QListView::Static);
        Stack->setCurrentWidget(Icons);
        break;
    case vsSmallIcon:
        Icons->setUniformItemSizes(true);
        Icons->setLayoutMode(QListView::SinglePass);
        Icons->setViewMode(QListView::ListMode);
        Icons->setFlow(QListView::LeftToRight);
        Icons->setWrapping(true);
        Icons->setIconSize(QSize(16, 16));
        Icons->setSpacing(0);
        Stack->setCurrentWidget(Icons);
        break;
    }
    UpdateIconGrid();
    const int row = SelectedRow();
    if (row >= 0)
        CurrentView()->scrollTo(ItemModel->index(row, 0));
}

QAbstractItemView* TCookListView::CurrentView() const {
    return Style == vsReport ? static_cast<QAbstractItemView*>(Report) : Icons;
}

QHeaderView* TCookListView::Header() const { return Report->horizontalHeader(); }

int TCookListView::RowCount() const { return ItemModel ? ItemModel->rowCount() : 0; }

int TCookListView::SelectedRow() const { return SelectionModel->SelectedRow(); }

void TCookListView::SelectRowUnguarded(int row) {
    const bool guard = SelectionModel->GuardEnabled;
    SelectionModel->GuardEnabled = false;
    if (row < 0 || row >= RowCount()) {
        SelectionModel->clearSelection();
        SelectionModel->QItemSelectionModel::setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    } else {
        const QModelIndex index = ItemModel->index(row, 0);
        SelectionModel->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        CurrentView()->scrollTo(index);
    }
    SelectionModel->GuardEnabled = guard;
}

bool TCookListView::SelectRow(int row) {
    if (row == SelectedRow())
        return true;
    if (row < 0) {
        SelectionModel->select(QItemSelection(), QItemSelectionModel::Clear);
        return SelectedRow() < 0;
    }
    const QModelIndex index = ItemModel->index(row, 0);
    SelectionModel->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (SelectedRow() != row)
        return false;
    CurrentView()->scrollTo(index);
    return true;
}

void TCookListView::SetRowFont(const QFont& font) {
    Report->setFont(font);
    Icons->setFont(font);
    UpdateRowHeight();
    UpdateIconGrid();
}

void TCookListView::SetRowIconSize(int size) {
    RowIconSize = size;
    Report->setIconSize(QSize(size, size));
    UpdateRowHeight();
}

void TCookListView::UpdateRowHeight() {
    const int textHeight = QFontMetrics(Report->font()).height() + 4;
    Report->verticalHeader()->setDefaultSectionSize(std::max({18, textHeight, RowIconSize + 2}));
}

void TCookListView::UpdateIconGrid() {
    if (Style != vsIcon && Style != vsSmallIcon)
        return;
    const QFontMetrics metrics(Icons->font());
    const int lineHeight = LineHeight(Icons->font());
    if (Style == vsSmallIcon) {
        Icons->setGridSize(QSize(120, std::max(20, lineHeight + 4)));
        return;
    }
    // Large icons: two lines of six characters below the icon, so the usual
    // recipe name wraps whole instead of being cut short.
    const int margin = 2 * (Icons->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 4;
    const int width = 6 * metrics.horizontalAdvance(QChar(0x6599)) + margin;
    const int height = 32 + 2 * lineHeight + 2 * (Icons->style()->pixelMetric(QStyle::PM_FocusFrameVMargin) + 1) + 6;
    Icons->setGridSize(QSize(std::max(80, width), std::max(64, height)));
}

QVariant TCookListView::KeyOfRow(int row) const {
    if (row < 0)
        return QVariant();
    // The record a row shows, so that a sort (rows moving) is no new selection.
    const QVariant record = ItemModel->index(row, 0).data(KeyRole);
    return record.isValid() ? record : QVariant(QStringLiteral("row:%1").arg(row));
}

void TCookListView::OnSelectionChanged() {
    const int row = SelectedRow();
    const QVariant key = KeyOfRow(row);
    if (key == LastKey)
        return;
    LastKey = key;
    emit SelectItem(row, row >= 0);
}
