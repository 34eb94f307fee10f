#include "gui/ListBox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "gui/DisplayText.h"

namespace chainforge {
namespace {

constexpr int kNameBytesRole = Qt::UserRole;

}  // namespace

CListBox::CListBox(HorizontalScrollBar horizontal, QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(horizontal == HorizontalScrollBar::AsNeeded
                                     ? Qt::ScrollBarAsNeeded
                                     : Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    setUniformItemSizes(true);
}

void CListBox::ResetContent() {
    const QSignalBlocker quiet(this);
    clear();
}

void CListBox::AddString(const std::string& name) {
    const QString text = DisplayText(name);
    auto* item = new QListWidgetItem(text);
    item->setData(kNameBytesRole, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
    item->setToolTip(text);  // the whole name, however narrow the list
    insertItem(SortedPosition(text), item);
}

int CListBox::GetCurSel() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.constFirst());
}

std::string CListBox::GetText(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry == nullptr ? std::string()
                            : entry->data(kNameBytesRole).toByteArray().toStdString();
}

std::optional<std::string> CListBox::SelectedText() const {
    const int index = GetCurSel();
    if (index < 0) {
        return std::nullopt;
    }
    return GetText(index);
}

// After every entry that sorts equal, so that equal names keep the order in
// which they were added.
int CListBox::SortedPosition(const QString& text) const {
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (QString::compare(text, item(middle)->text(), Qt::CaseInsensitive) < 0) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

// A click on empty space or with Ctrl on the selected entry would clear the
// selection, which a list box never does.
QItemSelectionModel::SelectionFlags CListBox::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags flags = QListWidget::selectionCommand(index, event);
    if (!index.isValid() || flags.testFlag(QItemSelectionModel::Deselect) ||
        flags.testFlag(QItemSelectionModel::Toggle)) {
        return QItemSelectionModel::NoUpdate;
    }
    return flags;
}

// Reached by its label's Alt key, a list with nothing selected selects its
// current entry (the first when there is none): Qt only marks it current,
// and Create then finds nothing chosen.
void CListBox::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    if (event->reason() == Qt::ShortcutFocusReason && GetCurSel() < 0 && count() > 0) {
        SelectRow(std::max(0, currentRow()));
    }
}

// Home and End select the first and last entry even when that entry is
// already current but not selected, where Qt moves nothing and so selects
// nothing.
void CListBox::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && count() > 0 && (event->key() == Qt::Key_Home || event->key() == Qt::Key_End)) {
        SelectRow(event->key() == Qt::Key_Home ? 0 : count() - 1);
        return;
    }
    QListWidget::keyPressEvent(event);
}

void CListBox::SelectRow(int row) {
    setCurrentRow(row);
    scrollToItem(item(row));
}

void CListBox::SelectText(const std::optional<std::string>& name) {
    for (int i = 0; name && i < count(); ++i) {
        if (GetText(i) == *name) {
            setCurrentRow(i);
            return;
        }
    }
}

}  // namespace chainforge
