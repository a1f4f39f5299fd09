#include "FenChoixEcriture.h"

FenChoixEcriture::FenChoixEcriture(Cases *cases, bool *styleValide, QWidget *parent)
    : QMainWindow(parent)
{
    Q_UNUSED(cases);
    Q_UNUSED(styleValide);
}
