#include "canaux.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

using namespace Qt::StringLiterals;

QString causeSysteme(int erreur)
{
    return QString::fromLocal8Bit(std::strerror(erreur));
}

bool Sortie::ecrire(QByteArrayView octets)
{
    const char *debut = octets.data();
    qsizetype reste = octets.size();
    while (erreur == 0 && reste > 0) {
        const ssize_t ecrits = ::write(STDOUT_FILENO, debut, size_t(reste));
        if (ecrits < 0 && errno == EINTR)
            continue;
        if (ecrits <= 0) {
            erreur = ecrits < 0 ? errno : EIO;
            break;
        }
        debut += ecrits;
        reste -= ecrits;
        vide = false;
    }
    return erreur == 0;
}

bool Sortie::fermer()
{
    if (erreur == 0 && ::close(STDOUT_FILENO) != 0)
        erreur = errno;
    return erreur == 0;
}

QString Sortie::message() const
{
    return u"écriture impossible sur la sortie standard : %1."_s.arg(causeSysteme(erreur));
}

std::optional<QByteArrayView> Entree::lire()
{
    for (;;) {
        const ssize_t lus = ::read(STDIN_FILENO, tampon.data(), size_t(tampon.size()));
        if (lus >= 0)
            return QByteArrayView(tampon.constData(), lus);
        if (errno != EINTR)
            return std::nullopt;
    }
}
