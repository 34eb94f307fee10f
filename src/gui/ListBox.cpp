#include "gui/ListBox.h"

#include <QSignalBlocker>

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

void CListBox::SelectText(const std::optional<std::string>& name) {
    for (int i = 0; name && i < count(); ++i) {
        if (GetText(i) == *name) {
            setCurrentRow(i);
            return;
        }
    }
}

}  // namespace chainforge
