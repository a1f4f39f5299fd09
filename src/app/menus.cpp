#include "menus.h"

#include <QAction>
#include <QMenu>

QAction *ajouterAction(QMenu *menu, const QString &texte, const QString &nom,
                       const QString &raccourci)
{
    QAction *action = menu->addAction(texte);
    action->setObjectName(nom);
    action->setShortcut(QKeySequence(raccourci));
    return action;
}
