#include "errorlistpage.h"

#include "torvel2/ui/torvel2context.h"

namespace torvel {

ErrorListPage::ErrorListPage(Torvel2Context &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FehlerTabSheet"));
}

} // namespace torvel
