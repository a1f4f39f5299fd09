// The translate command: the request read from the controls, its refusals,
// the engine called, and the result window or the error box.

#include "FenEntreeTexte.h"
#include "FenTexteTraduit.h"
#include "curseur.h"
#include "lectureenfond.h"
#include "textebrut.h"
#include "textesfenetre.h"
#include "traduction.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QTextEdit>

#include <new>

using namespace Qt::StringLiterals;

namespace {

const QString messageRienTraduit = u"<center>Vous n'avez entré aucun texte,<br />ou vous avez "
                                   u"utilisé des symboles inconnus.</center>"_s;

// A modal window takes the keyboard from the main window; when it closes, the
// window manager, or the toolkit when there is none, need not give it back.
// While it lives, this remembers where the focus was, and then puts it back
// there, the main window active again.
class RetourDuFocus
{
public:
    explicit RetourDuFocus(QWidget *fenetre) : fenetre(fenetre), focus(fenetre->focusWidget()) {}
    ~RetourDuFocus()
    {
        if (!fenetre)
            return;
        fenetre->activateWindow();
        if (focus)
            focus->setFocus(Qt::ActiveWindowFocusReason);
    }
    RetourDuFocus(const RetourDuFocus &) = delete;
    RetourDuFocus &operator=(const RetourDuFocus &) = delete;

private:
    QPointer<QWidget> fenetre;
    QPointer<QWidget> focus;
};

} // namespace

void FenEntreeTexte::traduire()
{
    // A press while a text is being read waits for that reading's end.
    if (lectureEnFond->occupee())
        return;
    // The text as written: a no-break space stays one.
    QString texte = texteBrut(*zoneTexte->document());
    // Until the first selection the prompt may still stand beside what the
    // user typed or pasted: only the user's text is translated. A box holding
    // nothing but the prompt is translated as it is.
    if (premiereSelection && texte != texteInvite) {
        const QTextCursor invite = inviteIntacte();
        if (!invite.isNull())
            texte.remove(invite.selectionStart(), invite.selectionEnd() - invite.selectionStart());
    }

    if (!radioVelmora->isChecked() && !radioKorvane->isChecked() && !radioCourante->isChecked() &&
        !radioPerso->isChecked()) {
        afficherErreur(u"<strong>Erreur</strong>, vous n'avez pas choisi le type de traduction."_s);
        return;
    }
    if (!radioFrancaisLeet->isChecked() && !radioLeetFrancais->isChecked()) {
        afficherErreur(
            u"<strong>Erreur</strong>, vous n'avez pas indiqué le sens de conversion."_s);
        return;
    }
    if (texteVide(texte)) {
        afficherErreur(u"<strong>Erreur</strong>, vous n'avez pas entré de texte."_s);
        return;
    }

    const Demande demande = demandeChoisie();

    if (demande.ecriture == Ecriture::Personnalisee) {
        // The personal style has no way back from leet; the option rules keep
        // the user from asking for it, and the command quietly refuses it.
        if (!demande.versLeet)
            return;
        if (!styleValide) {
            afficherErreur(u"<center>Vous n'avez pas validé votre personnalisation.</center>"_s);
            return;
        }
    }
    if (lectureAvecMots(demande)) {
        lireAvecMots(demande, texte);
        return;
    }

    QString resultat;
    bool tropLong = false;
    {
        const CurseurOccupe occupe;
        try {
            resultat = traduireSelon(demande, texte, textesDesCases(cases));
        } catch (const std::bad_alloc &) {
            // Long personal glyphs over a long text: the result does not fit.
            tropLong = true;
        }
    }
    if (tropLong) {
        afficherErreur(u"<center>Le texte traduit serait trop long pour tenir en "
                       u"mémoire.</center>"_s);
        return;
    }
    if (resultat.isEmpty()) {
        afficherErreur(messageRienTraduit);
        return;
    }
    montrerResultat(resultat);
}

// The style and direction checked, the options as they stand; the option of
// the reading with words counts only while it can be used.
Demande FenEntreeTexte::demandeChoisie() const
{
    Demande demande;
    demande.ecriture = radioVelmora->isChecked()    ? Ecriture::Velmora
                       : radioKorvane->isChecked()  ? Ecriture::Korvane
                       : radioCourante->isChecked() ? Ecriture::Courante
                                                    : Ecriture::Personnalisee;
    demande.versLeet = radioFrancaisLeet->isChecked();
    demande.doublerAntiSlashs = caseDoublerAntiSlashs->isChecked();
    demande.mettreEspaces = caseMettreEspaces->isChecked();
    demande.supprimerEspaces = caseSupprimerEspaces->isChecked();
    demande.retablirMots = caseRetablirMots->isEnabled() && caseRetablirMots->isChecked();
    return demande;
}

// Read on a worker thread while the window goes on answering; a reading the
// user stops gives nothing, and says nothing.
void FenEntreeTexte::lireAvecMots(const Demande &demande, const QString &texte)
{
    if (!lectureEnFond->listePresente()) {
        afficherErreur(u"<center>Pour relire le leet courant en français, il faut la liste de "
                       u"mots française :<br />installez le paquet wfrench.</center>"_s);
        return;
    }
    const LectureEnFond::Resultat lu = lectureEnFond->lire(demande, texte);
    switch (lu.issue) {
    case LectureEnFond::Resultat::Issue::Annule:
        return;
    case LectureEnFond::Resultat::Issue::Echec:
        afficherErreur(u"<center>La relecture en mots a échoué :<br />%1</center>"_s.arg(
            lu.texte.toHtmlEscaped()));
        return;
    case LectureEnFond::Resultat::Issue::Lu:
        break;
    }
    if (lu.texte.isEmpty()) {
        afficherErreur(messageRienTraduit);
        return;
    }
    montrerResultat(lu.texte);
}

void FenEntreeTexte::montrerResultat(const QString &resultat)
{
    const RetourDuFocus retour(this);
    FenTexteTraduit *fenetre = nullptr;
    {
        // Filling the result window with a big text is the slow part; its
        // own event loop must run under the ordinary cursor.
        const CurseurOccupe occupe;
        fenetre = new FenTexteTraduit(resultat, this);
    }
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->exec();
}

void FenEntreeTexte::afficherErreur(const QString &message)
{
    const RetourDuFocus retour(this);
    QMessageBox::critical(this, u"Erreur"_s, message);
}
