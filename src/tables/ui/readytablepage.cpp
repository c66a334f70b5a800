#include "readytablepage.h"

#include "torvel2/ui/torvel2context.h"

namespace torvel {

ReadyTablePage::ReadyTablePage(Torvel2Context &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("BereitTabSheet"));
}

void ReadyTablePage::InitReadyTable() {}

} // namespace torvel
