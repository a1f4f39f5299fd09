#pragma once

#include <QLabel>

// A one-line plain-text label made of a fixed beginning and a name: when the
// label is too narrow for both, the name is shortened in the middle, with an
// ellipsis, so that its start and its end stay readable. It takes whatever
// width its layout gives it and shortens the name again on every resize.
class EtiquetteElidee : public QLabel
{
public:
    EtiquetteElidee(const QString &debut, QWidget *parent);

    void afficher(const QString &debut, const QString &nom);

protected:
    void resizeEvent(QResizeEvent *evenement) override;

private:
    void eliderNom();

    QString debut;
    QString nom;
};
