#pragma once
// Window benchmarks: the range dialog of the list window answered as a user would.

#include "bakeprog/ui/rangedialog.h"

#include <QSpinBox>
#include <QTimer>

namespace torvel::bench {

// Accepts the range dialog with 1..99 as soon as it shows.
inline void acceptRangeWhenShown(RangeDialog &dialog)
{
    auto *poll = new QTimer(&dialog);
    QObject::connect(poll, &QTimer::timeout, &dialog, [&dialog, poll] {
        if (!dialog.isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        dialog.loadFrom()->setValue(1);
        dialog.loadTo()->setValue(99);
        dialog.accept();
    });
    poll->start(1);
}

} // namespace torvel::bench
