// The option rules: which radio buttons may be checked and whether
// "Personnaliser..." can be pressed, after each release of a radio button,
// and the prompt erased at the text box's first selection.

#include "FenEntreeTexte.h"
#include "textesfenetre.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include <utility>

using namespace Qt::StringLiterals;

void FenEntreeTexte::testVelmora()
{
    emit slotGriserBouton();
    if (!radioLeetFrancais->isCheckable()) {
        radioLeetFrancais->setCheckable(true);
        radioLeetFrancais->setText(texteLeetFrancais);
    }
}

void FenEntreeTexte::testKorvane()
{
    testVelmora();
}

void FenEntreeTexte::testPerso()
{
    if (radioPerso->isChecked())
        emit slotDegriserBouton();
}

void FenEntreeTexte::griserLeetFr()
{
    if (radioPerso->isChecked()) {
        radioLeetFrancais->setCheckable(false);
        radioLeetFrancais->setText(texteLeetFrancaisIncochable);
    }
}

void FenEntreeTexte::griserPersonnaliser()
{
    if (radioLeetFrancais->isChecked()) {
        radioPerso->setCheckable(false);
        radioPerso->setText(textePersonnaliseeIncochable);
    }
}

void FenEntreeTexte::degriserPersonnaliser()
{
    radioPerso->setCheckable(true);
    radioPerso->setText(textePersonnalisee);
}

void FenEntreeTexte::griserBouton()
{
    boutonPersonnaliser->setEnabled(false);
}

void FenEntreeTexte::degriserBouton()
{
    boutonPersonnaliser->setEnabled(true);
}

void FenEntreeTexte::effacerTexte()
{
    // Only the prompt is erased: whatever the user typed or pasted before
    // selecting anything for the first time is theirs and stays. A prompt the
    // user has edited is theirs too, and stays as it is.
    if (!std::exchange(premiereSelection, false))
        return;
    if (zoneTexte->toPlainText() == texteInvite) {
        zoneTexte->setPlainText(QString());
        return;
    }
    QTextCursor invite = inviteIntacte();
    if (!invite.isNull())
        invite.removeSelectedText();
}

// The prompt, selected, where the user's edits have carried it; a null cursor
// when it is no longer there as it was written.
QTextCursor FenEntreeTexte::inviteIntacte() const
{
    QTextCursor invite = debutInvite;
    invite.setPosition(finInvite.position(), QTextCursor::KeepAnchor);
    return invite.selectedText() == texteInvite ? invite : QTextCursor();
}
