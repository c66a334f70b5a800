#pragma once
// Controls made under their form name as objectName, so that lookups by name (tests, the
// debug panels) find them.

#include <QSpinBox>
#include <QString>

#include <utility>

namespace torvel {

template <class Widget, class... Args>
Widget *named(const QString &name, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(name);
    return widget;
}

inline QSpinBox *namedSpin(const QString &name, int minimum, int maximum, int value, QWidget *parent)
{
    auto *spin = named<QSpinBox>(name, parent);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

} // namespace torvel
