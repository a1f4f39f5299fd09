// How often each rule of the reading with a word list decides, on a leet
// file: regles_retablissement <velmora|korvane> <0|1 supprimer-espaces>
// <liste de mots> <fichier leet>. Not a test.

#include "retablissement.h"

#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s velmora|korvane 0|1 liste fichier\n", argv[0]);
        return 2;
    }
    const Style style = QByteArrayView(argv[1]) == "korvane" ? Style::Korvane : Style::Velmora;
    QString erreur;
    const std::optional<Dictionnaire> dictionnaire =
        Dictionnaire::charger(QString::fromLocal8Bit(argv[3]), &erreur);
    QFile fichier(QString::fromLocal8Bit(argv[4]));
    if (!dictionnaire || !fichier.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s\n", qPrintable(erreur));
        return 2;
    }
    StatistiquesRetablissement s;
    retablirLeet(*dictionnaire, style, QString::fromUtf8(fichier.readAll()),
                 QByteArrayView(argv[2]) == "1", &s);
    const auto part = [&](qint64 n) { return 100.0 * double(n) / double(s.mots ? s.mots : 1); };
    std::printf("%lld mots : lecture standard %.2f %%, autre lecture %.2f %%, chiffres %.2f %%, "
                "repli %.2f %% ; accents rendus %.2f %%, dont choix entre plusieurs %.2f %%\n",
                static_cast<long long>(s.mots), part(s.lectureStandard), part(s.autreLecture),
                part(s.chiffres), part(s.repli), part(s.accentsRendus), part(s.choixAccent));
    return 0;
}
