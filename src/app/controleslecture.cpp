// The controls of the reading with words: the usual leet among the styles,
// the option that reads Velmora's and Korvane's leet back into real words,
// and the loading of the word list and the model, started in the background
// as soon as the choices ask for them.

#include "FenEntreeTexte.h"
#include "lectureenfond.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

const QString tableCourante =
    u"Le leet de tous les jours : 4 pour A, 8 pour B, 3 pour E, 6 pour G, "
    u"1 pour I, 0 pour O, 5 pour S, 7 pour T.\n"_s;

} // namespace

void FenEntreeTexte::creerControlesLecture()
{
    radioCourante = new QRadioButton(u"Écriture &courante"_s, groupeType);
    radioCourante->setObjectName(u"radioCourante"_s);
    caseRetablirMots = new QCheckBox(u"&Rétablir les mots et les accents"_s, groupeType);
    caseRetablirMots->setObjectName(u"caseRetablirMots"_s);
    lectureEnFond = new LectureEnFond(this);

    if (lectureEnFond->listePresente()) {
        radioCourante->setToolTip(tableCourante +
                                  u"De leet vers français, relit le leet de n'importe qui."_s);
        caseRetablirMots->setToolTip(u"De leet vers français, avec Velmora ou Korvane : "
                                     u"retrouve les vrais mots, accents compris."_s);
        return;
    }
    // Without the list, the usual leet still writes, but reads nothing back.
    radioCourante->setToolTip(tableCourante + u"Pour le relire en français, installez le paquet "
                                              u"wfrench (liste de mots française)."_s);
    caseRetablirMots->setEnabled(false);
    caseRetablirMots->setToolTip(u"Indisponible : installez le paquet wfrench "
                                 u"(liste de mots française)."_s);
}

void FenEntreeTexte::connecterLecture()
{
    // The usual leet follows the option rules of the other built-in styles.
    connect(radioCourante, &QRadioButton::released, this, &FenEntreeTexte::testCourante);
    for (QRadioButton *bouton :
         {radioVelmora, radioKorvane, radioCourante, radioFrancaisLeet, radioLeetFrancais})
        connect(bouton, &QRadioButton::released, this, &FenEntreeTexte::preparerLecture);
    connect(caseRetablirMots, &QCheckBox::toggled, this, &FenEntreeTexte::preparerLecture);
}

void FenEntreeTexte::testCourante()
{
    testVelmora();
}

// The list and the model take a moment to load: they start as soon as the
// choices ask for the reading with words, so that they are often ready by
// the time the user presses "Traduire !".
void FenEntreeTexte::preparerLecture()
{
    if (lectureEnFond->listePresente() && lectureAvecMots(demandeChoisie()))
        lectureEnFond->preparer();
}
