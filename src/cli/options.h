#pragma once

// What the command line of scribolix-cli asks for, read into one value.

#include "traduction.h"

#include <QString>
#include <QStringList>

#include <optional>

struct Options
{
    enum class Action { Traduire, Aide, Version };
    Action action = Action::Traduire;
    Demande demande;
    Glyphes cases; // the personal style, read and checked
    bool retablir = false;
    bool styleCommun = false; // --style auto: any alphabet's glyphs
    QString dictionnaire;
    QString modele;
    QStringList texte; // the text as arguments, empty for standard input
};

// The options of `arguments` (the program's name first), or the reason
// they don't make a request.
std::optional<Options> lireOptions(const QStringList &arguments, QString &erreur);

QString aide();
QString mentionsLegales();
