#pragma once

// The main window's texts that several of its files write or compare.

#include <QString>

inline const QString texteInvite = QStringLiteral("Entrez le texte à traduire ici...");

inline const QString textePersonnalisee = QStringLiteral("Écriture &Personnalisée");
inline const QString textePersonnaliseeIncochable =
    QStringLiteral("Écriture &Personnalisée (incochable)");
inline const QString texteLeetFrancais = QStringLiteral("&Leet vers français");
inline const QString texteLeetFrancaisIncochable =
    QStringLiteral("&Leet vers français (incochable)");
