// A list of names as a Windows list box keeps them: single selection that the
// user can move but not clear, entries sorted case-insensitively as they are
// added, and each entry holding the exact bytes of its name.
#pragma once

#include <QListWidget>
#include <optional>
#include <string>

namespace chainforge {

class CListBox : public QListWidget {
    Q_OBJECT

  public:
    enum class HorizontalScrollBar { AsNeeded, None };

    explicit CListBox(HorizontalScrollBar horizontal, QWidget* parent = nullptr);

    // Empties the list without reporting a selection change.
    void ResetContent();
    void AddString(const std::string& name);
    // The selected index, or -1.
    int GetCurSel() const;
    std::string GetText(int index) const;
    std::optional<std::string> SelectedText() const;
    // Selects the entry of exactly that name, when there is one.
    void SelectText(const std::optional<std::string>& name);

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int SortedPosition(const QString& text) const;
    void SelectRow(int row);
};

}  // namespace chainforge
