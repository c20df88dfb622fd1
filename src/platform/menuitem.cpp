#include "platform/menuitem.h"

MenuItem::MenuItem(const QString &caption, QObject *parent) : QAction(caption, parent)
{
    setCheckable(true);
}
