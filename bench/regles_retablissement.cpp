// How often each rule of the reading with a word list decides, on a leet
// file: regles_retablissement <velmora|korvane> <0|1 supprimer-espaces>
// <liste de mots> <fichier leet> [modèle]. With a context model, also how
// many words the model writes otherwise than the list's rule alone. Not a
// test.

#include "retablissement.h"

#include <QFile>

#include <algorithm>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: %s velmora|korvane 0|1 liste fichier [modèle]\n", argv[0]);
        return 2;
    }
    const Style style = QByteArrayView(argv[1]) == "korvane" ? Style::Korvane : Style::Velmora;
    QString erreur;
    std::optional<ModeleContexte> modele;
    if (argc == 6) {
        modele = ModeleContexte::charger(QString::fromLocal8Bit(argv[5]), &erreur);
        if (!modele) {
            std::fprintf(stderr, "%s\n", qPrintable(erreur));
            return 2;
        }
    }
    const std::optional<Dictionnaire> dictionnaire =
        Dictionnaire::charger(QString::fromLocal8Bit(argv[3]), &erreur,
                              modele ? modele->vocabulaire() : std::vector<QString>{});
    QFile fichier(QString::fromLocal8Bit(argv[4]));
    if (!dictionnaire || !fichier.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s\n", qPrintable(erreur));
        return 2;
    }
    const QString leet = QString::fromUtf8(fichier.readAll());
    const bool supprimer = QByteArrayView(argv[2]) == "1";
    StatistiquesRetablissement s;
    const QString parLaRegle = retablirLeet(*dictionnaire, style, leet, supprimer, &s);
    const auto part = [&](qint64 n) { return 100.0 * double(n) / double(s.mots ? s.mots : 1); };
    std::printf("%lld mots : lecture standard %.2f %%, autre lecture %.2f %%, chiffres %.2f %%, "
                "repli %.2f %% ; accents rendus %.2f %%, dont choix entre plusieurs %.2f %%\n",
                static_cast<long long>(s.mots), part(s.lectureStandard), part(s.autreLecture),
                part(s.chiffres), part(s.repli), part(s.accentsRendus), part(s.choixAccent));
    if (modele) {
        // Word by word, on the lines that have as many words both ways.
        const QStringList a = parLaRegle.split(u'\n');
        const QStringList b =
            retablirLeet(*dictionnaire, style, leet, supprimer, nullptr, &*modele).split(u'\n');
        qint64 mots = 0, autres = 0;
        for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
            const QStringList x = a[i].split(u' ', Qt::SkipEmptyParts);
            const QStringList y = b[i].split(u' ', Qt::SkipEmptyParts);
            if (x.size() != y.size())
                continue;
            mots += x.size();
            for (qsizetype k = 0; k < x.size(); ++k)
                autres += x[k].compare(y[k], Qt::CaseInsensitive) != 0;
        }
        std::printf("le modèle écrit autrement que la règle %lld mots sur %lld (%.2f %%)\n",
                    static_cast<long long>(autres), static_cast<long long>(mots),
                    100.0 * double(autres) / double(mots ? mots : 1));
    }
    return 0;
}
