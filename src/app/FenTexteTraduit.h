#pragma once

#include <QDialog>

class QTextEdit;
class QVBoxLayout;

// One translation's result, shown as plain text. The text stays editable so
// that the user can touch it up before copying it; nothing reads it back.
class FenTexteTraduit : public QDialog
{
    Q_OBJECT

public:
    FenTexteTraduit(const QString &texte, QWidget *parent);

private:
    QVBoxLayout *layoutResultat;
    QTextEdit *zoneResultat;
};
