#pragma once

class QAction;
class QMenu;
class QString;

// Adds an entry to a menu, named (so that tests and accessibility tools find
// it) and with its keyboard shortcut.
QAction *ajouterAction(QMenu *menu, const QString &texte, const QString &nom,
                       const QString &raccourci);
