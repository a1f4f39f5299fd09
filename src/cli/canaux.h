#pragma once

// Standard input and output of scribolix-cli, read and written through the
// system calls themselves, so that every failure is seen with its cause.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The system's words for an errno value.
QString causeSysteme(int erreur);

// Standard output, written straight through: every failure is kept, with its
// cause, so that nothing is lost silently.
class Sortie
{
public:
    bool ecrire(QByteArrayView octets);
    // Closing can be the first to tell that written data did not reach the file.
    bool fermer();
    bool rienEcrit() const { return vide; }
    QString message() const;

private:
    int erreur = 0;
    bool vide = true;
};

// Reads standard input in bounded pieces.
class Entree
{
public:
    // The next piece, empty at the end; nothing on a read error, with errno set.
    std::optional<QByteArrayView> lire();

private:
    QByteArray tampon = QByteArray(64 * 1024, Qt::Uninitialized);
};
