#pragma once

#include "cases.h"

#include <QMainWindow>

// The personal style editor. (Being written: only the constructor's signature
// is settled.)
class FenChoixEcriture : public QMainWindow
{
    Q_OBJECT

public:
    FenChoixEcriture(Cases *cases, bool *styleValide, QWidget *parent);
};
