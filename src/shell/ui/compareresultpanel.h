#pragma once
// The outcome of a compare under a grid: the summary sentence and what the marks' colours
// mean. Hidden while there is nothing to say; the window clears it when the marks go.

#include "shell/sheetmodel.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

class QLabel;

namespace torvel {

class CompareResultPanel : public QWidget
{
    Q_OBJECT
public:
    using Legend = QList<QPair<CellMark, QString>>;

    explicit CompareResultPanel(const Legend &legend, QWidget *parent = nullptr);

    void showResult(const QString &summary);
    void clear();
    QString summary() const;
    QLabel *summaryLabel() const { return m_summary; }

private:
    QLabel *m_summary;
};

} // namespace torvel
