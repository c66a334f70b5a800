#include "compareresultpanel.h"

#include "gridview.h"

#include <QLabel>
#include <QVBoxLayout>

namespace torvel {

CompareResultPanel::CompareResultPanel(const Legend &legend, QWidget *parent)
    : QWidget(parent)
    , m_summary(new QLabel(this))
{
    setObjectName(QStringLiteral("Vergleich"));
    m_summary->setObjectName(QStringLiteral("VergleichErgebnis"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QString html;
    for (const auto &[mark, meaning] : legend)
        html +=
            QStringLiteral(
                "<span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;&nbsp;</span>&nbsp;%2&nbsp;&nbsp; ")
                .arg(GridView::markColour(mark).name(), meaning.toHtmlEscaped());
    html += QStringLiteral("Maus auf ein markiertes Feld: Wert am Torvel");
    auto *key = new QLabel(html, this);
    key->setObjectName(QStringLiteral("VergleichLegende"));
    key->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_summary);
    layout->addWidget(key);
    hide();
}

void CompareResultPanel::showResult(const QString &summary)
{
    m_summary->setText(summary);
    show();
}

void CompareResultPanel::clear()
{
    m_summary->clear();
    hide();
}

QString CompareResultPanel::summary() const
{
    return m_summary->text();
}

} // namespace torvel
