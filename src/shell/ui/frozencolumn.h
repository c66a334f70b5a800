#pragma once
// The first column of a table kept in view while the others scroll (the program names of the
// bake program list). A second view over the same model and selection lies on top of the
// table's left edge; it scrolls only up and down with the table, and edits in the first
// column happen in it, where they can be seen.

#include <QTableView>

namespace torvel {

class FrozenColumn : public QTableView
{
    Q_OBJECT
public:
    explicit FrozenColumn(QTableView *table);

    // After the table's headings, sizes or scroll range changed.
    void follow();
    // Opens the editor of a first-column cell here instead of under this view.
    bool editCell(const QModelIndex &index, EditTrigger trigger, QEvent *event);

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

private:
    QTableView *m_table;
};

} // namespace torvel
