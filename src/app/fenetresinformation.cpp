// The main window's informational windows: the style reference windows, the
// user guide and the about box, each built anew every time it is asked for.

#include "FenEntreeTexte.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QFrame *creerSeparateur(QFrame::Shape forme)
{
    auto *ligne = new QFrame;
    ligne->setFrameShape(forme);
    return ligne;
}

} // namespace

void FenEntreeTexte::ecritureVelmora()
{
    afficherEcriture(Style::Velmora);
}

void FenEntreeTexte::ecritureKorvane()
{
    afficherEcriture(Style::Korvane);
}

void FenEntreeTexte::afficherEcriture(Style style)
{
    const QString nom = style == Style::Velmora ? u"Velmora"_s : u"Korvane"_s;
    auto *fenetre = new QWidget(this, Qt::Tool);
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->setWindowTitle(nom);

    auto *entete = new QLabel(
        u"<center><strong><u>Style d'écriture de %1 :</u></strong></center><br />"_s.arg(nom));

    // Four columns, A to G, H to N, O to U and V to Z, each entry read from
    // the engine's own table so that the window can never disagree with it.
    constexpr int debutsColonnes[] = {0, 7, 14, 21, nombreLettres};
    auto *layoutColonnes = new QHBoxLayout;
    for (int colonne = 0; colonne < 4; ++colonne) {
        if (colonne > 0)
            layoutColonnes->addWidget(creerSeparateur(QFrame::VLine));
        QStringList entrees;
        for (int lettre = debutsColonnes[colonne]; lettre < debutsColonnes[colonne + 1]; ++lettre)
            entrees << alphabet[lettre] + u"  :  "_s + glyphe(style, lettre);
        auto *labelColonne = new QLabel(entrees.join(u"\n\n"_s));
        labelColonne->setTextFormat(Qt::PlainText);
        layoutColonnes->addWidget(labelColonne);
    }

    auto *layoutEcriture = new QVBoxLayout(fenetre);
    layoutEcriture->addWidget(entete);
    layoutEcriture->addLayout(layoutColonnes);
    fenetre->show();
}

void FenEntreeTexte::modeEmploi()
{
    auto *fenetre = new QWidget;
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->setWindowTitle(u"Mode d'emploi du Scribolix"_s);

    const QStringList morceaux = {
        u"<center><strong><u>Ce logiciel va traduire un texte en français en leet et "
        u"inversement,voici quelques explications :</u></strong></center>"_s,
        QString(),
        u"<strong>-Écriture de Velmora :</strong> Si vous choisissez ce type, le logiciel va "
        u"traduire vos textes avec le style"_s,
        u"d'écriture de Velmora, que vous pouvez aller consulter dans la partie \"Écritures\"."_s,
        u"<strong>-Écriture de Korvane :</strong> Même chose que pour Velmora."_s,
        u"<strong>-Doubler les anti-slashs :</strong> Si vous cochez cette case, les anti-slashs "
        u"\"  \" seront doublés."_s,
        QString(),
        u"<strong>-Mettres des espaces / Supprimer les espaces :</strong> Ces deux options vont "
        u"de pair : Certaines fois,"_s,
        u"il peut y avoir des problèmes avec la traduction (ex : avec \"|_|_|_|\"), si les "
        u"lettres sont séparées par des espaces alors,"_s,
        u"il n'y aura pas de problèmes durant la traduction Leet->Français et vous pourrez ainsi "
        u"choisir de supprimer les espaces inutiles."_s,
        QString(),
        u"<strong>-Écriture courante :</strong> Le leet que tout le monde écrit : 4 pour A, 8 "
        u"pour B, 3 pour E, 6 pour G, 1 pour I, 0 pour O, 5 pour S, 7 pour T,"_s,
        u"les autres lettres restent comme elles sont. Dans le sens Leet->Français, le logiciel "
        u"relit le leet de n'importe qui (ex : \"b0nj0ur\") en vrais mots français."_s,
        u"<strong>-Rétablir les mots et les accents :</strong> Avec Velmora ou Korvane, dans le "
        u"sens Leet->Français, le logiciel cherche les vrais mots"_s,
        u"au lieu de lire les lettres une à une, et leur rend leurs accents (ex : \"mangé\" et "
        u"non \"mange\")."_s,
        u"Ces deux relectures ont besoin de la liste de mots française du paquet wfrench ; un long "
        u"texte peut prendre un moment, que vous pouvez annuler."_s,
    };
    auto *texte = new QLabel(morceaux.join(u"<br />"_s));

    auto *layoutAide = new QVBoxLayout(fenetre);
    layoutAide->addWidget(texte);
    fenetre->show();
}

void FenEntreeTexte::aPropos()
{
    auto *fenetre = new QWidget;
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->setWindowTitle(u"À Propos du Scribolix"_s);

    auto *texte = new QLabel(
        u"<center><strong>Le Scribolix</strong> version %1<br /><br />"
        u"Traduit vos textes du français vers le leet "
        u"et du leet vers le français.<br /><br />"
        u"Écrit par les développeurs du Scribolix.<br />"
        u"Logiciel libre sous licence GPL-3.0-or-later "
        u"(GNU GPL version 3 ou ultérieure).</center>"_s.arg(QStringLiteral(SCRIBOLIX_VERSION)));

    auto *layoutOk = new QGridLayout;
    auto *boutonOk = new QPushButton(u"OK"_s);
    layoutOk->addWidget(new QLabel, 0, 0);
    layoutOk->addWidget(boutonOk, 0, 1);

    auto *layoutAPropos = new QVBoxLayout(fenetre);
    layoutAPropos->addWidget(texte);
    layoutAPropos->addWidget(creerSeparateur(QFrame::HLine));
    layoutAPropos->addLayout(layoutOk);

    connect(boutonOk, &QPushButton::clicked, fenetre, &QWidget::close);
    fenetre->show();
}
