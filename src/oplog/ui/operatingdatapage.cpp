#include "operatingdatapage.h"

#include "torvel2/ui/torvel2context.h"

namespace torvel {

OperatingDataPage::OperatingDataPage(Torvel2Context &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("BDataSheet"));
}

} // namespace torvel
