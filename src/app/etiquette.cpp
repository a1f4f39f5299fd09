#include "etiquette.h"

#include <QFontMetrics>

EtiquetteElidee::EtiquetteElidee(const QString &debut, QWidget *parent) : QLabel(parent)
{
    // A name is shown as it is, never read as markup.
    setTextFormat(Qt::PlainText);
    // The label never asks for the width of a long name: it takes the room
    // it is given and shortens the name to fit.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    afficher(debut, QString());
}

void EtiquetteElidee::afficher(const QString &debut, const QString &nom)
{
    this->debut = debut;
    this->nom = nom;
    eliderNom();
}

void EtiquetteElidee::resizeEvent(QResizeEvent *evenement)
{
    QLabel::resizeEvent(evenement);
    eliderNom();
}

void EtiquetteElidee::eliderNom()
{
    const QFontMetrics mesures = fontMetrics();
    const int place = contentsRect().width() - mesures.horizontalAdvance(debut);
    setText(debut + mesures.elidedText(nom, Qt::ElideMiddle, qMax(0, place)));
}
